// The picture enlarged twice over. A bad scale ends the game before it starts.
#include "harness.h"

// The backdrop stands still and a fixed clock gives the game the unit tests' random numbers, so the
// menu is the unit tests' picture: Slovak under an English locale lacking the English captions; at
// 2x, sharp, English by --language en. Clicks land where seen; a card change keeps the size saved.
TEST(Scale, TwiceTheSizeShowsTheSameMenuAndClicksLandWhereSeen)
{
    const std::string file = edit(DEFAULTS, {{1, "0 3"}});
    new_dir(file);
    std::filesystem::remove(game.dir + "/napisy-en.tga");
    start({"LD_PRELOAD=" FIXED_TIME_LIBRARY, "LC_ALL=en_US.UTF-8"});
    EXPECT_EQ(wait_picture("main-menu"), "");
    tap("Escape");
    EXPECT_EQ(quit(), file);
    new_dir(file);
    scale = 2;
    start({"LD_PRELOAD=" FIXED_TIME_LIBRARY, "LC_ALL=sk_SK.UTF-8"}, "--scale 2 --language en");
    EXPECT_EQ(wait_picture("main-menu-en"), "");
    EXPECT_EQ(system("xprop -name Talvon WM_CLASS | grep -qx '.* = \"talvon\", \"Talvon\"'"), 0);
    click(OPTIONS);
    click(CARD.click);
    click(LINES[1]);
    click(APPLY);
    click(ANO);
    EXPECT_TRUE(wait_text("The graphics mode was changed.", MESSAGE));
    click(NOWHERE, 3);
    tap("Escape Escape");
    EXPECT_EQ(quit(), edit(file, {{2, "16 1 640 480"}}));
    scale = 1;
    for (const char *bad : {"9", "x", "2 --window"}) {
        new_dir();
        launch({}, std::string("--scale ") + bad);
        EXPECT_EQ(quit(2), "") << bad; // and no settings file
    }
}
