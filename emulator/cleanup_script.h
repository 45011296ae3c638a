// The lines the emulator runs after the game has ended: they delete every
// staged file from the app folder (mounted as drive B and current there) and
// close the emulator. Folders stay, empty, for the next run.
#pragma once

#include <string>

namespace zolvan {

const std::wstring& CleanupScript();

}  // namespace zolvan
