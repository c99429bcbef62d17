// Pixel collision, the trail owner lookup and the points of a crash.
#include "match_fixture.h"

#include <cmath>

using Collision = MatchTest;

// Worm 0 at (100, 100) heading down tests (100, 103), where the obstacle goes.
static void aim_worm_0_at(int colour)
{
    put_worm(0, 100, 100, 0.0f);
    putpixel(back_buffer, 100, 103, colour);
}

static int scores_total()
{
    int total = 0;
    for (const Player &p : players)
        total += p.score;
    return total;
}

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

TEST_P(Collision, BlackIsFreeSpace)
{
    put_worm(0, 100, 100, 0.0f);
    putpixel(back_buffer, 100, 102, FIELD_GREY); // inside the band, not tested
    EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 0);
    EXPECT_EQ(players[0].dead, 0);
    EXPECT_EQ(players[0].y, 100.0f); // nothing moves
}

TEST_P(Collision, OwnTrailKillsAndNobodyScores)
{
    aim_worm_0_at(players[0].colour);
    EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(scores_total(), 0);
}

TEST_P(Collision, ADeadOwnersTrailKillsAndNobodyScores)
{
    players[1].dead = 1;
    aim_worm_0_at(players[1].colour);
    EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(scores_total(), 0);
}

TEST_P(Collision, ALivingOwnerScoresAKillPoint)
{
    put_worm(1, 300, 300, 0.0f);
    aim_worm_0_at(players[1].colour);
    EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(players[1].dead, 0);
    EXPECT_EQ(players[1].score, 1);
    EXPECT_EQ(players[0].score, 0);
}

// Walls score for nobody, unless an active living player wears their colour.
TEST_P(Collision, WallsScoreOnlyForAnActivePlayerOfTheirColour)
{
    const int walls[] = {FIELD_GREY, FIELD_WHITE, FIELD_DARK_GREY};
    for (int wall : walls) {
        for (Player &p : players)
            p.score = 0;
        aim_worm_0_at(wall);
        EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
        EXPECT_EQ(players[0].dead, 1);
        EXPECT_EQ(scores_total(), 0) << std::hex << wall;

        put_worm(3, 300, 300, 0.0f);
        players[3].colour = wall;
        players[2].colour = wall; // switched off by default: never owns
        aim_worm_0_at(wall);
        EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
        EXPECT_EQ(players[3].score, 1) << std::hex << wall;
        EXPECT_EQ(scores_total(), 1);
        players[3].colour = players[2].colour = 1;
    }
}

// Outside the bitmap getpixel reads -1: a crash, no owner.
TEST_P(Collision, LeavingTheBitmapIsACrash)
{
    put_worm(0, 638, 100, (float)M_PI_2);
    EXPECT_EQ(resolve_collision(0, 3.0f, 0.0f), 1);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(scores_total(), 0);
}

TEST_P(Collision, SharedColourBelongsToTheLowerSlotEvenWhenDead)
{
    players[3].colour = players[1].colour;
    put_worm(1, 300, 300, 0.0f);
    put_worm(3, 400, 300, 0.0f);
    aim_worm_0_at(players[1].colour);
    resolve_collision(0, 0.0f, 3.0f);
    EXPECT_EQ(players[1].score, 1);
    EXPECT_EQ(players[3].score, 0);

    players[1].dead = 1;
    aim_worm_0_at(players[1].colour);
    EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), 1);
    EXPECT_EQ(players[1].score, 1);
    EXPECT_EQ(players[3].score, 0);
}

// Worm 0 runs into worm 1's trail; worm 1 heads down, so its next head is
// (ox, oy + 3). Both die when that point is in the 3 x 3 box around worm 0's
// head, the box's sides truncated toward zero.
struct HeadOnCase {
    float x, y;   // worm 0's head
    float ox, oy; // worm 1's head
    int deaths;
};

static const HeadOnCase HEAD_ON_CASES[] = {
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

TEST_P(Collision, HeadOnKillsBothWhenTheOwnersNextHeadIsWithinOnePixel)
{
    for (const HeadOnCase &c : HEAD_ON_CASES) {
        for (Player &p : players)
            p.score = 0;
        put_worm(0, c.x, c.y, 0.0f);
        put_worm(1, c.ox, c.oy, 0.0f);
        putpixel(back_buffer, (int)c.x, (int)(c.y + 3), players[1].colour);
        const std::string at = "worm 1 at " + std::to_string(c.ox) + ", " + std::to_string(c.oy);
        EXPECT_EQ(resolve_collision(0, 0.0f, 3.0f), c.deaths) << at;
        EXPECT_EQ(players[0].dead, 1) << at;
        EXPECT_EQ(players[1].dead, c.deaths == 2) << at;
        EXPECT_EQ(players[1].score, 1) << at;
        EXPECT_EQ(players[0].score, c.deaths == 2) << at;
    }
}

// Slots 0 and 1 only, both heading down; the pixel at (100, 103) belongs to
// the owner and the runner comes from (100, 100).
class HeadOnInFrame : public MatchTest {
protected:
    void SetUp() override
    {
        MatchTest::SetUp();
        for (int i = 2; i < PLAYER_COUNT; i++)
            players[i].off = 1;
    }
};

// The lower slot has already moved this frame when the higher one crashes:
// from (101, 93) to (101, 96), next head (101, 99), inside the box.
TEST_P(HeadOnInFrame, SeesALowerOwnerWhereItHasAlreadyMoved)
{
    put_worm(0, 101, 93, 0.0f);
    put_worm(1, 100, 100, 0.0f);
    putpixel(back_buffer, 100, 103, players[0].colour);
    EXPECT_EQ(play_frame(2), 0);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(players[1].dead, 1);
    EXPECT_EQ(players[0].score, 1);
    EXPECT_EQ(players[1].score, 1);
    // A crash redraws the panel at once.
    EXPECT_TRUE(text_shown("CERVENY: 1", 64, 436, players[0].colour));
    EXPECT_TRUE(text_shown("BELASY: 1", 192, 436, players[1].colour));
}

// The higher slot has not moved yet: its next head from (101, 98) is
// (101, 101), inside the box; killed there, it neither draws nor moves.
TEST_P(HeadOnInFrame, SeesAHigherOwnerWhereItStillIs)
{
    put_worm(0, 100, 100, 0.0f);
    put_worm(1, 101, 98, 0.0f);
    putpixel(back_buffer, 100, 103, players[1].colour);
    EXPECT_EQ(play_frame(2), 0);
    EXPECT_EQ(players[0].dead, 1);
    EXPECT_EQ(players[1].dead, 1);
    EXPECT_EQ(players[0].score, 1);
    EXPECT_EQ(players[1].score, 1);
    EXPECT_EQ(players[1].x, 101.0f);
    EXPECT_EQ(players[1].y, 98.0f);
    EXPECT_EQ(pixels_in_field(players[1].colour), 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, Collision, MATCH_DEPTHS);
INSTANTIATE_TEST_SUITE_P(Depths, HeadOnInFrame, MATCH_DEPTHS);
