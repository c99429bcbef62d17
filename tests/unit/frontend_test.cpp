// The menus: the entries of the players and options screens and the change of graphics mode.
#include "support.h"

#include <tuple>

// A 100 x 60 palette lies centred on the layer, at (270, 210) to (369, 269), in a colour with a
// black, a ground-blue and a pink block. Those three pick nothing, so the pick goes on; a release
// beside the picture ends it unchanged.
TEST(Entries, AColourComesFromThePaletteButNeverBlackBlueOrPink)
{
    const struct {
        int x;
        int y;
        SlotEdit end;
        bool picked;
    } PICKS[] = {
        {270, 210, SLOT_EDIT_DONE, true},       // the picture's corner
        {285, 225, SLOT_EDIT_GOES_ON, false},   // black
        {305, 225, SLOT_EDIT_GOES_ON, false},   // the ground's blue
        {325, 225, SLOT_EDIT_GOES_ON, false},   // pink
        {269, 240, SLOT_EDIT_CANCELLED, false}, // beside the picture
    };
    for (const auto &p : PICKS) {
        fresh();
        destroy_bitmap(palette_picture);
        palette_picture = picture(100, 60, makecol(10, 200, 30));
        rectfill(palette_picture, 10, 10, 19, 19, 0);
        rectfill(palette_picture, 30, 10, 39, 19, makecol(0, 0, 184));
        rectfill(palette_picture, 50, 10, 59, 19, MAGIC_PINK);
        begin_colour_pick(7);
        EXPECT_EQ(pick_colour_at(p.x, p.y), p.end) << p.x << "," << p.y;
        EXPECT_EQ(players[7].colour == makecol(10, 200, 30), p.picked) << p.x << "," << p.y;
    }
}

// Inputs, how the entry ended, the name it left; the row is white while the entry goes on.
TEST(Entries, ARenameTakesUpTo15PrintableCharactersAndEscapeBringsTheOldNameBack)
{
    const std::tuple<const char *, SlotEdit, const char *> CASES[] = {
        {"AB c~!\r", SLOT_EDIT_DONE, "AB c~!"},
        {"\bXY\b\bW\r", SLOT_EDIT_DONE, "W"},
        {"Q\x01\t\n\x7f\x80\xff ~", SLOT_EDIT_GOES_ON, "Q ~"},
        {"ABCDEFGHIJKLMNO", SLOT_EDIT_DONE, "ABCDEFGHIJKLMNO"},
        {"NEW\x1b", SLOT_EDIT_CANCELLED, "ZLTY"},
    };
    for (auto [typed, end, name] : CASES) {
        fresh();
        begin_rename(3);
        SlotEdit edit = SLOT_EDIT_GOES_ON;
        for (const char *c = typed; *c; c++)
            edit = rename_char((unsigned char)*c);
        EXPECT_EQ(edit, end) << typed;
        EXPECT_STREQ(players[3].name, name);
        const bool white = getpixel(text_layer, 495, 234) == makecol(255, 255, 255);
        EXPECT_EQ(white, end == SLOT_EDIT_GOES_ON) << typed;
    }
}

// ESC cancels; SPACE, ENTER, no key, codes beyond the table and the first key again do nothing.
TEST(Entries, KeysAreAssignedLeftThenRight)
{
    const std::tuple<std::vector<int>, SlotEdit, int, int> CASES[] = {
        {{KEY_SPACE, KEY_ENTER, KEY_UP, KEY_UP, 0, KEY_MAX, -1, KEY_DOWN},
         SLOT_EDIT_DONE,
         KEY_UP,
         KEY_DOWN},
        {{KEY_B, KEY_ESC}, SLOT_EDIT_CANCELLED, KEY_Z, KEY_X},
    };
    for (const auto &[pressed, end, left, right] : CASES) {
        fresh();
        begin_key_assignment(1);
        SlotEdit edit = SLOT_EDIT_GOES_ON;
        for (int k : pressed)
            edit = assign_scancode(k);
        EXPECT_EQ(edit, end) << left;
        EXPECT_EQ(players[1].key_left, left);
        EXPECT_EQ(players[1].key_right, right);
    }
}

// Shown as typed, in yellow; ENTER ('\r') or a left click ('@') stores it clamped, ESC the old
// value whatever it was. The screen gives a whole number's limits; the turn step keeps to 20..500.
TEST(Entries, NumbersAreTypedInPlaceAndClampedWhenConfirmed)
{
    const std::tuple<int, const char *, const char *, const char *> CASES[] = {
        {VIEW_TARGET, "6000\r", "6000", "5000"},     // over the top: the top
        {VIEW_TARGET, "12\b7@", "7", "7"},           // BACKSPACE; a click confirms
        {VIEW_TARGET, "45\x1b", "45", "1234567"},    // ESC: the old value
        {VIEW_SURVIVORS, "9\r", "9", "7"},           // survivors: 1 to 7
        {VIEW_SURVIVORS, "0\r", "0", "1"},           // under the bottom: the bottom
        {VIEW_TURN_STEP, "7\r", "7", "20"},          // hundredths: 20 to 500
        {VIEW_TURN_STEP, "700\r", "700", "500"},     // over the top: the top
        {VIEW_TURN_STEP, "33\b150\r", "150", "150"}, // BACKSPACE
        {VIEW_TURN_STEP, "3\x1b", "3", "123"},       // ESC: the old step, 0.123
    };
    for (auto [view, typed, shown, stored] : CASES) {
        fresh();
        settings.target_score = 1234567;
        settings.turn_step = 0.123f;
        const bool target = view == VIEW_TARGET;
        int *field = target ? &settings.target_score : &settings.round_end_survivors;
        const int old = view == VIEW_TURN_STEP ? 0 : begin_int_entry(field, view);
        const float old_step = view == VIEW_TURN_STEP ? begin_turn_step_entry() : 0;
        auto input = [&, view = view](int in) {
            if (view == VIEW_TURN_STEP)
                return turn_step_entry_step(old_step, in);
            return int_entry_step(field, view, old, target ? 0 : 1, target ? 5000 : 7, in);
        };
        const std::string keys = typed;
        const int x = view == VIEW_SURVIVORS ? 272 : 567;
        const int y = view == VIEW_TURN_STEP ? 161 : 241;
        for (char c : keys.substr(0, keys.size() - 1))
            EXPECT_EQ(input(c), ENTRY_RUNNING) << typed;
        EXPECT_EQ(input(ENTRY_OTHER_CLICK), ENTRY_RUNNING);
        EXPECT_TRUE(shows(text_layer, shown, x, y, makecol(255, 255, 0), -1)) << typed;
        const char last = keys.back();
        EXPECT_EQ(input(last == '@' ? ENTRY_LEFT_CLICK : last),
                  last == 27 ? ENTRY_CANCELLED : ENTRY_CONFIRMED);
        EXPECT_TRUE(shows(text_layer, stored, x, y, makecol(255, 255, 255), -1)) << typed;
    }
}

// An arrow key moves the pointer by the step, up to the screen's edge; a step across it is not
// taken.
TEST(Menus, ArrowKeysMoveThePointerWithinTheScreen)
{
    fresh();
    const std::tuple<int, int, int, int, int> MOVES[] = {
        {KEY_LEFT, 3, 9, 0, 9},      // a whole step onto the left edge
        {KEY_RIGHT, 637, 9, 637, 9}, // a step across the right edge is not taken
        {KEY_UP, 9, 2, 9, 2},        // nor across the top
        {KEY_DOWN, 9, 476, 9, 479},  // down onto the bottom edge
    };
    for (auto [arrow, x, y, to_x, to_y] : MOVES) {
        int px = x;
        int py = y;
        key[arrow] = 1;
        pointer_after_keys(px, py);
        key[arrow] = 0;
        EXPECT_EQ(px, to_x) << arrow << " from " << x << "," << y;
        EXPECT_EQ(py, to_y) << arrow << " from " << x << "," << y;
    }
}

// A depth change keeps each colour's red, green and blue, switched on or off; a change of the card
// alone is a change of mode.
TEST(ModeChange, ColoursKeepTheirLookAndTheCardAloneIsAChange)
{
    fresh();
    repack_player_colours(16, 15);
    repack_player_colours(15, 32);
    EXPECT_EQ(players[4].colour, 0xFF08FF);
    EXPECT_EQ(players[5].colour, 0x0000FF);
    EXPECT_EQ(players[6].colour, 0xFF844A);
    reset_pending_mode();
    EXPECT_FALSE(pending_differs());
    pending.card = 2;
    EXPECT_TRUE(pending_differs());
}
