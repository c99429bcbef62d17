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
