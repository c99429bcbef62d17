// Graphics modes: size, depth and card with colours carried, the saved mode used, refusals, ends it cannot survive.
#include "harness.h"
#include <cstdio>
// Opens the popup of a panel line and chooses at (x, y) in it; "ANO" in the dialog, and the answer in the new mode.
static bool choose(int line_y, int x, int y, const char *shown) { return click(120, line_y), click(x, y), wait_text(shown, 340, line_y); }
static bool yes(int w, int h, int depth, const char *message = "Graficky mod bol uspesne zmeneny.", bool window = false) {
    EXPECT_TRUE(wait_text("Naozaj chcete zmenit graficky mod?", 320, 226));
    return click(270, 250), game_w = w, game_h = h, game_depth = depth, windowed = window, wait_text(message, 320, 236);
}

TEST(Modes, SizeDepthAndCardCarryTheColoursAndStartAgainSaved) {
    new_dir();
    ASSERT_TRUE(start() && (click(320, 325), choose(325, 320, 260, "1024/768")) && choose(385, 368, 240, "32"));
    click(520, 325);
    ASSERT_TRUE(yes(1024, 768, 32));
    click(600, 120), tap("Escape"), tap("s"); // labels for the new size: a tenth of the width, 44 rows up
    EXPECT_TRUE(wait_text("CERVENY: 0", 102 - 192, 724 - 144, rgb(255, 0, 0)));
    tap("Escape"), click(320, 325);
    ASSERT_TRUE(choose(325, 320, 240, "800/600") && choose(385, 336, 240, "24") && (click(520, 325), yes(800, 600, 24)));
    click(600, 120), tap("Escape");
    ASSERT_TRUE(wait(main_menu));
    EXPECT_EQ(quit(0, [] { click(320, 405); }), edit(DEFAULTS, {{2, "24 0 800 600"}, {5, "16711680 82 83 0"},
        {7, "65535 26 24 0"}, {9, "65280 14 13 1"}, {11, "16776960 39 40 0"}, {13, "16713983 17 1 0"},
        {15, "255 89 88 1"}, {17, "16745034 73 74 0"}, {19, "16745092 0 0 0"}}));

    ASSERT_TRUE(start(800, 600, 24) && (click(320, 325), wait_text("24", 340, 385)) && choose(355, 320, 260, "WINDOWED") &&
                choose(325, 320, 220, "640/480"));
    click(520, 385), tap("Escape"); // the back button's dialog closes on ESC,
    click(520, 385), click(120, 165), type("5"), tap("Return"); // on a release outside that opens a field,
    EXPECT_TRUE(wait_text("5", 272, 161) && wait_text("640/480", 340, 325));
    click(520, 385);
    ASSERT_TRUE(yes(640, 480, 24, "Graficky mod bol uspesne zmeneny.", true)); // and applies on ANO, staying
    click(600, 120, 3);
    ASSERT_TRUE(choose(385, 304, 240, "16"));
    click(520, 385), click(370, 250), click(320, 325); // NIE forgets the choice and leaves
    EXPECT_TRUE(wait_text("24", 340, 385) && wait_text("WINDOWED", 340, 355));
    std::remove((dir + "/paletka.tga").c_str()); // gone when the new depth loads the pictures again
    ASSERT_TRUE(choose(385, 304, 240, "16"));
    click(520, 325), click(270, 250);
    EXPECT_TRUE(exit_status() == 1 && said("Nemozem nacitat bitmapy")); // saved with the depth the colours now have
    EXPECT_EQ(read("talvon.dat"), edit(DEFAULTS, {{2, "16 2 640 480"}, {3, "1 50 5 74523 0.150000"}}));
}

// The display refuses 1024 x 768 x 32, and every mode from the fourth one asked for on.
TEST(Modes, ARefusedModeIsUndoneAndNoModeAtAllEndsTheGameSaved) {
    new_dir();
    ASSERT_TRUE(start(640, 480, 16, {"LD_PRELOAD=" REFUSE_MODE_LIBRARY, "TALVON_REFUSE_MODES=1024x768x32", "TALVON_REFUSE_FROM=4"}) &&
                (click(320, 325), choose(325, 320, 260, "1024/768")) && choose(385, 368, 240, "32"));
    click(520, 325);
    ASSERT_TRUE(yes(640, 480, 16, "Nepodarilo sa zmenit graficky mod.") && wait_text("640/480", 340, 325) && wait_text("16", 340, 385));
    click(600, 120, 3), click(520, 325); // nothing left to apply
    EXPECT_TRUE(wait_text("Graficky mod nebol zmeneny.", 320, 236));
    tap("Escape"), click(415, 245), type("30"), tap("Return");
    ASSERT_TRUE(wait_text("30", 567, 241) && choose(385, 272, 240, "15"));
    click(520, 325), click(270, 250);
    EXPECT_TRUE(exit_status() == 1 && said("Nemozem nastartovat graficky mod"));
    EXPECT_EQ(read("talvon.dat"), edit(DEFAULTS, {{3, "1 30 25 74523 0.150000"}}));
}
