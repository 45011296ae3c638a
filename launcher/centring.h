// Where the splash window goes: the centre of the primary screen, by the
// same arithmetic on every machine, so that odd differences lose their half
// the same way everywhere.
#pragma once

#include <cstdint>
#include <optional>

namespace zolvan {

struct Origin {
    std::int32_t left;  // twips from the screen's left edge; negative overhangs
    std::int32_t top;
};

// Half of (screen - window) on each axis: the single-precision difference is
// rounded to a whole number (halves to even), then halved toward zero.
// Nothing is clamped: a window larger than the screen gets a negative origin.
// Nothing is returned when a difference does not fit a signed 32-bit integer.
std::optional<Origin> CentredOrigin(float screenWidth, float screenHeight, float windowWidth,
                                    float windowHeight);

}  // namespace zolvan
