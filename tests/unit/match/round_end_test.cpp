// The end of a round: survivors' points and results, the draw message and
// the winners box.
#include "match_fixture.h"

using RoundEnd = MatchTest;

// The field as draw_play_field leaves it with no label on it, drawn aside
// so that back_buffer keeps what the test produced.
static Bitmap unlabelled_field()
{
    Bitmap field = black_like(back_buffer);
    BITMAP *produced = back_buffer;
    int off[PLAYER_COUNT];
    for (int i = 0; i < PLAYER_COUNT; i++)
        off[i] = players[i].off, players[i].off = 1;
    back_buffer = field.get();
    draw_play_field();
    back_buffer = produced;
    for (int i = 0; i < PLAYER_COUNT; i++)
        players[i].off = off[i];
    return field;
}

static void draw_label(BITMAP *bmp, const Player &p)
{
    const std::string label = std::string(p.name) + ": " + std::to_string(p.score);
    textout_centre_ex(bmp, font, label.c_str(), p.label_x, p.label_y, p.colour, 0);
}

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
    const int active[] = {0, 1, 3, 4, 6, 7};
    for (int i : active)
        draw_label(expected.get(), players[i]);
    textout_centre_ex(expected.get(), font, "0:01:23", 320, 436, FIELD_GREY, 0);
    textout_centre_ex(expected.get(), font, "ZLTY", 320, 458, players[3].colour, 0);
    EXPECT_TRUE(same_pixels(expected.get(), back_buffer));
}

// The box around a survivor's label is as wide as the label will be once
// the 2 points are added: (name, ": ", digits of the new score, and one more
// character) at half a character a side, less 2 pixels on the right.
struct BoxCase {
    int slot, score;
    int left, right; // rows are label_y - 4 .. label_y + 10
};

static const BoxCase BOX_CASES[] = {
    {0, 7, 20, 106},    // "CERVENY", 9 has one digit
    {1, 8, 148, 234},   // "BELASY", 10 has two
    {3, 97, 540, 610},  // "ZLTY", 99
    {4, 98, 12, 114},   // "FIALOVY", 100 has three
    {6, 997, 392, 502}, // "ORANZOVY", 999
    {7, 998, 524, 626}, // "RUZOVY", 1000 has four
};

TEST_P(RoundEnd, SeveralSurvivorsAreBoxedAndTheDeadOnlyRelabelled)
{
    settings.round_end_survivors = 3;
    for (const BoxCase &c : BOX_CASES)
        players[c.slot].score = c.score;
    players[2].off = 0, players[2].dead = 1, players[2].score = 5;
    players[5].score = 40; // switched off: no label, no points
    tick_ms = 1234;
    draw_play_field();
    finish_round();

    Bitmap expected = unlabelled_field();
    for (const BoxCase &c : BOX_CASES) {
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

TEST_P(RoundEnd, OneWinnerIsNamedUnderVyhral)
{
    settings.target_score = 10;
    players[4].score = 12;
    players[1].score = 9;
    players[5].score = 99; // switched off
    paint_field();
    EXPECT_EQ(show_match_winners(), 1);
    // T = (420 - 15) / 2 = 202, B = (420 + 45) / 2 = 232.
    expect_winners_box(245, 194, 395, 232);
    EXPECT_TRUE(text_shown("Vyhral", 320, 202, FIELD_GREY));
    EXPECT_TRUE(text_shown("FIALOVY", 320, 217, players[4].colour));
}

TEST_P(RoundEnd, SeveralWinnersAreListedInSlotOrderDeadOrAlive)
{
    settings.target_score = 10;
    players[0].score = 12;
    players[3].score = 10, players[3].dead = 1;
    players[7].score = 30;
    players[1].score = 9;
    players[2].score = 50; // switched off
    paint_field();
    EXPECT_EQ(show_match_winners(), 1);
    // T = (420 - 45) / 2 = 187, B = (420 + 75) / 2 = 247.
    expect_winners_box(245, 179, 395, 247);
    EXPECT_TRUE(text_shown("Vyhrali", 320, 187, FIELD_GREY));
    EXPECT_TRUE(text_shown("CERVENY", 320, 202, players[0].colour));
    EXPECT_TRUE(text_shown("ZLTY", 320, 217, players[3].colour));
    EXPECT_TRUE(text_shown("RUZOVY", 320, 232, players[7].colour));
}

TEST_P(RoundEnd, TargetZeroMakesEveryActivePlayerAWinner)
{
    settings.target_score = 0;
    draw_play_field();
    EXPECT_EQ(show_match_winners(), 1);
    // Six names: T = (420 - 90) / 2 = 165.
    EXPECT_TRUE(text_shown("Vyhrali", 320, 165, FIELD_GREY));
    const int active[] = {0, 1, 3, 4, 6, 7};
    int y = 165;
    for (int i : active)
        EXPECT_TRUE(text_shown(players[i].name, 320, y += 15, players[i].colour));
}

INSTANTIATE_TEST_SUITE_P(Depths, RoundEnd, MATCH_DEPTHS);
