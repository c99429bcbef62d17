// The score labels, the key and card names, and the small shared helpers:
// the hit test, the key array guard and the ESC / closed-window checks.
#include "allegro_fixture.h"

#include <climits>
#include <vector>

TEST(ScoreLabels, StandInTwoRowsOfFourUnderTheFieldAtAnySize)
{
    static const struct { int w, h, x[4], top, bottom; } ROWS[] = {
        {640, 480, {64, 192, 448, 576}, 436, 458},
        {800, 600, {80, 240, 560, 720}, 556, 578},
        {1024, 768, {102, 307, 716, 921}, 724, 746}, // 921: multiplied before dividing
        // A hand-edited file may hold any size: no overflow, and a label that
        // would lie above the smallest int stays at it.
        {INT_MAX, INT_MAX, {214748364, 644245094, 1503238552, 1932735282}, INT_MAX - 44,
         INT_MAX - 22},
        {INT_MIN, INT_MIN, {-214748364, -644245094, -1503238553, -1932735283}, INT_MIN, INT_MIN},
    };
    for (const auto &r : ROWS) {
        std::memset(players, 0x5A, sizeof players);
        place_score_labels(r.w, r.h);
        for (int i = 0; i < PLAYER_COUNT; i++) {
            SCOPED_TRACE(::testing::Message() << r.w << "x" << r.h << " slot " << i);
            EXPECT_EQ(players[i].label_x, r.x[i % 4]);
            EXPECT_EQ(players[i].label_y, i < 4 ? r.top : r.bottom);
            EXPECT_EQ(players[i].score, 0x5A5A5A5A);
        }
    }
}

TEST(KeyNames, NameEveryScancodeUpToKeyMaxAsTheLibraryNumbersThem)
{
    std::vector<std::string> names = {" "}; // no key
    for (const char *first : {"A", "0", "0 PAD"})
        for (int i = 0; i < (*first == 'A' ? 26 : 10); i++)
            names.push_back(char(*first + i) + std::string(first + 1));
    for (int f = 1; f <= 12; f++)
        names.push_back("F" + std::to_string(f));
    names.insert(names.end(), {
        "ESC", "TILDE", "MINUS", "EQUALS", "BACKSPACE", "TAB", "OPENBRACE", "CLOSEBRACE",
        "ENTER", "COLON", "QUOTE", "BACKSLASH", "BACKSLASH2", "COMMA", "STOP", "SLASH",
        "SPACE", "INSERT", "DEL", "HOME", "END", "PGUP", "PGDN", "LEFT", "RIGHT", "UP",
        "DOWN", "SLASH PAD", "ASTERISK", "MINUS PAD", "PLUS PAD", "DEL PAD", "ENTER PAD",
        "PRTSCR", "PAUSE", "ABNT C1", "YEN", "KANA", "CONVERT", "NOCONVERT", "AT",
        "CIRCUMFLEX", "COLON2", "KANJI", "EQUALS PAD", "BACKQUOTE", "SEMICOLON", "COMMAND",
        "UNKNOWN1", "UNKNOWN2", "UNKNOWN3", "UNKNOWN4", "UNKNOWN5", "UNKNOWN6", "UNKNOWN7",
        "UNKNOWN8", "LSHIFT", "RSHIFT", "LCONTROL", "RCONTROL", "ALT", "ALTGR", "LWIN",
        "RWIN", "MENU", "SCRLOCK", "NUMLOCK", "CAPSLOCK", "MAX"});
    ASSERT_EQ(names.size(), 128u);
    ASSERT_EQ(KEY_NAME_COUNT, 128);
    // The list above against the library's own codes, where they are easy to miscount.
    for (auto [code, name] : {std::pair<int, const char *>{KEY_0_PAD, "0 PAD"}, {KEY_F12, "F12"},
                              {KEY_ESC, "ESC"}, {KEY_KANJI, "KANJI"}, {KEY_EQUALS_PAD, "EQUALS PAD"},
                              {KEY_UNKNOWN8, "UNKNOWN8"}, {KEY_CAPSLOCK, "CAPSLOCK"}, {KEY_MAX, "MAX"}})
        ASSERT_EQ(names[code], name) << code;
    for (int i = 0; i < KEY_NAME_COUNT; i++) {
        ASSERT_NE(key_names[i], nullptr) << i;
        EXPECT_EQ(key_names[i], names[i]) << "scancode " << i;
        EXPECT_EQ(key_name(i), key_names[i]) << "scancode " << i;
    }
}

// Every value outside the tables that a settings file could bring in.
static const int OUTSIDE_KEYS[] = {-1, KEY_MAX + 1, 100000, INT_MIN, INT_MAX};

TEST(KeyNames, ShowAPlaceholderOutsideTheTablesAndCardNamesTheThreeModes)
{
    for (int code : OUTSIDE_KEYS)
        EXPECT_STREQ(key_name(code), "???") << code;
    EXPECT_STREQ(card_name(0), "AUTODETECT");
    EXPECT_STREQ(card_name(1), "FULLSCREEN");
    EXPECT_STREQ(card_name(2), "WINDOWED");
    for (int card : {-1, 3, INT_MIN, INT_MAX})
        EXPECT_STREQ(card_name(card), "???") << card;
}

TEST(KeyDown, ReadsOnlyTheKeysTheArrayHas)
{
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 1;
    key[KEY_LEFT] = 0;
    for (int i = 0; i < KEY_MAX; i++)
        EXPECT_EQ(key_down(i), i != KEY_LEFT) << i;
    EXPECT_FALSE(key_down(KEY_MAX)); // the array ends at KEY_MAX - 1
    for (int code : OUTSIDE_KEYS)
        EXPECT_FALSE(key_down(code)) << code;
    release_all_input();
}

TEST(PointInRect, CountsAllFourEdgesAsInside)
{
    // The box from (10, 20) to (30, 40): its corners and centre, one past each edge.
    static const struct { int x, y; bool inside; } POINTS[] = {
        {10, 20, true}, {30, 20, true}, {10, 40, true}, {30, 40, true}, {20, 30, true},
        {9, 30, false}, {31, 30, false}, {20, 19, false}, {20, 41, false}, {9, 19, false},
        {31, 41, false},
    };
    for (const auto &p : POINTS)
        EXPECT_EQ(point_in_rect(p.x, p.y, 10, 20, 30, 40), p.inside) << p.x << "," << p.y;
    EXPECT_TRUE(point_in_rect(5, 5, 5, 5, 5, 5)); // a one-pixel box
}

TEST(Escape, AClosedWindowCountsAsEscPressedAndAlreadyReleased)
{
    static const struct { int esc, closed; bool pressed, held; } ROWS[] = {
        {0, 0, false, false}, {1, 0, true, true}, {0, 1, true, false}, {1, 1, true, false},
    };
    for (const auto &r : ROWS) {
        key[KEY_ESC] = r.esc;
        window_closed = r.closed;
        EXPECT_EQ(escape_pressed(), r.pressed) << "esc " << r.esc << " closed " << r.closed;
        EXPECT_EQ(escape_held(), r.held) << "esc " << r.esc << " closed " << r.closed;
    }
    key[KEY_ESC] = 0;
    window_closed = 0;
}
