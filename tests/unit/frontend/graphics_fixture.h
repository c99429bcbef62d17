// The ten bitmaps of the front end, made headless with recognisable stand-in
// pictures instead of the picture files.
#pragma once

#include "allegro_fixture.h"
#include "frontend.h"

// Stand-in pictures: every caption cell of the sheet is filled with a colour
// of its own (caption_colour), with a pink band along its bottom row.
int caption_colour(int caption_y);
constexpr int TEST_LOGO_W = 24, TEST_LOGO_H = 14;
constexpr int TEST_TITLE_W = 120, TEST_TITLE_H = 40;
constexpr int TEST_PALETTE_W = 64, TEST_PALETTE_H = 32;

// Makes all ten bitmaps for a w x h screen at the given depth.
void make_test_graphics(int depth, int w, int h);

// Per-depth fixture with the graphics in place at 640 x 480.
class FrontendTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        reset_state();
        make_test_graphics(GetParam(), 640, 480);
    }
    void TearDown() override { destroy_graphics(); }
};
