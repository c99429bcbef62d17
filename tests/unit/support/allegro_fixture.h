// Headless Allegro for the unit tests: memory bitmaps in the X11 pixel layout,
// and the comparisons every subsystem's tests share.
#pragma once

#include "state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

// Sets the colour depth and makes back_buffer a w x h memory bitmap cleared
// to black; settings.screen_w/h and color_depth follow.
void use_screen(int depth, int w, int h);

// Fresh state for a test: all players and settings zero, then the defaults;
// no key or mouse button held, the pointer at (0, 0).
void reset_state();
// Lets go of every key and mouse button.
void release_all_input();

// The bits of a float, so that a comparison is exact and prints readably.
inline unsigned bits_of(float f)
{
    unsigned u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

using Bitmap = std::unique_ptr<BITMAP, void (*)(BITMAP *)>;
// A copy of the bitmap, and a bitmap of its size and depth in one colour.
Bitmap copy_of(BITMAP *bmp);
Bitmap filled_like(BITMAP *bmp, int colour);

// The pixels of a bitmap region as text, one row per line: '.' for colour 0,
// '#' for the given colour, '?' for anything else. Makes pixel sets readable
// in failure messages.
std::string pixel_map(BITMAP *bmp, int left, int top, int w, int h, int colour);
// How many pixels of the colour the box (edges included) holds.
int count_pixels(BITMAP *bmp, int colour, int left, int top, int right, int bottom);
// The two bitmaps are equal pixel by pixel; otherwise names the first few
// differences.
::testing::AssertionResult same_pixels(BITMAP *expected, BITMAP *actual);

// A test that runs once per colour depth of the X11 layout it is given.
class DepthTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        reset_state();
        use_screen(GetParam(), 640, 480);
    }
};

// The depths every drawing test runs at.
#define TEST_DEPTHS ::testing::Values(16, 32)
