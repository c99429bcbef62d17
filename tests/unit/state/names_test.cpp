// Key and card-mode names, and the guards that keep odd codes from a
// hand-edited settings file away from the tables and the key array.
#include "allegro_fixture.h"

#include <climits>
#include <string>
#include <vector>

// Every value outside the tables that a settings file could bring in.
static const int OUTSIDE_KEYS[] = {-1, KEY_MAX + 1, 100000, INT_MIN, INT_MAX};

static std::vector<std::string> expected_key_names()
{
    std::vector<std::string> names = {" "}; // no key
    for (char c = 'A'; c <= 'Z'; c++)
        names.push_back(std::string(1, c));
    for (char c = '0'; c <= '9'; c++)
        names.push_back(std::string(1, c));
    for (char c = '0'; c <= '9'; c++)
        names.push_back(std::string(1, c) + " PAD");
    for (int f = 1; f <= 12; f++)
        names.push_back("F" + std::to_string(f));
    static const char *const FROM_ESC[] = {
        "ESC", "TILDE", "MINUS", "EQUALS", "BACKSPACE", "TAB", "OPENBRACE", "CLOSEBRACE",
        "ENTER", "COLON", "QUOTE", "BACKSLASH", "BACKSLASH2", "COMMA", "STOP", "SLASH",
        "SPACE", "INSERT", "DEL", "HOME", "END", "PGUP", "PGDN", "LEFT", "RIGHT", "UP",
        "DOWN", "SLASH PAD", "ASTERISK", "MINUS PAD", "PLUS PAD", "DEL PAD", "ENTER PAD",
        "PRTSCR", "PAUSE", "ABNT C1", "YEN", "KANA", "CONVERT", "NOCONVERT", "AT",
        "CIRCUMFLEX", "COLON2", "KANJI", "EQUALS PAD", "BACKQUOTE", "SEMICOLON", "COMMAND",
        "UNKNOWN1", "UNKNOWN2", "UNKNOWN3", "UNKNOWN4", "UNKNOWN5", "UNKNOWN6", "UNKNOWN7",
        "UNKNOWN8", "LSHIFT", "RSHIFT", "LCONTROL", "RCONTROL", "ALT", "ALTGR", "LWIN",
        "RWIN", "MENU", "SCRLOCK", "NUMLOCK", "CAPSLOCK", "MAX"};
    names.insert(names.end(), std::begin(FROM_ESC), std::end(FROM_ESC));
    return names;
}

TEST(KeyNames, NameEveryScancodeUpToKeyMax)
{
    std::vector<std::string> expected = expected_key_names();
    ASSERT_EQ(expected.size(), 128u);
    ASSERT_EQ(KEY_NAME_COUNT, 128);
    for (int i = 0; i < KEY_NAME_COUNT; i++) {
        ASSERT_NE(key_names[i], nullptr) << i;
        EXPECT_EQ(key_names[i], expected[i]) << "scancode " << i;
        EXPECT_EQ(key_name(i), key_names[i]) << "scancode " << i;
    }
}

TEST(KeyNames, MatchTheLibrarysOwnCodes)
{
    static const struct { int code; const char *name; } PAIRS[] = {
        {KEY_A, "A"}, {KEY_0_PAD, "0 PAD"}, {KEY_F12, "F12"}, {KEY_ESC, "ESC"},
        {KEY_KANJI, "KANJI"}, {KEY_EQUALS_PAD, "EQUALS PAD"}, {KEY_COMMAND, "COMMAND"},
        {KEY_UNKNOWN8, "UNKNOWN8"}, {KEY_LSHIFT, "LSHIFT"}, {KEY_CAPSLOCK, "CAPSLOCK"},
    };
    for (const auto &p : PAIRS)
        EXPECT_STREQ(key_name(p.code), p.name) << "scancode " << p.code;
}

TEST(KeyNames, ShowAPlaceholderOutsideTheTable)
{
    for (int code : OUTSIDE_KEYS)
        EXPECT_STREQ(key_name(code), "???") << code;
}

TEST(CardNames, NameTheThreeModesAndNothingElse)
{
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
    for (int i = 0; i < KEY_MAX; i++)
        EXPECT_TRUE(key_down(i)) << i;
    key[KEY_LEFT] = 0;
    EXPECT_FALSE(key_down(KEY_LEFT));
    EXPECT_FALSE(key_down(KEY_MAX)); // the array ends at KEY_MAX - 1
    for (int code : OUTSIDE_KEYS)
        EXPECT_FALSE(key_down(code)) << code;
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
}
