// The single instances of the shared state, their defaults and the placement
// of the score labels.
#include "state.h"

#include <algorithm>
#include <climits>
#include <cstring>

Player players[PLAYER_COUNT];
Settings settings;
PendingMode pending;
std::atomic<int> tick_ms {0};
std::atomic<int> backdrop_offset {0};
std::atomic<int> window_closed {0};
BITMAP *back_buffer = nullptr;

static const Settings DEFAULT_SETTINGS = {
    1,    // animate_backdrop
    3,    // pointer_step
    16,   // color_depth
    0,    // gfx_card: autodetect
    640,  // screen_w
    480,  // screen_h
    1,    // round_end_survivors
    50,   // target_score
    25,   // frame_delay_ms
    0.15f // turn_step
};

// The names come from the language in force.
struct DefaultPlayer {
    int colour; // a 5-6-5 pixel value, red in the high bits
    int key_left;
    int key_right;
    int off;
};

// The violet is 0xF85F, not 0xF81F: that would be the mask colour at depth 16.
static const DefaultPlayer DEFAULT_PLAYERS[PLAYER_COUNT] = {
    {0xF800, KEY_LEFT, KEY_RIGHT, 0},         // red
    {0x07FF, KEY_Z, KEY_X, 0},                // light blue
    {0x07E0, KEY_N, KEY_M, 1},                // green
    {0xFFE0, KEY_2_PAD, KEY_3_PAD, 0},        // yellow
    {0xF85F, KEY_Q, KEY_A, 0},                // violet
    {0x001F, KEY_PLUS_PAD, KEY_MINUS_PAD, 1}, // blue
    {0xFC09, KEY_STOP, KEY_SLASH, 0},         // orange
    {0xFC10, 0, 0, 0},                        // pink
};

void apply_defaults()
{
    settings = DEFAULT_SETTINGS;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const DefaultPlayer &d = DEFAULT_PLAYERS[i];
        Player &p = players[i];
        std::memcpy(p.name, words->player_names[i], sizeof p.name);
        p.colour = d.colour;
        p.key_left = d.key_left;
        p.key_right = d.key_right;
        p.pad_left = NO_CONTROL;
        p.pad_right = NO_CONTROL;
        p.off = d.off;
    }
}

// Labels stand in two rows of four under the field, at one, three, seven
// and nine tenths of the width; the clock takes the middle of the first row.
void place_score_labels(int w, int h)
{
    static const int TENTHS[4] = {1, 3, 7, 9};
    const int FIRST_ROW_RISE = 44; // pixels above the bottom edge
    const int SECOND_ROW_RISE = 22;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        // Multiply first: 1024 * 9 / 10 is 921, 1024 / 10 * 9 would be 918.
        // A hand-edited file may hold any int, so this is done in 64 bits; a label
        // that would lie below the smallest int stays at it.
        const long long rise = i < 4 ? FIRST_ROW_RISE : SECOND_ROW_RISE;
        players[i].label_x = (int)((long long)w * TENTHS[i % 4] / 10);
        players[i].label_y = (int)std::max<long long>(INT_MIN, h - rise);
    }
}

bool point_in_rect(int x, int y, int left, int top, int right, int bottom)
{
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool key_down(int scancode)
{
    return scancode >= 0 && scancode < KEY_MAX && key[scancode] != 0;
}

bool escape_pressed()
{
    return window_closed || key[KEY_ESC];
}

bool escape_held()
{
    return !window_closed && key[KEY_ESC];
}
