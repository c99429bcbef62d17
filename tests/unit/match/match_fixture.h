// Shared helpers of the match tests: a fresh field at each colour depth,
// the input globals cleared, and pixel-exact comparisons with readable
// failure messages.
#pragma once

#include "allegro_fixture.h"
#include "match.h"

// Makes back_buffer a black w x h bitmap at the depth and places the labels.
void use_match_screen(int depth, int w, int h);
// Puts living worm i at (x, y) with the heading.
void put_worm(int i, float x, float y, float heading);

// A colour no test and no match drawing uses, non-zero at every depth.
#define UNUSED_COLOUR makecol(24, 40, 56)
// How many pixels of the colour the field (above the panel) holds.
int pixels_in_field(int colour);

// Every cell the text occupies when drawn as the match draws it (centred at
// x, opaque black background) holds the same pixel on back_buffer.
::testing::AssertionResult text_shown(const char *text, int x, int y, int colour);
// The field as draw_play_field leaves it with no label on it, drawn aside so
// that back_buffer keeps what the test produced; and one "name: score" label
// drawn on a bitmap as the match draws it.
Bitmap unlabelled_field();
void draw_label(BITMAP *bmp, const Player &p);
// The eight scores, "0 1 0 0 0 0 0 0", and dead flags, "01000000", so a
// wrong one names its slot.
std::string scores();
std::string dead_flags();

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
