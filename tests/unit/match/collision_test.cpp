// Pixel collision, the trail owner lookup and the points of a crash.
#include "match_fixture.h"

#include <cmath>

using Collision = MatchTest;

TEST_P(Collision, FindsTheLowestActiveSlotOfAColourDeadOrAlive)
{
    players[1].colour = players[3].colour = players[5].colour = 1234;
    players[1].off = 1;
    players[3].dead = 1;
    EXPECT_EQ(find_player_by_colour(1234), 3);
    EXPECT_EQ(find_player_by_colour(players[0].colour), 0);
    EXPECT_EQ(find_player_by_colour(4321), -1);
    players[3].off = players[5].off = 1;
    EXPECT_EQ(find_player_by_colour(1234), -1);
}

// Worm 0 at (100, 100) heading down tests (100, 103), where the obstacle goes.
static void aim_worm_0_at(int colour)
{
    putpixel(back_buffer, 100, 103, colour);
}

// A wall's colour worn by active slot 3 and by slot 2, switched off by default.
static void aim_at_worn(int wall)
{
    put_worm(3, 300, 300, 0.0f);
    players[3].colour = players[2].colour = wall;
    aim_worm_0_at(wall);
}

// Only a living active owner scores; walls score for nobody unless an active
// living player wears their colour. Testing never draws or moves anything.
TEST_P(Collision, CrashesOnAnythingButBlackAndPaysOnlyALivingOwner)
{
    static const char NOBODY[] = "0 0 0 0 0 0 0 0";
    const struct { const char *what; void (*arrange)(); int deaths; const char *scores, *dead; }
        CASES[] = {
        {"black, grey only inside the band", [] { putpixel(back_buffer, 100, 102, FIELD_GREY); },
         0, NOBODY, "00000000"},
        {"own trail", [] { aim_worm_0_at(players[0].colour); }, 1, NOBODY, "10000000"},
        {"dead owner", [] { players[1].dead = 1, aim_worm_0_at(players[1].colour); }, 1, NOBODY,
         "11000000"},
        {"living owner", [] { put_worm(1, 300, 300, 0), aim_worm_0_at(players[1].colour); }, 1,
         "0 1 0 0 0 0 0 0", "10000000"},
        {"frame grey", [] { aim_worm_0_at(FIELD_GREY); }, 1, NOBODY, "10000000"},
        {"frame white", [] { aim_worm_0_at(FIELD_WHITE); }, 1, NOBODY, "10000000"},
        {"panel dark grey", [] { aim_worm_0_at(FIELD_DARK_GREY); }, 1, NOBODY, "10000000"},
        {"grey worn", [] { aim_at_worn(FIELD_GREY); }, 1, "0 0 0 1 0 0 0 0", "10000000"},
        {"white worn", [] { aim_at_worn(FIELD_WHITE); }, 1, "0 0 0 1 0 0 0 0", "10000000"},
        {"dark grey worn", [] { aim_at_worn(FIELD_DARK_GREY); }, 1, "0 0 0 1 0 0 0 0",
         "10000000"},
        // Outside the bitmap getpixel reads -1: a crash, no owner.
        {"beyond the bitmap", [] { put_worm(0, 100, 477, 0.0f); }, 1, NOBODY, "10000000"},
        {"colour shared by slots 1 and 3", [] {
             players[3].colour = players[1].colour;
             put_worm(1, 300, 300, 0), put_worm(3, 400, 300, 0);
             aim_worm_0_at(players[1].colour);
         }, 1, "0 1 0 0 0 0 0 0", "10000000"},
        {"colour shared, slot 1 dead", [] {
             players[3].colour = players[1].colour;
             players[1].dead = 1, put_worm(3, 400, 300, 0);
             aim_worm_0_at(players[1].colour);
         }, 1, NOBODY, "11000000"},
    };
    for (const auto &c : CASES) {
        SCOPED_TRACE(c.what);
        SetUp();
        put_worm(0, 100, 100, 0.0f);
        c.arrange();
        const float x = players[0].x, y = players[0].y;
        EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), c.deaths);
        EXPECT_EQ(scores(), c.scores);
        EXPECT_EQ(dead_flags(), c.dead);
        EXPECT_EQ(players[0].x, x);
        EXPECT_EQ(players[0].y, y);
    }
}

// Worm 0 runs into worm 1's trail; worm 1 heads down, so its next head is
// (ox, oy + 3). Both die when that point is in the 3 x 3 box around worm 0's
// head, the box's sides truncated toward zero.
TEST_P(Collision, HeadOnKillsBothWhenTheOwnersNextHeadIsWithinOnePixel)
{
    static const struct { float x, y, ox, oy; int deaths; } CASES[] = {
        {100, 100, 101, 98, 2},     // (101, 101): a corner of the box
        {100, 100, 99, 96, 2},      // (99, 99): the opposite corner
        {100, 100, 100, 97, 2},     // (100, 100): head to head
        {100, 100, 102, 98, 1},     // (102, 101): one column right of the box
        {100, 100, 98, 98, 1},      // (98, 101): one column left
        {100, 100, 101, 99, 1},     // (101, 102): one row below
        {100, 100, 100, 95, 1},     // (100, 98): one row above
        {100.6f, 100.6f, 99, 96, 2}, // box 99..101, not rounded to 100..102
        {100.6f, 100.6f, 101.9f, 98, 2},
        {100.6f, 100.6f, 102, 98, 1},
    };
    for (const auto &c : CASES) {
        SCOPED_TRACE(::testing::Message() << "worm 1 at " << c.ox << ", " << c.oy);
        for (Player &p : players)
            p.score = 0;
        put_worm(0, c.x, c.y, 0.0f);
        put_worm(1, c.ox, c.oy, 0.0f);
        putpixel(back_buffer, (int)c.x, (int)(c.y + 3), players[1].colour);
        EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), c.deaths);
        EXPECT_EQ(players[0].dead, 1);
        EXPECT_EQ(players[1].dead, c.deaths == 2);
        EXPECT_EQ(scores(), c.deaths == 2 ? "1 1 0 0 0 0 0 0" : "0 1 0 0 0 0 0 0");
    }
}

// In a frame of slots 0 and 1, both heading down, the runner comes from
// (100, 100) onto the owner's pixel at (100, 103). A lower owner has already
// moved this frame: from (101, 93) to (101, 96), next head (101, 99), inside
// the box. A higher one has not: its next head from (101, 98) is (101, 101),
// inside the box; killed there, it neither draws nor moves.
TEST_P(Collision, HeadOnInAFrameSeesTheOwnerWhereItIsAtThatMoment)
{
    static const struct { int owner; float ox, oy, owner_y_after; } CASES[] = {
        {0, 101, 93, 96},
        {1, 101, 98, 98},
    };
    for (const auto &c : CASES) {
        SCOPED_TRACE(c.owner == 0 ? "lower owner" : "higher owner");
        SetUp();
        for (int i = 2; i < PLAYER_COUNT; i++)
            players[i].off = 1;
        put_worm(c.owner, c.ox, c.oy, 0.0f);
        put_worm(1 - c.owner, 100, 100, 0.0f);
        putpixel(back_buffer, 100, 103, players[c.owner].colour);
        EXPECT_EQ(play_frame(2), 0);
        EXPECT_EQ(dead_flags(), "11000000");
        EXPECT_EQ(scores(), "1 1 0 0 0 0 0 0");
        EXPECT_EQ(players[c.owner].x, c.ox);
        EXPECT_EQ(players[c.owner].y, c.owner_y_after);
        // A crash redraws the panel at once.
        EXPECT_TRUE(text_shown("CERVENY: 1", 64, 436, players[0].colour));
        EXPECT_TRUE(text_shown("BELASY: 1", 192, 436, players[1].colour));
        EXPECT_EQ(pixels_in_field(players[1].colour) == 0, c.owner == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, Collision, TEST_DEPTHS);
