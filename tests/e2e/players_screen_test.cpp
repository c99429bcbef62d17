// The players screen as a player uses it: switching slots on and off,
// renaming, assigning keys and picking colours, by mouse and by keyboard
// alone. Each flow is checked on the screen while it runs and in the
// settings file the game writes when it ends.
#include "game_screens.h"

#include <chrono>
#include <cstdio>
#include <string>

using PlayersScreen = GameTest;

// ---------------------------------------------------------------- the grid

// Columns of the grid, by the x their texts are centred on (layer coordinates).
static const int ONOFF_X = 130;
static const int NAME_X = 232;
static const int KEYS_X = 380;
static const int SWATCH_X = 495;

// Row r's texts have their top at 140 + 30 r and its swatch ellipse is
// centred 4 pixels lower, 10 pixels wide either way.
static int text_top(int row)
{
    return 140 + 30 * row;
}

// A click this low in a row's band (136 + 30 r .. 152 + 30 r) leaves the
// pointer below the row's texts, so it hides none of them.
static int click_y(int row)
{
    return 150 + 30 * row;
}

// The main menu's players button and the players screen's back button.
static const int PLAYERS_BUTTON_X = 320, PLAYERS_BUTTON_Y = 245;
static const int BACK_BUTTON_X = 475, BACK_BUTTON_Y = 430;
static const int BACK_CAPTION_Y = 120, BACK_LEFT = 405, BACK_TOP = 415;

// Lines of the settings file: slot i's name, and its colour, keys and off flag.
static int name_line(int slot)
{
    return 4 + 2 * slot;
}

static int data_line(int slot)
{
    return 5 + 2 * slot;
}

// How long a screen is watched to see that something does not happen.
static const int WATCH_MS = 400;

static uint32_t white()
{
    return game_colour(255, 255, 255);
}

// The default colours of the slots the tests change, and the colour of a
// slot that is switched off.
static uint32_t red()
{
    return game_colour(255, 0, 0);
}

static uint32_t light_blue()
{
    return game_colour(0, 255, 255);
}

static uint32_t green()
{
    return game_colour(0, 255, 0);
}

static uint32_t yellow()
{
    return game_colour(255, 255, 0);
}

static uint32_t violet()
{
    return game_colour(255, 8, 255);
}

static uint32_t pink()
{
    return game_colour(255, 128, 128);
}

static uint32_t switched_off()
{
    return game_colour(0, 0, 64);
}

// `text` stands in the row at the column centred on x, in `rgb`.
static bool row_text_shown(const Image &img, int row, int x, const std::string &text, uint32_t rgb)
{
    return text_shown(img, text, layer_to_game_x(x), layer_to_game_y(text_top(row)), rgb);
}

static bool wait_for_row_text(int row, int x, const std::string &text, uint32_t rgb)
{
    return wait_until([&](const Image &img) { return row_text_shown(img, row, x, text, rgb); });
}

// The row's swatch ellipse shows `rgb` across its middle.
static bool swatch_shown(const Image &img, int row, uint32_t rgb)
{
    int y = layer_to_game_y(text_top(row) + 4);
    for (int dx = -8; dx <= 8; dx += 4)
        if (img.at(layer_to_game_x(SWATCH_X + dx), y) != rgb)
            return false;
    return true;
}

// The row is being edited: its switch (`on_off`) and its swatch are white.
static bool row_edited(const Image &img, int row, const std::string &on_off)
{
    return row_text_shown(img, row, ONOFF_X, on_off, white()) && swatch_shown(img, row, white());
}

// `holds` stays true of every grab for WATCH_MS; the first grab where it
// does not is kept in the game's directory for a look.
static bool stays(const std::function<bool(const Image &)> &holds)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(WATCH_MS);
    while (Clock::now() < end) {
        Image img = grab_screen();
        if (!holds(img)) {
            std::string path = game_dir() + "/changed.png";
            save_png(img, path);
            fprintf(stderr, "e2e: the screen changed: %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

static bool players_screen_shown(const Image &img)
{
    return caption_shown(img, BACK_CAPTION_Y, BACK_LEFT, BACK_TOP) &&
           row_text_shown(img, 0, NAME_X, "CERVENY", red()) &&
           row_text_shown(img, 7, KEYS_X, "MOUSE BUTTONS", pink());
}

// Starts the game with the default settings and opens the players screen
// from the main menu; the pointer is left between rows 3 and 4.
static bool start_at_players_screen(const std::string &dir)
{
    if (!start_at_main_menu(dir))
        return false;
    click_layer(PLAYERS_BUTTON_X, PLAYERS_BUTTON_Y);
    return wait_until(players_screen_shown);
}

// ESC on the players screen, ESC on the main menu; the settings file the
// game wrote, or "" when it did not end with exit code 0.
static std::string quit_and_read_settings(const std::string &dir)
{
    key_tap("Escape");
    if (!wait_for_main_menu() || !quit_from_main_menu())
        return "";
    return read_file(dir, SETTINGS_FILE);
}

// ---------------------------------------------------------------- the palette

// The palette picture, 244 x 172, centred on the layers: twelve columns of
// swatches 18 pixels wide every 20 from x = 3, six rows 26 high every 28 from
// y = 3, on black with pink (transparent) corners.
static const int PALETTE_LEFT = (640 - 244) / 2, PALETTE_TOP = (480 - 172) / 2;

static int swatch_x(int column, int dx)
{
    return PALETTE_LEFT + 3 + 20 * column + dx;
}

static int swatch_y(int row, int dy)
{
    return PALETTE_TOP + 3 + 28 * row + dy;
}

// The game's pixel value (what makecol gives at its depth) that shows on
// the screen as `rgb`; -1 when none does.
static int pixel_value_of(uint32_t rgb)
{
    int depth = game_depth();
    int values = depth == 15 ? 1 << 15 : depth == 16 ? 1 << 16 : 0;
    if (!values)
        return (int)rgb;
    for (int v = 0; v < values; v++)
        if (pixel_value_on_screen(v, depth) == rgb)
            return v;
    return -1;
}

// Clicks the palette at (dx, dy) in the swatch of palette column and row;
// returns the swatch's colour as the screen showed it just before, read in
// its bottom-right corner, where no row's text lies.
static uint32_t click_swatch(int column, int row, int dx, int dy)
{
    const int READ_DX = 16, READ_DY = 24;
    uint32_t rgb = grab_screen().at(layer_to_game_x(swatch_x(column, READ_DX)),
                                    layer_to_game_y(swatch_y(row, READ_DY)));
    click_layer(swatch_x(column, dx), swatch_y(row, dy));
    return rgb;
}

// Opens the palette for the row and waits for it and the row in white.
static bool open_palette(int row)
{
    click_layer(SWATCH_X, click_y(row));
    return wait_until(
        [&](const Image &img) { return palette_shown(img) && row_edited(img, row, "ON"); });
}

// ---------------------------------------------------------------- the pointer by keys

// How near the arrow keys bring the pointer to a goal on each axis: well
// inside the cells the tests steer to.
static const int STEER_NEAR = 6;

// Steers the pointer with the arrow keys to layer point (lx, ly) and gives
// where its tip rests, in game coordinates.
static bool steer_pointer_to(int lx, int ly, int &x, int &y)
{
    return steer_pointer_by_keys(layer_to_game_x(lx), layer_to_game_y(ly), STEER_NEAR) &&
           find_pointer(grab_screen(), x, y);
}

// The pointer's tip stands at layer point (lx, ly).
static bool pointer_at(const Image &img, int lx, int ly)
{
    return pointer_shown_at(img, layer_to_game_x(lx), layer_to_game_y(ly));
}

// ---------------------------------------------------------------- the tests

TEST_F(PlayersScreen, AReleaseOnTheSwitchTurnsASlotOffAndOn)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    // Slot 0 is on: the press alone changes nothing, the release switches it off.
    mouse_move(layer_to_game_x(ONOFF_X), layer_to_game_y(click_y(0)));
    mouse_down();
    EXPECT_TRUE(
        stays([](const Image &img) { return row_text_shown(img, 0, ONOFF_X, "ON", red()); }));
    mouse_up();
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 0, ONOFF_X, "OFF", switched_off()) &&
               row_text_shown(img, 0, NAME_X, "CERVENY", switched_off()) &&
               row_text_shown(img, 0, KEYS_X, "LEFT/RIGHT", switched_off()) &&
               swatch_shown(img, 0, switched_off());
    }));

    // Slot 2 is off by default; a click switches it on in its own green.
    click_layer(ONOFF_X, click_y(2));
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 2, ONOFF_X, "ON", green()) &&
               row_text_shown(img, 2, NAME_X, "ZELENY", green()) && swatch_shown(img, 2, green());
    }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, data_line(0)), "63488 82 83 1");
    EXPECT_EQ(line_of(saved, data_line(2)), "2016 14 13 0");
    EXPECT_EQ(
        with_line(with_line(saved, data_line(0), "63488 82 83 0"), data_line(2), "2016 14 13 1"),
        DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, TypingBackspaceAndEnterRenameASlot)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(NAME_X, click_y(1));
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_edited(img, 1, "ON") && !row_text_shown(img, 1, NAME_X, "BELASY", white());
    }));
    type_text("JAN NOVAQ");
    EXPECT_TRUE(wait_for_row_text(1, NAME_X, "JAN NOVAQ", white()));
    key_tap("BackSpace");
    EXPECT_TRUE(wait_for_row_text(1, NAME_X, "JAN NOVA", white()));
    type_text("K");
    key_tap("Return");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 1, NAME_X, "JAN NOVAK", light_blue()) &&
               row_text_shown(img, 1, ONOFF_X, "ON", light_blue());
    }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, name_line(1)), "JAN NOVAK");
    EXPECT_EQ(with_line(saved, name_line(1), "BELASY"), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, TheFifteenthCharacterEndsTheName)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(NAME_X, click_y(3));
    EXPECT_TRUE(wait_until([](const Image &img) { return row_edited(img, 3, "ON"); }));
    type_text("ABCDEFGHIJKLMNO");
    EXPECT_TRUE(wait_for_row_text(3, NAME_X, "ABCDEFGHIJKLMNO", yellow()));
    // The entry is over: a sixteenth key changes nothing.
    type_text("P");
    EXPECT_TRUE(stays([](const Image &img) {
        return row_text_shown(img, 3, NAME_X, "ABCDEFGHIJKLMNO", yellow()) &&
               swatch_shown(img, 3, yellow());
    }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, name_line(3)), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(with_line(saved, name_line(3), "ZLTY"), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, EscapeDuringARenameBringsTheOldNameBack)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(NAME_X, click_y(4));
    EXPECT_TRUE(wait_until([](const Image &img) { return row_edited(img, 4, "ON"); }));
    type_text("XYZ");
    EXPECT_TRUE(wait_for_row_text(4, NAME_X, "XYZ", white()));
    key_tap("BackSpace");
    type_text("Q");
    EXPECT_TRUE(wait_for_row_text(4, NAME_X, "XYQ", white()));
    key_tap("Escape");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 4, NAME_X, "FIALOVY", violet()) &&
               swatch_shown(img, 4, violet());
    }));
    // That ESC ended the rename only: the screen is still up.
    EXPECT_TRUE(stays(players_screen_shown));

    EXPECT_EQ(quit_and_read_settings(dir), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, TwoKeysAreAssignedAndEscapeAfterTheFirstKeepsTheOldOnes)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    // Slot 0: SPACE and ENTER are not taken, nor the first key again.
    click_layer(KEYS_X, click_y(0));
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_edited(img, 0, "ON") && row_text_shown(img, 0, KEYS_X, " / ", white());
    }));
    key_tap("space");
    key_tap("Return");
    key_tap("q");
    EXPECT_TRUE(wait_for_row_text(0, KEYS_X, "Q/ ", white()));
    key_tap("q");
    key_tap("w");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 0, KEYS_X, "Q/W", red()) && swatch_shown(img, 0, red());
    }));

    // Slot 1: an arrow key as the first key does not move the pointer; ESC
    // then brings both old keys back.
    click_layer(KEYS_X, click_y(1));
    EXPECT_TRUE(wait_for_row_text(1, KEYS_X, " / ", white()));
    key_tap("Left");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 1, KEYS_X, "LEFT/ ", white()) &&
               pointer_at(img, KEYS_X, click_y(1));
    }));
    key_tap("Escape");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return row_text_shown(img, 1, KEYS_X, "Z/X", light_blue()) &&
               swatch_shown(img, 1, light_blue());
    }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, data_line(0)), "63488 17 23 0"); // Q, W
    EXPECT_EQ(with_line(saved, data_line(0), "63488 82 83 0"), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, TheMouseSlotHasNoKeysToAssign)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(KEYS_X, click_y(7));
    // Keys typed now would be taken if an assignment had started.
    key_tap("a");
    key_tap("b");
    EXPECT_TRUE(stays([](const Image &img) {
        return row_text_shown(img, 7, KEYS_X, "MOUSE BUTTONS", pink()) &&
               row_text_shown(img, 7, NAME_X, "RUZOVY", pink()) && swatch_shown(img, 7, pink());
    }));

    EXPECT_EQ(quit_and_read_settings(dir), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, AColourIsPickedFromThePalette)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    // The first swatch lies over a pixel of slot 1's name: the B of "BELASY".
    const int UNDER_X = swatch_x(0, 9), UNDER_Y = swatch_y(0, 16);
    ASSERT_EQ(grab_screen().at(layer_to_game_x(UNDER_X), layer_to_game_y(UNDER_Y)), light_blue());

    // Slot 0: clicks on a black line and on a pink corner pick nothing.
    ASSERT_TRUE(open_palette(0));
    auto still_picking = [](const Image &img) {
        return palette_shown(img) && row_edited(img, 0, "ON") &&
               row_text_shown(img, 0, NAME_X, "CERVENY", white());
    };
    click_layer(swatch_x(1, -2), swatch_y(0, 7)); // the line between columns 0 and 1
    EXPECT_TRUE(stays(still_picking));
    click_layer(PALETTE_LEFT, PALETTE_TOP);
    EXPECT_TRUE(stays(still_picking));

    // A swatch closes the palette and colours the whole row; the picture lies
    // over the rows, so the swatch's colour is taken, not the name's under it.
    uint32_t picked = click_swatch(0, 0, 9, 16);
    ASSERT_NE(picked, light_blue());
    int picked_value = pixel_value_of(picked);
    ASSERT_GE(picked_value, 0) << std::hex << picked;
    EXPECT_TRUE(wait_until([&](const Image &img) {
        return !palette_shown(img) && row_text_shown(img, 0, ONOFF_X, "ON", picked) &&
               row_text_shown(img, 0, NAME_X, "CERVENY", picked) &&
               row_text_shown(img, 0, KEYS_X, "LEFT/RIGHT", picked) && swatch_shown(img, 0, picked);
    }));

    // Slot 3: a click beside the palette closes it and keeps the colour.
    ASSERT_TRUE(open_palette(3));
    click_layer(PALETTE_LEFT - 48, swatch_y(3, 0));
    EXPECT_TRUE(wait_until([](const Image &img) {
        return !palette_shown(img) && row_text_shown(img, 3, NAME_X, "ZLTY", yellow()) &&
               swatch_shown(img, 3, yellow());
    }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, data_line(0)), std::to_string(picked_value) + " 82 83 0");
    EXPECT_EQ(with_line(saved, data_line(0), "63488 82 83 0"), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, RenameAndKeysWorkFromTheKeyboardAlone)
{
    ASSERT_TRUE(start_at_players_screen(dir));
    const int ROW = 4;
    const int BAND_TOP = 136 + 30 * ROW, BAND_BOTTOM = 152 + 30 * ROW;
    auto in_band = [&](int y) {
        return layer_to_game_y(BAND_TOP) <= y && y <= layer_to_game_y(BAND_BOTTOM);
    };
    int x = 0, y = 0;

    // Onto slot 4's name, right of the texts so the pointer hides none; ENTER clicks.
    ASSERT_TRUE(steer_pointer_to(281, text_top(ROW) + 4, x, y));
    EXPECT_TRUE(in_band(y) && layer_to_game_x(170) < x && x < layer_to_game_x(294))
        << x << "," << y;
    key_tap("Return");
    // The clicking ENTER is not typed: the name is empty and still being entered.
    auto entering = [&](const Image &img) {
        return row_edited(img, ROW, "ON") && !row_text_shown(img, ROW, NAME_X, "FIALOVY", white());
    };
    EXPECT_TRUE(wait_until(entering));
    EXPECT_TRUE(stays(entering));
    type_text("KEY BOARD");
    key_tap("Return");
    EXPECT_TRUE(wait_for_row_text(ROW, NAME_X, "KEY BOARD", violet()));

    // Onto its keys, right of them; the arrow keys themselves become its keys
    // and do not move the pointer.
    ASSERT_TRUE(steer_pointer_to(424, text_top(ROW) + 4, x, y));
    EXPECT_TRUE(in_band(y) && layer_to_game_x(320) < x && x < layer_to_game_x(440))
        << x << "," << y;
    key_tap("Return");
    EXPECT_TRUE(wait_until([&](const Image &img) {
        return row_edited(img, ROW, "ON") && row_text_shown(img, ROW, KEYS_X, " / ", white());
    }));
    key_tap("Left");
    EXPECT_TRUE(wait_for_row_text(ROW, KEYS_X, "LEFT/ ", white()));
    key_tap("Up");
    EXPECT_TRUE(wait_for_row_text(ROW, KEYS_X, "LEFT/UP", violet()));
    EXPECT_TRUE(stays([&](const Image &img) { return pointer_shown_at(img, x, y); }));

    std::string saved = quit_and_read_settings(dir);
    EXPECT_EQ(line_of(saved, name_line(ROW)), "KEY BOARD");
    EXPECT_EQ(line_of(saved, data_line(ROW)), "63583 82 84 0"); // LEFT, UP
    EXPECT_EQ(
        with_line(with_line(saved, name_line(ROW), "FIALOVY"), data_line(ROW), "63583 17 1 0"),
        DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, TheCloseButtonDuringAKeyAssignmentKeepsTheOldKeys)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(KEYS_X, click_y(6));
    EXPECT_TRUE(wait_for_row_text(6, KEYS_X, " / ", white()));
    key_tap("k");
    EXPECT_TRUE(wait_for_row_text(6, KEYS_X, "K/ ", white()));
    ASSERT_TRUE(close_game_window());

    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 0);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), DEFAULT_SETTINGS_TEXT);
}

TEST_F(PlayersScreen, AMatchShowsTheNewNameInTheNewColour)
{
    ASSERT_TRUE(start_at_players_screen(dir));

    click_layer(NAME_X, click_y(0));
    EXPECT_TRUE(wait_until([](const Image &img) { return row_edited(img, 0, "ON"); }));
    type_text("JANKO");
    key_tap("Return");
    EXPECT_TRUE(wait_for_row_text(0, NAME_X, "JANKO", red()));
    ASSERT_TRUE(open_palette(0));
    uint32_t picked = click_swatch(6, 0, 8, 12);
    int picked_value = pixel_value_of(picked);
    ASSERT_GE(picked_value, 0) << std::hex << picked;
    EXPECT_TRUE(wait_for_row_text(0, NAME_X, "JANKO", picked));

    click_layer(BACK_BUTTON_X, BACK_BUTTON_Y);
    ASSERT_TRUE(wait_for_main_menu());
    key_tap("s");
    // Slot 0's label stands at a tenth of the width, 44 pixels above the bottom.
    Area a = game_area();
    EXPECT_TRUE(wait_for_text("JANKO: 0", a.w / 10, a.h - 44, picked));
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());

    EXPECT_TRUE(quit_from_main_menu());
    std::string saved = read_file(dir, SETTINGS_FILE);
    EXPECT_EQ(line_of(saved, name_line(0)), "JANKO");
    EXPECT_EQ(line_of(saved, data_line(0)), std::to_string(picked_value) + " 82 83 0");
    EXPECT_EQ(with_line(with_line(saved, name_line(0), "CERVENY"), data_line(0), "63488 82 83 0"),
              DEFAULT_SETTINGS_TEXT);
}
