#include "windows/splash_window.h"

#include "launcher/centring.h"
#include "launcher/launch_sequence.h"
#include "launcher/texts.h"
#include "launcher/window_settings.h"
#include "windows/handles.h"
#include "windows/resource_ids.h"
#include "windows/splash_picture.h"
#include "windows/win32_system.h"

namespace zolvan {

namespace {

constexpr wchar_t kWindowClass[] = L"ZolvanSplash";
constexpr UINT_PTR kLaunchTimerId = 1;

COLORREF ToColorRef(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The display's real density, so that twips keep their size in inches.
int PixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips, int dpi)
{
    return MulDiv(twips, dpi, kTwipsPerInch);
}

float PixelsToTwips(int pixels, int dpi)
{
    return static_cast<float>(pixels) * kTwipsPerInch / dpi;
}

struct SplashState {
    SplashPicture picture;
    UniqueGdiObject<HFONT> labelFont;
    UniqueGdiObject<HBRUSH> labelBrush;
};

SplashState& State()
{
    static SplashState state;
    return state;
}

// The window's controls: the launch timer, then the status label.
bool OnCreate(HWND window)
{
    const int dpi = PixelsPerInch();
    auto& state = State();
    state.picture.Load(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)),
                       IDR_SPLASH_GIF);

    if (!SetTimer(window, kLaunchTimerId, kLaunchDelayMilliseconds, nullptr))
        return false;

    const TwipRect& r = kStatusLabelRect;
    HWND label = CreateWindowExW(0, L"STATIC", kStatusText, WS_CHILD | WS_VISIBLE | SS_CENTER,
                                 TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                                 TwipsToPixels(r.width, dpi), TwipsToPixels(r.height, dpi), window,
                                 nullptr, nullptr, nullptr);
    if (!label)
        return false;
    const LabelFont& f = kStatusLabelFont;
    state.labelFont.reset(CreateFontW(-MulDiv(f.hundredthsOfPoint, dpi, 72 * 100), 0, 0, 0,
                                      f.weight, FALSE, FALSE, FALSE, f.charset, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, f.face));
    state.labelBrush.reset(CreateSolidBrush(ToColorRef(kStatusBackColour)));
    if (state.labelFont.get())
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(state.labelFont.get()), FALSE);
    return true;
}

// Moves the window to the centre of the primary screen before it is shown.
void Centre(HWND window)
{
    const int dpi = PixelsPerInch();
    RECT outer;
    if (!GetWindowRect(window, &outer))
        return;
    const auto origin = CentredOrigin(PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
                                      PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi),
                                      PixelsToTwips(outer.right - outer.left, dpi),
                                      PixelsToTwips(outer.bottom - outer.top, dpi));
    if (!origin)
        return;  // a screen beyond any real size: leave the window where it is
    SetWindowPos(window, nullptr, TwipsToPixels(origin->left, dpi), TwipsToPixels(origin->top, dpi),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc)
        State().picture.Draw(dc);
    EndPaint(window, &paint);
}

LRESULT OnLabelColours(HDC dc)
{
    SetTextColor(dc, ToColorRef(kStatusTextColour));
    SetBkColor(dc, ToColorRef(kStatusBackColour));
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(State().labelBrush.get());
}

// The first tick runs the whole launch; it never returns to the message loop.
void OnLaunchTick(HWND window)
{
    Win32System system(window, kLaunchTimerId);
    LaunchState state;
    const LaunchEnd end = RunLaunchSequence(system, state);
    ExitProcess(end == LaunchEnd::kEmulatorStarted ? 0 : 1);
}

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window) ? 0 : -1;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnLabelColours(reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
        if (wParam == kLaunchTimerId)
            OnLaunchTick(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSplashWindow(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = SplashProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
    // Seen only where the picture does not reach, at densities above 96 dpi.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass))
        return nullptr;

    // WS_POPUP: no border, no title bar, no minimise or maximise box.
    // WS_SYSMENU keeps the taskbar button's Close for a user who gives up.
    const int dpi = PixelsPerInch();
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, kWindowClass, kCaption, WS_POPUP | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT,
                                  TwipsToPixels(kWindowWidthTwips, dpi),
                                  TwipsToPixels(kWindowHeightTwips, dpi), nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return nullptr;
    Centre(window);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

}  // namespace zolvan
