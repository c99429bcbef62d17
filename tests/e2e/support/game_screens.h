// What every screen's end-to-end tests share: settings files to start from,
// starting the game on its main menu, the centred 640 x 480 layers, and the
// way out that writes the settings.
#pragma once

#include "e2e.h"

// The twenty lines the game writes over its defaults.
extern const char DEFAULT_SETTINGS_TEXT[];
// `text` with line `number` (1 to 20) replaced by `line` (no newline).
std::string with_line(const std::string &text, int number, const std::string &line);
// Line `number` (1 to 20) of `text`, without its newline.
std::string line_of(const std::string &text, int number);
// The default settings in a mode of card 0..2, w x h, depth bits per pixel.
std::string settings_in_mode(int card, int w, int h, int depth);

// The colour depth of the game started last, as its settings gave it
// (16 unless start_at_main_menu was told otherwise).
int game_depth();

// Starts the game in `dir` (its talvon.dat as it is) and waits until the
// main menu is on screen in a w x h mode at the given depth.
bool start_at_main_menu(const std::string &dir, int w = 640, int h = 480, int depth = 16,
                        const std::vector<std::string> &env = {});
// The title picture stands on the screen where the menus put it.
bool title_shown(const Image &img);
// The caption at caption_y of the captions sheet stands at layer point (lx, ly).
bool caption_shown(const Image &img, int caption_y, int lx, int ly);
// Waits until the main menu (its title and its four buttons' captions) shows.
bool wait_for_main_menu(int timeout_ms = 5000);

// Game coordinates of a point of the centred 640 x 480 layers.
int layer_to_game_x(int lx);
int layer_to_game_y(int ly);
// Moves the pointer to layer point (lx, ly) and clicks the left button there.
void click_layer(int lx, int ly);
// Moves the pointer to layer point (lx, ly) and presses ENTER there.
void enter_at_layer(int lx, int ly);

// The on-screen colour of makecol(r, g, b) in the game's depth.
uint32_t game_colour(int r, int g, int b);

// ESC on the main menu: the game ends; true when it ended with exit code 0.
bool quit_from_main_menu();

// ---------------------------------------------------------------- after a mode change

// From now on game_colour and the picture checks use this depth: the game's
// colours once it has changed its mode.
void set_game_depth(int depth);
// Waits until a w x h game area shows what `holds` asks for. While the game
// changes its mode the old window may stay up for a moment, so the area is
// looked for again (and given the focus) until the condition holds on it.
bool wait_for_area_showing(int w, int h, const std::function<bool(const Image &)> &holds,
                           int timeout_ms = 15000);

// ---------------------------------------------------------------- options screen

// The options screen's values, numbered as it numbers them: 1 frame delay,
// 2 turn step, 3 round-end survivors, 4 target score, 5 resolution, 6 card
// mode, 7 colour depth.
enum OptionValue {
    FRAME_DELAY_VALUE = 1, TURN_STEP_VALUE, SURVIVORS_VALUE, TARGET_VALUE,
    RESOLUTION_VALUE, CARD_VALUE, DEPTH_VALUE,
};
// Its labels and buttons stand where it draws them.
bool options_screen_shown(const Image &img);
// Clicks the main menu's options button and waits for the options screen.
bool open_options_screen();
// The value shows exactly `text`, yellow (being edited or chosen) or white.
bool option_value_shown(const Image &img, int value, const std::string &text, bool yellow);
bool wait_for_option_value(int value, const std::string &text, bool yellow = false,
                           int timeout_ms = 5000);
// A release on the panel line of the value (resolution, card or depth) opens
// its popup; a release at the layer point (lx, ly) in it chooses. Each waits
// for the popup, then for the value in white again showing `shown`.
bool choose_in_popup(int value, int lx, int ly, const std::string &shown);
bool choose_resolution(int w, int h);
bool choose_card(int card); // 0 AUTODETECT, 1 FULLSCREEN, 2 WINDOWED
bool choose_depth(int depth);
// `text` with the eight players' colours (slot 0 first) replaced.
std::string with_player_colours(const std::string &text, const std::vector<int> &colours);
// The confirmation dialog's question shows.
bool mode_dialog_shown(const Image &img);
// Waits for the confirmation dialog and clicks "ANO" (yes) or "NIE".
bool answer_mode_dialog(bool yes);
// The one-line message of the options screen shows `text`.
bool options_message_shown(const Image &img, const std::string &text);
bool wait_for_options_message(const std::string &text, int timeout_ms = 5000);
// A layer point clear of every box, text and picture of the options screen.
constexpr int OPTIONS_CLEAR_X = 600, OPTIONS_CLEAR_Y = 120;
// After "ANO": waits for the options screen's message `text` in a w x h
// mode, then gives that mode's window the focus. Setting a mode puts the
// pointer in the middle of the screen, on the message: a pointer seen on the
// message's line is moved to the clear point.
bool wait_for_mode_change_message(int w, int h, const std::string &text,
                                  int timeout_ms = 15000);

// ---------------------------------------------------------------- players screen

// The palette picture ("paletka") stands centred on the layers, where the
// players screen shows it while a colour is being picked; only the pointer
// may cover a few of its pixels.
bool palette_shown(const Image &img);

// ---------------------------------------------------------------- settings, colours, pictures

// `text` with every player slot switched off except those in `on`.
std::string with_players_on(const std::string &text, const std::vector<int> &on);
// `text` with slot `slot` (0 to 7) given the colour `colour`, a pixel value
// of the file's depth; its keys and its on/off switch stay as they were.
std::string with_player_colour(const std::string &text, int slot, int colour);
// The pixel value makecol(r, g, b) gives at depth 15, 16, 24 or 32, as the
// settings file stores a player's colour.
int pixel_value(int r, int g, int b, int depth);
// How a pixel value of the given depth (such as a colour from the settings
// file) shows on the screen.
uint32_t pixel_value_on_screen(int value, int depth);
// Nearly every opaque pixel of the part (sx, sy, w, h) of the picture file at
// `path` stands on the screen with that part's top-left corner at game point
// (x, y): only the pointer may cover a few.
bool picture_file_shown(const Image &img, const std::string &path, int sx, int sy, int w, int h,
                        int x, int y);

// ---------------------------------------------------------------- the pointer and the backdrop

// Finds the menu pointer (its grey triangle in full) and gives its tip, the
// pointer position, in game coordinates; false when it is not on screen.
bool find_pointer(const Image &img, int &x, int &y);
// The pointer's tip stands at game point (x, y).
bool pointer_shown_at(const Image &img, int x, int y);
// Moves the menu pointer with the arrow keys alone, holding each as long as
// the screen shows the pointer short of game point (x, y), until it rests
// within `near` pixels of it on both axes.
bool steer_pointer_by_keys(int x, int y, int near = 8, int timeout_ms = 20000);
// Waits until the menu's backdrop has moved on `frames` times: so many menu
// frames have been presented since the call.
bool wait_for_menu_frames(int frames, int timeout_ms = 5000);

// ---------------------------------------------------------------- texts

// Reads `length` characters in the built-in font, centred on x_centre with
// their top at y_top, drawn in `rgb`, each one of `alphabet`; a character
// that matches none reads as '?'.
std::string read_text(const Image &img, int x_centre, int y_top, int length, uint32_t rgb,
                      const std::string &alphabet);

// ---------------------------------------------------------------- the match

// Every pixel of the play field's borders, margins and panel frame is as a
// fresh field has it at the screen's size: all but the field's and the
// panel's black interiors.
bool play_field_frame_shown(const Image &img);

// ---------------------------------------------------------------- quitting

// ESC on the main menu: expects the game to end with exit code 0 and the
// settings file in `dir` to read `settings` then.
void expect_quit_writing(const std::string &dir, const std::string &settings);

// ---------------------------------------------------------------- any screen size, long play

// A match is on screen, at any size: its field's dark right border where the
// menus show their backdrop. Score labels, worms that crash into a border
// and screens too small for the field are allowed for.
bool match_shown(const Image &img);
// Waits until a round has ended: a match on screen whose clock has stood
// still for a while, as it does while the result waits for the players (or
// while a very long frame delay runs). `meanwhile`, if given, runs before
// each look at the screen, such as to steer the worms.
bool wait_for_round_end(int timeout_ms = 20000, const std::function<void()> &meanwhile = {});
