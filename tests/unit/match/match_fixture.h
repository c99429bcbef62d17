// Shared helpers of the match tests: a fresh field at each colour depth,
// the input globals cleared, and pixel-exact comparisons with readable
// failure messages.
#pragma once

#include "allegro_fixture.h"
#include "match.h"

#include <memory>

using Bitmap = std::unique_ptr<BITMAP, void (*)(BITMAP *)>;

// Makes back_buffer a black w x h bitmap at the depth and places the labels.
void use_match_screen(int depth, int w, int h);
// A copy of the bitmap, and a black bitmap of its size and depth.
Bitmap copy_of(BITMAP *bmp);
Bitmap black_like(BITMAP *bmp);
// Puts living worm i at (x, y) with the heading.
void put_worm(int i, float x, float y, float heading);

// A colour no test and no match drawing uses, non-zero at every depth.
#define UNUSED_COLOUR makecol(24, 40, 56)
// How many pixels of the colour the field (above the panel) holds.
int pixels_in_field(int colour);

// Every cell the text occupies when drawn as the match draws it (centred at
// x, opaque black background) holds the same pixel on back_buffer.
::testing::AssertionResult text_shown(const char *text, int x, int y, int colour);
// The two bitmaps are equal pixel by pixel; otherwise names the first few
// differences.
::testing::AssertionResult same_pixels(BITMAP *expected, BITMAP *actual);

// A fresh 640 x 480 field at the depth under test, labels placed, no input
// held (also after the test).
class MatchTest : public DepthTest {
protected:
    void SetUp() override
    {
        DepthTest::SetUp();
        use_match_screen(GetParam(), 640, 480);
    }
    void TearDown() override { release_all_input(); }
};

// The depths every drawing test runs at.
#define MATCH_DEPTHS ::testing::Values(16, 32)
