// The launcher's entry: one window, one thread, no command line.
#include <windows.h>
#include <objbase.h>

#include "windows/splash_window.h"

namespace {

// Without this, Vista and later scale the window as a bitmap on a high-density
// display instead of letting it size itself in twips. Looked up at run time:
// Windows 2000 and XP do not have it.
void DeclareDensityAware()
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32)
        return;
    using SetAware = BOOL(WINAPI*)();
    if (auto setAware = reinterpret_cast<SetAware>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware"))))
        setAware();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // Probing an empty drive must fail quietly, not ask the user for a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    DeclareDensityAware();
    // The picture loader is a COM object.
    if (FAILED(CoInitialize(nullptr)))
        return 1;

    if (!zolvan::CreateSplashWindow(instance))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CoUninitialize();
    return 0;
}
