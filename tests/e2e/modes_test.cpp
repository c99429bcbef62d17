// Graphics modes: a new size, depth and card, with the colours carried and the labels placed.
#include "harness.h"

// Opens a line's popup, chooses in it, and waits for the choice to show as the line's value.
static bool choose(Field line, Place choice, const char *value)
{
    click(line.click);
    click(choice);
    return wait_text(value, line.value);
}

TEST(Modes, ANewModeCarriesTheColoursPlacesTheLabelsAndIsSaved)
{
    new_dir();
    start();
    click(OPTIONS);
    ASSERT_TRUE(choose(RESOLUTION, LINES[2], "1024/768"));
    ASSERT_TRUE(choose(DEPTH, DEPTHS[3], "32"));
    ASSERT_TRUE(choose(CARD, LINES[1], "FULLSCREEN"));
    click(APPLY);
    click(ANO);
    game.w = 1024; // what the harness now grabs
    game.h = 768;
    EXPECT_TRUE(wait_text("Graficky mod bol uspesne zmeneny.", MESSAGE));
    click(NOWHERE, 3);
    ASSERT_TRUE(choose(DEPTH, DEPTHS[1], "16"));
    click(OPTIONS_BACK);
    click(NIE); // forgets the choice and leaves
    click(OPTIONS);
    EXPECT_TRUE(wait_text("32", DEPTH.value));
    tap("Escape s"); // slot 0's label: a tenth of the width across, 44 rows up
    EXPECT_TRUE(wait_text("CERVENY: 0", {102 - 192, 724 - 144}, makecol16(255, 0, 0)));
    tap("Escape");
    const std::string saved = // every colour repacked from 16 bits
        edit(DEFAULTS,
             {{2, "32 1 1024 768"},
              {5, "16711680 82 83 0"},
              {7, "65535 26 24 0"},
              {9, "65280 14 13 1"},
              {11, "16776960 39 40 0"},
              {13, "16713983 17 1 0"},
              {15, "255 89 88 1"},
              {17, "16745034 73 74 0"},
              {19, "16745092 0 0 0"}});
    click(QUIT);
    EXPECT_EQ(quit(), saved);
}

// The display refuses 1024 x 768, and every mode from the fourth one asked for on: the first
// change is undone, the next one leaves the game no mode at all, and it ends with the file saved.
TEST(Modes, ARefusedModeIsUndoneAndNoModeAtAllEndsTheGameSaved)
{
    new_dir();
    start({"LD_PRELOAD=" REFUSE_MODE_LIBRARY, "TALVON_REFUSE_MODES=1024x768",
           "TALVON_REFUSE_FROM=4"});
    click(OPTIONS);
    click(TARGET.click);
    tap("3 0 Return");
    ASSERT_TRUE(choose(RESOLUTION, LINES[2], "1024/768"));
    ASSERT_TRUE(choose(DEPTH, DEPTHS[3], "32"));
    click(APPLY);
    click(ANO);
    EXPECT_TRUE(wait_text("Nepodarilo sa zmenit graficky mod.", MESSAGE));
    click(NOWHERE, 3);
    EXPECT_TRUE(wait_text("640/480", RESOLUTION.value));
    ASSERT_TRUE(choose(DEPTH, DEPTHS[0], "15"));
    click(APPLY);
    click(ANO);
    EXPECT_EQ(quit(1), edit(DEFAULTS, {{3, "1 30 25 74523 0.150000"}}));
    EXPECT_NE(read("out.txt").find("Nemozem nastartovat graficky mod"), std::string::npos);
}
