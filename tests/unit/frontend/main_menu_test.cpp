// The main menu's drawing and hit boxes.
#include "graphics_fixture.h"

class MainMenuTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, MainMenuTest, ::testing::Values(16, 32));

TEST_P(MainMenuTest, HitBoxesCoverTheDrawnButtonsInclusively)
{
    struct Case { int x, y, button; };
    const Case cases[] = {
        {240, 150, 1}, {400, 180, 1}, {239, 150, 0}, {400, 181, 0},
        {320, 181, 0}, {320, 229, 0}, // the gap between start and players
        {240, 230, 2}, {400, 260, 2},
        {210, 310, 3}, {430, 340, 3}, {209, 320, 0}, {431, 320, 0},
        {240, 390, 4}, {400, 420, 4}, {320, 421, 0}, {0, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(main_menu_button_at(c.x, c.y), c.button) << c.x << "," << c.y;
}

TEST_P(MainMenuTest, HitBoxesFollowTheScreenCentre)
{
    make_test_graphics(GetParam(), 1024, 768);
    EXPECT_EQ(main_menu_button_at(432, 294), 1);
    EXPECT_EQ(main_menu_button_at(592, 324), 1);
    EXPECT_EQ(main_menu_button_at(431, 294), 0);
    EXPECT_EQ(main_menu_button_at(592, 325), 0);
    make_test_graphics(GetParam(), 800, 600);
    EXPECT_EQ(main_menu_button_at(400 - 110, 300 + 70), 3);
}

TEST_P(MainMenuTest, DrawsFourButtonsWithTheirCaptionsAndClearsTheTextLayer)
{
    putpixel(text_layer, 100, 100, makecol(255, 255, 255));
    draw_main_menu();
    EXPECT_EQ(getpixel(text_layer, 100, 100), MAGIC_PINK);
    EXPECT_EQ(getpixel(menu_layer, 240, 150), caption_colour(CAPTION_START));
    EXPECT_EQ(getpixel(menu_layer, 240, 230), caption_colour(CAPTION_PLAYERS));
    EXPECT_EQ(getpixel(menu_layer, 210, 310), caption_colour(CAPTION_OPTIONS));
    EXPECT_EQ(getpixel(menu_layer, 240, 390), caption_colour(CAPTION_QUIT));
    // Art lies under each caption's transparent bottom row, and nowhere far away.
    int art = 0;
    for (int x = 240; x < 400; x++)
        art += getpixel(menu_layer, x, 179) == makecol(0, 0, 128);
    EXPECT_GT(art, 40);
    EXPECT_EQ(getpixel(menu_layer, 20, 20), MAGIC_PINK);
}
