#include "launcher/centring.h"

#include <gtest/gtest.h>

namespace zolvan {
namespace {

struct CentringCase {
    const char* name;
    friend void PrintTo(const CentringCase& c, std::ostream* os) { *os << c.name; }
    float screenWidth, screenHeight, windowWidth, windowHeight;
    std::int32_t left, top;
};

class CentringTest : public ::testing::TestWithParam<CentringCase> {};

TEST_P(CentringTest, HalvesTheRoundedDifference)
{
    const CentringCase& c = GetParam();
    const auto origin = CentredOrigin(c.screenWidth, c.screenHeight, c.windowWidth, c.windowHeight);
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(origin->left, c.left);
    EXPECT_EQ(origin->top, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CentringTest,
    ::testing::Values(
        CentringCase{"splash_on_1024x768", 15360, 11520, 5385, 3495, 4987, 4012},
        CentringCase{"odd_differences_lose_their_half", 5385 + 975, 3495 + 825, 5385, 3495, 487, 412},
        CentringCase{"negative_odd_difference_halves_toward_zero", 5370, 3480, 5385, 3495, -7, -7},
        CentringCase{"two_and_a_half_rounds_to_even_2", 102.5f, 100, 100, 100, 1, 0},
        CentringCase{"three_and_a_half_rounds_to_even_4", 103.5f, 100, 100, 100, 2, 0},
        CentringCase{"screen_smaller_than_window", 3000, 2000, 5385, 3495, -1192, -747},
        CentringCase{"equal_sizes", 5385, 3495, 5385, 3495, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Centring, DifferenceBeyond32BitsGivesNoOrigin)
{
    EXPECT_FALSE(CentredOrigin(1e10f, 100, 0, 0).has_value());
    EXPECT_FALSE(CentredOrigin(100, -1e10f, 0, 0).has_value());
}

}  // namespace
}  // namespace zolvan
