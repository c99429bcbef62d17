// The front end: start-up and shut-down, the 1 ms timer, the window, the
// graphics resources, the menu frame and its widgets, the three menu screens
// and the change of graphics mode while running.
#pragma once

#include "match.h"

// ---------------- graphics (graphics.cpp)

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
extern BITMAP *captions_sheet;  // thirteen 300 x 30 captions: "napisy", or a translation
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

// ---------------- start-up (main.cpp, graphics_mode.cpp, timer.cpp, window.cpp)

// Called by the library every millisecond: counts tick_ms and scrolls the backdrop.
void timer_tick();
// Sets a graphics mode of w x h game pixels, enlarged by the scale that
// scale_option asks for when the library gives that, else at a scale of 1;
// sets display_scale. False when the library refuses the mode at a scale of 1
// too, or when it is not a mode at all (a side of zero or less or beyond
// 16384 pixels, an unknown card mode, a depth other than 15, 16, 24 or 32).
bool set_graphics_mode(int card, int w, int h, int depth);

// ---------------- command line and scale (command_line.cpp, scale.cpp)

// The scale option: a whole number from 1 to SCALE_MAX, or SCALE_FIT, the
// largest the desktop holds.
constexpr int SCALE_FIT = 0;
constexpr int SCALE_MAX = 8;
// From the command line, for the whole run; never saved. 1 by default.
extern int scale_option;
// Reads the command line into scale_option and, given --language, words, over
// the language of the locale. False when the program is to end
// at once with exit_code: 0 after --help, which prints the usage on stdout;
// 2 after a bad option or value, with a line saying what is wrong and the
// usage on stderr.
bool read_command_line(int argc, char **argv, int &exit_code);
// The largest whole n with n * w x n * h inside a desktop of desktop_w x
// desktop_h; a window leaves room for its frame and the desktop's panels.
// Never below 1; 1 when the desktop size is unknown (zero or less).
int fit_scale(int desktop_w, int desktop_h, int w, int h, bool windowed);
// Leaves the graphics mode and shows the message to the player.
void show_fatal_message(const char *message);
// The window's class and icon, the game's own rather than the library's;
// before allegro_init, which makes the window.
void name_window();
// The window's title and its close button, which sets window_closed.
void set_up_window();

// ---------------- pads (players_screen.cpp)

// Looks for the pads (the library's joystick devices) again: the library
// does not notice a pad plugged in or out while it runs. At start-up and
// whenever the players screen opens.
void find_pads();

// ---------------- ends from outside (session_end.cpp)

// The first of SIGTERM, SIGHUP or SIGINT to arrive, or 0; set for the rest
// of the run by the signal handler, on whichever thread the signal lands.
extern std::atomic<int> ending_signal;
// The handler of the three: the first one acts as the window's close button
// does; after it, SIGTERM or SIGINT ends the process at once by the signal.
void on_ending_signal(int signum);
// Notes which of the three the program was started with ignored (nohup, a
// background job); before allegro_init, which puts its own handler on SIGTERM
// and SIGINT.
void note_ignored_signals();
// Puts the handler on each of the three that was not ignored at the start;
// an ignored one is ignored again. After allegro_init.
void install_signal_handlers();
// What the process exits with once the main menu has returned: 0, or 128 plus
// the number of the signal that ended the game.
int exit_status();
// Once the game is running: a lost display writes the settings (see
// save_settings_at_end) and ends the process with exit code 1.
void install_display_loss_handler();

// ---------------- menu frame (menu_frame.cpp, widgets.cpp)

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
// Composes one menu picture on back_buffer with the backdrop at the current
// offset; a picture that back_buffer holds already is left as it is.
void draw_backdrop();
// Something else has drawn on back_buffer (a match), or it has been made
// again: the next draw_backdrop composes the whole picture.
void forget_menu_picture();
void tile_backdrop(BITMAP *bmp, int offset);
// One menu frame: compose, wait for the retrace, show, wrap the offset, move
// the pointer by the arrow keys.
void menu_frame();
void menu_frame_no_pointer_keys();
void move_pointer_by_keys();
// Runs menu frames while the key is held, so the menu keeps moving; a closed
// window lets go at once.
void run_frames_while_held(int scancode);
void run_frames_while_escape_held();
// ESC pressed and let go, or the window closed: the screen ends.
bool left_by_escape();
// Where the arrow keys held now would put a pointer at (x, y).
void pointer_after_keys(int &x, int &y);
// The left button or ENTER is held.
bool confirm_held();
// The release-edge rule: true in the one pass in which the left button or
// ENTER has just been released; was_held carries the state between passes.
bool confirm_released(bool &was_held);
// The pointer in game pixels, whatever the scale (pointer.cpp): read from
// the mouse, and placed at game point (x, y).
int pointer_x();
int pointer_y();
void place_pointer(int x, int y);
// Top-left corner of the centred 640 x 480 layers on the screen.
int layer_left();
int layer_top();
// The pointer in layer coordinates.
int pointer_layer_x();
int pointer_layer_y();

// ---------------- main menu (main_menu.cpp)

void draw_main_menu();
void main_menu();
// The button (1 start, 2 players, 3 options, 4 quit) under screen point
// (x, y), or 0.
int main_menu_button_at(int x, int y);

// ---------------- players screen (players_screen.cpp, players_grid.cpp, player_entries.cpp)

// draw_players_grid's selection: nothing highlighted, a row 0..7 (its name or
// keys are being entered), or a row + GRID_PALETTE (its colour is being picked).
constexpr int GRID_NO_SELECTION = -1;
constexpr int GRID_PALETTE = PLAYER_COUNT;
// players_grid_hit answers row * GRID_ROW_CODE + column, or -1.
constexpr int GRID_ROW_CODE = 10;
enum {
    GRID_ONOFF = 1,
    GRID_NAME,
    GRID_KEYS,
    GRID_COLOUR
};

// Redraws both layers: the column and back-button art, then the grid.
void draw_players_screen();
// Redraws text_layer: the eight rows, and the palette picture when picking.
void draw_players_grid(int selection);
// The grid cell code under layer point (x, y), or -1.
int players_grid_hit(int x, int y);
// The back button's box under layer point (x, y).
bool players_back_hit(int x, int y);
// The palette picture's top-left corner on text_layer, where it is centred.
int palette_left();
int palette_top();
void players_screen();
// The screen's answer to a release at screen point (x, y): false for the
// back button; otherwise true, after any toggle or entry it started.
bool players_screen_release(int x, int y);

// What one input does to an entry: it goes on, it has ended with the new
// value, or it has been cancelled with the old value back. A closed window
// cancels as ESC does.
enum SlotEdit {
    SLOT_EDIT_GOES_ON,
    SLOT_EDIT_DONE,
    SLOT_EDIT_CANCELLED
};
// The three entries, each with its waits; they return once it has ended.
void rename_player(int row);
void assign_player_keys(int row);
void pick_player_colour(int row);
// Their steps, without waits: each begin_ empties the keyboard buffer and
// highlights the row; the others take one input.
void begin_rename(int row);
SlotEdit rename_char(int ch); // ch: the low byte of readkey()
void begin_key_assignment(int row);
SlotEdit assign_control(int control); // a scancode (readkey() >> 8) or a pad control
// The pad control pressed since the last look, polled by the caller, or
// NO_CONTROL; one held when the key assignment began is never taken in it: an
// analogue trigger rests at one end of its axis, which reads as a direction
// held from the moment the pad is opened, and comes back there after each pull.
int pad_control_pressed();
void begin_colour_pick(int row);
SlotEdit pick_colour_at(int x, int y); // the pointer in layer coordinates

// ---------------- options screen (options_screen.cpp, options_view.cpp, options_entry.cpp)

// A box on the 640 x 480 layers, borders included.
struct OptionsBox {
    int left, top, right, bottom;
};
// The screen's fields and buttons on the layers. Its hit boxes are these
// boxes around the screen centre, where the layers are drawn.
constexpr OptionsBox OPTIONS_FRAME_DELAY_FIELD = {50, 150, 295, 180};
constexpr OptionsBox OPTIONS_TURN_STEP_FIELD = {345, 150, 590, 180};
constexpr OptionsBox OPTIONS_SURVIVORS_FIELD = {50, 230, 295, 260};
constexpr OptionsBox OPTIONS_TARGET_FIELD = {345, 230, 590, 260};
constexpr OptionsBox OPTIONS_APPLY_BUTTON = {450, 310, 590, 340};
constexpr OptionsBox OPTIONS_BACK_BUTTON = {450, 370, 590, 400};
// The graphics mode panel: one line each for resolution, card and depth.
constexpr OptionsBox OPTIONS_RESOLUTION_LINE = {50, 310, 400, 340};
constexpr OptionsBox OPTIONS_CARD_LINE = {50, 340, 400, 370};
constexpr OptionsBox OPTIONS_DEPTH_LINE = {50, 370, 400, 400};
// The confirmation dialog; a release outside it cancels it.
constexpr OptionsBox OPTIONS_DIALOG_BOX = {170, 210, 470, 270};

// The modes the popups offer, in their order on screen.
struct OfferedSize {
    int w, h;
};
constexpr int OFFERED_SIZE_COUNT = 3;
constexpr OfferedSize OFFERED_SIZES[OFFERED_SIZE_COUNT] = {{640, 480}, {800, 600}, {1024, 768}};
constexpr int OFFERED_DEPTH_COUNT = 4;
constexpr int OFFERED_DEPTHS[OFFERED_DEPTH_COUNT] = {15, 16, 24, 32};
// The turn step is shown and typed in thousandths of a radian.
constexpr double THOUSANDTHS_PER_RADIAN = 1000.0;

// What text_layer shows besides the seven values.
enum OptionsView {
    VIEW_VALUES = -1,     // the values only, all white
    VIEW_FRAME_DELAY = 1, // 1..4: a number entry, its value in yellow
    VIEW_TURN_STEP,
    VIEW_SURVIVORS,
    VIEW_TARGET,
    VIEW_RESOLUTION_POPUP, // 5..7: a popup, its value in yellow
    VIEW_CARD_POPUP,
    VIEW_DEPTH_POPUP,
    VIEW_UNCHANGED, // message: the mode was not changed
    VIEW_CONFIRM,   // the confirmation dialog
    VIEW_FAILED,    // message: the mode change failed
    VIEW_CHANGED,   // message: the mode was changed
};

void options_screen();
// Redraws menu_layer (button art, captions), then the values.
void draw_options_layout();
// Redraws text_layer for one view.
void draw_options_values(int view);
// The box under screen point (x, y): 1 back, 2 frame delay, 3 turn step,
// 4 survivors, 5 target score, 6 apply, 7 resolution, 8 card, 9 depth, or 0.
// A point on a border two boxes share belongs to the earlier one.
int options_box_at(int x, int y);
// A release at layer point (lx, ly) in the popup of the given view sets
// pending as chosen; on the popup's rim or outside it nothing changes.
void choose_in_popup(int view, int lx, int ly);
// What a release at layer point (lx, ly) says to the confirmation dialog.
enum DialogAnswer {
    ANSWER_NONE,   // inside, on neither button: the dialog stays
    ANSWER_YES,    // "ANO"
    ANSWER_NO,     // "NIE"
    ANSWER_CANCEL, // outside the dialog
};
DialogAnswer dialog_answer(int lx, int ly);

// The waits of the popups, the dialog and the messages, and their
// conditions. A closed window counts as ESC pressed and released, so every
// one of them ends once the window is closed.
bool answer_pressed();     // ESC, ENTER or any mouse button is down
bool confirm_still_held(); // the left button or ENTER is down
bool dismissal_held();     // ESC, the left button or ENTER is down
bool wait_for_answer();    // until answer_pressed(); true for ESC
void wait_while_confirm_held();
void wait_for_dismissal(); // a message: a press, then all let go

// Number entries (options_entry.cpp). One pass reads one input: a character,
// the low eight bits of readkey(), or one of these.
constexpr int ENTRY_NO_INPUT = -1;       // nothing yet
constexpr int ENTRY_LEFT_CLICK = 0x100;  // confirms wherever the pointer is
constexpr int ENTRY_OTHER_CLICK = 0x101; // another mouse button: ignored
enum EntryState {
    ENTRY_RUNNING,
    ENTRY_CONFIRMED,
    ENTRY_CANCELLED
};
// The input waiting now; a closed window reads as ESC.
int entry_input_now();
// Starts an entry: the field shows 0 in yellow. Returns the old value.
int begin_int_entry(int *field, int view);
float begin_turn_step_entry();
// Applies one input to a running entry and redraws what it changed.
EntryState int_entry_step(int *field, int view, int old_value, int min, int max, int input);
EntryState turn_step_entry_step(float old_value, int input);
void edit_int_option(int *field, int view, int min, int max);
void edit_turn_step();

// ---------------- mode change (mode_change.cpp)

// Sets the pending mode and rebuilds what depends on it, or sets the
// committed mode again when the library refuses it; shows the result until
// the player dismisses it.
void apply_graphics_mode();
// pending differs from the committed mode in card, size or depth.
bool pending_differs();
// pending becomes the committed mode again.
void reset_pending_mode();
// Every player's colour, switched on or off, from a pixel value of
// old_depth to the same red, green and blue at new_depth.
void repack_player_colours(int old_depth, int new_depth);
// The pending mode becomes the committed one, at the w x h the driver set.
void commit_pending_mode(int w, int h);
