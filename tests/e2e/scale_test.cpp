// The picture enlarged twice over: the same menu, every game pixel a sharp 2 x 2 block, and a
// player goes through it as at 1x. A bad scale ends the game before it starts.
#include "harness.h"

// Slot 3 alone, to a target of 4: each round ends after its first frame with 2 points. The backdrop
// stands still and the clock the game seeds its random numbers from is fixed, so the menu is the
// unit tests' picture of it.
TEST(Scale, TwiceTheSizeShowsTheSameMenuAndPlaysAsAtOne)
{
    const std::string file = edit(DEFAULTS,
                                  {{1, "0 3"},
                                   {3, "1 4 100 74523 0.150000"},
                                   {5, "63488 82 83 1"},
                                   {7, "2047 26 24 1"},
                                   {13, "63583 17 1 1"},
                                   {17, "64521 73 74 1"},
                                   {19, "64528 0 0 1"}});
    new_dir(file);
    start({"LD_PRELOAD=" FIXED_TIME_LIBRARY});
    EXPECT_EQ(wait_picture("main-menu"), "");
    tap("Escape");
    EXPECT_EQ(quit(), file);
    new_dir(file);
    scale = 2;
    start({"LD_PRELOAD=" FIXED_TIME_LIBRARY}, "--scale 2");
    EXPECT_EQ(wait_picture("main-menu"), "");
    EXPECT_EQ(system("xprop -name Talvon WM_CLASS | grep -qx '.* = \"talvon\", \"Talvon\"'"), 0);
    click(PLAYERS);
    EXPECT_TRUE(wait_text("OFF", cell(0, ON_OFF), makecol16(0, 0, 64)));
    tap("Escape");
    click(OPTIONS); // to full screen, still twice the size: the file keeps the game's size
    click(CARD.click);
    click(LINES[1]);
    click(APPLY);
    click(ANO);
    EXPECT_TRUE(wait_text("Graficky mod bol uspesne zmeneny.", MESSAGE));
    click(NOWHERE, 3);
    tap("Escape s");
    EXPECT_TRUE(wait_text("ZLTY: 2", {576, 436}, YELLOW));
    tap("Return"); // the next round, and the winners; the box leaves the pointer on the start button
    EXPECT_TRUE(wait_text("ZLTY: 4", {576, 436}, YELLOW));
    tap("Return");
    EXPECT_TRUE(wait_pointer(AFTER_MATCH));
    tap("Escape");
    EXPECT_EQ(quit(), edit(file, {{2, "16 1 640 480"}}));
    scale = 1;
    for (const char *bad : {"9", "x", "2 --window"}) {
        new_dir();
        launch({}, std::string("--scale ") + bad);
        EXPECT_EQ(quit(2), "") << bad; // and no settings file
    }
}
