// Button art and captions.
#include "graphics_fixture.h"

class WidgetsTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, WidgetsTest, ::testing::Values(16, 32));

// Counts the pixels of bmp in the given colour, and finds their extent.
struct Extent {
    int count = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

static Extent extent_of(BITMAP *bmp, int colour)
{
    Extent e;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if (getpixel(bmp, x, y) == colour) {
                e.count++;
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

TEST_P(WidgetsTest, ButtonArtIsDarkBlueAndReachesAtMost20PixelsOut)
{
    srand(1);
    scribble_box(menu_layer, BUTTON_SCRIBBLE, 240, 150, 400, 180);
    Extent e = extent_of(menu_layer, makecol(0, 0, 128));
    EXPECT_GT(e.count, 160 * 30 / 2); // 960 lines cover the box densely
    EXPECT_GE(e.left, 240 - 20);
    EXPECT_LE(e.right, 399 + 19);
    EXPECT_GE(e.top, 150 - 20);
    EXPECT_LE(e.bottom, 179 + 19);
    EXPECT_LT(e.left, 240);   // lines do stick out
    EXPECT_GT(e.bottom, 180);
    EXPECT_EQ(extent_of(menu_layer, makecol(0, 0, 180)).count, 0);
}

TEST_P(WidgetsTest, DialogArtIsBrighterBlue)
{
    srand(2);
    scribble_box(text_layer, DIALOG_SCRIBBLE, 170, 210, 470, 270);
    Extent e = extent_of(text_layer, makecol(0, 0, 180));
    EXPECT_GT(e.count, 300 * 60 / 2);
    EXPECT_GE(e.left, 150);
    EXPECT_LE(e.right, 488);
    EXPECT_EQ(extent_of(text_layer, makecol(0, 0, 128)).count, 0);
}

TEST_P(WidgetsTest, BoxesSmallerThanFivePixelsDrawNothing)
{
    scribble_box(menu_layer, BUTTON_SCRIBBLE, 10, 10, 12, 12); // area 4
    scribble_box(menu_layer, BUTTON_SCRIBBLE, 10, 10, 10, 40); // no width
    EXPECT_EQ(extent_of(menu_layer, makecol(0, 0, 128)).count, 0);
}

TEST_P(WidgetsTest, ArtFollowsTheRandomSeed)
{
    srand(7);
    scribble_box(menu_layer, BUTTON_SCRIBBLE, 50, 50, 90, 70);
    BITMAP *first = create_bitmap(LAYER_W, LAYER_H);
    blit(menu_layer, first, 0, 0, 0, 0, LAYER_W, LAYER_H);
    clear_to_color(menu_layer, MAGIC_PINK);
    srand(7);
    scribble_box(menu_layer, BUTTON_SCRIBBLE, 50, 50, 90, 70);
    for (int y = 0; y < LAYER_H; y += 3)
        for (int x = 0; x < LAYER_W; x++)
            ASSERT_EQ(getpixel(menu_layer, x, y), getpixel(first, x, y));
    destroy_bitmap(first);
}

TEST_P(WidgetsTest, CaptionIsCutFromTheSheetAndDrawnMasked)
{
    rectfill(menu_layer, 0, 0, 639, 479, makecol(0, 0, 128));
    draw_caption(CAPTION_OPTIONS, 210, 310);
    EXPECT_EQ(getpixel(menu_layer, 210, 310), caption_colour(CAPTION_OPTIONS));
    EXPECT_EQ(getpixel(menu_layer, 509, 338), caption_colour(CAPTION_OPTIONS));
    // The caption's pink bottom row leaves the art underneath.
    EXPECT_EQ(getpixel(menu_layer, 300, 339), makecol(0, 0, 128));
    EXPECT_EQ(getpixel(menu_layer, 510, 320), makecol(0, 0, 128));
    EXPECT_EQ(getpixel(menu_layer, 209, 320), makecol(0, 0, 128));
}
