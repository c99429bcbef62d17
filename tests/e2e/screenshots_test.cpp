// The README's screenshots, taken from the real game: run with
// TALVON_SCREENSHOTS set to the folder they go to (scripts/screenshots.sh).
// Without it the test only checks that each screen it would show comes up.
#include "game_screens.h"

#include <cstdlib>

using Screenshots = GameTest;

// Saves the screen as <folder>/<name>.png when screenshots are asked for.
static void shoot(const std::string &name)
{
    const char *folder = getenv("TALVON_SCREENSHOTS");
    if (folder) {
        EXPECT_TRUE(save_screenshot(std::string(folder) + "/" + name + ".png"));
    }
}

// The pointer rests where it hides nothing, and the menu has drawn it there.
static void park_pointer()
{
    mouse_move(layer_to_game_x(620), layer_to_game_y(460));
    ASSERT_TRUE(wait_for_menu_frames(2));
}

TEST_F(Screenshots, TheMenusWithTheDefaultSettings)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    park_pointer();
    shoot("main-menu");

    click_layer(320, 245); // the players button
    ASSERT_TRUE(wait_until([](const Image &img) { return caption_shown(img, 120, 405, 415); }));
    park_pointer();
    shoot("players-screen");
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());

    ASSERT_TRUE(open_options_screen());
    park_pointer();
    shoot("options-screen");
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    EXPECT_TRUE(quit_from_main_menu());
}

TEST_F(Screenshots, AMatchOfEightWorms)
{
    // The round goes on until the last worm is gone, and the red one circles.
    std::string settings = with_players_on(DEFAULT_SETTINGS_TEXT, {0, 1, 2, 3, 4, 5, 6, 7});
    write_file(dir, SETTINGS_FILE, with_line(settings, 3, "0 50 25 74523 0.150000"));
    ASSERT_TRUE(start_at_main_menu(dir));
    key_tap("s");
    ASSERT_TRUE(wait_until(match_shown));
    key_down("Left");
    ASSERT_TRUE(wait_until([](const Image &img) {
        std::string clock = read_text(img, 320, 480 - 44, 7, game_colour(128, 128, 128),
                                      "0123456789:");
        return clock >= "0:02:00";
    }));
    shoot("match");
    key_up("Left");
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    EXPECT_TRUE(quit_from_main_menu());
}
