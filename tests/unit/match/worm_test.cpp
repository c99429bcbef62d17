// Worm motion, spawning and the trail band.
#include "match_fixture.h"

#include <climits>
#include <cmath>
#include <cstdlib>

// ---------------------------------------------------------------- step_vector

// 0 points down, pi/2 right. On screen, with y growing downwards, a positive
// cross product of the (x, -y) vectors is a counter-clockwise turn.
TEST(StepVector, PointsDownAtZeroRightAtHalfPiAndTurnsLeftAsTheHeadingGrows)
{
    float dx, dy, dx1, dy1;
    step_vector(WORM_SPEED, 0.0f, dx, dy);
    EXPECT_TRUE(dx == 0.0f && dy == 3.0f) << dx << ", " << dy;
    step_vector(WORM_SPEED, (float)M_PI_2, dx, dy);
    EXPECT_EQ(dx, 3.0f);
    EXPECT_NEAR(dy, 0.0f, 1e-6);
    for (float h = -6.0f; h < 6.0f; h += 0.5f) {
        step_vector(WORM_SPEED, h, dx, dy);
        step_vector(WORM_SPEED, h + 0.15f, dx1, dy1);
        EXPECT_GT(dy * dx1 - dx * dy1, 0.0f) << "heading " << h;
    }
}

// ---------------------------------------------------------------- spawn

// A small screen whose field leaves 4 x 6 spawn points: x 23..26, y 23..28,
// around the centre (25, 26).
static const int SMALL_W = 50;
static const int SMALL_H = 112;
static const int SMALL_CX = 25;
static const int SMALL_CY = 26;

static Player spawned_with_seed(unsigned seed)
{
    Player p = {};
    p.dead = 1;
    srand(seed);
    spawn_worm(p);
    return p;
}

// The point the two draws of the seed give before the nudge.
static void raw_spawn_point(unsigned seed, int &x, int &y)
{
    srand(seed);
    x = rand() % (SMALL_W - 46) + 23;
    y = rand() % (SMALL_H - 106) + 23;
}

// From (cx, cy - 1) the nudge lands on the centre row: the quotient is -1/0,
// atan gives -pi/2 and pi is added, the heading stored as a float after each
// step, which leaves it one float step below pi/2. The worm heads right.
TEST(Spawn, StepsOffTheCentresColumnAndRowDiagonallyAndOnTheCentreRowHeadsRight)
{
    reset_state();
    settings.screen_w = SMALL_W;
    settings.screen_h = SMALL_H;
    int on_column = 0, on_row = 0, untouched = 0, onto_row = 0;
    for (unsigned seed = 1; seed <= 300; seed++) {
        int x, y;
        raw_spawn_point(seed, x, y);
        const bool nudged = x == SMALL_CX || y == SMALL_CY;
        on_column += x == SMALL_CX;
        on_row += y == SMALL_CY;
        untouched += !nudged;
        const Player p = spawned_with_seed(seed);
        ASSERT_EQ(p.x, (float)(x + nudged)) << "seed " << seed;
        ASSERT_EQ(p.y, (float)(y + nudged)) << "seed " << seed;
        ASSERT_EQ(p.dead, 0);
        if (x != SMALL_CX || y != SMALL_CY - 1)
            continue;
        onto_row++;
        EXPECT_EQ(p.heading, (float)((double)(float)-M_PI_2 + M_PI));
        EXPECT_EQ(p.heading, std::nextafter((float)M_PI_2, 0.0f));
        float dx, dy;
        step_vector(WORM_SPEED, p.heading, dx, dy);
        EXPECT_EQ(dx, 3.0f);
        EXPECT_EQ((int)(p.y + dy), SMALL_CY);
    }
    EXPECT_GT(on_column, 0);
    EXPECT_GT(on_row, 0);
    EXPECT_GT(untouched, 0);
    EXPECT_GT(onto_row, 0);
}

// x lies in 23..W-24 and y in 23..H-84; only the nudge can add one, and then
// only from the centre's row or column. The heading points at the field
// centre: upward from the centre row down, downward above it.
TEST(Spawn, StaysWithinTheMarginsAndHeadsForTheFieldCentre)
{
    for (const auto &[w, h] : {std::pair{640, 480}, {1024, 768}}) {
        reset_state();
        const int cx = w / 2, cy = (h - 60) / 2;
        settings.screen_w = w;
        settings.screen_h = h;
        int min_x = INT_MAX, max_x = 0, min_y = INT_MAX, max_y = 0, above = 0, below = 0;
        for (unsigned seed = 1; seed <= 20000; seed++) {
            const Player p = spawned_with_seed(seed);
            const int x = (int)p.x, y = (int)p.y;
            ASSERT_TRUE(x <= w - 24 || (x == w - 23 && y == cy + 1)) << x << ", " << y;
            ASSERT_TRUE(y <= h - 84 || (y == h - 83 && x == cx + 1)) << x << ", " << y;
            min_x = std::min(min_x, x), max_x = std::max(max_x, x);
            min_y = std::min(min_y, y), max_y = std::max(max_y, y);
            if (y == cy)
                continue; // heading right, above
            const double tx = cx - p.x, ty = cy - p.y;
            const double sx = std::sin((double)p.heading), sy = std::cos((double)p.heading);
            ASSERT_GT(sx * tx + sy * ty, 0.0) << "seed " << seed;
            ASSERT_NEAR(sx * ty - sy * tx, 0.0, 1e-5 * std::hypot(tx, ty)) << "seed " << seed;
            ASSERT_EQ(sy > 0, y < cy) << "seed " << seed;
            (y < cy ? above : below)++;
        }
        EXPECT_EQ(min_x, 23);
        EXPECT_EQ(min_y, 23);
        EXPECT_GE(max_x, w - 24);
        EXPECT_GE(max_y, h - 84);
        EXPECT_TRUE(above > 0 && below > 0) << above << " " << below;
    }
}

// Where the margins leave no room (W <= 46, H <= 106) the worm starts at the
// margin, plus the nudge, instead of dividing by zero or by a negative
// number; where they leave some, the formula holds.
static bool within_spawn_room(float v, long long size, int used)
{
    const long long room = size - used > 0 ? size - used : 1;
    return v >= 23 && v <= 23 + room; // the last one only by the nudge
}

TEST(Spawn, SurvivesScreensTooSmallForTheField)
{
    const int sizes[] = {INT_MIN, -500, -1, 0, 1, 46, 47, 48, 106, 107, 108};
    for (int w : sizes)
        for (int h : sizes) {
            reset_state();
            settings.screen_w = w;
            settings.screen_h = h;
            const Player p = spawned_with_seed(7);
            const std::string size = std::to_string(w) + " x " + std::to_string(h);
            EXPECT_TRUE(within_spawn_room(p.x, w, 46)) << size << ": " << p.x;
            EXPECT_TRUE(within_spawn_room(p.y, h, 106)) << size << ": " << p.y;
            EXPECT_TRUE(std::isfinite(p.heading)) << size;
            EXPECT_EQ(p.dead, 0) << size;
        }
}

// ---------------------------------------------------------------- trail band

using TrailBand = MatchTest;

// Six segments side by side, each from (ox, 4): down-right from ox 2, down-left
// from 11, up-right from 16, up-left from 25, each by 2 pixels a way; straight
// down by 3 from 30, straight right by 3 from 35. An unchanged x counts as
// moving left, an unchanged y as moving up. Hand-drawn from the six shifted
// lines; the start (ox, 4) itself is never drawn.
TEST_P(TrailBand, LaysTheShiftedLinesAroundTheCentreLine)
{
    static const char BANDS[] =
        ".........................................\n"
        ".................###..###................\n"
        "................####..####...............\n"
        "...#......#....#####..#####..#....######.\n"
        "...##....##......##....##....#......####.\n"
        ".#####..#####....#......#....###....####.\n"
        "..####..####.................###.........\n"
        "...###..###..................###.........\n"
        ".............................###.........\n"
        ".........................................\n";
    static const struct { int ox, dx, dy; } SEGMENTS[] = {
        {2, 2, 2}, {11, -2, 2}, {16, 2, -2}, {25, -2, -2}, {30, 0, 3}, {35, 3, 0}};
    const int colour = makecol(255, 0, 0);
    for (const auto &s : SEGMENTS)
        draw_trail_segment(back_buffer, s.ox, 4, s.ox + s.dx, 4 + s.dy, colour);
    EXPECT_EQ(pixel_map(back_buffer, 0, 0, 41, 10, colour), BANDS);
}

// A worm going straight on tests a point beyond the band it has just laid.
TEST_P(TrailBand, AStraightWormNeverRunsIntoItsOwnFreshSegment)
{
    for (int i = 1; i < PLAYER_COUNT; i++)
        players[i].off = 1;
    const float offsets[] = {0.0f, 0.3f, 0.7f};
    for (float heading = 0.0f; heading < 6.3f; heading += 0.05f)
        for (float offset : offsets) {
            int living = start_round();
            put_worm(0, 320 + offset, 210 + offset, heading);
            for (int frame = 0; frame < 60; frame++)
                living = play_frame(living);
            ASSERT_EQ(players[0].dead, 0) << "heading " << heading << " offset " << offset;
            ASSERT_EQ(living, 1);
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, TrailBand, TEST_DEPTHS);
