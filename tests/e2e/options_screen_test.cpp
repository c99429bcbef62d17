// The options screen as a player uses it: numbers typed in place with the
// mouse or the keyboard alone, the back and apply buttons with their dialog
// and message, and the window's close button in the middle of each. What the
// screen did is checked on screen and in the settings file written at the end.
#include "game_screens.h"

using OptionsScreen = LongPressTest;

// Layer points inside the four number fields, clear of their values, so the
// pointer never hides the number being checked.
struct LayerPoint {
    int x, y;
};
static const LayerPoint FRAME_DELAY_FIELD = {120, 165};
static const LayerPoint TURN_STEP_FIELD = {415, 165};
static const LayerPoint SURVIVORS_FIELD = {120, 245};
static const LayerPoint TARGET_FIELD = {415, 245};
static const LayerPoint BACK_BUTTON = {520, 385};
static const LayerPoint APPLY_BUTTON = {520, 325};
// Clear of every box and outside the dialog.
static const LayerPoint NOWHERE = {OPTIONS_CLEAR_X, OPTIONS_CLEAR_Y};

// Line 3 of the settings file: survivors, target, frame delay, check number, turn step.
static const char DEFAULT_NUMBERS_LINE[] = "1 50 25 74523 0.150000";

static void click(LayerPoint p)
{
    click_layer(p.x, p.y);
}

static bool start_on_options_screen(const std::string &dir)
{
    return start_at_main_menu(dir) && open_options_screen();
}

// ESC leaves the screen for the main menu, ESC there quits with exit code 0;
// the settings file as the game wrote it, "" when it did not end that way.
static std::string leave_and_quit(const std::string &dir)
{
    key_tap("Escape");
    if (!wait_for_main_menu() || !quit_from_main_menu())
        return "";
    return read_file(dir, SETTINGS_FILE);
}

// The close button ends the game normally; the settings file it wrote.
static std::string close_and_read(const std::string &dir)
{
    if (!close_game_window())
        return "";
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 0);
    return read_file(dir, SETTINGS_FILE);
}

// Types the digits one by one; the field shows the number so far in yellow.
static bool type_digits(int value, const std::string &digits, const std::string &start = "")
{
    std::string shown = start;
    for (char d : digits) {
        type_text(std::string(1, d));
        shown = shown == "0" ? std::string(1, d) : shown + d;
        if (!wait_for_option_value(value, shown, true))
            return false;
    }
    return true;
}

// A click on the field opens its entry with 0 in yellow; the digits follow.
static bool type_by_mouse(LayerPoint field, int value, const std::string &digits)
{
    click(field);
    return wait_for_option_value(value, "0", true) && type_digits(value, digits, "0");
}

TEST_F(OptionsScreen, NumbersTypedWithTheMouseShowUnclampedAndStoreClamped)
{
    ASSERT_TRUE(start_on_options_screen(dir));

    ASSERT_TRUE(type_by_mouse(FRAME_DELAY_FIELD, FRAME_DELAY_VALUE, "250"));
    click(NOWHERE); // a click anywhere confirms
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "100"));

    ASSERT_TRUE(type_by_mouse(SURVIVORS_FIELD, SURVIVORS_VALUE, "9"));
    click(NOWHERE);
    EXPECT_TRUE(wait_for_option_value(SURVIVORS_VALUE, "7"));

    ASSERT_TRUE(type_by_mouse(TARGET_FIELD, TARGET_VALUE, "6000"));
    click(NOWHERE);
    EXPECT_TRUE(wait_for_option_value(TARGET_VALUE, "5000"));

    // In thousandths of a radian: 7, 70, 700, confirmed as the largest step.
    ASSERT_TRUE(type_by_mouse(TURN_STEP_FIELD, TURN_STEP_VALUE, "700"));
    click(NOWHERE);
    EXPECT_TRUE(wait_for_option_value(TURN_STEP_VALUE, "500"));

    EXPECT_EQ(line_of(leave_and_quit(dir), 3), "7 5000 100 74523 0.500000");
}

// ---------------------------------------------------------------- the keyboard alone

// The arrow keys bring the pointer to the layer point; its grey tip then
// rests inside the box (left, top, right, bottom) of the layer.
static bool steer_into(LayerPoint p, int left, int top, int right, int bottom)
{
    if (!steer_pointer_by_keys(layer_to_game_x(p.x), layer_to_game_y(p.y)))
        return false;
    int x = 0, y = 0;
    bool found = find_pointer(grab_screen(), x, y);
    x -= layer_to_game_x(0), y -= layer_to_game_y(0);
    EXPECT_TRUE(found && x >= left && x <= right && y >= top && y <= bottom)
        << "pointer at " << x << "," << y;
    return found;
}

// ENTER opens the entry under the pointer, the digits follow, ENTER confirms.
static bool type_by_keyboard(int value, const std::string &digits)
{
    key_tap("Return");
    if (!wait_for_option_value(value, "0", true) || !type_digits(value, digits, "0"))
        return false;
    key_tap("Return");
    return true;
}

// The pointer goes from field to field by the arrow keys alone.
TEST_F(OptionsScreen, NumbersTypedWithTheKeyboardAloneStoreClamped)
{
    ASSERT_TRUE(start_on_options_screen(dir));

    ASSERT_TRUE(steer_into(FRAME_DELAY_FIELD, 50, 150, 295, 180));
    ASSERT_TRUE(type_by_keyboard(FRAME_DELAY_VALUE, "250"));
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "100"));

    ASSERT_TRUE(steer_into(SURVIVORS_FIELD, 50, 230, 295, 260));
    ASSERT_TRUE(type_by_keyboard(SURVIVORS_VALUE, "9"));
    EXPECT_TRUE(wait_for_option_value(SURVIVORS_VALUE, "7"));

    ASSERT_TRUE(steer_into(TARGET_FIELD, 345, 230, 590, 260));
    ASSERT_TRUE(type_by_keyboard(TARGET_VALUE, "6000"));
    EXPECT_TRUE(wait_for_option_value(TARGET_VALUE, "5000"));

    ASSERT_TRUE(steer_into(TURN_STEP_FIELD, 345, 150, 590, 180));
    ASSERT_TRUE(type_by_keyboard(TURN_STEP_VALUE, "700"));
    EXPECT_TRUE(wait_for_option_value(TURN_STEP_VALUE, "500"));

    EXPECT_EQ(line_of(leave_and_quit(dir), 3), "7 5000 100 74523 0.500000");
}

// BACKSPACE clears the whole number; ESC puts the old value back, the turn
// step's float exactly; a click on another field confirms and opens nothing.
TEST_F(OptionsScreen, BackspaceClearsEscapeRestoresAndTheConfirmingClickStartsNothing)
{
    ASSERT_TRUE(start_on_options_screen(dir));

    ASSERT_TRUE(type_by_mouse(FRAME_DELAY_FIELD, FRAME_DELAY_VALUE, "42"));
    key_tap("BackSpace");
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "0", true));
    ASSERT_TRUE(type_digits(FRAME_DELAY_VALUE, "7", "0"));
    key_tap("Escape");
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "25"));

    ASSERT_TRUE(type_by_mouse(TURN_STEP_FIELD, TURN_STEP_VALUE, "3"));
    key_tap("Escape");
    EXPECT_TRUE(wait_for_option_value(TURN_STEP_VALUE, "150"));

    ASSERT_TRUE(type_by_mouse(SURVIVORS_FIELD, SURVIVORS_VALUE, "3"));
    click(TARGET_FIELD);
    EXPECT_TRUE(wait_for_option_value(SURVIVORS_VALUE, "3"));
    EXPECT_TRUE(wait_for_option_value(TARGET_VALUE, "50")); // white: no entry opened

    // Had the click opened the target's entry, this ESC would only cancel it.
    EXPECT_EQ(line_of(leave_and_quit(dir), 3), "3 50 25 74523 0.150000");
}

// ---------------------------------------------------------------- back and apply

// Nothing to apply: the back button leaves at once.
TEST_F(OptionsScreen, BackWithTheModeUnchangedLeavesAtOnce)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    click(BACK_BUTTON);
    ASSERT_TRUE(wait_for_main_menu());
    EXPECT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), DEFAULT_SETTINGS_TEXT);
}

// "NIE" forgets the chosen mode and leaves; the screen shows the mode on
// screen when it is opened again.
TEST_F(OptionsScreen, BackWithAChangedModeAndNoForgetsItAndLeaves)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(choose_resolution(1024, 768));
    ASSERT_TRUE(choose_card(2));
    click(BACK_BUTTON);
    ASSERT_TRUE(answer_mode_dialog(false));
    ASSERT_TRUE(wait_for_main_menu());

    ASSERT_TRUE(open_options_screen());
    EXPECT_TRUE(wait_for_option_value(RESOLUTION_VALUE, "640/480"));
    EXPECT_TRUE(wait_for_option_value(CARD_VALUE, "AUTODETECT"));
    EXPECT_EQ(leave_and_quit(dir), DEFAULT_SETTINGS_TEXT);
}

// The default players' 16-bit colours at 24 bits: each 5- or 6-bit field
// scaled to 8 bits.
static const std::vector<int> COLOURS_AT_24 = {0xFF0000, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                               0xFF08FF, 0x0000FF, 0xFF824A, 0xFF8284};

// "ANO" applies the mode and the screen stays, showing it.
TEST_F(OptionsScreen, BackWithAChangedModeAndYesAppliesItAndStays)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(choose_depth(24));
    click(BACK_BUTTON);
    ASSERT_TRUE(answer_mode_dialog(true));
    set_game_depth(24);
    ASSERT_TRUE(wait_for_mode_change_message(640, 480, "Graficky mod bol uspesne zmeneny."));
    // The pointer's place when the message goes is tested against the
    // fields, so it goes out of their way first; any button dismisses.
    click(NOWHERE);
    EXPECT_TRUE(wait_until([](const Image &img) {
        return !options_message_shown(img, "Graficky mod bol uspesne zmeneny.") &&
               options_screen_shown(img) && option_value_shown(img, DEPTH_VALUE, "24", false);
    }));

    EXPECT_EQ(leave_and_quit(dir),
              with_player_colours(settings_in_mode(0, 640, 480, 24), COLOURS_AT_24));
}

// Closed, the dialog leaves the screen with the chosen mode still pending.
static bool dialog_closed_on_pending_mode()
{
    return wait_until([](const Image &img) {
        return !mode_dialog_shown(img) &&
               option_value_shown(img, RESOLUTION_VALUE, "800/600", false);
    });
}

// ESC or a release outside the dialog closes only the dialog; a release
// outside it on a field goes on to open that field's entry.
TEST_F(OptionsScreen, TheBackButtonsDialogClosesOnEscapeOrAReleaseOutsideIt)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(choose_resolution(800, 600));

    click(BACK_BUTTON);
    ASSERT_TRUE(wait_until(mode_dialog_shown));
    key_tap("Escape");
    EXPECT_TRUE(dialog_closed_on_pending_mode());

    click(BACK_BUTTON);
    ASSERT_TRUE(wait_until(mode_dialog_shown));
    click(NOWHERE);
    EXPECT_TRUE(dialog_closed_on_pending_mode());

    click(BACK_BUTTON);
    ASSERT_TRUE(wait_until(mode_dialog_shown));
    click(FRAME_DELAY_FIELD);
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "0", true));
    EXPECT_TRUE(dialog_closed_on_pending_mode());
    ASSERT_TRUE(type_digits(FRAME_DELAY_VALUE, "5", "0"));
    key_tap("Return");
    EXPECT_TRUE(wait_for_option_value(FRAME_DELAY_VALUE, "5"));

    // ESC leaves with the mode still only chosen, and the screen shows it
    // again; the file keeps the mode on screen.
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    ASSERT_TRUE(open_options_screen());
    EXPECT_TRUE(wait_for_option_value(RESOLUTION_VALUE, "800/600"));
    std::string file = leave_and_quit(dir);
    EXPECT_EQ(line_of(file, 2), "16 0 640 480");
    EXPECT_EQ(line_of(file, 3), "1 50 5 74523 0.150000");
}

static bool unchanged_message_shown(const Image &img)
{
    return options_message_shown(img, "Graficky mod nebol zmeneny.");
}

// The message stays while the pointer moves and frames pass, and goes on a
// key or button: ENTER first, then ESC, which closes only the message.
TEST_F(OptionsScreen, ApplyWithNothingChangedSaysSoUntilDismissed)
{
    ASSERT_TRUE(start_on_options_screen(dir));

    click(APPLY_BUTTON);
    ASSERT_TRUE(wait_until(unchanged_message_shown));
    mouse_move(layer_to_game_x(NOWHERE.x), layer_to_game_y(NOWHERE.y));
    ASSERT_TRUE(wait_for_menu_frames(10));
    EXPECT_TRUE(unchanged_message_shown(grab_screen()));
    key_tap("Return");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return !unchanged_message_shown(img) && options_screen_shown(img);
    }));

    click(APPLY_BUTTON);
    ASSERT_TRUE(wait_until(unchanged_message_shown));
    key_tap("Escape");
    EXPECT_TRUE(wait_until([](const Image &img) {
        return !unchanged_message_shown(img) && options_screen_shown(img);
    }));
    EXPECT_EQ(leave_and_quit(dir), DEFAULT_SETTINGS_TEXT);
}

// ---------------------------------------------------------------- the close button

// It cancels the entry like ESC, then the game ends normally.
TEST_F(OptionsScreen, CloseButtonDuringAnEntryKeepsTheOldValue)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(type_by_mouse(FRAME_DELAY_FIELD, FRAME_DELAY_VALUE, "7"));
    EXPECT_EQ(line_of(close_and_read(dir), 3), DEFAULT_NUMBERS_LINE);
}

TEST_F(OptionsScreen, CloseButtonInTheDialogAppliesNothing)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(choose_resolution(800, 600));
    click(APPLY_BUTTON);
    ASSERT_TRUE(wait_until(mode_dialog_shown));
    EXPECT_EQ(close_and_read(dir), DEFAULT_SETTINGS_TEXT);
}

// In the message after a mode change, in the window the new mode made: the
// new mode and the typed number reach the file.
TEST_F(OptionsScreen, CloseButtonInAMessageEndsTheGame)
{
    ASSERT_TRUE(start_on_options_screen(dir));
    ASSERT_TRUE(type_by_mouse(TARGET_FIELD, TARGET_VALUE, "30"));
    key_tap("Return");
    ASSERT_TRUE(wait_for_option_value(TARGET_VALUE, "30"));
    ASSERT_TRUE(choose_depth(15));
    click(APPLY_BUTTON);
    ASSERT_TRUE(answer_mode_dialog(true));
    set_game_depth(15);
    ASSERT_TRUE(wait_for_mode_change_message(640, 480, "Graficky mod bol uspesne zmeneny."));
    std::string file = close_and_read(dir);
    EXPECT_EQ(line_of(file, 2), "15 0 640 480");
    EXPECT_EQ(line_of(file, 3), "1 30 25 74523 0.150000");
}
