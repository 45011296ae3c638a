// The splash window's settings, as data. Sizes and positions are in twips
// (1/1440 inch) so that the window keeps its size in inches at any display
// density; the Win32 side converts them with the display's real density.
#pragma once

#include <cstdint>

namespace zolvan {

inline constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// The window's client area; with no frame the outer size is the same.
inline constexpr int kWindowWidthTwips = 5385;
inline constexpr int kWindowHeightTwips = 3495;

inline constexpr unsigned kLaunchDelayMilliseconds = 1000;

// The status label, relative to the client area's top-left corner.
inline constexpr TwipRect kStatusLabelRect{1320, 2160, 2775, 255};

struct LabelFont {
    const wchar_t* face;
    int hundredthsOfPoint;  // 6.75 points
    int weight;
    std::uint8_t charset;  // Central European
};
inline constexpr LabelFont kStatusLabelFont{L"Tahoma", 675, 400, 238};

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kStatusTextColour = 0xC0C0C0;  // silver
inline constexpr std::uint32_t kStatusBackColour = 0x000000;  // opaque black

}  // namespace zolvan
