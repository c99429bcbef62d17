// The players screen's entries, one input at a time: rename, key assignment
// and colour pick.
#include "graphics_fixture.h"

#include <cstring>
#include <vector>

class PlayersEntriesTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, PlayersEntriesTest, ::testing::Values(16, 32));

// The row's swatch shows white while the row is being edited.
static bool highlighted(int row)
{
    return getpixel(text_layer, 495, 144 + 30 * row) == makecol(255, 255, 255);
}

// Every input but the last leaves the entry going and the row highlighted.
template <typename Step>
static SlotEdit feed(int row, const std::vector<int> &inputs, Step step)
{
    SlotEdit edit = SLOT_EDIT_GOES_ON;
    for (int input : inputs) {
        EXPECT_EQ(edit, SLOT_EDIT_GOES_ON) << "before " << input;
        EXPECT_TRUE(highlighted(row)) << "before " << input;
        edit = step(input);
    }
    EXPECT_EQ(highlighted(row), edit == SLOT_EDIT_GOES_ON);
    return edit;
}

static std::vector<int> chars(const char *typed)
{
    std::vector<int> out;
    for (const char *c = typed; *c; c++)
        out.push_back((unsigned char)*c);
    return out;
}

TEST_P(PlayersEntriesTest, RenameTypesPrintableAsciiUpToFifteenCharacters)
{
    struct Case { const char *typed; SlotEdit end; const char *name; };
    const Case cases[] = {
        {"AB c~!\r", SLOT_EDIT_DONE, "AB c~!"},
        {"\bXYZ\b\b\b\bW\r", SLOT_EDIT_DONE, "W"}, // backspace at the start is ignored
        {"\b\r", SLOT_EDIT_DONE, ""},                  // an empty name is a name
        {"Q\x01\t\n\x1f\x7f\x80\xff ~", SLOT_EDIT_GOES_ON, "Q ~"},
        {"ABCDEFGHIJKLMNO", SLOT_EDIT_DONE, "ABCDEFGHIJKLMNO"}, // full: it ends by itself
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        begin_rename(7); // the mouse slot has a name too
        EXPECT_EQ(feed(7, chars(c.typed), rename_char), c.end);
        EXPECT_STREQ(players[7].name, c.name);
    }
}

TEST_P(PlayersEntriesTest, RenameEscapeOrClosedWindowPutsTheNameBackExactly)
{
    char old[NAME_SIZE];
    std::memcpy(old, players[3].name, NAME_SIZE);
    begin_rename(3);
    EXPECT_EQ(feed(3, chars("LONGER NAME\b\bXYZ\b\x1b"), rename_char), SLOT_EDIT_CANCELLED);
    EXPECT_EQ(std::memcmp(players[3].name, old, NAME_SIZE), 0);
    begin_rename(3);
    feed(3, chars("NEW"), rename_char);
    window_closed = 1;
    EXPECT_EQ(rename_char('\r'), SLOT_EDIT_CANCELLED);
    EXPECT_EQ(std::memcmp(players[3].name, old, NAME_SIZE), 0);
}

// Only ESC, SPACE and ENTER are kept back: the keypad ENTER steers like any key.
TEST_P(PlayersEntriesTest, KeysSkipSpaceEnterAndTheFirstKeyAgainAndEscapeRestoresBoth)
{
    struct Case { std::vector<int> pressed; SlotEdit end; int left, right; };
    const Case cases[] = {
        {{KEY_SPACE, KEY_ENTER, KEY_UP, KEY_UP, KEY_SPACE, KEY_ENTER, KEY_DOWN}, SLOT_EDIT_DONE,
         KEY_UP, KEY_DOWN},
        {{0, KEY_MAX, -1, KEY_ENTER_PAD, KEY_CAPSLOCK}, SLOT_EDIT_DONE, KEY_ENTER_PAD,
         KEY_CAPSLOCK},
        {{KEY_A, KEY_ENTER_PAD}, SLOT_EDIT_DONE, KEY_A, KEY_ENTER_PAD},
        {{KEY_ESC}, SLOT_EDIT_CANCELLED, KEY_Z, KEY_X},
        {{KEY_B, KEY_ESC}, SLOT_EDIT_CANCELLED, KEY_Z, KEY_X},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pressed.size());
        begin_key_assignment(1);
        EXPECT_EQ(players[1].key_left + players[1].key_right, 0);
        auto step = [](int sc) {
            SlotEdit edit = assign_scancode(sc);
            if (edit == SLOT_EDIT_GOES_ON) {
                EXPECT_EQ(players[1].key_right, 0);
            }
            return edit;
        };
        EXPECT_EQ(feed(1, c.pressed, step), c.end);
        EXPECT_EQ(players[1].key_left, c.left);
        EXPECT_EQ(players[1].key_right, c.right);
        players[1].key_left = KEY_Z, players[1].key_right = KEY_X;
    }
}

// A slot must never be left without keys because the window went away.
TEST_P(PlayersEntriesTest, KeysClosedWindowRestoresBothOldKeys)
{
    players[6].key_left = KEY_NAME_COUNT + 5; // kept as it was, even unknown
    begin_key_assignment(6);
    feed(6, {KEY_B}, assign_scancode);
    window_closed = 1;
    EXPECT_EQ(assign_scancode(KEY_C), SLOT_EDIT_CANCELLED);
    EXPECT_EQ(players[6].key_left, KEY_NAME_COUNT + 5);
    EXPECT_EQ(players[6].key_right, KEY_SLASH);
}

// A 100 x 60 palette, centred at (270, 210), in one ink with a black, a
// background-blue and a pink block in its upper part, where no grid text
// lies under it.
TEST_P(PlayersEntriesTest, PickTakesTheInkUnderThePointerSkipsThreeColoursCancelsBeside)
{
    destroy_bitmap(palette_picture);
    palette_picture = create_bitmap(100, 60);
    const int ink = makecol(10, 200, 30), old = players[7].colour;
    clear_to_color(palette_picture, ink);
    rectfill(palette_picture, 10, 10, 19, 19, 0);
    rectfill(palette_picture, 30, 10, 39, 19, makecol(0, 0, 184));
    rectfill(palette_picture, 50, 10, 59, 19, MAGIC_PINK);
    struct Case { int x, y; SlotEdit edit; };
    const Case cases[] = {
        {285, 222, SLOT_EDIT_GOES_ON}, {305, 222, SLOT_EDIT_GOES_ON},
        {325, 222, SLOT_EDIT_GOES_ON}, {269, 240, SLOT_EDIT_CANCELLED},
        {370, 240, SLOT_EDIT_CANCELLED}, {300, 209, SLOT_EDIT_CANCELLED},
        {300, 270, SLOT_EDIT_CANCELLED}, {-300, -300, SLOT_EDIT_CANCELLED},
        {270, 210, SLOT_EDIT_DONE}, {369, 269, SLOT_EDIT_DONE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        players[7].colour = old;
        begin_colour_pick(7); // the mouse slot's colour too
        EXPECT_EQ(getpixel(text_layer, 320, 260), ink);
        EXPECT_EQ(feed(7, {0}, [&](int) { return pick_colour_at(c.x, c.y); }), c.edit);
        EXPECT_EQ(players[7].colour, c.edit == SLOT_EDIT_DONE ? ink : old);
        EXPECT_EQ(getpixel(text_layer, 320, 260) == ink, c.edit == SLOT_EDIT_GOES_ON);
    }
    begin_colour_pick(0);
    window_closed = 1;
    EXPECT_EQ(pick_colour_at(320, 260), SLOT_EDIT_CANCELLED);
    EXPECT_NE(players[0].colour, ink);
}
