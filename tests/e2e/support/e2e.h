// End-to-end test support: runs the real game binary on a private Xvfb and
// drives it like a player, with real key and mouse events through XTest.
// Tests check the screen's pixels, files in the game's work directory and
// the exit code.
//
// Coordinates are game coordinates: (0, 0) is the top-left pixel of the
// drawing area found by wait_for_game_area. Colours are 0xRRGGBB as the
// 24-bit X screen shows them (see screen_colour). Times are milliseconds.
// Every wait has a timeout and returns as soon as its condition holds.
// One game runs at a time; the functions below act on the game started last.
//
// Xlib and Allegro stay out of this header, so their macros never meet a test.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

#include <gtest/gtest.h>

// ---------------------------------------------------------------- display (xvfb.cpp)

// Starts this process's Xvfb (1280x1024x24 on a free display) once and connects to it; false when impossible.
bool start_display();
// Kills the Xvfb and drops the connection; also runs at process exit.
void stop_display();
// The DISPLAY value of the test server, e.g. ":123"; "" before start_display.
std::string display_name();

// ---------------------------------------------------------------- work directory (work_dir.cpp)

// The settings file the game reads and writes in its working directory.
extern const char *const SETTINGS_FILE;

// Makes a fresh directory holding every *.tga and *.bmp of the data directory except the names in `without`.
std::string make_work_dir(const std::vector<std::string> &without = {});
// Removes a work directory and everything in it.
void remove_work_dir(const std::string &dir);
// Writes `text` to dir/name, replacing the file.
void write_file(const std::string &dir, const std::string &name, const std::string &text);
// True when dir/name exists.
bool file_exists(const std::string &dir, const std::string &name);
// The whole of dir/name; "" when it does not exist.
std::string read_file(const std::string &dir, const std::string &name);

// ---------------------------------------------------------------- the game process (game_process.cpp)

// How the game ended.
struct GameExit {
    bool ended = false; // false: still running when the wait gave up
    int code = -1;      // exit code of a normal end, else -1
    int signal = 0;     // signal that ended it, else 0
};

// Path of the game binary: $TALVON_BIN when set, else the build's TALVON_BINARY.
std::string game_binary();
// Starts the game in `dir` on the test display; `env` adds "NAME=value" entries; output goes to dir/game-stdout.txt and dir/game-stderr.txt. Returns the pid, or -1.
pid_t start_game(const std::string &dir, const std::vector<std::string> &env = {});
// Waits for the game to end; ended is false on timeout.
GameExit wait_for_exit(int timeout_ms = 10000);
// True while the game started last is running.
bool game_running();
// Ends the game if it still runs (with its message boxes): SIGTERM, then SIGKILL after a grace period.
void stop_game();
// Work directory of the game started last (grabs saved on a timeout go there); "" before any start.
std::string game_dir();

// ---------------------------------------------------------------- the game's window (game_window.cpp)

// The drawing area in root-window coordinates.
struct Area {
    int x = 0, y = 0, w = 0, h = 0;
};

// Waits until a mapped window of exactly w x h has stayed put for 200 ms; makes it the game area for input and grabs and gives its top-level window the keyboard focus.
bool wait_for_game_area(int w, int h, int timeout_ms = 10000);
// The game area found last.
Area game_area();
// Presses the close button of the window titled "Talvon" as a window manager would (WM_DELETE_WINDOW); false when there is none.
bool close_game_window();

// ---------------------------------------------------------------- input (x_input.cpp)

// How long key_tap and mouse_click hold by default: at least two menu frames of ~27 ms.
extern int hold_ms;
// Pause after each release of a tap or click, so the game sees the release before the next press.
extern int gap_ms;

// Presses a key by X keysym name ("Escape", "Return", "space", "Left", "KP_Add", "s").
void key_down(const std::string &keysym);
// Releases a key by X keysym name.
void key_up(const std::string &keysym);
// Presses a key, holds it for `hold` ms (hold_ms when negative), releases it and pauses gap_ms.
void key_tap(const std::string &keysym, int hold = -1);
// Types printable ASCII text key by key, holding Shift for the characters that need it.
void type_text(const std::string &text);
// Moves the pointer to game point (x, y).
void mouse_move(int x, int y);
// Presses mouse button 1 (left) or 3 (right).
void mouse_down(int button = 1);
// Releases mouse button 1 (left) or 3 (right).
void mouse_up(int button = 1);
// Presses a button, holds it for `hold` ms (hold_ms when negative), releases it and pauses gap_ms.
void mouse_click(int button = 1, int hold = -1);
// Moves the pointer to game point (x, y), then clicks the left button there.
void click_at(int x, int y);

// ---------------------------------------------------------------- the screen (screen_grab.cpp, png_file.cpp)

// A grab of the game area, row by row, each pixel 0xRRGGBB.
struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
    // Pixel (x, y); NO_PIXEL outside the image.
    uint32_t at(int x, int y) const;
};
// What Image::at gives outside the image: matches no colour.
constexpr uint32_t NO_PIXEL = 0xFF000000u;

// How makecol(r, g, b) of the game at colour depth 15, 16, 24 or 32 shows on the screen.
uint32_t screen_colour(int r, int g, int b, int depth);
// Grabs the game area now; an empty image when it cannot.
Image grab_screen();
// One pixel of the game area now.
uint32_t pixel(int x, int y);
// Grabs every ~20 ms until `holds` is true of a grab; on timeout saves the last grab as a PNG in game_dir(), prints its path and returns false.
bool wait_until(const std::function<bool(const Image &)> &holds, int timeout_ms = 5000);
// Waits until pixel (x, y) shows `rgb`.
bool wait_for_pixel(int x, int y, uint32_t rgb, int timeout_ms = 5000);
// Number of pixels of colour `rgb` in the rectangle at (left, top) of size w x h.
int count_pixels(const Image &img, int left, int top, int w, int h, uint32_t rgb);
// Writes an image as a PNG file; false on failure.
bool save_png(const Image &img, const std::string &path);
// Saves a grab of the game area as a PNG file; false on failure.
bool save_screenshot(const std::string &path);

// ---------------------------------------------------------------- text (text_check.cpp)

// Starts the library in the test process, once, without a display: memory
// bitmaps, picture loading and the built-in font.
void start_headless_library();

// True when `text` in the built-in 8x8 font, centred on x_centre with its top at y_top, has every glyph pixel in `rgb`; `exact` also requires every other pixel of its box to differ from `rgb`.
bool text_shown(const Image &img, const std::string &text, int x_centre, int y_top, uint32_t rgb,
                bool exact = false);
// Waits until text_shown holds on a fresh grab.
bool wait_for_text(const std::string &text, int x_centre, int y_top, uint32_t rgb,
                   int timeout_ms = 5000, bool exact = false);

// ---------------------------------------------------------------- message boxes (messages.cpp)

// Waits for a message box of the game (allegro_message) whose text contains `part`, closes it and returns its whole text; "" on timeout.
std::string wait_for_message(const std::string &part = "", int timeout_ms = 10000);

// ---------------------------------------------------------------- fixture (game_test.cpp)

// Base of the end-to-end tests: the display, a fresh work directory per test and a clean end.
class GameTest : public ::testing::Test {
protected:
    // Starts the display and makes `dir` with all the pictures.
    void SetUp() override;
    // Stops the game; removes `dir`, or keeps it and prints its path when the test failed.
    void TearDown() override;
    // This test's work directory, the game's working directory.
    std::string dir;
};

// For long flows: on a loaded machine the game can miss a short press
// altogether, so every press is held for some ten frames.
class LongPressTest : public GameTest {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    int usual_hold_ms = 0;
};
