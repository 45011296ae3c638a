#include "launcher/centring.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace zolvan {

namespace {

std::optional<std::int32_t> HalfOf(float difference)
{
    // nearbyint honours the current rounding mode; ties-to-even is the one we
    // want whatever a caller may have set.
    const int savedMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double whole = std::nearbyint(static_cast<double>(difference));
    std::fesetround(savedMode);

    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;  // also rejects NaN
    return static_cast<std::int32_t>(whole) / 2;  // C++ division truncates toward zero
}

}  // namespace

std::optional<Origin> CentredOrigin(float screenWidth, float screenHeight, float windowWidth,
                                    float windowHeight)
{
    const auto top = HalfOf(screenHeight - windowHeight);
    const auto left = HalfOf(screenWidth - windowWidth);
    if (!top || !left)
        return std::nullopt;
    return Origin{*left, *top};
}

}  // namespace zolvan
