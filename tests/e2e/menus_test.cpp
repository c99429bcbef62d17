// The menus and matches as a player goes through them.
#include "harness.h"

// A fresh start by mouse: numbers clamped, a player renamed, re-keyed, switched on and recoloured,
// all seen in a match and in the file; the close button cancels a key assignment.
TEST(Menus, WhatTheMouseChangesReachesTheMatchAndTheFile)
{
    new_dir();
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
    const std::string file = edit(DEFAULTS,
                                  {{3, "7 50 100 74523 0.150000"},
                                   {4, "janko"},
                                   {5, "2029 82 83 0"},
                                   {7, "2047 17 23 0"},
                                   {9, "2016 14 13 0"}});
    close_window();
    EXPECT_EQ(quit(), file);
}
