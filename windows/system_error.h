// The system's own sentence for an error code, as the user is shown it.
#pragma once

#include <windows.h>

#include <string>

namespace zolvan {

// "Access is denied." for ERROR_ACCESS_DENIED; never empty, so that it can
// stand as a failure's reason even for a code the system cannot describe.
std::wstring SystemErrorText(DWORD code);

}  // namespace zolvan
