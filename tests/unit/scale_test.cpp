// The scale that fits: the largest whole n with n * w x n * h on the desktop, where a window
// leaves a tenth of the desktop's height to its frame and the panels; never below 1, and 1 on a
// desktop of unknown size.
#include "frontend.h"

#include <gtest/gtest.h>

#include <tuple>

// A desktop, the game's resolution, and the fit in a window and in full screen.
using FitCase = std::tuple<int, int, int, int, int, int>;

static const FitCase FIT_CASES[] = {
    {1366, 768, 640, 480, 1, 1},
    {1366, 768, 800, 600, 1, 1},
    {1366, 768, 1024, 768, 1, 1}, // less than one whole 768 in a window: still 1
    {1920, 1080, 640, 480, 2, 2},
    {1920, 1080, 800, 600, 1, 1},
    {1920, 1080, 1024, 768, 1, 1},
    {2560, 1440, 640, 480, 2, 3}, // 3 x 480 fills the height: too much for a window
    {2560, 1440, 800, 600, 2, 2},
    {2560, 1440, 1024, 768, 1, 1},
    {3840, 2160, 640, 480, 4, 4}, // 4 x 480 = 1920, inside 90 % of 2160
    {3840, 2160, 800, 600, 3, 3},
    {3840, 2160, 1024, 768, 2, 2},
    {0, 0, 640, 480, 1, 1}, // the desktop's size unknown
};

TEST(Scale, FitIsTheLargestWholeNumberTheDesktopHoldsWithRoomForAWindowsFrame)
{
    for (auto [desktop_w, desktop_h, w, h, window, full_screen] : FIT_CASES) {
        const std::string mode = std::to_string(w) + "x" + std::to_string(h) + " on "
            + std::to_string(desktop_w) + "x" + std::to_string(desktop_h);
        EXPECT_EQ(fit_scale(desktop_w, desktop_h, w, h, true), window) << mode << ", windowed";
        EXPECT_EQ(fit_scale(desktop_w, desktop_h, w, h, false), full_screen) << mode;
    }
}
