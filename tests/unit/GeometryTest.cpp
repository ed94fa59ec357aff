#include "Geometry.h"

#include <gtest/gtest.h>

namespace {

using core::CentreOnDesktop;
using core::MulDiv;
using core::Point;

struct CentreCase {
    int desktopWidth, desktopHeight, windowWidth, windowHeight;
    Point expected;
};

TEST(CentreOnDesktop, CentresTruncatesAndClampsAtZero) {
    const CentreCase cases[] = {
        {1024, 768, 667, 470, {178, 149}},   // odd differences truncate
        {1280, 1024, 667, 470, {306, 277}},
        {2048, 768, 667, 470, {690, 149}},   // two monitors side by side: the whole span counts
        {640, 400, 667, 470, {0, 0}},        // a desktop smaller than the window
        {600, 768, 667, 470, {0, 149}},
        {1024, 300, 667, 470, {178, 0}},
        {667, 470, 667, 470, {0, 0}},
        {668, 471, 667, 470, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CentreOnDesktop(c.desktopWidth, c.desktopHeight, c.windowWidth, c.windowHeight), c.expected)
            << c.desktopWidth << "x" << c.desktopHeight;
    }
}

TEST(MulDiv, RoundsHalfAwayFromZeroLikeWin32) {
    struct Case { int value, numerator, denominator, expected; };
    const Case cases[] = {
        {667, 12, 14, 572}, {470, 12, 14, 403}, {-11, 144, 96, -17}, {-13, 12, 14, -11},
        {1, 1, 2, 1}, {-1, 1, 2, -1}, {3, 1, 2, 2}, {-3, 1, 2, -2}, {5, -1, 2, -3},
        {0, 7, 3, 0}, {100, 3, -4, -75},
        {2'000'000'000, 3, 4, 1'500'000'000},  // the product does not fit in 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.value, c.numerator, c.denominator), c.expected)
            << c.value << "*" << c.numerator << "/" << c.denominator;
}

TEST(ScaleRatio, ScalesOnlyWhenTheTextHeightDiffers) {
    EXPECT_FALSE((core::ScaleRatio{14, 14}).Scales());
    const core::ScaleRatio wine96{12, 14};
    EXPECT_TRUE(wine96.Scales());
    EXPECT_EQ(wine96.Apply(641), 549);
    EXPECT_EQ(wine96.Apply(-13), -11);
}

}  // namespace
