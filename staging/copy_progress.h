// Staging: the game files go from the CD into the app folder before the
// emulator starts, and the emulator's clean-up script takes them away again.
#pragma once

#include <optional>
#include <string>

#include "launcher/system.h"

namespace zolvan {

// A staging folder that could not be made, with the system's reason.
struct MissingFolder {
    std::wstring path;
    std::wstring reason;
};

// Creates whatever part of the staging folder tree is missing from the app
// folder. The clean-up script relies on every folder being there: a "cd"
// into a missing folder would let its "del *.*" run one level up, and
// finally in the app folder's root. Stops at the first folder it cannot make.
std::optional<MissingFolder> EnsureStagingTree(System& system);

// Copies every manifest entry from the CD's game folder `sCdGameDir` (such as
// "E:\QEB") to the same relative path under the app folder. A copy that fails
// is skipped without a word: the game may still run without it.
void CopyProgress(System& system, const std::wstring& sCdGameDir);

}  // namespace zolvan
