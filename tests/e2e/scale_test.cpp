// The picture enlarged twice over. A bad scale ends the game before it starts.
#include "harness.h"

// The backdrop stands still and a fixed clock gives the game the unit tests' random numbers, so the
// main menu is the unit tests' picture of it, at 2x each game pixel a sharp block, at depth 16, 24
// and 32, which the game converts to the test server's 16 bits; Slovak under an English locale
// lacking the English captions, English by --language en; --scale fit is 2 on the test server.
// Clicks land where the player sees the buttons; a change of card keeps the game's size in the file.
TEST(Scale, TwiceTheSizeShowsTheSameMenuAndClicksLandWhereSeen)
{
    const std::string file = edit(DEFAULTS, {{1, "0 3"}});
    for (auto [depth, n, option] :
         {std::tuple {"16", 1, "1"}, {"24", 1, "1"}, {"32", 1, "1"}, {"32", 2, "fit"}}) {
        const std::string at_depth = edit(file, {{2, std::string(depth) + " 0 640 480"}});
        new_dir(at_depth);
        std::filesystem::remove(game.dir + "/napisy-en.tga");
        scale = n;
        start({"LD_PRELOAD=" FIXED_TIME_LIBRARY, "LC_ALL=en_US.UTF-8"},
              std::string("--scale ") + option);
        EXPECT_EQ(wait_picture("main-menu"), "") << depth << " at " << n;
        tap("Escape");
        EXPECT_EQ(quit(), at_depth);
    }
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
