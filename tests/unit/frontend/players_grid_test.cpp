// The players screen's drawing, its hit tests and its answer to a release.
#include "graphics_fixture.h"

class PlayersGridTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, PlayersGridTest, ::testing::Values(16, 32));

#define WHITE makecol(255, 255, 255)
#define DARK makecol(0, 0, 64)
static int text_y(int row) { return 140 + 30 * row; }

// Pixels of text_layer that differ, in a band reaching `half` either side of
// x, from `text` drawn alone there in `colour`.
static int text_mismatches(int x, int half, int row, const char *text, int colour)
{
    BITMAP *want = create_bitmap(2 * half + 1, text_height(font));
    clear_to_color(want, MAGIC_PINK);
    textout_centre_ex(want, font, text, half, 0, colour, -1);
    int differ = 0;
    for (int y = 0; y < want->h; y++)
        for (int i = 0; i < want->w; i++)
            differ += getpixel(want, i, y) != getpixel(text_layer, x - half + i, text_y(row) + y);
    destroy_bitmap(want);
    return differ;
}

// On/off, name and keys texts and the 10 x 5 swatch, all in `colour`.
static void expect_row(int row, const char *keys, int colour)
{
    SCOPED_TRACE(row);
    EXPECT_EQ(text_mismatches(130, 15, row, players[row].off ? "OFF" : "ON", colour), 0);
    EXPECT_EQ(text_mismatches(232, 62, row, players[row].name, colour), 0);
    EXPECT_EQ(text_mismatches(380, 75, row, keys, colour), 0);
    int y = text_y(row) + 4;
    EXPECT_EQ(getpixel(text_layer, 495, y), colour);
    EXPECT_EQ(getpixel(text_layer, 505, y), colour);
    EXPECT_EQ(getpixel(text_layer, 495, y - 5), colour);
    EXPECT_NE(getpixel(text_layer, 484, y), colour);
    EXPECT_NE(getpixel(text_layer, 495, y + 6), colour);
}

static const char *const KEYS[PLAYER_COUNT] = {
    "LEFT/RIGHT", "Z/X", "N/M", "2 PAD/3 PAD", "Q/A", "PLUS PAD/MINUS PAD", "STOP/SLASH",
    "MOUSE BUTTONS"};

// Slots 2 and 5 are off by default.
TEST_P(PlayersGridTest, ListsEachSlotInItsColourAndTheSelectedOneInWhite)
{
    for (int selection : {GRID_NO_SELECTION, 3}) {
        draw_players_grid(selection);
        for (int row = 0; row < PLAYER_COUNT; row++)
            expect_row(row, KEYS[row],
                       row == selection ? WHITE : players[row].off ? DARK : players[row].colour);
        EXPECT_EQ(getpixel(text_layer, 320, 240), MAGIC_PINK); // no palette picture
    }
}

TEST_P(PlayersGridTest, ListsButtonBlueBrighterOffSlotsDarkAndUnknownKeysAsQuestionMarks)
{
    const int art = makecol(0, 0, 128), bright = makecol(0, 0, 192);
    players[1].colour = art;
    players[2] = players[1], players[2].off = 1;
    players[6].colour = WHITE, players[6].off = 1;
    players[0].key_left = KEY_NAME_COUNT, players[0].key_right = -1;
    players[3].key_right = 100000;
    draw_players_grid(GRID_NO_SELECTION);
    expect_row(0, "???" "/???", players[0].colour);
    expect_row(1, KEYS[1], bright);
    expect_row(2, KEYS[1], DARK);
    expect_row(3, "2 PAD/???", players[3].colour);
    expect_row(6, KEYS[6], DARK);
}

// The picture lies over the rows, centred with the halves truncated.
TEST_P(PlayersGridTest, PickingShowsThePalettePictureCentredOnTopOfTheRows)
{
    destroy_bitmap(palette_picture);
    const int W = 63, H = 31, LEFT = 288, TOP = 224, ink = makecol(30, 60, 90);
    palette_picture = create_bitmap(W, H);
    clear_to_color(palette_picture, ink);
    putpixel(palette_picture, 0, 0, MAGIC_PINK);
    for (int row : {0, 3}) { // row 3's white keys reach under the picture
        int ink_in = 0, ink_out = 0, white_in = 0;
        draw_players_grid(row + GRID_PALETTE);
        for (int y = 0; y < LAYER_H; y++)
            for (int x = 0; x < LAYER_W; x++) {
                bool in = x >= LEFT && x < LEFT + W && y >= TOP && y < TOP + H;
                int c = getpixel(text_layer, x, y);
                (in ? ink_in : ink_out) += c == ink;
                white_in += in && c == WHITE;
            }
        EXPECT_EQ(ink_in, W * H - 1);
        EXPECT_EQ(ink_out, 0);
        EXPECT_EQ(white_in, 0);
        EXPECT_EQ(getpixel(text_layer, 495, text_y(row) + 4), WHITE);
    }
    draw_players_grid(3);
    int white_under = 0;
    for (int y = TOP; y < TOP + H; y++)
        for (int x = LEFT; x < LEFT + W; x++)
            white_under += getpixel(text_layer, x, y) == WHITE;
    EXPECT_GT(white_under, 0);
}

TEST_P(PlayersGridTest, StaticDrawingHasColumnArtBackCaptionAndGrid)
{
    draw_players_screen();
    EXPECT_EQ(getpixel(menu_layer, 405, 415), caption_colour(CAPTION_BACK));
    const int boxes[5][3] = {{115, 145, 130}, {170, 294, 130}, {320, 440, 130},
                             {465, 525, 130}, {405, 545, 444}}; // under the caption's pink row
    for (const auto &b : boxes) {
        int art = 0;
        for (int x = b[0]; x < b[1]; x++)
            art += getpixel(menu_layer, x, b[2]) == makecol(0, 0, 128);
        EXPECT_GT(art, (b[1] - b[0]) / 3) << b[0];
    }
    EXPECT_EQ(getpixel(menu_layer, 60, 250), MAGIC_PINK);
    expect_row(0, KEYS[0], players[0].colour);
}

TEST_P(PlayersGridTest, HitTestHas17PixelBandsAndStrictColumns)
{
    const int cases[][3] = {
        {130, 152, 1}, {130, 153, -1}, {130, 136, 1}, {130, 135, -1}, {130, 346, 71},
        {130, 362, 71}, {130, 363, -1}, {115, 140, -1}, {144, 140, 1}, {145, 140, -1},
        {171, 140, 2}, {294, 140, -1}, {320, 140, -1}, {439, 140, 3}, {466, 140, 4},
        {525, 140, -1}, {300, 140, -1}, {114, 140, -1}, {526, 140, -1}, {130, 129, -1},
        {130, 371, -1}, {-5, 140, -1}, {495, 1000, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(players_grid_hit(c[0], c[1]), c[2]) << c[0] << "," << c[1];
    const int centres[4] = {130, 232, 380, 495};
    for (int row = 0; row < PLAYER_COUNT; row++)
        for (int column = 1; column <= 4; column++)
            EXPECT_EQ(players_grid_hit(centres[column - 1], 144 + 30 * row), row * 10 + column);
}

TEST_P(PlayersGridTest, ReleaseLeavesOnTheBackButtonAtAnyScreenSize)
{
    for (int w : {640, 800, 1024}) {
        destroy_graphics();
        make_test_graphics(GetParam(), w, w * 3 / 4);
        int cx = w / 2, cy = w * 3 / 8;
        SCOPED_TRACE(w);
        for (int x : {cx + 85, cx + 225})
            for (int y : {cy + 175, cy + 205})
                EXPECT_FALSE(players_screen_release(x, y));
        EXPECT_TRUE(players_screen_release(cx + 84, cy + 190));
        EXPECT_TRUE(players_screen_release(cx + 226, cy + 190));
        EXPECT_TRUE(players_screen_release(cx + 150, cy + 174));
        EXPECT_TRUE(players_screen_release(cx + 150, cy + 206));
    }
}

// A click on the mouse slot's keys would start an entry, whose frames
// cannot run headless.
TEST_P(PlayersGridTest, ReleaseTogglesTheFirstColumnAndIgnoresTheMouseSlotsKeys)
{
    destroy_graphics();
    make_test_graphics(GetParam(), 800, 600); // the layer starts at (80, 60)
    EXPECT_TRUE(players_screen_release(80 + 130, 60 + text_y(2)));
    expect_row(2, KEYS[2], players[2].colour);
    EXPECT_TRUE(players_screen_release(80 + 144, 60 + text_y(2) + 12));
    expect_row(2, KEYS[2], DARK);
    EXPECT_TRUE(players_screen_release(80 + 130, 60 + text_y(2) + 13)); // between bands
    EXPECT_TRUE(players_screen_release(130, text_y(2)));                // beside the grid
    EXPECT_TRUE(players_screen_release(80 + 380, 60 + text_y(7)));
    EXPECT_EQ(players[2].off, 1);
    EXPECT_EQ(players[7].key_left + players[7].key_right, 0);
    players[5].off = 2; // only a hand-edited file holds this; it still switches on
    players_screen_release(80 + 130, 60 + text_y(5));
    EXPECT_EQ(players[5].off, 0);
}
