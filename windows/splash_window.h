// The splash window is the launcher's only window: a borderless picture of
// fixed size, centred on the primary screen, with the status text "Please
// wait... Loading game files" under the busy pointer. It has its own taskbar
// button. A second after it opens, its timer starts the launch, which ends
// the process; until then a close request simply ends the program.
#pragma once

#include <windows.h>

namespace zolvan {

// Creates the splash window, centred and shown. Returns null on failure.
HWND CreateSplashWindow(HINSTANCE instance);

}  // namespace zolvan
