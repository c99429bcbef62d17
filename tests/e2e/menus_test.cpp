// The menus and matches as a player goes through them, by mouse and by the keyboard alone.
#include "harness.h"
TEST(Menus, AFreshStartByMouse) {
    new_dir();
    ASSERT_TRUE(start()); // a press on the players button, let go on options:
    click(320, 245, 0), button(1, true), settle(), click(320, 325, 0), button(1, false), settle();
    click(120, 165), type("250");
    EXPECT_TRUE(wait_text("250", 272, 161, YELLOW)); // the frame delay, unclamped while typed
    click(600, 120), click(120, 245), type("9"), click(415, 245); // confirming clicks; this one opens nothing
    click(415, 165), type("3"), tap("Escape");                    // the turn step comes back
    EXPECT_TRUE(wait_text("100", 272, 161) && wait_text("7", 272, 241) && wait_text("50", 567, 241) && wait_text("150", 567, 161));
    click(520, 385), click(320, 245); // back with no mode to apply; players
    click(232, 150), type("jankq"), tap("BackSpace"), type("o"), tap("Return");
    click(380, 180), tap("space"), tap("Return"), tap("q"), tap("q"), tap("w"); // SPACE, ENTER and Q again ignored
    click(130, 210), click(380, 360), tap("a"), tap("b"); // ZELENY on; the mouse slot has no keys
    click(495, 240), click(150, 240);                     // beside the palette: no pick
    click(495, 150), click(219, 164), click(198, 154);    // a black line, a pink corner: no pick
    const int picked = picture_value(data("paletka"), 131, 15);
    click(329, 169);
    EXPECT_TRUE(wait_text("janko", 232, 140, shown(picked)) && wait_text("Q/W", 380, 170, rgb(0, 255, 255)) &&
                wait_text("ON", 130, 200, rgb(0, 255, 0)) && wait_text("ZLTY", 232, 230, YELLOW) &&
                wait_text("MOUSE BUTTONS", 380, 350, rgb(255, 128, 128)));
    click(475, 430), click(320, 165); // back; a match, where all seven worms outlive the first frame
    EXPECT_TRUE(wait_text("janko: 2", 64, 436, shown(picked)) && wait_text("HRAJ!", 320, 458, rgb(128, 128, 128)));
    tap("Escape"), click(320, 245), click(380, 330), tap("k"); // then the close button during a key assignment
    EXPECT_TRUE(wait_text("K/ ", 380, 320));
    EXPECT_EQ(quit(0, close_window), edit(DEFAULTS, {{3, "7 50 100 74523 0.150000"}, {4, "janko"},
        {5, std::to_string(picked) + " 82 83 0"}, {7, "2047 17 23 0"}, {9, "2016 14 13 0"}}));
}

// A match, started by S and left by ESC, leaves the pointer on the start button: a known place to steer from.
TEST(Menus, TheKeyboardAlone) {
    auto enter = [] { tap("Return"), settle(); };
    ASSERT_TRUE((new_dir(), start()) && (tap("s"), wait(match_on)) && (tap("Escape"), wait(main_menu)) && steer("Down", 360, 245));
    enter(), steer("Up", 360, 232), steer("Left", 250, 232), enter(), type("key board"), enter(); // ENTER not typed
    steer("Right", 380, 232), enter(), tap("Left"), tap("Up");                 // keys: arrows as keys
    EXPECT_TRUE(wait_text("key board", 232, 230, YELLOW) && wait_text("LEFT/UP", 380, 230, YELLOW));
    tap("Escape"), steer("Down", 380, 325), enter();                          // options
    steer("Up", 380, 165), enter(), type("42"), tap("BackSpace"), type("300"), enter();
    steer("Down", 380, 245), enter(), type("6000"), enter();
    EXPECT_TRUE(wait_text("300", 567, 161) && wait_text("5000", 567, 241));
    steer("Down", 380, 325), enter(), steer("Left", 320, 325), steer("Up", 320, 236), enter(); // 800/600,
    steer("Right", 520, 240), steer("Down", 520, 325), enter(), steer("Up", 520, 247), steer("Left", 270, 247), enter();
    game_w = 800, game_h = 600; // applied
    EXPECT_TRUE(wait_text("Graficky mod bol uspesne zmeneny.", 320, 236));
    enter(), tap("Escape"), tap("s"); // a match by S, then by ENTER on the start button
    ASSERT_TRUE(wait(match_on) && (tap("Escape"), wait(main_menu)) && (enter(), wait(match_on)));
    ASSERT_TRUE((tap("Escape"), wait(main_menu)) && steer("Down", 360, 405));
    EXPECT_EQ(quit(0, enter), edit(DEFAULTS, {{2, "16 0 800 600"}, {3, "1 5000 25 74523 0.300000"}, {10, "key board"},
                                              {11, "65504 82 84 0"}}));
}

// Rounds that end after their first frame, a frame delay after the key that starts them (longer than a tap).
TEST(Menus, ALoneWormWinsTheKeysBetweenRoundsActAndNobodyPlaysADraw) {
    const std::string file = edit(DEFAULTS, {{3, "1 6 100 74523 0.150000"}, {5, "63488 82 83 1"},
        {7, "2047 26 24 1"}, {13, "63583 17 1 1"}, {17, "64521 73 74 1"}, {19, "64528 0 0 1"}});
    new_dir(), write("talvon.dat", file);
    ASSERT_TRUE(start() && (tap("s"), true));
    EXPECT_TRUE(wait_text("ZLTY: 2", 576, 436, YELLOW) && wait_text("ZLTY", 320, 458, YELLOW));
    tap("space");
    EXPECT_TRUE(wait_text("ZLTY: 4", 576, 436, YELLOW));
    tap("Return");
    EXPECT_TRUE(wait_text("ZLTY: 6", 576, 436, YELLOW) && wait_text("Vyhral", 320, 202, rgb(128, 128, 128)) &&
                wait_text("ZLTY", 320, 217, YELLOW));
    tap("Return"); // closes the winners box; its release starts nothing on the menu, whose pointer is on start
    EXPECT_TRUE(wait([](const Shot &s) { return main_menu(s) && pointer_at(s, 360, 170); }));
    tap("Return");
    EXPECT_TRUE(wait_text("ZLTY: 2", 576, 436, YELLOW));
    press("space", true), press("Escape", true), tap("space"), press("Escape", false); // ESC wins
    ASSERT_TRUE(wait(main_menu));
    click(320, 245), click(130, 240), tap("Escape"), tap("s"); // ZLTY off
    EXPECT_TRUE(wait_text("Nerozhodna hra", 320, 458, rgb(128, 128, 128)));
    EXPECT_EQ(quit(0, close_window), edit(file, {{11, "65504 39 40 1"}}));
}
