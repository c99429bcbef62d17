// The steps of the match loop: counting, starting a round and one frame.
#include "match_fixture.h"

#include <climits>
#include <cmath>
#include <cstdlib>

using MatchLoop = MatchTest;

// Every slot on its own column of an open field, heading 0.1 (down, a little right).
static const float START_HEADING = 0.1f;

static void line_up_worms()
{
    start_round();
    for (int i = 0; i < PLAYER_COUNT; i++)
        put_worm(i, 60.0f + 70 * i, 100.0f, START_HEADING);
}

TEST(CountActivePlayers, CountsTheSlotsSwitchedOn)
{
    reset_state();
    EXPECT_EQ(count_active_players(), 6);
    for (Player &p : players)
        p.off = 0;
    EXPECT_EQ(count_active_players(), 8);
    for (Player &p : players)
        p.off = 1;
    EXPECT_EQ(count_active_players(), 0);
}

// The draws follow slot order over the active slots only; switched-off
// slots keep whatever they held. Scores survive into the new round.
TEST_P(MatchLoop, StartRoundSpawnsTheActiveSlotsInOrder)
{
    Player expected[PLAYER_COUNT] = {};
    srand(77);
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!players[i].off)
            spawn_worm(expected[i]);
    for (Player &p : players)
        p.x = -7, p.dead = 1, p.score = 4;
    putpixel(back_buffer, 100, 100, FIELD_WHITE);
    srand(77);
    EXPECT_EQ(start_round(), 6);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Player &p = players[i];
        EXPECT_EQ(p.score, 4);
        if (p.off) {
            EXPECT_EQ(p.x, -7.0f) << "slot " << i;
            EXPECT_EQ(p.dead, 1) << "slot " << i;
            continue;
        }
        EXPECT_EQ(p.x, expected[i].x) << "slot " << i;
        EXPECT_EQ(p.y, expected[i].y) << "slot " << i;
        EXPECT_EQ(p.heading, expected[i].heading) << "slot " << i;
        EXPECT_EQ(p.dead, 0) << "slot " << i;
    }
    EXPECT_EQ(getpixel(back_buffer, 100, 100), FIELD_BLACK);
    EXPECT_EQ(getpixel(back_buffer, 0, 0), FIELD_WHITE);
}

// Left adds the turn step, right takes it away, both apply both in that
// order: 0.1 + 0.15 - 0.15 is not 0.1 in float, so "both" shows.
TEST_P(MatchLoop, KeysTurnTheirOwnWormsBeforeTheStep)
{
    players[2].off = players[5].off = 0;
    line_up_worms();
    key[players[0].key_left] = 1;
    key[players[1].key_right] = 1;
    key[players[3].key_left] = key[players[3].key_right] = 1;
    const float s = settings.turn_step;
    const float expected[PLAYER_COUNT] = {
        START_HEADING + s, START_HEADING - s, START_HEADING, (START_HEADING + s) - s,
        START_HEADING,     START_HEADING,     START_HEADING, START_HEADING};
    ASSERT_NE(expected[3], START_HEADING);
    EXPECT_EQ(play_frame(8), 8);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        float dx, dy;
        step_vector(WORM_SPEED, expected[i], dx, dy);
        EXPECT_EQ(players[i].heading, expected[i]) << "slot " << i;
        EXPECT_EQ(players[i].x, 60.0f + 70 * i + dx) << "slot " << i;
    }
}

// The mouse slot follows the buttons and ignores its keys.
TEST_P(MatchLoop, TheMouseButtonsSteerTheMouseSlot)
{
    const float s = settings.turn_step;
    const struct { int buttons; float heading; } cases[] = {
        {0, START_HEADING}, {1, START_HEADING + s}, {2, START_HEADING - s},
        {3, (START_HEADING + s) - s},
    };
    players[MOUSE_PLAYER].key_left = KEY_LEFT;
    players[MOUSE_PLAYER].key_right = KEY_RIGHT;
    key[KEY_LEFT] = 1;
    for (const auto &c : cases) {
        line_up_worms();
        mouse_b = c.buttons;
        play_frame(6);
        EXPECT_EQ(players[MOUSE_PLAYER].heading, c.heading) << "buttons " << c.buttons;
        EXPECT_EQ(players[0].heading, START_HEADING + s) << "buttons " << c.buttons;
    }
}

// Switched-off and dead worms are neither turned, tested, drawn nor moved.
TEST_P(MatchLoop, LeavesDeadAndSwitchedOffWormsAlone)
{
    line_up_worms();
    players[4].dead = 1;
    key[players[2].key_left] = key[players[4].key_left] = 1;
    EXPECT_EQ(play_frame(5), 5);
    const int idle[] = {2, 4};
    for (int i : idle) {
        EXPECT_EQ(players[i].x, 60.0f + 70 * i) << "slot " << i;
        EXPECT_EQ(players[i].y, 100.0f) << "slot " << i;
        EXPECT_EQ(players[i].heading, START_HEADING) << "slot " << i;
        EXPECT_EQ(pixels_in_field(players[i].colour), 0) << "slot " << i;
    }
    EXPECT_GT(pixels_in_field(players[0].colour), 0);
}

// Three worms facing a wall die in one frame; the count falls by all three.
TEST_P(MatchLoop, TheLivingCountFallsByEveryDeathOfTheFrame)
{
    line_up_worms();
    const int doomed[] = {0, 3, 7};
    for (int i : doomed) {
        players[i].heading = 0.0f;
        putpixel(back_buffer, (int)players[i].x, 103, FIELD_GREY);
    }
    EXPECT_EQ(play_frame(6), 3);
    for (int i : doomed)
        EXPECT_EQ(players[i].dead, 1) << "slot " << i;
}

// The crashing worm still lays its segment into the obstacle and moves onto it.
TEST_P(MatchLoop, ACrashedWormsLastSegmentIsDrawn)
{
    // The obstacle at (x, y); the band reaches one pixel beyond, to (bx, by).
    const struct { float heading; int x, y, bx, by; } crashes[] = {
        {0.0f, 100, 103, 100, 104},          // down
        {(float)M_PI_2, 103, 100, 104, 100}, // right
    };
    for (const auto &c : crashes) {
        line_up_worms();
        put_worm(0, 100, 100, c.heading);
        putpixel(back_buffer, c.x, c.y, FIELD_GREY);
        play_frame(6);
        EXPECT_EQ(players[0].dead, 1);
        EXPECT_EQ(players[0].x, (float)c.x);
        EXPECT_EQ(players[0].y, (float)c.y);
        EXPECT_EQ(getpixel(back_buffer, c.x, c.y), players[0].colour);
        EXPECT_EQ(getpixel(back_buffer, c.bx, c.by), players[0].colour);
    }
}

// Codes the key array does not have never turn a worm, even with every key held.
TEST_P(MatchLoop, KeyCodesOutsideTheKeyArrayAreIgnored)
{
    line_up_worms();
    for (int k = 0; k < KEY_MAX; k++)
        key[k] = 1;
    const int codes[][2] = {{KEY_MAX, 100000}, {-5, INT_MIN}, {INT_MAX, 128}};
    for (int i = 0; i < 3; i++) {
        players[i].key_left = codes[i][0];
        players[i].key_right = codes[i][1];
    }
    play_frame(6);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(players[i].heading, START_HEADING) << "slot " << i;
}

INSTANTIATE_TEST_SUITE_P(Depths, MatchLoop, MATCH_DEPTHS);
