// The steps of the match loop: starting a round and one frame.
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

// The draws follow slot order over the active slots only; switched-off
// slots keep whatever they held. Scores survive into the new round.
TEST_P(MatchLoop, StartRoundSpawnsTheActiveSlotsInOrderOnAFreshField)
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
        const Player &p = players[i], &e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p.score, 4);
        EXPECT_EQ(p.x, p.off ? -7.0f : e.x);
        EXPECT_EQ(p.dead, p.off ? 1 : 0);
        EXPECT_TRUE(p.off || (p.y == e.y && p.heading == e.heading)) << p.y << " " << p.heading;
    }
    EXPECT_EQ(getpixel(back_buffer, 100, 100), FIELD_BLACK);
    EXPECT_EQ(getpixel(back_buffer, 0, 0), FIELD_WHITE);
}

// Left adds the turn step, right takes it away, both apply both in that
// order: 0.1 + 0.15 - 0.15 is not 0.1 in float, so "both" shows. The mouse
// slot follows the buttons and ignores its keys, here slot 0's held left key.
TEST_P(MatchLoop, KeysTurnTheirOwnWormsAndTheMouseButtonsTheMouseSlotBeforeTheStep)
{
    const float s = settings.turn_step, both = (START_HEADING + s) - s;
    ASSERT_NE(both, START_HEADING);
    const float by_buttons[] = {START_HEADING, START_HEADING + s, START_HEADING - s, both};
    players[2].off = players[5].off = 0;
    players[MOUSE_PLAYER].key_left = KEY_LEFT;
    players[MOUSE_PLAYER].key_right = KEY_RIGHT;
    for (int buttons = 0; buttons < 4; buttons++) {
        line_up_worms();
        key[players[0].key_left] = 1;
        key[players[1].key_right] = 1;
        key[players[3].key_left] = key[players[3].key_right] = 1;
        mouse_b = buttons;
        const float expected[PLAYER_COUNT] = {
            START_HEADING + s, START_HEADING - s, START_HEADING, both,
            START_HEADING,     START_HEADING,     START_HEADING, by_buttons[buttons]};
        EXPECT_EQ(play_frame(8), 8);
        for (int i = 0; i < PLAYER_COUNT; i++) {
            float dx, dy;
            step_vector(WORM_SPEED, expected[i], dx, dy);
            EXPECT_EQ(players[i].heading, expected[i]) << "slot " << i << " buttons " << buttons;
            EXPECT_EQ(players[i].x, 60.0f + 70 * i + dx) << "slot " << i << " buttons " << buttons;
        }
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

// Switched-off (2) and dead (4) worms are neither turned, tested, drawn nor
// moved. Three worms facing a wall die in one frame, and the count falls by
// all three before anything compares it with the round's end.
TEST_P(MatchLoop, LeavesDeadAndSwitchedOffWormsAloneAndCountsEveryDeathOfTheFrame)
{
    line_up_worms();
    players[4].dead = 1;
    key[players[2].key_left] = key[players[4].key_left] = 1;
    for (int i : {0, 3, 7}) {
        players[i].heading = 0.0f;
        putpixel(back_buffer, (int)players[i].x, 103, FIELD_GREY);
    }
    EXPECT_EQ(play_frame(6), 3);
    EXPECT_EQ(dead_flags(), "10011001");
    for (int i : {2, 4}) {
        EXPECT_EQ(players[i].x, 60.0f + 70 * i) << "slot " << i;
        EXPECT_EQ(players[i].y, 100.0f) << "slot " << i;
        EXPECT_EQ(players[i].heading, START_HEADING) << "slot " << i;
        EXPECT_EQ(pixels_in_field(players[i].colour), 0) << "slot " << i;
    }
    EXPECT_GT(pixels_in_field(players[1].colour), 0);
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

INSTANTIATE_TEST_SUITE_P(Depths, MatchLoop, TEST_DEPTHS);
