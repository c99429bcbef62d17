// Headless Allegro for the unit tests: a fresh game on memory bitmaps with stand-in pictures, a hand on the keys
// during the game's waits, and the pixel checks the tests share.
#pragma once
#include "frontend.h"
#include "../headless.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
// Called at each retrace a menu frame waits for (menu true) and each rest(0) of a match wait, which also ticks
// tick_ms: the test's hand on the keys. Without a hand a wait ends as if the window were closed.
inline std::function<void(bool menu)> on_wait;
inline int caption_colour(int caption_y) { return makecol(40 + caption_y / 2, 200, 90); }
// A picture in one colour, its top-left corner in another (pink: transparent).
inline BITMAP *picture(int w, int h, int colour, int corner = MAGIC_PINK)
{
    BITMAP *b = create_bitmap(w, h);
    return clear_to_color(b, colour), putpixel(b, 0, 0, corner), b;
}
// Every setting and slot at its default, nothing held, and the ten bitmaps and the screen for w x h; the stand-in
// captions sheet has a colour per caption over a pink bottom row.
inline void fresh(int depth = 16, int w = 640, int h = 480)
{
    destroy_graphics(), destroy_bitmap(screen), set_color_depth(depth), apply_defaults();
    settings.color_depth = depth, settings.screen_w = w, settings.screen_h = h, reset_pending_mode(), place_score_labels(w, h);
    for (Player &p : players) p.score = p.dead = 0;
    std::fill(key, key + KEY_MAX, 0), on_wait = nullptr, mouse_b = mouse_x = mouse_y = tick_ms = backdrop_offset = window_closed = 0;
    screen = picture(w, h, 0, 0), back_buffer = picture(w, h, 0, 0), caption_cell = picture(CAPTION_W, CAPTION_H, 0);
    logo_sprite = picture(24, 14, makecol(250, 250, 0)), title_sprite = picture(120, 40, makecol(0, 250, 250));
    palette_picture = picture(64, 32, makecol(200, 30, 30)), captions_sheet = picture(CAPTION_W, 13 * CAPTION_H, MAGIC_PINK);
    menu_layer = picture(LAYER_W, LAYER_H, MAGIC_PINK), text_layer = picture(LAYER_W, LAYER_H, MAGIC_PINK);
    for (int y = 0; y < captions_sheet->h; y += CAPTION_H) rectfill(captions_sheet, 0, y, CAPTION_W - 1, y + CAPTION_H - 2, caption_colour(y));
    draw_pointer_sprite(pointer_sprite = create_bitmap(POINTER_SIZE, POINTER_SIZE)), draw_gradient_strip(gradient_strip = create_bitmap(STRIP_W, h));
}
// n pixels from (x, y) on, stepping (dx, dy), as runs such as "W1 G2 .630": the letter in `letters` of each colour in
// `colours`, '?' for any other.
inline std::string runs(BITMAP *b, int x, int y, int dx, int dy, int n, const char *letters, std::vector<int> colours)
{
    std::string s, out;
    for (int i = 0, k; i < n; i++)
        k = std::find(colours.begin(), colours.end(), getpixel(b, x + i * dx, y + i * dy)) - colours.begin(), s += k < (int)colours.size() ? letters[k] : '?';
    for (size_t i = 0, j; i < s.size(); i = j)
        j = std::min(s.find_first_not_of(s[i], i), s.size()), out += (i ? " " : "") + s.substr(i, 1) + std::to_string(j - i);
    return out;
}
// The text drawn centred at (x, y) in the colour on bg (-1: none) is there, pixel for pixel.
inline bool shows(BITMAP *b, const std::string &text, int x, int y, int colour, int bg = 0)
{
    const int unset = makecol(24, 40, 56); // no test draws in it
    BITMAP *want = picture(b->w, b->h, unset, unset);
    int wrong = (textout_centre_ex(want, font, text.c_str(), x, y, colour, bg), 0);
    for (int py = y; py < y + 8; py++)
        for (int px = 0; px < b->w; px++) wrong += getpixel(want, px, py) != unset && getpixel(want, px, py) != getpixel(b, px, py);
    destroy_bitmap(want);
    return wrong == 0;
}
// The eight scores, an x after each dead worm's: "0x 1 0 0 0 0 0 0".
inline std::string scores()
{
    std::string s;
    for (const Player &p : players) s += (s.empty() ? "" : " ") + std::to_string(p.score) + (p.dead ? "x" : "");
    return s;
}
