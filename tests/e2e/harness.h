// End-to-end support: the game in a fresh work directory on a private Xvfb, driven through XTest. Points are on
// the 640 x 480 menu layers, centred on the screen; colours are pixel values of the 16-bit test screen.
#pragma once
#include <gtest/gtest.h>
#include "../headless.h"
#include <functional>
#include <string>
extern std::string dir;            // the work directory, the mode shown and the process of the game started last
extern int game_w, game_h, game_depth;
extern bool windowed;
extern pid_t game;
constexpr uint32_t WHITE = 0xFFFF, YELLOW = 0xFFE0;
struct Shot { int w = 0, h = 0; std::vector<uint32_t> rgb; uint32_t at(int x, int y) const; };
using Check = std::function<bool(const Shot &)>;
std::string edit(std::string text, const std::vector<std::pair<int, std::string>> &lines);
std::string read(const std::string &name), data(const char *picture), quit(int status = 0, const std::function<void()> &how = {});
void write(const std::string &name, const std::string &text), new_dir(), launch(const std::vector<std::string> &env = {});
bool start(int w = 640, int h = 480, int depth = 16, const std::vector<std::string> &env = {}), said(const std::string &line);
int exit_status(), picture_value(const std::string &path, int x, int y);
void close_window(), kill_display(), settle(), press(const char *keysym, bool down), button(int b, bool down);
void tap(const char *keysym), type(const std::string &text), click(int x, int y, int b = 1);
Shot grab();
bool wait(const Check &holds, int timeout_ms = 8000), wait_text(const std::string &text, int x, int y, uint32_t colour = WHITE);
uint32_t rgb(int r, int g, int b), shown(int value);
bool has_picture(const Shot &s, const std::string &path, int sy, int h, int x, int y), steer(const char *arrow, int x, int y);
bool has_text(const Shot &s, const std::string &text, int x, int y, uint32_t colour);
bool main_menu(const Shot &s), match_on(const Shot &s), round_over(const Shot &s), pointer_at(const Shot &s, int x, int y);
