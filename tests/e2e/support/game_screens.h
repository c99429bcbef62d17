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
