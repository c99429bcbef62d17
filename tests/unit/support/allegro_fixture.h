// Headless Allegro for the unit tests: memory bitmaps in the X11 pixel layout.
#pragma once

#include "state.h"

#include <gtest/gtest.h>

#include <string>

// Sets the colour depth and makes back_buffer a w x h memory bitmap cleared
// to black; settings.screen_w/h and color_depth follow.
void use_screen(int depth, int w, int h);

// Fresh state for a test: all players and settings zero, then the defaults;
// no key or mouse button held, the pointer at (0, 0).
void reset_state();
// Lets go of every key and mouse button.
void release_all_input();

// The pixels of a bitmap region as text, one row per line: '.' for colour 0,
// '#' for the given colour, '?' for anything else. Makes pixel sets readable
// in failure messages.
std::string pixel_map(BITMAP *bmp, int left, int top, int w, int h, int colour);

// A test that runs once per colour depth of the X11 layout it is given.
class DepthTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        reset_state();
        use_screen(GetParam(), 640, 480);
    }
};
