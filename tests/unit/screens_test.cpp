// Every screen a player can reach, as the player sees it: the game's own loops, run headless from
// the main menu and driven by a player's script of keys, buttons and pointer moves, with the screen
// compared with reference pictures in tests/pictures/.
#include "support.h"

// Slots switched off and on and back again, and each entry begun and cancelled, bring the grid back
// as it was; a click just above or below a row or beside the palette is on none. Then slot 2 is switched on; slot 7 renamed to 15 characters,
// which end the entry; slot 1 given A and B (SPACE, ENTER and A again are not taken); slot 0 a
// colour; slot 3 renamed (BACKSPACE with nothing typed and characters outside 32 to 126 are not
// taken), which ENTER ends. The mouse slot's keys cannot be assigned. A hand-edited file gave slots
// 5 and 6 codes no key has.
TEST(Screens, ThePlayersScreenWithEachEntryUnderWay)
{
    fresh();
    players[5].key_left = -3;
    players[5].key_right = KEY_ENTER_PAD;
    players[6].key_right = KEY_MAX + 1;
    act("@600,120 look:main-menu @320,245 click @600,120 look:players");
    act("@130,195 click @130,213 click @130,144 click @130,204 click @600,120 look:players-on");
    act("@130,144 click @130,204 click @600,120 look:players");
    act("@232,234 click look:players-unnamed J O look:players-renaming ESC @600,120 look:players");
    act("@380,174 click LEFT look:players-keys ESC @600,120 look:players");
    act("@495,144 click look:players-palette ESC @495,144 click @442,200 click");
    act("@600,120 look:players @495,144 click @300,326 click @600,120 look:players");
    act("@130,204 click @232,354 click A B C D E F G H I J K L M N O P @380,354 click");
    act("@380,174 click SPACE ENTER A A B @495,144 click @329,169 click");
    act("@232,234 click BACKSPACE J #1 #9 #127 #128 #255 A N SPACE X BACKSPACE O ENTER");
    act("@600,120 look:players-changed @475,430 click @600,120 look:main-menu-again ESC");
    main_menu();
}

// The tests' pad, its trigger resting at the end of its axis, a second one plugged in after the
// start, and a pads file written by hand, which binds slot 6 to a pad not attached. Slot 1 takes two buttons (not the trigger let go and back at
// rest, nor the first button again, nor the second while it is held from before the entry began),
// slot 3 a button and a key, slot 0 a key and a direction, slot 4 a wide pair; ESC puts back slot
// 6's. In a match slot 1's first button turns its worm; slot 3's key, in place of which it has a
// button, does not, nor slot 6's key code that is a pad control's.
TEST(Screens, PadControlsAreTakenAsKeysAreButNotATriggerAtRest)
{
    fresh();
    find_pads();
    pads_plugged = 2;
    load_pad_bindings_from(TALVON_PICTURES_DIR "/../unit/pads-by-hand.cfg");
    act("@320,245 click");
    steps.push_back([] {
        joy[0].button[4].b = 1;
    });
    act("@380,174 click PAD1_S2_LEFT PAD1_S2_LEFT PAD1_B4 PAD1_B4 PAD1_B5 PAD1_B5");
    act("@380,234 click PAD1_B1 C @380,144 click W PAD2_UP @380,324 click PAD1_B3 ESC");
    act("@380,264 click PAD1_S2_UP PAD1_S2_DOWN @600,120 look:players-pads ESC");
    steps.push_back([] {
        players[6].key_right = PAD_CONTROL_FIRST + 3; // a hand-edited key code, not PAD1 B4
    });
    act("S PAD1_B4*1100 2_PAD*300 look:match-pads ESC");
    main_menu();
}

// Numbers typed show unclamped in yellow and are stored clamped, whether ENTER or a left click
// anywhere confirms them; a right click is ignored, BACKSPACE clears the number and ESC puts the
// old one back. The popups choose a mode that leaving by ESC keeps and the dialog's NIE forgets;
// the apply button with nothing chosen only says so.
TEST(Screens, TheOptionsScreenWithItsEntriesPopupsDialogAndMessage)
{
    fresh();
    act("@320,325 click @600,120 look:options");
    act("@120,165 click 2 5 0 look:options-typing ENTER");
    act("@415,165 click look:options-turning 7 0 0 @120,245 click look:options-turned");
    act("@120,245 click rclick 9 ENTER");
    act("@415,245 click 6 0 0 0 ENTER");
    act("@120,325 click look:options-resolution @320,236 click");
    act("@401,355 click @120,355 click look:options-card @320,256 click");
    act("@120,385 click look:options-depth @384,225 click @600,120 look:options-chosen");
    act("ESC @320,325 click @520,325 click look:options-dialog @370,240 click");
    expect(pending.depth, 16);
    act("@520,325 click look:options-unchanged ESC");
    act("@415,245 click 1 2 BACKSPACE 7 @600,120 click @415,245 click 4 5 ESC");
    expect(settings.target_score, 7);
    act("@415,165 click 3 ESC");
    expect(settings.turn_step, 0.5f);
    act("@415,165 click 7 ENTER @120,245 click 0 ENTER @120,165 click ENTER ESC");
    act("@600,120 look:main-menu-after-options ESC");
    main_menu();
    EXPECT_EQ(settings.frame_delay_ms, 0);
    EXPECT_EQ(settings.turn_step, 0.02f);
    EXPECT_EQ(settings.round_end_survivors, 1);
}

// Four play, two of them turning: the field, the panel and the clock, then the survivor named. ESC
// leaves the match with the pointer on the start button, where ENTER starts another. With a
// threshold of 3, every survivor gets a box and 2 points, the dead one neither; at the target of
// 4, the winners are named.
TEST(Screens, AMatchItsRoundEndsAndTheWinners)
{
    fresh();
    act("@320,245 click @130,174 click @130,234 click ESC");
    act("S LEFT*300 click*500 wait*400 look:match-playing wait*9000 look:match-round-end");
    act("ESC look:main-menu-after-match ENTER wait*500 ESC");
    act("@320,325 click @120,245 click 3 ENTER @415,245 click 4 ENTER ESC");
    act("S wait*2000 look:match-survivors SPACE wait*2000 look:match-winners ESC ESC");
    main_menu();
    EXPECT_EQ(scores(), "5 0 0 0 3 0 2x 4");
}

// Twice the size, every game pixel is a sharp 2 x 2 block of the same pictures, and the pointer is
// read and placed in game pixels. On a larger screen the buttons and the players' grid are where they
// are drawn.
TEST(Screens, TwiceTheSizeTheSamePicturesAndButtons)
{
    fresh(16, 640, 480, 2);
    act("@600,120 look:main-menu @320,325 click @600,120 look:options ESC ESC");
    main_menu();
    fresh(32, 1024, 768);
    act("@100,325 click @320,245 click @130,204 click");
    expect(players[2].off, 0);
    act("ESC ESC");
    main_menu();
}

// In English: the captions, the options screen's dialog and message, and a round's end with three
// survivors at a target of 2: the round's message, the winners' title and the default names.
TEST(Screens, InEnglish)
{
    fresh(16, 640, 480, 1, ENGLISH);
    act("@600,120 look:main-menu-en @320,325 click @120,385 click @336,240 click @520,325 click");
    act("look:options-dialog-en @370,250 click @520,325 click look:options-unchanged-en ESC");
    act("@120,245 click 3 ENTER @415,245 click 2 ENTER ESC S wait*2000 look:match-winners-en");
    main_menu();
    words = &SLOVAK;
}

// The backdrop scrolls 2 pixels left every 25 ms, or not at all with the animation off. A held
// arrow key moves the pointer by the step at every frame, onto an edge but never across it.
TEST(Screens, TheBackdropScrollsAndAnArrowKeyMovesThePointerEachFrame)
{
    const std::tuple<int, int, int, int, int> ARROWS[] = {
        {KEY_UP, 300, 300, 300, 297},   {KEY_DOWN, 300, 300, 300, 303},
        {KEY_LEFT, 300, 300, 297, 300}, {KEY_RIGHT, 300, 300, 303, 300},
        {KEY_LEFT, 3, 9, 0, 9},      // a whole step onto the left edge
        {KEY_RIGHT, 637, 9, 637, 9}, // a step across the right edge is not taken
        {KEY_UP, 9, 2, 9, 2},        // nor across the top
        {KEY_DOWN, 9, 476, 9, 479},  // down onto the bottom edge
    };
    fresh();
    frame_ms = 25;
    on_wait = [] {};
    place_pointer(300, 300);
    BITMAP *before = picture(640, 1, 0);
    for (int scroll : {2, 0}) {
        menu_frame();
        blit(screen, before, 0, 0, 0, 0, 640, 1);
        menu_frame();
        int unmoved = 0;
        for (int x = 0; x + scroll < 640; x++)
            unmoved += getpixel(screen, x, 0) != getpixel(before, x + scroll, 0);
        EXPECT_EQ(unmoved, 0) << scroll;
        settings.animate_backdrop = 0;
    }
    destroy_bitmap(before);
    for (auto [arrow, x, y, to_x, to_y] : ARROWS) {
        place_pointer(x, y);
        key[arrow] = 1;
        menu_frame();
        key[arrow] = 0;
        EXPECT_EQ(pointer_x(), to_x) << arrow << " from " << x << "," << y;
        EXPECT_EQ(pointer_y(), to_y) << arrow << " from " << x << "," << y;
    }
}

// --help prints the usage on stdout and ends with 0; a mistake is told on stderr, followed by the
// usage, and ends with 2, before anything else happens. The last scale given counts.
TEST(CommandLine, HelpGoesToStdoutAndAMistakeToStderrWithStatusTwo)
{
    const std::tuple<std::vector<const char *>, int, int, const char *> CASES[] = {
        {{}, -1, 1, "|"}, // -1: the game goes on; "stdout's first line|stderr's"
        {{"--scale", "3", "--scale=fit"}, -1, SCALE_FIT, "|"},
        {{"--scale=2", "--scale=8"}, -1, 8, "|"},
        {{"--scale=4", "--scale", "1"}, -1, 1, "|"},
        {{"--help", "--scale=9"},
         0,
         1,
         "Usage: talvon [--scale N | --scale fit] [--language sk|en] [--help]|"},
        {{"--scale=9"},
         2,
         1,
         "|talvon: bad value for --scale (a whole number from 1 to 8, or fit): 9"},
        {{"--scale", "0"},
         2,
         1,
         "|talvon: bad value for --scale (a whole number from 1 to 8, or fit): 0"},
        {{"--scale"}, 2, 1, "|talvon: --scale needs a value: a whole number from 1 to 8, or fit"},
        {{"--window"}, 2, 1, "|talvon: unknown option: --window"},
        {{"--language=xx"}, 2, 1, "|talvon: bad value for --language (sk|en): xx"},
    };
    for (auto [args, status, scale, lines] : CASES) {
        std::vector<char *> argv = {const_cast<char *>("talvon")};
        for (const char *a : args)
            argv.push_back(const_cast<char *>(a));
        scale_option = 1;
        int exit_code = -1;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(read_command_line(argv.size(), argv.data(), exit_code), status < 0) << lines;
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(out.substr(0, out.find('\n')) + "|" + err.substr(0, err.find('\n')), lines);
        EXPECT_EQ(err.find("\nUsage: talvon") != std::string::npos, status == 2) << lines;
        EXPECT_EQ(exit_code, status) << lines;
        EXPECT_EQ(scale_option, scale) << lines;
    }
}
