// The scale that fits: the largest whole n with n * w x n * h on the desktop, where a window
// leaves a tenth of the desktop's height to its frame and the panels; never below 1, and 1 on a
// desktop of unknown size.
#include "frontend.h"

#include <gtest/gtest.h>

struct FitCase {
    int desktop_w;
    int desktop_h;
    int w; // the game's resolution
    int h;
    int window;      // the fit in a window
    int full_screen; // the fit in full screen
};

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
    {0, 0, 800, 600, 1, 1},
    {0, 0, 1024, 768, 1, 1},
};

TEST(Scale, FitIsTheLargestWholeNumberTheDesktopHoldsWithRoomForAWindowsFrame)
{
    for (const FitCase &c : FIT_CASES) {
        const int window = fit_scale(c.desktop_w, c.desktop_h, c.w, c.h, true);
        const int full_screen = fit_scale(c.desktop_w, c.desktop_h, c.w, c.h, false);
        EXPECT_EQ(window, c.window)
            << c.w << "x" << c.h << " in a window on " << c.desktop_w << "x" << c.desktop_h;
        EXPECT_EQ(full_screen, c.full_screen)
            << c.w << "x" << c.h << " in full screen on " << c.desktop_w << "x" << c.desktop_h;
    }
}
