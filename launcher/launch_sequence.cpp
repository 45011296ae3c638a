#include "launcher/launch_sequence.h"

#include "emulator/hand_off.h"
#include "launcher/paths.h"
#include "launcher/texts.h"
#include "staging/copy_progress.h"

namespace zolvan {

namespace {

// A, B and C are floppies and the system disk: the CD is never there.
constexpr wchar_t kFirstCdLetter = L'D';
constexpr wchar_t kLastCdLetter = L'Z';
constexpr wchar_t kCdGameFolderTail[] = L":\\QEB";
constexpr wchar_t kCdProbeFileTail[] = L"\\ZOLQEB.EXE";

struct LanguageMarker {
    const wchar_t* tail;
    const wchar_t* code;
};

// Probed in this order and the last hit wins, so a CD that carries several
// languages plays in the last one listed.
constexpr LanguageMarker kLanguageMarkers[] = {
    {L"\\MISC\\AL.BIN", L"al"},
    {L"\\MISC\\FR.BIN", L"fr"},
    {L"\\MISC\\USA.BIN", L"usa"},
};

// Every letter is probed and the highest one that holds the game wins.
std::wstring ProbeDrives(System& system)
{
    std::wstring found;
    for (wchar_t letter = kFirstCdLetter; letter <= kLastCdLetter; ++letter) {
        const std::wstring gameFolder = letter + std::wstring(kCdGameFolderTail);
        if (FileExist(system, gameFolder + kCdProbeFileTail))
            found = gameFolder;
    }
    return found;
}

std::wstring ProbeLanguage(System& system, const std::wstring& appFolder)
{
    std::wstring language;
    for (const LanguageMarker& marker : kLanguageMarkers)
        if (FileExist(system, InFolder(appFolder, marker.tail)))
            language = marker.code;
    return language;
}

}  // namespace

bool FileExist(System& system, const std::wstring& sTestFile)
{
    const auto length = system.FileLength(sTestFile);
    return length.has_value() && *length > -1;
}

LaunchEnd RunLaunchSequence(System& system, LaunchState& state)
{
    system.StopTimer();
    const std::wstring appFolder = system.AppFolder();

    // The game starts from fresh settings on every run.
    system.RemoveFile(InFolder(appFolder, kSettingsFileTail));

    state.sCdGameDir = ProbeDrives(system);
    state.sCdRoot = state.sCdGameDir.substr(0, 3);
    state.sCdLetter = state.sCdGameDir.substr(0, 1);
    if (state.sCdGameDir.empty()) {
        system.ShowMessage(kMissingCdMessage, kCaption);
        return LaunchEnd::kCdMissing;
    }

    if (auto missing = EnsureStagingTree(system)) {
        system.ShowMessage(FolderNotCreatedMessage(missing->path, missing->reason), kCaption);
        return LaunchEnd::kFailed;
    }
    CopyProgress(system, state.sCdGameDir);

    state.sLanguage = ProbeLanguage(system, appFolder);

    const StartupValues values{state.sCdLetter, state.sCdRoot, appFolder, state.sLanguage};
    return HandOffToEmulator(system, values) ? LaunchEnd::kEmulatorStarted : LaunchEnd::kFailed;
}

}  // namespace zolvan
