// The end of a round: survivors' points and results, the draw message and
// the winners box.
#include "match_fixture.h"

#include <vector>

using RoundEnd = MatchTest;

TEST_P(RoundEnd, OneSurvivorGetsTwoPointsAndIsNamed)
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        players[i].score = i, players[i].dead = i != 3;
    tick_ms = 1234;
    draw_play_field();
    finish_round();
    for (int i = 0; i < PLAYER_COUNT; i++)
        EXPECT_EQ(players[i].score, i == 3 ? 5 : i) << "slot " << i;

    Bitmap expected = unlabelled_field();
    for (int i : {0, 1, 3, 4, 6, 7})
        draw_label(expected.get(), players[i]);
    textout_centre_ex(expected.get(), font, "0:01:23", 320, 436, FIELD_GREY, 0);
    textout_centre_ex(expected.get(), font, "ZLTY", 320, 458, players[3].colour, 0);
    EXPECT_TRUE(same_pixels(expected.get(), back_buffer));
}

// The box around a survivor's label is as wide as the label will be once
// the 2 points are added: (name, ": ", digits of the new score, and one more
// character) at half a character a side, less 2 pixels on the right.
TEST_P(RoundEnd, SeveralSurvivorsAreBoxedAndTheDeadOnlyRelabelled)
{
    static const struct { int slot, score, left, right; } BOXES[] = { // rows label_y - 4 .. + 10
        {0, 7, 20, 106},    // "CERVENY", 9 has one digit
        {1, 8, 148, 234},   // "BELASY", 10 has two
        {3, 97, 540, 610},  // "ZLTY", 99
        {4, 98, 12, 114},   // "FIALOVY", 100 has three
        {6, 997, 392, 502}, // "ORANZOVY", 999
        {7, 998, 524, 626}, // "RUZOVY", 1000 has four
    };
    settings.round_end_survivors = 3;
    for (const auto &c : BOXES)
        players[c.slot].score = c.score;
    players[2].off = 0, players[2].dead = 1, players[2].score = 5;
    players[5].score = 40; // switched off: no label, no points
    tick_ms = 1234;
    draw_play_field();
    finish_round();

    Bitmap expected = unlabelled_field();
    for (const auto &c : BOXES) {
        const Player &p = players[c.slot];
        EXPECT_EQ(p.score, c.score + 2) << "slot " << c.slot;
        rect(expected.get(), c.left, p.label_y - 4, c.right, p.label_y + 10, p.colour);
        draw_label(expected.get(), p);
    }
    draw_label(expected.get(), players[2]);
    textout_centre_ex(expected.get(), font, "0:01:23", 320, 436, FIELD_GREY, 0);
    textout_centre_ex(expected.get(), font, "HRAJ!", 320, 458, FIELD_GREY, 0);
    EXPECT_TRUE(same_pixels(expected.get(), back_buffer));
    EXPECT_EQ(players[2].score, 5);
    EXPECT_EQ(players[5].score, 40);
}

// With a threshold of 2 a lone survivor is boxed and "HRAJ!" shown, not its name.
TEST_P(RoundEnd, TheFormFollowsTheThresholdNotTheSurvivorCount)
{
    settings.round_end_survivors = 2;
    for (int i = 1; i < PLAYER_COUNT; i++)
        players[i].dead = 1;
    players[0].score = 7;
    draw_play_field();
    finish_round();
    EXPECT_EQ(players[0].score, 9);
    EXPECT_EQ(getpixel(back_buffer, 20, 432), players[0].colour);
    EXPECT_EQ(getpixel(back_buffer, 106, 446), players[0].colour);
    EXPECT_TRUE(text_shown("HRAJ!", 320, 458, FIELD_GREY));
}

TEST_P(RoundEnd, ADrawSaysSoUnderTheClockOnBlackCells)
{
    draw_play_field();
    rectfill(back_buffer, 250, 450, 390, 470, UNUSED_COLOUR);
    draw_draw_message();
    EXPECT_TRUE(text_shown("Nerozhodna hra", 320, 458, FIELD_GREY));
}

TEST_P(RoundEnd, NoWinnerDrawsNothing)
{
    players[2].score = 60; // switched off
    players[0].score = 49;
    draw_play_field();
    Bitmap before = copy_of(back_buffer);
    EXPECT_EQ(show_match_winners(), 0);
    EXPECT_TRUE(same_pixels(before.get(), back_buffer));
}

// The box spans columns left..right and rows top..bottom (the grey outline),
// with a raised frame just outside and a sunken one just inside.
static void expect_winners_box(int left, int top, int right, int bottom)
{
    const int mid = (left + right) / 2;
    const struct { int x, y, colour; } points[] = {
        {left - 1, top - 1, FIELD_WHITE},         {right + 1, top - 1, FIELD_DARK_GREY},
        {left - 1, bottom + 1, FIELD_WHITE},      {right + 1, bottom + 1, FIELD_DARK_GREY},
        {mid, top - 1, FIELD_WHITE},              {mid, bottom + 1, FIELD_DARK_GREY},
        {left, top, FIELD_GREY},                  {right, bottom, FIELD_GREY},
        {left, bottom, FIELD_GREY},               {mid, top, FIELD_GREY},
        {left + 1, top + 1, FIELD_DARK_GREY},     {right - 1, top + 1, FIELD_WHITE},
        {left + 1, bottom - 1, FIELD_DARK_GREY},  {right - 1, bottom - 1, FIELD_WHITE},
        {mid, top + 1, FIELD_DARK_GREY},          {mid, bottom - 1, FIELD_WHITE},
        {left + 2, top + 2, FIELD_BLACK},         {right - 2, bottom - 2, FIELD_BLACK},
        {left - 2, top - 2, players[0].colour},   {right + 2, bottom + 2, players[0].colour},
    };
    for (const auto &p : points)
        EXPECT_EQ(getpixel(back_buffer, p.x, p.y), p.colour) << p.x << ", " << p.y;
}

// The field is painted in slot 0's colour first, so that pixels just outside
// the box show that the box did not reach them.
static void paint_field()
{
    draw_play_field();
    rectfill(back_buffer, 4, 4, 636, 416, players[0].colour);
}

// Slots 2 and 5 are switched off, slot 3 is dead. The box's top lies 8 rows
// above the title and its bottom at (420 + 15 * (winners + 2)) / 2.
TEST_P(RoundEnd, WinnersAreListedInSlotOrderDeadOrAliveUnderVyhralOrVyhrali)
{
    const struct {
        int target, scores[PLAYER_COUNT], title_y, bottom;
        const char *title;
        std::vector<int> winners;
    } CASES[] = {
        {10, {0, 9, 0, 0, 12, 99, 0, 0}, 202, 232, "Vyhral", {4}}, // (420 - 15) / 2
        {10, {12, 9, 50, 10, 0, 0, 0, 30}, 187, 247, "Vyhrali", {0, 3, 7}},
        {0, {}, 165, 270, "Vyhrali", {0, 1, 3, 4, 6, 7}}, // target 0: every active player
    };
    for (const auto &c : CASES) {
        SCOPED_TRACE(c.title_y);
        SetUp();
        settings.target_score = c.target;
        for (int i = 0; i < PLAYER_COUNT; i++)
            players[i].score = c.scores[i];
        players[3].dead = 1;
        paint_field();
        EXPECT_EQ(show_match_winners(), 1);
        expect_winners_box(245, c.title_y - 8, 395, c.bottom);
        EXPECT_TRUE(text_shown(c.title, 320, c.title_y, FIELD_GREY));
        int y = c.title_y;
        for (int i : c.winners)
            EXPECT_TRUE(text_shown(players[i].name, 320, y += 15, players[i].colour));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, RoundEnd, TEST_DEPTHS);
