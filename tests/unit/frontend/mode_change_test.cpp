// The parts of a graphics mode change that need no display: colours,
// the commit, and the comparison of the pending and committed modes.
#include "allegro_fixture.h"
#include "frontend.h"

class ModeChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_state();
        settings.gfx_card = 0;
        settings.screen_w = 640;
        settings.screen_h = 480;
        settings.color_depth = 16;
        reset_pending_mode();
    }
};

static void expect_colours(const int (&want)[PLAYER_COUNT])
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        EXPECT_EQ(players[i].colour, want[i])
            << "slot " << i << std::hex << " 0x" << players[i].colour;
}

// Each step unpacks to 8-bit red, green and blue by the old depth's tables
// and packs those by the new depth. Through 5-5-5 a 5-6-5 green comes back
// only where five bits can say it: violet's green 2 of 63 is 8 of 255, 1 of
// 31, 8 again and so 2; orange and pink's 32 is 130, 16 of 31, 132 and 33.
TEST_F(ModeChangeTest, ColoursOfEverySlotFollowTheDepth)
{
    ASSERT_TRUE(players[2].off && players[5].off); // switched off, converted too
    repack_player_colours(16, 32);
    expect_colours(
        {0xFF0000, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF08FF, 0x0000FF, 0xFF824A, 0xFF8284});
    repack_player_colours(32, 15);
    expect_colours({0x7C00, 0x03FF, 0x03E0, 0x7FE0, 0x7C3F, 0x001F, 0x7E09, 0x7E10});
    repack_player_colours(15, 16);
    expect_colours({0xF800, 0x07FF, 0x07E0, 0xFFE0, 0xF85F, 0x001F, 0xFC29, 0xFC30});
    repack_player_colours(16, 24);
    expect_colours(
        {0xFF0000, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF08FF, 0x0000FF, 0xFF864A, 0xFF8684});
}

TEST_F(ModeChangeTest, PendingDiffersInAnyOfItsFourFields)
{
    EXPECT_FALSE(pending_differs());
    const PendingMode changes[] = {{2, 640, 480, 16}, {0, 800, 480, 16}, {0, 640, 600, 16},
                                   {0, 640, 480, 32}};
    for (const PendingMode &p : changes) {
        pending = p;
        EXPECT_TRUE(pending_differs()) << p.card << " " << p.w << "x" << p.h << "x" << p.depth;
        reset_pending_mode();
        EXPECT_FALSE(pending_differs());
        EXPECT_EQ(pending.w, 640);
        EXPECT_EQ(pending.depth, 16);
    }
}

// What the driver set is the mode, even where it is not what was asked for.
TEST_F(ModeChangeTest, CommitTakesTheCardAndDepthAndTheSizeTheDriverSet)
{
    pending = {2, 1024, 768, 32};
    commit_pending_mode(1024, 768);
    EXPECT_EQ(settings.gfx_card, 2);
    EXPECT_EQ(settings.screen_w, 1024);
    EXPECT_EQ(settings.screen_h, 768);
    EXPECT_EQ(settings.color_depth, 32);
    EXPECT_FALSE(pending_differs());

    pending = {1, 800, 600, 15};
    commit_pending_mode(1280, 1024);
    EXPECT_EQ(settings.screen_w, 1280);
    EXPECT_EQ(settings.screen_h, 1024);
    EXPECT_EQ(pending.w, 1280);
    EXPECT_EQ(pending.h, 1024);
    EXPECT_EQ(settings.gfx_card, 1);
    EXPECT_EQ(settings.color_depth, 15);
    EXPECT_FALSE(pending_differs());
}
