// Run in a harness of its own whose screen is smaller than the menu: centred there, the window's
// edges stay at zero instead of going off the screen.
#include "support/Launcher.h"

#include <gtest/gtest.h>

namespace {

using namespace e2e;

TEST(LauncherOnASmallScreen, PlacesTheWindowAtZeroNotAtANegativeEdge) {
    Installation installation;
    Launcher launcher(installation);
    const RECT form = ScreenRect(launcher.Form());
    const SIZE size = SizeOf(form);
    ASSERT_LT(::GetSystemMetrics(SM_CXVIRTUALSCREEN), size.cx) << "the screen is not smaller than the window";
    ASSERT_LT(::GetSystemMetrics(SM_CYVIRTUALSCREEN), size.cy) << "the screen is not smaller than the window";
    EXPECT_EQ(form.left, 0);
    EXPECT_EQ(form.top, 0);
}

}  // namespace
