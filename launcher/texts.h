// The launcher's fixed texts: what the user reads, and the file names it uses.
#pragma once

#include <string>

namespace zolvan {

inline constexpr wchar_t kCaption[] = L"Zolvan Zazo";
inline constexpr wchar_t kStatusText[] = L"Please wait... Loading game files";
inline constexpr wchar_t kMissingCdMessage[] = L"Please insert the CD of Zolvan Zazo and try again.";

// Tails appended to the app folder; each begins with a backslash.
inline constexpr wchar_t kSettingsFileTail[] = L"\\ZOLVAN.INI";
inline constexpr wchar_t kConfigFileTail[] = L"\\dosbox.conf";
inline constexpr wchar_t kEmulatorTail[] = L"\\dosbox.exe";
inline constexpr wchar_t kEmulatorArguments[] = L"-noconsole";

// The messages for the faults that keep the game from starting. Each names
// the path at fault and ends with the system's own reason.
std::wstring FolderNotCreatedMessage(const std::wstring& folder, const std::wstring& reason);
std::wstring ConfigNotWrittenMessage(const std::wstring& file, const std::wstring& reason);
std::wstring EmulatorNotStartedMessage(const std::wstring& program, const std::wstring& reason);

}  // namespace zolvan
