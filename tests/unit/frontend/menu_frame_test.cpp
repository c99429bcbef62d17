// The menu frame's pieces: gradient, pointer, backdrop tiling, composition,
// arrow-key pointer movement and the release-edge rule.
#include "graphics_fixture.h"

#include <climits>

class MenuFrameTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, MenuFrameTest, ::testing::Values(16, 32));

static int blue(int level)
{
    return makecol(0, 0, level);
}

TEST_P(MenuFrameTest, GradientIsATriangleWaveOverTheAntiDiagonals)
{
    EXPECT_EQ(getpixel(gradient_strip, 0, 0), blue(0));
    EXPECT_EQ(getpixel(gradient_strip, 255, 0), blue(255));
    EXPECT_EQ(getpixel(gradient_strip, 256, 0), blue(255));
    EXPECT_EQ(getpixel(gradient_strip, 509, 0), blue(2));
    EXPECT_EQ(getpixel(gradient_strip, 509, 479), blue(34)); // diagonal 988
    EXPECT_EQ(getpixel(gradient_strip, 100, 410), blue(1));  // diagonal 510
    EXPECT_EQ(getpixel(gradient_strip, 100, 411), blue(0));  // 511 starts again
    EXPECT_EQ(getpixel(gradient_strip, 1, 0), getpixel(gradient_strip, 0, 1));
}

TEST_P(MenuFrameTest, PointerIsAGreyTriangleWithItsTipTopLeft)
{
    int grey = makecol(198, 198, 198);
    EXPECT_EQ(getpixel(pointer_sprite, 0, 0), grey);
    EXPECT_EQ(getpixel(pointer_sprite, 8, 8), grey);
    EXPECT_EQ(getpixel(pointer_sprite, 15, 0), MAGIC_PINK);
    EXPECT_EQ(getpixel(pointer_sprite, 0, 15), MAGIC_PINK);
    EXPECT_EQ(getpixel(pointer_sprite, 15, 15), MAGIC_PINK);
}

// Every column x of the screen shows strip column (x + offset) mod 510.
static void expect_tiled(int offset)
{
    tile_backdrop(back_buffer, offset);
    int o = (offset % STRIP_W + STRIP_W) % STRIP_W;
    for (int x = 0; x < back_buffer->w; x++)
        for (int y : {0, back_buffer->h / 2, back_buffer->h - 1})
            ASSERT_EQ(getpixel(back_buffer, x, y), getpixel(gradient_strip, (x + o) % STRIP_W, y))
                << "offset " << offset << " x " << x << " y " << y;
}

TEST_P(MenuFrameTest, BackdropTilesTheStripForEveryOffsetAndWidth)
{
    for (int width : {640, 800, 1024}) {
        make_test_graphics(GetParam(), width, 480);
        for (int offset : {0, 2, 378, 380, 382, 506, 507, 508, 510, 511, 123456, -4})
            expect_tiled(offset);
    }
}

TEST_P(MenuFrameTest, BackdropComposesLogoLayersAndPointer)
{
    mouse_x = 600;
    mouse_y = 20;
    putpixel(text_layer, 5, 6, makecol(1, 2, 3));
    draw_backdrop();
    // The logo stands 10 pixels from the left and bottom edges; its corner is pink.
    EXPECT_EQ(getpixel(back_buffer, 11, 480 - 10 - TEST_LOGO_H), makecol(250, 250, 0));
    EXPECT_EQ(getpixel(back_buffer, 10, 480 - 10 - TEST_LOGO_H),
              getpixel(gradient_strip, 10, 480 - 10 - TEST_LOGO_H));
    // The title goes into menu_layer, centred on (320, 70).
    EXPECT_EQ(getpixel(menu_layer, 320 - TEST_TITLE_W / 2 + 1, 70 - TEST_TITLE_H / 2),
              makecol(0, 250, 250));
    EXPECT_EQ(getpixel(back_buffer, 320, 70), makecol(0, 250, 250));
    EXPECT_EQ(getpixel(back_buffer, 5, 6), makecol(1, 2, 3));
    EXPECT_EQ(getpixel(back_buffer, 601, 21), makecol(198, 198, 198));
}

TEST_P(MenuFrameTest, LayersAreCentredOnLargerScreens)
{
    make_test_graphics(GetParam(), 1024, 768);
    mouse_x = mouse_y = 0;
    putpixel(text_layer, 0, 0, makecol(1, 2, 3));
    draw_backdrop();
    EXPECT_EQ(getpixel(back_buffer, 192, 144), makecol(1, 2, 3));
    mouse_x = 192 + 7;
    mouse_y = 144 + 9;
    EXPECT_EQ(pointer_layer_x(), 7);
    EXPECT_EQ(pointer_layer_y(), 9);
}

class PointerKeysTest : public ::testing::Test {
protected:
    void SetUp() override { reset_state(); }
    void TearDown() override { release_all_input(); }
};

// Where one frame of arrow keys moves a pointer starting at (x, y).
static std::pair<int, int> after(int x, int y)
{
    pointer_after_keys(x, y);
    return {x, y};
}

TEST_F(PointerKeysTest, MovesByTheStepButNeverAcrossAnEdge)
{
    key[KEY_LEFT] = 1;
    EXPECT_EQ(after(2, 100), std::make_pair(2, 100));
    EXPECT_EQ(after(3, 100), std::make_pair(0, 100));
    key[KEY_LEFT] = 0;
    key[KEY_DOWN] = 1;
    EXPECT_EQ(after(50, 477), std::make_pair(50, 477));
    EXPECT_EQ(after(50, 476), std::make_pair(50, 479));
    key[KEY_DOWN] = 0;
    key[KEY_RIGHT] = key[KEY_UP] = 1;
    EXPECT_EQ(after(636, 3), std::make_pair(639, 0));
    EXPECT_EQ(after(637, 2), std::make_pair(637, 2));
}

TEST_F(PointerKeysTest, OppositeKeysCancelAndTheStepIsASetting)
{
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_UP] = key[KEY_DOWN] = 1;
    EXPECT_EQ(after(100, 100), std::make_pair(100, 100));
    key[KEY_LEFT] = key[KEY_UP] = 0;
    settings.pointer_step = 10;
    EXPECT_EQ(after(100, 100), std::make_pair(110, 110));
}

TEST_F(PointerKeysTest, AStepFromAHandEditedFileNeverLeavesTheScreen)
{
    key[KEY_LEFT] = key[KEY_DOWN] = 1;
    for (int step : {INT_MIN, INT_MAX, -1000}) {
        settings.pointer_step = step;
        EXPECT_EQ(after(300, 200), std::make_pair(300, 200)) << step;
    }
    settings.pointer_step = -3; // backwards, but still only within the screen
    EXPECT_EQ(after(300, 200), std::make_pair(303, 197));
    EXPECT_EQ(after(639, 1), std::make_pair(639, 1));
}

TEST_F(PointerKeysTest, ReleaseEdgeActsOnceOnTheReleaseOnly)
{
    bool was_held = false;
    mouse_b = 0;
    EXPECT_FALSE(confirm_released(was_held));
    mouse_b = 1;
    EXPECT_FALSE(confirm_released(was_held)); // the press
    EXPECT_FALSE(confirm_released(was_held)); // held
    mouse_b = 0;
    EXPECT_TRUE(confirm_released(was_held));  // the release
    EXPECT_FALSE(confirm_released(was_held));
    key[KEY_ENTER] = 1;
    EXPECT_FALSE(confirm_released(was_held));
    mouse_b = 2; // the right button is no confirmation
    key[KEY_ENTER] = 0;
    EXPECT_TRUE(confirm_released(was_held));
    mouse_b = 0;
}

TEST_F(PointerKeysTest, AHoldCarriedIntoAScreenIsNotAPress)
{
    mouse_b = 1;
    bool was_held = confirm_held(); // as the main menu starts
    EXPECT_FALSE(confirm_released(was_held));
    mouse_b = 0;
    EXPECT_TRUE(confirm_released(was_held));
}
