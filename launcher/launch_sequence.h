// The launch: everything the launcher does after its window has been on
// screen for a second, from the first tick of its timer to the emulator start.
#pragma once

#include <string>

#include "launcher/system.h"

namespace zolvan {

// What the steps of the launch learn and hand on to each other.
struct LaunchState {
    std::wstring sCdGameDir;  // "E:\QEB": the game folder on the CD
    std::wstring sCdRoot;     // "E:\"
    std::wstring sCdLetter;   // "E"
    std::wstring sLanguage;   // "al", "fr", "usa" or empty
};

enum class LaunchEnd {
    kEmulatorStarted,
    kCdMissing,   // the user was asked to insert the CD
    kFailed,      // the user was told what kept the game from starting
};

// True exactly when the file's length can be had; a file of length 0 counts.
bool FileExist(System& system, const std::wstring& sTestFile);

// Runs the whole launch once. The caller ends the process when it returns.
LaunchEnd RunLaunchSequence(System& system, LaunchState& state);

}  // namespace zolvan
