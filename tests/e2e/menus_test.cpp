// The menus and matches as a player goes through them.
#include "harness.h"

// A start by mouse: numbers clamped, a player renamed, re-keyed, switched on and recoloured, all seen
// in a match and in the file; a name hand-edited in Latin-1 is shown as written; the close button
// cancels a key assignment.
TEST(Menus, WhatTheMouseChangesReachesTheMatchAndTheFile)
{
    new_dir(edit(DEFAULTS, {{6, "BELAS\xdd"}}));
    start();
    click(PLAYERS, 0); // pressed on the players button, released on the options button
    button(1, true);
    click(OPTIONS, 0);
    button(1, false);
    click(FRAME_DELAY.click);
    tap("2 5 0");
    click(TURN_STEP.click); // confirms, and opens nothing
    click(SURVIVORS.click);
    tap("9");
    click(NOWHERE);
    click(OPTIONS_BACK);
    click(PLAYERS);
    click(cell(0, NAME));
    tap("j a n k q BackSpace o Return");
    click(cell(1, KEYS));
    tap("space Return q q w"); // SPACE, ENTER and the first key again are not taken
    click(cell(2, ON_OFF));
    click(cell(0, COLOUR));
    click({PICKER.x + 131, PICKER.y + 15}); // (0, 255, 106): 2029 at 16 bits
    click(PLAYERS_BACK);
    click(START); // seven worms outlive the first frame, which ends the round
    EXPECT_TRUE(wait_text("janko: 2", {64, 436}, makecol16(0, 255, 106)));
    tap("Escape");
    EXPECT_TRUE(wait_pointer(AFTER_MATCH)); // a known place to steer from
    click(PLAYERS);
    click(cell(6, KEYS));
    tap("k");
    EXPECT_TRUE(wait_text("K/ ", cell(6, KEYS)));
    EXPECT_TRUE(wait_text("BELAS\xdd", cell(1, NAME), 0x07FF));
    const std::string file = edit(DEFAULTS,
                                  {{3, "7 50 100 74523 0.150000"},
                                   {4, "janko"},
                                   {5, "2029 82 83 0"},
                                   {6, "BELAS\xdd"},
                                   {7, "2047 17 23 0"},
                                   {9, "2016 14 13 0"}});
    close_window();
    EXPECT_EQ(quit(), file);
}

// A pad's pipe: an event written as the kernel would, then two frames for the game to read it.
static void send(int pad, int type, int number, int value)
{
    const js_event event = {0, (short)value, (unsigned char)type, (unsigned char)number};
    EXPECT_EQ(write(pad, &event, sizeof event), (ssize_t)sizeof event);
    two_frames();
}

// Slot 2's keys are assigned while a pad's trigger rests at the end of its axis, which binds nothing;
// two buttons do, and the first turns the worm round, also after a restart; the slot's keys stay.
TEST(Menus, PadButtonsBoundOnThePlayersScreenTurnAWormAlsoAfterARestart)
{
    new_dir();
    std::ofstream(game.dir + "/allegro.cfg") << "[joystick]\njoystick_device_0 = js0\n";
    mkfifo((game.dir + "/js0").c_str(), 0600);
    const int pad = open((game.dir + "/js0").c_str(), O_RDWR);
    const std::vector<std::string> env
        = {"LD_PRELOAD=" FIXED_TIME_LIBRARY " " PADS_LIBRARY, "ALLEGRO=" + game.dir};
    start(env);
    click(PLAYERS);
    send(pad, JS_EVENT_AXIS, 2, -32767); // the trigger, as the kernel tells it at each opening
    click(cell(1, KEYS));
    for (int i = 0; i < 4; i++) // the first button pressed and let go, then the second
        send(pad, JS_EVENT_BUTTON, i / 2, i % 2 == 0);
    tap("Escape");
    for (int run = 0; run < 2; run++) {
        if (run) { // a hand added lines that name nothing the game knows
            std::ofstream(game.dir + "/talvon-pads.cfg", std::ios::app)
                << "slot1_left = Z\nslot8_left = PAD1 B1\n[keys]\nslot3_left = PAD1 B1\n";
            start(env);
        }
        send(pad, JS_EVENT_BUTTON, 0, 1);
        tap("s");
        // Slot 2's trail crosses a row of the field twice, as no worm going straight on does.
        EXPECT_TRUE(wait(8000, [](BITMAP *s) {
            for (int y = 0; y < 420; y++) {
                int crossings = 0;
                for (int x = 1; x < 640; x++)
                    crossings += getpixel(s, x, y) == 0x07FF && getpixel(s, x - 1, y) != 0x07FF;
                if (crossings > 1)
                    return true;
            }
            return false;
        })) << run;
        close_window();
        EXPECT_EQ(quit(), DEFAULTS);
    }
    EXPECT_EQ(read("talvon-pads.cfg"), "[pads]\nslot2_left = PAD1 B1\nslot2_right = PAD1 B2\n");
}
