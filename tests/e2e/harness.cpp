#include "harness.h"
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

std::string dir;
int game_w = 640, game_h = 480, game_depth = 16;
bool windowed; // the game is in a window at the screen's corner, else in full screen, centred
pid_t game = -1;
static Display *dpy;                             // our connection to the test server, 1280 x 1024 at 16 bits
static std::string root, display;                // the work directories and the stand-in xmessage; ":N"
static pid_t xvfb = -1;                          // the test server
static std::map<std::string, BITMAP *> pictures; // by path and depth
static const int HOLD_US = 55000;                // two menu frames
static int left() { return windowed ? 0 : (1280 - game_w) / 2; } // the game's drawing area on the root window
static int top() { return windowed ? 0 : (1024 - game_h) / 2; }
// `text` with lines (1 to 20) replaced: the one way to state a settings file.
std::string edit(std::string text, const std::vector<std::pair<int, std::string>> &lines) {
    for (const auto &[number, line] : lines) {
        size_t begin = 0;
        for (int n = 1; n < number; n++, begin = text.find('\n', begin) + 1) {}
        text.replace(begin, text.find('\n', begin) - begin, line);
    }
    return text;
}
// A file of the work directory; the build's .tga of a picture; a line of the game's output, where xmessage prints.
std::string read(const std::string &name) { return (std::stringstream() << std::ifstream(dir + "/" + name).rdbuf()).str(); }
void write(const std::string &name, const std::string &text) { std::ofstream(dir + "/" + name) << text; }
std::string data(const char *picture) { return std::string(TALVON_DATA_DIR "/") + picture + ".tga"; }
bool said(const std::string &line) { return ("\n" + read("out.txt")).find("\n" + line + "\n") != std::string::npos; }
void new_dir() {
    static int n = 0;
    std::filesystem::create_directory(dir = root + "/" + std::to_string(++n));
    for (const char *p : {"kelogo", "talvoni", "napisy", "paletka"}) std::filesystem::copy_file(data(p), dir + "/" + p + ".tga");
}
// Starts the game in `dir` with "NAME=value"s added to its environment; $TALVON_BIN replaces the build's game.
void launch(const std::vector<std::string> &env) {
    int fds[2];
    if (!dpy && pipe(fds) == 0) { // Xvfb picks a free display and names it once it listens
        if ((xvfb = fork()) == 0)
            prctl(PR_SET_PDEATHSIG, SIGKILL), freopen("/dev/null", "w", stderr), execlp("Xvfb", "Xvfb",
                "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", "1280x1024x16", "-nolisten", "tcp", nullptr);
        char number[16] = {};
        close(fds[1]), display = ":" + std::to_string(::read(fds[0], number, 15) > 0 ? atoi(number) : -1);
        close(fds[0]), dpy = XOpenDisplay(display.c_str());
    }
    if (game > 0 && kill(-game, SIGKILL) == 0 && waitpid(game, nullptr, 0)) {}
    if ((game = fork()) == 0) {
        if (setpgid(0, 0) || !freopen((dir + "/out.txt").c_str(), "w", stdout) || dup2(1, 2) < 0 || chdir(dir.c_str()))
            _exit(127);
        setenv("PATH", (root + ":" + getenv("PATH")).c_str(), 1), setenv("DISPLAY", display.c_str(), 1);
        std::for_each(env.begin(), env.end(), [](const std::string &e) { putenv(strdup(e.c_str())); });
        execl(getenv("TALVON_BIN") ? getenv("TALVON_BIN") : TALVON_BINARY, "talvon", nullptr), _exit(127);
    }
    setpgid(game, game);
}
// The X server dies under the game; the next start brings up another.
void kill_display() { XCloseDisplay(dpy), dpy = nullptr, kill(xvfb, SIGKILL), waitpid(xvfb, nullptr, 0); }
// Starts the game and waits for its main menu in a w x h mode at that depth.
bool start(int w, int h, int depth, const std::vector<std::string> &env) {
    return game_w = w, game_h = h, game_depth = depth, windowed = false, launch(env), wait(main_menu, 20000); }
// The game's exit code, 1000 + the signal that ended it, or -1 while it runs; whatever it left is killed.
int exit_status() {
    int status = 0, tries = 0;
    for (; waitpid(game, &status, WNOHANG) != game; usleep(10000))
        if (++tries > 2000) return -1;
    kill(-game, SIGKILL), game = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}
// Ends the game by `how` (ESC by default), expects `status` and returns the settings file it left.
std::string quit(int status, const std::function<void()> &how) {
    how ? how() : tap("Escape");
    EXPECT_EQ(exit_status(), status) << read("out.txt");
    return read("talvon.dat"); }
// The close button, as a window manager sends it, to every top-level window: the titled one takes it.
void close_window() {
    Window r, p, *tops = nullptr;
    XEvent ev = {};
    unsigned n = 0;
    ev.xclient = {ClientMessage, 0, True, dpy, 0, XInternAtom(dpy, "WM_PROTOCOLS", False), 32, {}};
    ev.xclient.data.l[0] = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    for (XQueryTree(dpy, DefaultRootWindow(dpy), &r, &p, &tops, &n); n-- > 0;)
        ev.xclient.window = tops[n], XSendEvent(dpy, tops[n], False, NoEventMask, &ev);
    XFree(tops), XSync(dpy, False);
}
// Keys are held two menu frames; text is lower-case letters, digits and spaces; buttons 1 left, 3 right.
void press(const char *key, bool down) { XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XStringToKeysym(key)), down, 0), XSync(dpy, 0); }
void tap(const char *keysym) { press(keysym, true), usleep(HOLD_US), press(keysym, false), usleep(HOLD_US); }
void button(int b, bool down) { XTestFakeButtonEvent(dpy, b, down, CurrentTime), XSync(dpy, False); }
void type(const std::string &text) { for (char c : text) tap(c == ' ' ? "space" : std::string(1, c).c_str()); }
// A click (b = 0: a move) once the pointer stands at (x, y); the library stops its pointer at the screen's edges.
void click(int x, int y, int b) {
    for (int tries = 0; !pointer_at(grab(), x, y) && tries < 15; tries++, usleep(300000)) {
        XTestFakeMotionEvent(dpy, -1, left() + game_w - 1, top() + game_h - 1, 0);
        XTestFakeMotionEvent(dpy, -1, left(), top(), 0);
        XTestFakeMotionEvent(dpy, -1, left() + x + (game_w - 640) / 2, top() + y + (game_h - 480) / 2, 0), XSync(dpy, 0);
    }
    EXPECT_TRUE(wait([&](const Shot &s) { return pointer_at(s, x, y); }, 1000)) << x << "," << y;
    if (b) button(b, true), usleep(HOLD_US), button(b, false), settle();
}
// Two more frames on the screen, if it goes on: the game has seen what came before.
void settle() {
    Shot before = grab();
    for (int tries = 0, frames = 0; frames < 2 && tries < 200; tries++, usleep(5000))
        if (Shot s = grab(); s.rgb != before.rgb) before = s, frames++; }
bool pointer_at(const Shot &s, int x, int y) {
    uint32_t g = rgb(198, 198, 198);
    x += (s.w - 640) / 2, y += (s.h - 480) / 2;
    return s.at(x, y) == g && s.at(x + 4, y + 4) == g && s.at(x + 8, y + 8) == g && s.at(x + 10, y + 6) == g &&
           s.at(x - 1, y) != g && s.at(x, y - 1) != g;
}
// The arrow key alone, held until the pointer is within 10 pixels of (x, y); it may run on a few pixels.
bool steer(const char *arrow, int x, int y) {
    press(arrow, true);
    bool there = wait([&](const Shot &s) {
        for (int i = 0; i < 21 * 21; i++) if (pointer_at(s, x - 10 + i % 21, y - 10 + i / 21)) return true;
        return false; });
    return press(arrow, false), usleep(HOLD_US), there;
}
uint32_t Shot::at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0xFF000000u : rgb[y * w + x]; }
Shot grab() {
    Shot s;
    if (XImage *x = XGetImage(dpy, DefaultRootWindow(dpy), left(), top(), game_w, game_h, AllPlanes, ZPixmap)) {
        for (int y = 0; y < game_h; y++)
            s.rgb.insert(s.rgb.end(), (uint16_t *)(x->data + y * x->bytes_per_line), (uint16_t *)(x->data + y * x->bytes_per_line) + game_w);
        s.w = game_w, s.h = game_h, XDestroyImage(x);
    }
    return s;
}
// Polls grabs until `holds`; a timeout fails the test and saves the last screen as a PPM.
bool wait(const Check &holds, int timeout_ms) {
    Shot s;
    for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms); std::chrono::steady_clock::now() < end;)
        if ((s = grab()).w && holds(s)) return true;
    std::ofstream ppm(dir + "/timeout.ppm", std::ios::binary);
    ppm << "P6\n" << s.w << " " << s.h << "\n255\n";
    for (uint32_t c : s.rgb) ppm << (char)getr16(c) << (char)getg16(c) << (char)getb16(c);
    ADD_FAILURE() << "not within " << timeout_ms << " ms; the screen: " << dir << "/timeout.ppm";
    return false;
}
// The game's pixel value, or its makecol(r, g, b), on the test screen: the library cuts colours to its 16 bits.
uint32_t shown(int v) { return makecol16(getr_depth(game_depth, v), getg_depth(game_depth, v), getb_depth(game_depth, v)); }
uint32_t rgb(int r, int g, int b) { return shown(makecol_depth(game_depth, r, g, b)); }
// A pixel of a picture as the game loads it.
int picture_value(const std::string &path, int x, int y) { // -1 transparent, -2 off it
    BITMAP *&b = pictures[path + std::to_string(game_depth)];
    if (!b && (set_color_depth(game_depth), b = load_bitmap(path.c_str(), nullptr)) == nullptr) return -2;
    return x >= b->w || y >= b->h ? -2 : getpixel(b, x, y) == bitmap_mask_color(b) ? -1 : getpixel(b, x, y);
}
// The one picture check: rows sy to sy + h stand with their top-left corner at (x, y); the pointer may hide a few.
bool has_picture(const Shot &s, const std::string &path, int sy, int h, int x, int y) {
    int wrong = picture_value(path, 0, sy + h - 1) == -2 ? 1000 : 0;
    for (int j = 0; j < h; j += 2)
        for (int i = 0, v; (v = picture_value(path, i, sy + j)) != -2; i += 2)
            wrong += v >= 0 && s.at(x + i + (s.w - 640) / 2, y + j + (s.h - 480) / 2) != shown(v);
    return wrong <= 40;
}
// Exactly `text` in the built-in font, centred on x with its top at y: glyphs in the colour (or under the pointer).
bool has_text(const Shot &s, const std::string &text, int x, int y, uint32_t colour) {
    int w = 8 * (int)text.size(), stray = 0;
    BITMAP *b = create_bitmap_ex(8, w + 4, 8);
    clear_bitmap(b), textout_ex(b, font, text.c_str(), 2, 0, 1, -1);
    for (int i = 0; i < (w + 4) * 8; i++) {
        uint32_t c = s.at(x - w / 2 - 2 + i % (w + 4) + (s.w - 640) / 2, y + i / (w + 4) + (s.h - 480) / 2);
        stray += getpixel(b, i % (w + 4), i / (w + 4)) == 1 ? 3 * (c != colour && c != rgb(198, 198, 198)) : c == colour;
    }
    return destroy_bitmap(b), stray <= 2;
}
bool wait_text(const std::string &t, int x, int y, uint32_t c) { return wait([&](const Shot &s) { return has_text(s, t, x, y, c); }); }
// The menu's title and captions; a match's dark border corner; a result under the clock; the pointer's tip.
bool main_menu(const Shot &s) {
    return has_picture(s, data("talvoni"), 0, 95, 120, 23) && has_picture(s, data("napisy"), 0, 30, 240, 150) &&
           has_picture(s, data("napisy"), 90, 30, 240, 390); }
bool match_on(const Shot &s) { return s.at(s.w - 1, s.h - 1) == rgb(64, 64, 64); }
bool round_over(const Shot &s) {
    return std::any_of(&s.rgb[(s.h - 18) * s.w + s.w / 2 - 60], &s.rgb[(s.h - 18) * s.w + s.w / 2 + 60], [](int c) { return c; }); }
int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    start_headless_library();
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; }); // windows come and go under our queries
    char tmp[] = "/tmp/talvon-e2e-XXXXXX";
    root = mkdtemp(tmp);
    // The game's messages go through xmessage; this one prints them to the game's output.
    std::ofstream(root + "/xmessage") << "#!/bin/sh\nfor text; do :; done\nprintf '%s\\n' \"$text\"\nexit 101\n";
    std::filesystem::permissions(root + "/xmessage", std::filesystem::perms::owner_all);
    int failed = RUN_ALL_TESTS();
    for (auto &[name, picture] : pictures) destroy_bitmap(picture);
    if (game > 0 && kill(-game, SIGKILL)) {}
    return failed || std::filesystem::remove_all(root) == 0;
}
