// Texts for key codes and card modes, as the players and options screens show them.
#include "state.h"

// Indexed by the library's scancodes. Codes 103..106 are keys of other
// systems' keyboards, 107..114 keys the library cannot name, and the
// modifiers follow from 115 on.
const char *const key_names[KEY_NAME_COUNT] = {
    " ", // 0: no key
    "A",          "B",          "C",          "D",         "E",          "F",         "G",
    "H",          "I",          "J",          "K",         "L",          "M",         "N",
    "O",          "P",          "Q",          "R",         "S",          "T",         "U",
    "V",          "W",          "X",          "Y",         "Z",          "0",         "1",
    "2",          "3",          "4",          "5",         "6",          "7",         "8",
    "9",          "0 PAD",      "1 PAD",      "2 PAD",     "3 PAD",      "4 PAD",     "5 PAD",
    "6 PAD",      "7 PAD",      "8 PAD",      "9 PAD",     "F1",         "F2",        "F3",
    "F4",         "F5",         "F6",         "F7",        "F8",         "F9",        "F10",
    "F11",        "F12",        "ESC",        "TILDE",     "MINUS",      "EQUALS",    "BACKSPACE",
    "TAB",        "OPENBRACE",  "CLOSEBRACE", "ENTER",     "COLON",      "QUOTE",     "BACKSLASH",
    "BACKSLASH2", "COMMA",      "STOP",       "SLASH",     "SPACE",      "INSERT",    "DEL",
    "HOME",       "END",        "PGUP",       "PGDN",      "LEFT",       "RIGHT",     "UP",
    "DOWN",       "SLASH PAD",  "ASTERISK",   "MINUS PAD", "PLUS PAD",   "DEL PAD",   "ENTER PAD",
    "PRTSCR",     "PAUSE",      "ABNT C1",    "YEN",       "KANA",       "CONVERT",   "NOCONVERT",
    "AT",         "CIRCUMFLEX", "COLON2",     "KANJI",     "EQUALS PAD", "BACKQUOTE", "SEMICOLON",
    "COMMAND",    "UNKNOWN1",   "UNKNOWN2",   "UNKNOWN3",  "UNKNOWN4",   "UNKNOWN5",  "UNKNOWN6",
    "UNKNOWN7",   "UNKNOWN8",   "LSHIFT",     "RSHIFT",    "LCONTROL",   "RCONTROL",  "ALT",
    "ALTGR",      "LWIN",       "RWIN",       "MENU",      "SCRLOCK",    "NUMLOCK",   "CAPSLOCK",
    "MAX",
};

const char *const card_names[CARD_COUNT] = {"AUTODETECT", "FULLSCREEN", "WINDOWED"};

// Shown for a code that only a hand-edited settings file can bring in.
static const char UNKNOWN_NAME[] = "???";

const char *key_name(int scancode)
{
    if (scancode < 0 || scancode >= KEY_NAME_COUNT)
        return UNKNOWN_NAME;
    return key_names[scancode];
}

const char *card_name(int card)
{
    if (card < 0 || card >= CARD_COUNT)
        return UNKNOWN_NAME;
    return card_names[card];
}
