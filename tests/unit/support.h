// A fresh game on memory bitmaps, a player's hand at every frame, and pixel checks.
#pragma once

#include "frontend.h"
#include "../headless.h"
#include "../pictures.h"

#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>

// The library's drivers as the tests stand in for them (support.cpp): the display's retrace wait,
// the rest of a match's waits and a rest of 1 ms each call hand(); the keyboard and the mouse
// are what the hand sets.
extern GFX_DRIVER test_display;
// Milliseconds the clock ticks at each menu frame: 0 keeps the backdrop still.
inline int frame_ms = 0;
// How many of the tests' pads the library finds when it next looks for pads.
inline int pads_plugged = 1;

// The test's hand at each frame or wait; without one, the steps of the player's script run.
inline std::function<void()> on_wait;
// The player's script, one step a frame; once it has run out the window is closed, which ends
// every loop of the game the way the close button does.
inline std::vector<std::function<void()>> steps;
inline size_t next_step = 0;

// A w x h picture in one colour.
inline BITMAP *picture(int w, int h, int colour)
{
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, colour);
    return b;
}

// Every setting and slot at its default and the mode w x h at the depth, shown at the scale, in
// the language: the pictures loaded and the work bitmaps made by the game; no score, nothing held,
// no hand, no script, the pointer at (0, 0) and the random numbers from seed 1.
inline void fresh(int depth = 16, int w = 640, int h = 480, int scale = 1, const Words &l = SLOVAK)
{
    words = &l;
    destroy_graphics();
    destroy_bitmap(screen);
    set_color_depth(depth);
    std::memset(players, 0, sizeof players);
    apply_defaults();
    settings.color_depth = depth;
    settings.screen_w = w;
    settings.screen_h = h;
    place_score_labels(w, h);
    pending = {settings.gfx_card, w, h, depth};
    test_display.w = w * scale;
    test_display.h = h * scale;
    display_scale = scale;
    screen = picture(w * scale, h * scale, 0);
    forget_shown_picture(); // a new screen, as after a new mode
    EXPECT_EQ(load_graphics(), 0);
    clear_bitmap(back_buffer);
    clear_to_color(menu_layer, MAGIC_PINK);
    clear_to_color(text_layer, MAGIC_PINK);
    std::fill(key, key + KEY_MAX, 0);
    clear_keybuf();
    position_mouse(0, 0);
    mouse_b = _mouse_b = 0;
    tick_ms = 0;
    backdrop_offset = 0;
    window_closed = 0;
    on_wait = nullptr;
    steps.clear();
    next_step = 0;
    frame_ms = 0;
    pads_plugged = 1;
    srand(1);
}

// ---------------- the player's script

// The scancode of a key named as the library names it ("ENTER", "LEFT", "0_PAD" for "0 PAD"), or
// of a letter or digit, and the character the key types; "#N" types character N with no scancode.
inline std::pair<int, int> key_of(const std::string &token)
{
    const std::map<std::string, int> TYPED = {{"BACKSPACE", 8}, {"ENTER", 13}, {"ESC", 27}};
    if (token[0] == '#')
        return {0, std::stoi(token.substr(1))};
    std::string name = token;
    for (char &c : name)
        c = c == '_' ? ' ' : toupper(c);
    const int sc = std::find(key_names, key_names + KEY_MAX, name) - key_names;
    const int typed = name == "SPACE" ? ' ' : TYPED.count(name) ? TYPED.at(name) : 0;
    return {sc % KEY_MAX, token.size() == 1 ? token[0] : typed}; // KEY_MAX: no such key, 0
}

// Appends the player's steps, one a frame:
//   @X,Y       the pointer onto layer point (X, Y), with the next step
//   click      the left button pressed, held a frame and released; rclick the right one
//   NAME       a key pressed (in the keyboard's buffer too), held a frame and released;
//   NAME*N     held for N frames; NAME is the library's name of the key, a letter or a digit, or
//              a pad control's as the players screen shows it ("PAD1_B2")
//   wait*N     N frames of nothing
//   look:NAME  the screen compared with reference picture NAME two frames on, once what the
//              frame before did has been composed and shown
inline void act(const std::string &script)
{
    std::istringstream tokens(script);
    for (std::string token; tokens >> token;) {
        const size_t star = token.find('*', 1);
        const int n = star == std::string::npos ? 2 : std::stoi(token.substr(star + 1));
        const std::string name = token.substr(0, star);
        std::function<void(int)> state;
        std::string spaced = name; // a pad control's name
        std::replace(spaced.begin(), spaced.end(), '_', ' ');
        if (name[0] == '@') {
            const int x = std::stoi(name.substr(1));
            const int y = std::stoi(name.substr(name.find(',') + 1));
            steps.push_back([x, y] {
                place_pointer(x + (settings.screen_w - LAYER_W) / 2,
                              y + (settings.screen_h - LAYER_H) / 2);
                if (next_step < steps.size())
                    steps[next_step++]();
            });
            continue;
        }
        if (name.rfind("look:", 0) == 0) {
            steps.insert(steps.end(), 2, [] {});
            steps.push_back([name, token] {
                EXPECT_EQ(unlike_picture(screen, name.substr(5), display_scale), "") << token;
            });
            continue;
        }
        if (name == "click" || name == "rclick")
            state = [b = name == "click" ? 1 : 2](int down) {
                mouse_b = _mouse_b = down ? b : 0;
            };
        else if (name == "wait")
            state = [](int) {};
        else if (const int pad = pad_control_named(spaced))
            state = [pad](int down) {
                *pad_control_flag(pad) = down;
            };
        else
            state = [k = key_of(name)](int down) {
                key[k.first] = down;
                if (down)
                    simulate_ukeypress(k.second, k.first);
            };
        steps.push_back([state] {
            state(1);
        });
        for (int i = 1; i < n; i++)
            steps.push_back([] {});
        steps.push_back([state] {
            state(0);
        });
    }
}

// A step that checks what a field holds at that point of the script.
template <typename T> void expect(const T &field, T value)
{
    steps.push_back([&field, value, at = steps.size()] {
        EXPECT_EQ(field, value) << "at step " << at;
    });
}

// ---------------- checks

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
