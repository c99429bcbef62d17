// Smoke test of the end-to-end harness with the real game: the default
// settings give a 640x480 window, the main menu scrolls its blue backdrop
// there, and ESC on the main menu quits with exit code 0, writing the settings.
#include "e2e.h"

using HarnessSmoke = GameTest;

// The default graphics mode.
static const int DEFAULT_W = 640;
static const int DEFAULT_H = 480;

// True when the top row shows some pure blue: the backdrop is up.
static bool backdrop_shown(const Image &img)
{
    for (int x = 0; x < img.w; x++) {
        uint32_t c = img.at(x, 0);
        if (c != 0 && c <= 0xFF)
            return true;
    }
    return false;
}

TEST_F(HarnessSmoke, ShowsTheMenuAndQuitsOnEscape)
{
    ASSERT_GT(start_game(dir), 0);
    ASSERT_TRUE(wait_for_game_area(DEFAULT_W, DEFAULT_H));
    ASSERT_TRUE(wait_until(backdrop_shown));

    key_tap("Escape");

    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 0);
    EXPECT_TRUE(file_exists(dir, SETTINGS_FILE));
}
