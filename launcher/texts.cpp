#include "launcher/texts.h"

namespace zolvan {

namespace {

// Puts the system's reason on a paragraph of its own below our sentence.
std::wstring WithReason(const std::wstring& sentence, const std::wstring& reason)
{
    return sentence + L"\r\n\r\n" + reason;
}

}  // namespace

std::wstring FolderNotCreatedMessage(const std::wstring& folder, const std::wstring& reason)
{
    return WithReason(L"The game folder " + folder +
                          L" is missing and could not be created, so Zolvan Zazo cannot start.",
                      reason);
}

std::wstring ConfigNotWrittenMessage(const std::wstring& file, const std::wstring& reason)
{
    return WithReason(L"The file " + file + L" could not be written, so Zolvan Zazo cannot start.",
                      reason);
}

std::wstring EmulatorNotStartedMessage(const std::wstring& program, const std::wstring& reason)
{
    return WithReason(L"DOSBox could not be started from " + program + L".", reason);
}

}  // namespace zolvan
