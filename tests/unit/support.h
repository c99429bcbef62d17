// A fresh game on memory bitmaps, a hand on the keys in the match's waits, and pixel checks.
#pragma once

#include "frontend.h"
#include "../headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

// The test's hand on the keys at each rest(0) of a match wait, which also ticks tick_ms.
inline std::function<void()> on_wait;

// A w x h picture in one colour.
inline BITMAP *picture(int w, int h, int colour)
{
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, colour);
    return b;
}

// Every setting and slot at its default, no score, nothing held, no hand, and the screen, the
// field, the text layer and a stand-in palette made again, at 640 x 480 and the depth.
inline void fresh(int depth = 16)
{
    destroy_graphics();
    destroy_bitmap(screen);
    set_color_depth(depth);
    std::memset(players, 0, sizeof players);
    apply_defaults();
    settings.color_depth = depth;
    place_score_labels(640, 480);
    std::fill(key, key + KEY_MAX, 0);
    mouse_b = 0;
    tick_ms = 0;
    window_closed = 0;
    on_wait = nullptr;
    screen = picture(640, 480, 0);
    back_buffer = picture(640, 480, 0);
    text_layer = picture(LAYER_W, LAYER_H, MAGIC_PINK);
    palette_picture = picture(64, 32, makecol(200, 30, 30));
}

// n pixels from (x, y) on, stepping (dx, dy), as runs such as "W1 G2 .630": the letter in
// `letters` of each colour in `colours`, '?' for any other.
inline std::string runs(BITMAP *b, int x, int y, int dx, int dy, int n, const char *letters,
                        const std::vector<int> &colours)
{
    std::string pixels;
    for (int i = 0; i < n; i++) {
        const auto k
            = std::find(colours.begin(), colours.end(), getpixel(b, x + i * dx, y + i * dy));
        pixels += k == colours.end() ? '?' : letters[k - colours.begin()];
    }
    std::string out;
    for (size_t i = 0; i < pixels.size();) {
        const size_t end = std::min(pixels.find_first_not_of(pixels[i], i), pixels.size());
        out += (out.empty() ? "" : " ") + pixels.substr(i, 1) + std::to_string(end - i);
        i = end;
    }
    return out;
}

// The text drawn centred at (x, y) in the colour on bg (-1: none) is there, pixel for pixel.
inline bool shows(BITMAP *b, const std::string &text, int x, int y, int colour, int bg = 0)
{
    const int unset = makecol(24, 40, 56); // no test draws in it
    BITMAP *want = picture(b->w, b->h, unset);
    textout_centre_ex(want, font, text.c_str(), x, y, colour, bg);
    int wrong = 0;
    for (int py = y; py < y + 8; py++)
        for (int px = 0; px < b->w; px++)
            if (getpixel(want, px, py) != unset && getpixel(want, px, py) != getpixel(b, px, py))
                wrong++;
    destroy_bitmap(want);
    return wrong == 0;
}

// The eight scores, an x after each dead worm's: "0x 1 0 0 0 0 0 0".
inline std::string scores()
{
    std::string s;
    for (const Player &p : players)
        s += (s.empty() ? "" : " ") + std::to_string(p.score) + (p.dead ? "x" : "");
    return s;
}
