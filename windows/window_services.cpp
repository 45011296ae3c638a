#include "windows/win32_system.h"

namespace zolvan {

void Win32System::ShowMessage(const std::wstring& text, const std::wstring& caption)
{
    // Style 0: one OK button, no icon. Owned by the splash window so that it
    // stays in front of it.
    MessageBoxW(window_, text.c_str(), caption.c_str(), MB_OK);
}

void Win32System::StopTimer()
{
    KillTimer(window_, timerId_);
}

}  // namespace zolvan
