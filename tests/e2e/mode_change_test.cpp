// Changing the graphics mode while the game runs, from the options screen:
// the new size and depth on screen, the menus centred in it, the players'
// colours carried across depths, the mode kept for the next start; a mode
// the display refuses; and the two ends the game cannot survive.
#include "game_screens.h"

#include <cstdio>
#include <string>

using ModeChange = LongPressTest;

static const char CHANGED[] = "Graficky mod bol uspesne zmeneny.";
static const char REFUSED[] = "Nepodarilo sa zmenit graficky mod.";
static const char UNCHANGED[] = "Graficky mod nebol zmeneny.";
// Points inside the apply button and the frame delay field, on the layers.
static const int APPLY_X = 520, APPLY_Y = 325;
static const int FRAME_DELAY_X = 120, FRAME_DELAY_Y = 165;

// The default players' 16-bit colours taken from depth to depth: each field
// is scaled to 8 bits and cut to the new depth's bits. From 16 to 32 and
// back every colour returns; through 15 bits the green of orange and pink,
// 32 of 63, is 130 of 255, 16 of 31, 132 and so 33 of 63 on the way back.
static const std::vector<int> COLOURS_16_TO_32 = {0xFF0000, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                                  0xFF08FF, 0x0000FF, 0xFF824A, 0xFF8284};
static const std::vector<int> COLOURS_16_32_15 = {0x7C00, 0x03FF, 0x03E0, 0x7FE0,
                                                  0x7C3F, 0x001F, 0x7E09, 0x7E10};
static const std::vector<int> COLOURS_16_32_15_16 = {0xF800, 0x07FF, 0x07E0, 0xFFE0,
                                                     0xF85F, 0x001F, 0xFC29, 0xFC30};

static std::string settings_with(int card, int w, int h, int depth,
                                  const std::vector<int> &colours)
{
    return with_player_colours(settings_in_mode(card, w, h, depth), colours);
}

// Chooses the mode, applies it with "ANO" and waits for the game's answer
// in the w x h mode that is then on screen, at the depth it then has.
static bool apply_mode(int res_w, int res_h, int depth, const char *message, int w, int h,
                       int shown_depth)
{
    if (!choose_resolution(res_w, res_h) || !choose_depth(depth))
        return false;
    click_layer(APPLY_X, APPLY_Y);
    if (!answer_mode_dialog(true))
        return false;
    set_game_depth(shown_depth);
    return wait_for_mode_change_message(w, h, message);
}

// A click clear of every box dismisses the message.
static bool dismiss_message(const char *message)
{
    click_layer(OPTIONS_CLEAR_X, OPTIONS_CLEAR_Y);
    return wait_until([&](const Image &img) {
        return !options_message_shown(img, message) && options_screen_shown(img);
    });
}

static bool mode_values_shown(const std::string &resolution, const std::string &card,
                              const std::string &depth)
{
    return wait_until([&](const Image &img) {
        return option_value_shown(img, RESOLUTION_VALUE, resolution, false) &&
               option_value_shown(img, CARD_VALUE, card, false) &&
               option_value_shown(img, DEPTH_VALUE, depth, false);
    });
}

static std::string leave_and_quit(const std::string &dir)
{
    key_tap("Escape");
    if (!wait_for_main_menu() || !quit_from_main_menu())
        return "";
    return read_file(dir, SETTINGS_FILE);
}

// ---------------------------------------------------------------- the match at the new size

// The pixels of row y from x0 to x1 (or of column x from y0 to y1) are all `rgb`.
static bool row_is(const Image &img, int y, int x0, int x1, uint32_t rgb)
{
    for (int x = x0; x <= x1; x++)
        if (img.at(x, y) != rgb)
            return false;
    return true;
}

static bool column_is(const Image &img, int x, int y0, int y1, uint32_t rgb)
{
    for (int y = y0; y <= y1; y++)
        if (img.at(x, y) != rgb)
            return false;
    return true;
}

// A match's frame fills the whole screen: the raised outer border, the grey
// margin, the sunken field border and the panel's frame 60 rows from the
// bottom. Each edge is checked along its whole length.
static bool match_frame_shown(const Image &img)
{
    const int W = img.w, H = img.h;
    const uint32_t white = game_colour(255, 255, 255), dark = game_colour(64, 64, 64),
                   grey = game_colour(128, 128, 128);
    bool outer = column_is(img, 0, 0, H - 1, white) && row_is(img, 0, 0, W - 2, white) &&
                 column_is(img, W - 1, 0, H - 1, dark) && row_is(img, H - 1, 1, W - 1, dark);
    bool margin = column_is(img, 1, 1, H - 2, grey) && column_is(img, 2, 1, H - 2, grey) &&
                  column_is(img, W - 2, 1, H - 2, grey);
    bool field = column_is(img, 3, 3, H - 63, dark) && row_is(img, 3, 3, W - 4, dark) &&
                 column_is(img, W - 3, 3, H - 63, white) && row_is(img, H - 63, 4, W - 3, white);
    bool panel = row_is(img, H - 57, 3, W - 4, dark) && row_is(img, H - 3, 4, W - 3, white);
    for (int y = H - 62; y <= H - 58; y++)
        panel = panel && row_is(img, y, 1, W - 2, grey);
    return outer && margin && field && panel;
}

// The first player's score label stands in the panel's first row, a tenth
// of the width in: the labels were placed for this screen.
static bool first_label_shown(const Image &img)
{
    return text_shown(img, "CERVENY: 0", img.w / 10, img.h - 44, game_colour(255, 0, 0));
}

// S starts a match from the main menu, ESC leaves it.
static bool match_drawn_at_screen_size()
{
    key_tap("s");
    bool shown = wait_until(
        [](const Image &img) { return match_frame_shown(img) && first_label_shown(img); });
    key_tap("Escape");
    return shown && wait_for_main_menu();
}

// ---------------------------------------------------------------- tests

// 640 x 480 at 16 bits to 1024 x 768 at 32, to 800 x 600 at 15, saved and
// started again there, and back to 640 x 480 at 16. The menus stand centred
// and a match fills each new screen.
TEST_F(ModeChange, SwitchesSizeAndDepthKeepsTheColoursAndStartsInTheSavedMode)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    ASSERT_TRUE(open_options_screen());
    ASSERT_TRUE(apply_mode(1024, 768, 32, CHANGED, 1024, 768, 32));
    EXPECT_TRUE(wait_until(options_screen_shown)); // centred in the new screen
    ASSERT_TRUE(dismiss_message(CHANGED));
    EXPECT_TRUE(mode_values_shown("1024/768", "AUTODETECT", "32"));
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu()); // its captions centred at 1024 x 768
    EXPECT_TRUE(match_drawn_at_screen_size());

    ASSERT_TRUE(open_options_screen());
    ASSERT_TRUE(apply_mode(800, 600, 15, CHANGED, 800, 600, 15));
    ASSERT_TRUE(dismiss_message(CHANGED));
    EXPECT_TRUE(mode_values_shown("800/600", "AUTODETECT", "15"));
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    EXPECT_TRUE(match_drawn_at_screen_size());
    ASSERT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), settings_with(0, 800, 600, 15, COLOURS_16_32_15));

    // The next start sets the saved mode; back to 640 x 480 then, first the
    // size alone and then the depth alone.
    ASSERT_TRUE(start_at_main_menu(dir, 800, 600, 15));
    ASSERT_TRUE(open_options_screen());
    EXPECT_TRUE(mode_values_shown("800/600", "AUTODETECT", "15"));
    ASSERT_TRUE(apply_mode(640, 480, 15, CHANGED, 640, 480, 15));
    ASSERT_TRUE(dismiss_message(CHANGED));
    ASSERT_TRUE(apply_mode(640, 480, 16, CHANGED, 640, 480, 16));
    ASSERT_TRUE(dismiss_message(CHANGED));
    EXPECT_EQ(leave_and_quit(dir), settings_with(0, 640, 480, 16, COLOURS_16_32_15_16));
}

// Only the card: the same size and depth in a window.
TEST_F(ModeChange, ACardAloneChangesToo)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    ASSERT_TRUE(open_options_screen());
    ASSERT_TRUE(choose_card(2));
    click_layer(APPLY_X, APPLY_Y);
    ASSERT_TRUE(answer_mode_dialog(true));
    ASSERT_TRUE(wait_for_mode_change_message(640, 480, CHANGED));
    key_tap("Return");
    EXPECT_TRUE(mode_values_shown("640/480", "WINDOWED", "16"));
    EXPECT_EQ(leave_and_quit(dir), settings_in_mode(2, 640, 480, 16));
}

// A mode the display refuses: the old mode comes back (the message stands in
// a 640 x 480 screen at 16 bits), and with it the old values; a second apply
// finds nothing to change.
TEST_F(ModeChange, ARefusedModeLeavesEverythingAsItWas)
{
    ASSERT_TRUE(start_at_main_menu(dir, 640, 480, 16,
                                   {"LD_PRELOAD=" REFUSE_MODE_LIBRARY,
                                    "TALVON_REFUSE_MODES=1024x768x32"}));
    ASSERT_TRUE(open_options_screen());
    ASSERT_TRUE(apply_mode(1024, 768, 32, REFUSED, 640, 480, 16));
    EXPECT_TRUE(mode_values_shown("640/480", "AUTODETECT", "16"));
    mouse_click(3); // the right button dismisses too
    EXPECT_TRUE(wait_until([](const Image &img) {
        return !options_message_shown(img, REFUSED) && options_screen_shown(img);
    })); // at 640 x 480, its pictures in 16-bit colours

    click_layer(APPLY_X, APPLY_Y);
    EXPECT_TRUE(wait_for_options_message(UNCHANGED));
    key_tap("Escape");
    EXPECT_TRUE(
        wait_until([](const Image &img) { return !options_message_shown(img, UNCHANGED); }));
    EXPECT_EQ(leave_and_quit(dir), DEFAULT_SETTINGS_TEXT);
}

// The display refuses the new mode and then the old one: nothing is left to
// show anything on, so the game saves what the player changed and ends.
TEST_F(ModeChange, NoModeToGoBackToEndsTheGameWithItsSettingsSaved)
{
    ASSERT_TRUE(start_at_main_menu(
        dir, 640, 480, 16,
        {"LD_PRELOAD=" REFUSE_MODE_LIBRARY, "TALVON_REFUSE_MODES=1024x768x32,640x480x16",
         "TALVON_REFUSE_AFTER=1"})); // the start-up's mode is granted
    ASSERT_TRUE(open_options_screen());
    click_layer(FRAME_DELAY_X, FRAME_DELAY_Y);
    ASSERT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "0", true));
    type_text("40");
    key_tap("Return");
    ASSERT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "40"));

    ASSERT_TRUE(choose_resolution(1024, 768));
    ASSERT_TRUE(choose_depth(32));
    click_layer(APPLY_X, APPLY_Y);
    ASSERT_TRUE(answer_mode_dialog(true));
    EXPECT_EQ(wait_for_message("Nemozem"), "Nemozem nastartovat graficky mod");
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 1);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE),
              with_line(DEFAULT_SETTINGS_TEXT, 3, "1 50 40 74523 0.150000"));
}

// The pictures are gone when the new depth needs them loaded again: the
// game ends, its file naming the new depth that the colours now have.
TEST_F(ModeChange, PicturesGoneAtADepthChangeEndTheGameWithTheNewModeSaved)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    ASSERT_TRUE(open_options_screen());
    ASSERT_EQ(std::remove((dir + "/paletka.tga").c_str()), 0);
    ASSERT_TRUE(choose_depth(32));
    click_layer(APPLY_X, APPLY_Y);
    ASSERT_TRUE(answer_mode_dialog(true));
    EXPECT_EQ(wait_for_message("Nemozem"), "Nemozem nacitat bitmapy");
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 1);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), settings_with(0, 640, 480, 32, COLOURS_16_TO_32));
}
