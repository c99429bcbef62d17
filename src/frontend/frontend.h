// The front end: start-up and shut-down, the 1 ms timer, the window, the
// graphics resources, the menu frame and its widgets, the three menu screens
// and the change of graphics mode while running.
#pragma once

#include "match.h"

// ---------------------------------------------------------------- graphics (graphics.cpp)

// The two menu layers are drawn centred on the screen whatever its size.
constexpr int LAYER_W = 640;
constexpr int LAYER_H = 480;
// One caption of the captions sheet.
constexpr int CAPTION_W = 300;
constexpr int CAPTION_H = 30;
// The backdrop gradient strip is this wide; its wave repeats every 511 diagonals.
constexpr int STRIP_W = 510;
// The pointer bitmap is this many pixels square.
constexpr int POINTER_SIZE = 16;

// Made by load_graphics; destroyed and made again only by the mode change.
// back_buffer, shared with the match, is declared with the game state.
extern BITMAP *menu_layer;      // 640 x 480: button art, captions, the title
extern BITMAP *text_layer;      // 640 x 480: values, dialogs, the player grid
extern BITMAP *pointer_sprite;  // 16 x 16 pointer, pink where transparent
extern BITMAP *caption_cell;    // 300 x 30: one caption cut out of the sheet
extern BITMAP *gradient_strip;  // 510 x screen height: the blue diagonal wave
extern BITMAP *logo_sprite;     // picture "kelogo"
extern BITMAP *title_sprite;    // picture "talvoni"
extern BITMAP *captions_sheet;  // picture "napisy": thirteen 300 x 30 captions
extern BITMAP *palette_picture; // picture "paletka": the colour picker

// Loads the four pictures and makes the six work bitmaps for the mode on
// screen; returns 0 when all ten are in place, 1 when a picture is missing
// or a bitmap cannot be made.
int load_graphics();
// Destroys all ten bitmaps (those that exist) and forgets them.
void destroy_graphics();
// Draws the pointer and the gradient into their fresh bitmaps.
void draw_pointer_sprite(BITMAP *bmp);
void draw_gradient_strip(BITMAP *bmp);

// ---------------------------------------------------------------- start-up (startup.cpp, timer.cpp, window.cpp)

// Called by the library every millisecond: counts tick_ms and scrolls the backdrop.
void timer_tick();
// Sets a graphics mode; false when the library refuses it or when it is not a
// mode at all (a size of zero or less, an unknown card mode).
bool set_graphics_mode(int card, int w, int h, int depth);
// The window's title and its close button, which sets window_closed.
void set_up_window();

// ---------------------------------------------------------------- menu frame (menu_frame.cpp, widgets.cpp)

// Menu texts have no background.
constexpr int MENU_TEXT_BG = -1;
// Button art is scribbled on menu_layer with this line length; -1 asks for
// the brighter dialog variant on text_layer.
constexpr int BUTTON_SCRIBBLE = 20;
constexpr int DIALOG_SCRIBBLE = -1;

// Captions of the captions sheet, by their y in the sheet.
constexpr int CAPTION_START = 0;
constexpr int CAPTION_PLAYERS = 30;
constexpr int CAPTION_OPTIONS = 60;
constexpr int CAPTION_QUIT = 90;
constexpr int CAPTION_BACK = 120;
constexpr int CAPTION_FRAME_DELAY = 150;
constexpr int CAPTION_TURN_STEP = 180;
constexpr int CAPTION_SURVIVORS = 210;
constexpr int CAPTION_TARGET = 240;
constexpr int CAPTION_RESOLUTION = 270;
constexpr int CAPTION_CARD = 300;
constexpr int CAPTION_DEPTH = 330;
constexpr int CAPTION_APPLY = 360;

void scribble_box(BITMAP *bmp, int length, int left, int top, int right, int bottom);
void draw_caption(int caption_y, int x, int y);
// Composes one menu picture on back_buffer with the backdrop at offset o.
void draw_backdrop();
void tile_backdrop(BITMAP *bmp, int offset);
// One menu frame: compose, wait for the retrace, show, wrap the offset, move
// the pointer by the arrow keys.
void menu_frame();
void menu_frame_no_pointer_keys();
void move_pointer_by_keys();
// Where the arrow keys held now would put a pointer at (x, y).
void pointer_after_keys(int &x, int &y);
// The left button or ENTER is held.
bool confirm_held();
// The release-edge rule: true in the one pass in which the left button or
// ENTER has just been released; was_held carries the state between passes.
bool confirm_released(bool &was_held);
// Top-left corner of the centred 640 x 480 layers on the screen.
int layer_left();
int layer_top();
// The pointer in layer coordinates.
int pointer_layer_x();
int pointer_layer_y();

// ---------------------------------------------------------------- main menu (main_menu.cpp)

void draw_main_menu();
void main_menu();
// The button (1 start, 2 players, 3 options, 4 quit) under screen point
// (x, y), or 0.
int main_menu_button_at(int x, int y);

// ---------------------------------------------------------------- players screen (players_screen.cpp, players_grid.cpp)

void draw_players_screen();
void draw_players_grid(int selection);
int players_grid_hit(int x, int y);
void players_screen();

// ---------------------------------------------------------------- options screen (options_screen.cpp, options_view.cpp, options_entry.cpp)

void options_screen();
void draw_options_layout();
void draw_options_values(int view);
void edit_int_option(int *field, int view, int min, int max);
void edit_turn_step();

// ---------------------------------------------------------------- mode change (mode_change.cpp)

void apply_graphics_mode();
