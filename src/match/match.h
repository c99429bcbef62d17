// One match, from the first round to the winners: worm motion, spawning,
// trails, pixel collision and scoring, the round and match ends, frame pacing
// and the play field display. The pixels of back_buffer are the match's whole
// world: black is free space, every other value an obstacle.
#pragma once

#include "state.h"

// Pixels a worm moves per frame.
constexpr int WORM_SPEED = 3;
// Rows at the bottom of the screen that belong to the score panel.
constexpr int PANEL_HEIGHT = 60;
// Texts of a match stand on opaque black cells.
constexpr int MATCH_TEXT_BG = 0;

// Free space on the field: the only pixel value a worm may run onto.
constexpr int FIELD_BLACK = 0;
// Colours of the frame and the panel at the current depth.
#define FIELD_GREY makecol(128, 128, 128)
#define FIELD_WHITE makecol(255, 255, 255)
#define FIELD_DARK_GREY makecol(64, 64, 64)

// ---------------- worms (worm.cpp)

// One frame's displacement for a heading: (sin, cos) times speed.
void step_vector(int speed, float heading, float &dx, float &dy);
// Puts the worm at a random point of the field, heading for its centre.
void spawn_worm(Player &p);
// Draws the three-pixel band laid while a head moves from (x1, y1) to (x2, y2).
void draw_trail_segment(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour);

// ---------------- collision (collision.cpp)

// Lowest active slot with this colour, living or dead; -1 if none.
int find_player_by_colour(int colour);
// Tests worm i's next head position and settles a crash and its points;
// returns the number of worms that died by it (0, 1 or 2).
int resolve_collision(int i, float dx, float dy);

// ---------------- display (play_field.cpp)

void draw_bevel(BITMAP *bmp, int x1, int y1, int x2, int y2);
void draw_play_field();
void draw_score_panel();
// The panel's grey frame, black interior and sunken border, without labels.
void draw_panel_frame();
// One player's "name: score" label at its place in the panel.
void draw_score_label(const Player &p);
void draw_clock();

// ---------------- round end (round_end.cpp)

// Gives every survivor 2 points and shows the round's result.
void finish_round();
// The draw message ("Nerozhodna hra") under the clock: nobody survived.
void draw_draw_message();
// Draws the winners box and returns 1 when an active player has reached
// the target score; returns 0 and draws nothing otherwise.
int show_match_winners();

// ---------------- the loop (match_loop.cpp)

// Plays one match and returns once the keys that ended it are released.
void run_match();

// The steps of the loop, each callable without a display.
int count_active_players();
// A fresh field with every active worm spawned; returns the living count.
int start_round();
// Turns living worm i by what steers its slot: its keys or pad controls, or
// the mouse buttons for slot 7.
void turn_worm(int i);
// Polls the pads; turns, tests, draws and moves every living worm in slot
// order, then prints the clock; returns the living count after the frame.
int play_frame(int living);
// Shows the round's result: the draw message, or finish_round.
void show_round_result(int living);
// Polls tick_ms until it exceeds last_tick + frame_delay_ms (or ESC is down,
// or the window is closed), asleep until the last tick, and returns the tick
// it saw: the pacing of the frames.
int wait_for_next_frame(int last_tick);

// ---------------- the screen (present.cpp)

// Each game pixel is shown as a block of display_scale x display_scale
// screen pixels: 1, or the whole number the graphics mode was set up with.
// Set with each graphics mode; 1 until the first.
extern int display_scale;
// The library's screen in game pixels: the size back_buffer is made at.
int game_screen_w();
int game_screen_h();
// Puts back_buffer on the screen, enlarged by display_scale and converted to
// the screen's depth: the one way the menus and the match show a frame. Only
// the rows that changed since the last present are sent.
void present();
// The screen is new (a mode has been set): the next present sends every row.
void forget_shown_picture();
// The bytes of one row of a memory bitmap, whose rows lie one after the other.
int row_bytes(BITMAP *bmp);
// bmp, made again unless it is w x h at the depth; false when it cannot be.
bool keep_bitmap(BITMAP *&bmp, int depth, int w, int h);
