// The play field: borders, bar, panel, labels and the clock.
#include "match_fixture.h"

using PlayField = MatchTest;

// The region table of a fresh w x h field with no label on it. Lines drawn
// later win the corners: the outer border's columns over its rows, and in
// the sunken borders of field and panel the columns over the rows too.
static int region_colour(int x, int y, int w, int h)
{
    if (x == 0 || (y == 0 && x != w - 1))
        return FIELD_WHITE;
    if (x == w - 1 || y == h - 1)
        return FIELD_DARK_GREY;
    const bool field = y >= 3 && y <= h - 63;
    const bool panel = y >= h - 57 && y <= h - 3;
    if (!(field || panel) || x < 3 || x > w - 3)
        return FIELD_GREY;
    const int top = field ? 3 : h - 57;
    const int bottom = field ? h - 63 : h - 3;
    if (x == 3 || y == top)
        return x == w - 3 ? FIELD_WHITE : FIELD_DARK_GREY;
    if (x == w - 3 || y == bottom)
        return FIELD_WHITE;
    return FIELD_BLACK;
}

TEST_P(PlayField, DrawsTheRegionTableAtBothSizes)
{
    for (const auto &[w, h] : {std::pair{640, 480}, {1024, 768}}) {
        use_match_screen(GetParam(), w, h);
        for (Player &p : players)
            p.off = 1;
        clear_to_color(back_buffer, UNUSED_COLOUR);
        draw_play_field();
        Bitmap expected = filled_like(back_buffer, 0);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                putpixel(expected.get(), x, y, region_colour(x, y, w, h));
        EXPECT_TRUE(same_pixels(expected.get(), back_buffer)) << w << " x " << h;
    }
}

// Active players' labels, dead or alive, "name: score" in their colour;
// switched-off slots (2 and 5 by default) get none.
TEST_P(PlayField, LabelsOnlyTheActivePlayers)
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        players[i].score = 10 * i + 3;
    players[4].dead = 1;
    Bitmap expected = unlabelled_field();
    for (int i : {0, 1, 3, 4, 6, 7})
        draw_label(expected.get(), players[i]);
    draw_play_field();
    EXPECT_TRUE(same_pixels(expected.get(), back_buffer));
}

// Minutes are never wrapped into hours; the cells are opaque black.
TEST_P(PlayField, PrintsTheClockOverWhateverWasThere)
{
    const struct { int ms; const char *text; } clocks[] = {
        {0, "0:00:00"}, {61234, "1:01:23"}, {3600000, "60:00:00"}, {59999, "0:59:99"},
    };
    for (const auto &c : clocks) {
        draw_play_field();
        rectfill(back_buffer, 250, 430, 390, 450, players[0].colour);
        tick_ms = c.ms;
        draw_clock();
        EXPECT_TRUE(text_shown(c.text, 320, 436, FIELD_GREY));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PlayField, TEST_DEPTHS);
