// Settings files edited by hand, with values no screen of the game writes:
// each file either starts the game, which shows its screens, plays a round
// and quits writing the file back, or stops the start with its message and
// exit code 1, leaving the file as it was. Never a signal or a hang; run
// against the sanitizer build, never an out-of-range index either.
#include "game_screens.h"

#include <string>

namespace {

enum Outcome {
    REFUSED,     // "Nemozem nastartovat graficky mod", exit code 1
    MENU_ONLY,   // starts and quits: its window reaches past the screen's grabs
    FIRST_FRAME, // a match's first frame shows; ESC leaves it
    ROUND_ENDS,  // a match's round runs to its end; ESC leaves it
};

// What the game is taken through before its match.
enum Visit { NO_VISIT, PLAYERS_SCREEN, OPTIONS_SCREEN, POINTER_KEYS };

struct HandEdit {
    const char *name;    // the test's name
    int line;            // the line of the file edited (1 to 20)
    const char *text;    // its text in the file
    Outcome outcome;
    int w, h;            // the game area of a game that starts
    Visit visit;
    const char *written; // the line as the game writes it back; nullptr: as read
    const char *shown;   // on the players screen, slot 0's keys; nullptr: not looked at
};

// Every file but the edited line is the defaults with no frame delay, so
// that a round ends within a second or so.
const char NUMBERS_LINE_WITHOUT_DELAY[] = "1 50 0 74523 0.150000";
const int NUMBERS_LINE = 3;
const char REFUSAL[] = "Nemozem nastartovat graficky mod";
// Where nothing on screen says the menu is up yet, a key is held this long.
const int LONG_HOLD_MS = 400;
// A rejected file: the game runs on its defaults and writes them.
const char DEFAULTS[] = "(defaults)";

const HandEdit CASES[] = {
    // Sizes: none of zero or less, none past the library's bitmaps.
    {"SizeZero", 2, "16 0 0 0", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"WidthZero", 2, "16 2 0 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"SizeNegative", 2, "16 0 -640 -480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"SizeHuge", 2, "16 0 100000 100000", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"WindowHuge", 2, "16 2 100000 100000", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"WindowWidthIntMax", 2, "16 2 2147483647 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"WindowJustTooWide", 2, "16 2 16385 1", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"WindowOnePixel", 2, "16 2 1 1", ROUND_ENDS, 1, 1, NO_VISIT, nullptr, nullptr},
    {"WindowTiny", 2, "16 2 50 40", ROUND_ENDS, 50, 40, NO_VISIT, nullptr, nullptr},
    {"FullScreenTiny", 2, "32 1 50 40", ROUND_ENDS, 50, 40, NO_VISIT, nullptr, nullptr},
    {"WindowWidestOneRow", 2, "16 2 16384 1", MENU_ONLY, 16384, 1, NO_VISIT, nullptr, nullptr},
    // Depths that are not true colour, cards that are not the library's.
    {"Depth8", 2, "8 0 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"Depth12", 2, "12 0 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"Depth64", 2, "64 0 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"CardMinusOne", 2, "16 -1 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"Card3", 2, "16 3 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    {"Card99", 2, "16 99 640 480", REFUSED, 0, 0, NO_VISIT, nullptr, nullptr},
    // Key codes outside the key array: shown as a placeholder, never steering.
    {"KeysMinusOneAnd128", 5, "63488 -1 128 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     "\?\?\?/\?\?\?"},
    {"KeysZeroAnd127", 5, "63488 0 127 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     " /MAX"},
    {"Keys100000", 5, "63488 100000 100000 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     "\?\?\?/\?\?\?"},
    // Colours: black trails, the library's nothing, the mask and the panel's grey.
    {"ColourBlack", 5, "0 82 83 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr, nullptr},
    {"ColourMinusOne", 5, "-1 82 83 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr, nullptr},
    {"ColourMagicPink", 5, "63519 82 83 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     nullptr},
    {"ColourPanelGrey", 5, "33808 82 83 0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     nullptr},
    // Frame delays, the target and the round-end threshold.
    {"FrameDelayNegative", 3, "1 50 -5 74523 0.150000", ROUND_ENDS, 640, 480, OPTIONS_SCREEN,
     nullptr, nullptr},
    {"FrameDelayIntMax", 3, "1 50 2147483647 74523 0.150000", FIRST_FRAME, 640, 480,
     OPTIONS_SCREEN, nullptr, nullptr},
    {"TargetMinusOne", 3, "1 -1 0 74523 0.150000", ROUND_ENDS, 640, 480, OPTIONS_SCREEN, nullptr,
     nullptr},
    {"SurvivorsZero", 3, "0 50 0 74523 0.150000", ROUND_ENDS, 640, 480, OPTIONS_SCREEN, nullptr,
     nullptr},
    {"SurvivorsNine", 3, "9 50 0 74523 0.150000", ROUND_ENDS, 640, 480, OPTIONS_SCREEN, nullptr,
     nullptr},
    // Turn steps: backwards and huge are numbers; "nan" and "inf" reject the file.
    {"TurnStepNegative", 3, "1 50 0 74523 -0.15", ROUND_ENDS, 640, 480, OPTIONS_SCREEN,
     "1 50 0 74523 -0.150000", nullptr},
    {"TurnStepHuge", 3, "1 50 0 74523 1e30", ROUND_ENDS, 640, 480, OPTIONS_SCREEN,
     "1 50 0 74523 1000000015047466219876688855040.000000", nullptr},
    {"TurnStepNan", 3, "1 50 0 74523 nan", ROUND_ENDS, 640, 480, NO_VISIT, DEFAULTS, nullptr},
    {"TurnStepInf", 3, "1 50 0 74523 inf", ROUND_ENDS, 640, 480, NO_VISIT, DEFAULTS, nullptr},
    // Names: empty, full, too long (cut to 15), and bytes above 127.
    {"NameEmpty", 4, "", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr, nullptr},
    {"NameFifteen", 4, "ABCDEFGHIJKLMNO", ROUND_ENDS, 640, 480, PLAYERS_SCREEN, nullptr,
     nullptr},
    {"NameTooLong", 4, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", ROUND_ENDS, 640, 480, PLAYERS_SCREEN,
     "ABCDEFGHIJKLMNO", nullptr},
    {"NameHighBytes", 4, "\xC8" "ERVEN\xDD \xFF\x80\xA0", ROUND_ENDS, 640, 480, PLAYERS_SCREEN,
     nullptr, nullptr},
    // Pointer steps the arrow keys move the menu pointer by.
    {"PointerStepIntMin", 1, "1 -2147483648", FIRST_FRAME, 640, 480, POINTER_KEYS, nullptr,
     nullptr},
    {"PointerStepIntMax", 1, "1 2147483647", FIRST_FRAME, 640, 480, POINTER_KEYS, nullptr,
     nullptr},
};

// The depth the file asks for: line 2 starts with it.
int depth_of(const HandEdit &c)
{
    const int DEFAULT_DEPTH = 16, MODE_LINE = 2;
    return c.line == MODE_LINE ? std::stoi(c.text) : DEFAULT_DEPTH;
}

std::string base_file()
{
    return with_line(DEFAULT_SETTINGS_TEXT, NUMBERS_LINE, NUMBERS_LINE_WITHOUT_DELAY);
}

std::string file_of(const HandEdit &c)
{
    return with_line(base_file(), c.line, c.text);
}

std::string written_file_of(const HandEdit &c)
{
    if (c.written == DEFAULTS)
        return DEFAULT_SETTINGS_TEXT;
    return with_line(base_file(), c.line, c.written ? c.written : c.text);
}

// The menus' 640 x 480 layers fit on the screen, where they can be checked.
bool menus_fit(const HandEdit &c)
{
    const int LAYER_W = 640, LAYER_H = 480;
    return c.w >= LAYER_W && c.h >= LAYER_H;
}

// The main menu where its layers fit; at the tiny sizes only the field,
// gone again, says the menu is back.
bool wait_for_menu(const HandEdit &c)
{
    if (menus_fit(c))
        return wait_for_main_menu();
    return wait_until([](const Image &img) { return !match_shown(img); });
}

// The players screen's back button, and where it and slot 0's keys stand.
const int PLAYERS_BUTTON_X = 320, PLAYERS_BUTTON_Y = 245;
const int BACK_CAPTION_Y = 120, BACK_LEFT = 405, BACK_TOP = 415;
const int KEYS_X = 380, FIRST_ROW_Y = 140;

bool visit_players_screen(const HandEdit &c)
{
    click_layer(PLAYERS_BUTTON_X, PLAYERS_BUTTON_Y);
    if (!wait_until([](const Image &img) {
            return caption_shown(img, BACK_CAPTION_Y, BACK_LEFT, BACK_TOP);
        }))
        return false;
    if (c.shown && !wait_for_text(c.shown, layer_to_game_x(KEYS_X), layer_to_game_y(FIRST_ROW_Y),
                                  game_colour(255, 0, 0)))
        return false;
    key_tap("Escape");
    return wait_for_main_menu();
}

bool visit_options_screen()
{
    if (!open_options_screen())
        return false;
    key_tap("Escape");
    return wait_for_main_menu();
}

// Each arrow key moves the pointer by the step, or not at all.
bool press_pointer_keys()
{
    for (const char *arrow : {"Up", "Left", "Down", "Right"})
        key_tap(arrow);
    return wait_for_menu_frames(2);
}

bool visit(const HandEdit &c)
{
    switch (c.visit) {
    case PLAYERS_SCREEN:
        return visit_players_screen(c);
    case OPTIONS_SCREEN:
        return visit_options_screen();
    case POINTER_KEYS:
        return press_pointer_keys();
    case NO_VISIT:
        break;
    }
    return true;
}

// S starts a match; slot 0 and slot 1 turn left on their default keys and
// the mouse slot right on its button while the round runs.
bool play_round(const HandEdit &c)
{
    const int ROUND_MS = 20000;
    key_tap("s", LONG_HOLD_MS);
    key_down("Left");
    key_down("z");
    mouse_down(3);
    bool played = c.outcome == ROUND_ENDS ? wait_for_round_end(ROUND_MS)
                                          : wait_until(match_shown);
    mouse_up(3);
    key_up("z");
    key_up("Left");
    return played;
}

// Failure messages name the case by its file line.
void PrintTo(const HandEdit &c, std::ostream *out)
{
    *out << c.name << " (line " << c.line << ": \"" << c.text << "\")";
}

class HandEdited : public GameTest, public ::testing::WithParamInterface<HandEdit> {};

// The start stops with its message and exit code 1; the file stays as it was.
void expect_refused(const std::string &dir, const std::string &file)
{
    EXPECT_EQ(wait_for_message(REFUSAL), REFUSAL);
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 1);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), file);
}

// ESC leaves the match (at a frame or at the round's result), ESC on the
// main menu quits, and the file is written back.
void expect_quits_writing(const std::string &dir, const HandEdit &c)
{
    if (c.outcome != MENU_ONLY) {
        key_tap("Escape");
        ASSERT_TRUE(wait_for_menu(c));
    }
    key_tap("Escape", LONG_HOLD_MS);
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(end.code, 0);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), written_file_of(c));
}

TEST_P(HandEdited, StartsPlaysAndQuitsOrRefusesToStart)
{
    const HandEdit &c = GetParam();
    write_file(dir, SETTINGS_FILE, file_of(c));
    set_game_depth(depth_of(c));
    ASSERT_GT(start_game(dir), 0);
    if (c.outcome == REFUSED)
        return expect_refused(dir, file_of(c));
    ASSERT_TRUE(wait_for_game_area(c.w, c.h));
    if (menus_fit(c)) {
        ASSERT_TRUE(wait_for_main_menu());
    }
    if (c.outcome != MENU_ONLY) {
        ASSERT_TRUE(visit(c));
        ASSERT_TRUE(play_round(c));
    }
    expect_quits_writing(dir, c);
}

INSTANTIATE_TEST_SUITE_P(Files, HandEdited, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<HandEdit> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
