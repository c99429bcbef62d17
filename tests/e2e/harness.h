// End-to-end support: the game in a fresh work directory on a private Xvfb, driven through
// XTest and watched by grabbing the screen. Places are on the 640 x 480 menu layers.
#pragma once
#include <gtest/gtest.h>
#include "../headless.h"
#include "../pictures.h"
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <iostream>
#include <linux/joystick.h>
#include <sys/stat.h>

// Where a player clicks and looks on the screens, as they are laid out.
struct Place {
    int x;
    int y;
};
const Place START = {320, 165}; // the main menu's buttons
const Place PLAYERS = {320, 245};
const Place OPTIONS = {320, 325};
const Place QUIT = {320, 405};
const Place AFTER_MATCH = {360, 170}; // where a match leaves the pointer
const Place PLAYERS_BACK = {475, 430};
// The players grid's columns, by x.
enum Column {
    ON_OFF = 130,
    NAME = 232,
    KEYS = 380,
    COLOUR = 495
};
const Place PICKER = {198, 154}; // the palette picture's corner: 244 x 172, centred
// The options screen's fields: where a click opens one, and where its value stands.
struct Field {
    Place click;
    Place value;
};
const Field FRAME_DELAY = {{120, 165}, {272, 161}};
const Field TURN_STEP = {{415, 165}, {567, 161}};
const Field SURVIVORS = {{120, 245}, {272, 241}};
const Field TARGET = {{415, 245}, {567, 241}};
const Field RESOLUTION = {{120, 325}, {340, 325}};
const Field CARD = {{120, 355}, {340, 355}};
const Field DEPTH = {{120, 385}, {340, 385}};
const Place APPLY = {520, 325};
const Place OPTIONS_BACK = {520, 385};
const Place LINES[] = {{320, 216}, {320, 236}, {320, 256}}; // a popup's: 640/480, 800/600, ...
const Place DEPTHS[] = {{272, 240}, {304, 240}, {336, 240}, {368, 240}}; // 15, 16, 24, 32
const Place ANO = {270, 250};                                            // the dialog's answers
const Place NIE = {370, 250};
const Place MESSAGE = {320, 236};
const Place NOWHERE = {600, 120};          // on no screen's box
inline Place cell(int slot, Column column) // slot r's text: its top at y = 140 + 30 r
{
    return {column, 140 + 30 * slot};
}

// The game started last.
struct Game {
    std::string dir; // its work directory, fresh for each start
    bool still;      // its settings file keeps the backdrop still
    bool nohup;      // it is started with SIGHUP ignored, as by nohup
    int w = 640;     // the mode it shows
    int h = 480;
    pid_t pid = -1; // also its process group
};
inline Game game;
inline int scale = 1; // each game pixel is a scale x scale block on the test screen
inline Display *dpy;  // the test server, 1280 x 1024 at 16 bits, and its process
inline pid_t xvfb;
inline std::string root; // the run's work directories
const int GREY = 0xC638; // test screen values: the pointer's grey
const int WHITE = 0xFFFF;
const int YELLOW = 0xFFE0;

// `text` with lines (1 to 20) replaced: the one way to state a settings file.
inline std::string edit(std::string text, const std::vector<std::pair<int, std::string>> &lines)
{
    for (const auto &[number, line] : lines) {
        size_t begin = 0;
        for (int n = 1; n < number; n++)
            begin = text.find('\n', begin) + 1;
        text.replace(begin, text.find('\n', begin) - begin, line);
    }
    return text;
}
inline std::string read(const std::string &name) // a file of the work directory
{
    std::ifstream file(game.dir + "/" + name);
    return {std::istreambuf_iterator<char>(file), {}};
}
inline void new_dir(const std::string &settings = "") // with the pictures, and a settings file
{
    static int n = 0;
    game.dir = root + "/" + std::to_string(++n);
    game.still = settings.rfind("0 ", 0) == 0;
    std::filesystem::copy(TALVON_DATA_DIR, game.dir);
    if (!settings.empty())
        std::ofstream(game.dir + "/talvon.dat") << settings;
}
inline Place corner() // the game's area on the test screen: full screen, it is centred
{
    return {(1280 - scale * game.w) / 2, (1024 - scale * game.h) / 2};
}
inline bool window_up() // a window of the game's class "talvon" is on the display
{
    Window parent;
    Window *tops = nullptr;
    unsigned n = 0;
    XClassHint hint = {};
    bool up = false;
    XQueryTree(dpy, DefaultRootWindow(dpy), &parent, &parent, &tops, &n);
    for (unsigned i = 0; i < n; i++) {
        if (!XGetClassHint(dpy, tops[i], &hint))
            continue;
        up = up || std::string(hint.res_name) == "talvon";
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    XFree(tops);
    return up;
}
// The game has exited (its status is kept for quit), or its window, once seen, has gone: nothing
// more will show, so every wait ends at once. The first time, what it printed is told.
inline bool game_gone()
{
    static pid_t seen = -1; // the game whose window has been seen
    static pid_t told = -1;
    siginfo_t info = {};
    const bool ended = waitid(P_PID, game.pid, &info, WEXITED | WNOHANG | WNOWAIT) || info.si_pid;
    const bool up = !ended && (window_up() || window_up()); // a mode change may stand between
    seen = up ? game.pid : seen;
    const bool gone = ended || (!up && seen == game.pid);
    if (gone && told != game.pid)
        std::cerr << "-- the game is gone; it printed:\n" << read("out.txt") << "--\n";
    told = gone ? game.pid : told;
    return gone;
}
// Grabs the game's area into a 16-bit bitmap, a game pixel a scale x scale block, until `holds`
// (for at most ms ms; not at all once the test has failed, so that it ends in seconds).
inline bool wait(int ms, const std::function<bool(BITMAP *)> &holds)
{
    ms = ::testing::Test::HasFailure() ? 0 : ms;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    const Place c = corner();
    BITMAP *b = create_bitmap_ex(16, scale * game.w, scale * game.h);
    bool held = false;
    while (!held && std::chrono::steady_clock::now() < end && !game_gone()) {
        XImage *image
            = XGetImage(dpy, DefaultRootWindow(dpy), c.x, c.y, b->w, b->h, AllPlanes, ZPixmap);
        for (int y = 0; image && y < b->h; y++)
            memcpy(b->line[y], image->data + y * image->bytes_per_line, 2 * b->w);
        held = image && holds(b);
        if (image)
            XDestroyImage(image);
        usleep(held ? 0 : 5000); // the game and the server get the processor between grabs
    }
    destroy_bitmap(b);
    return held;
}
// The grabbed value of layer place (x, y), read at its block's last pixel so that shifts show.
inline int at(BITMAP *b, int x, int y)
{
    return getpixel(b, scale * (x + (game.w - 640) / 2 + 1) - 1,
                    scale * (y + (game.h - 480) / 2 + 1) - 1);
}
// Waits up to 8 s for the game's area to show reference picture `name`, each game pixel a sharp
// scale x scale block: "" then, else how the last grab differs from it.
inline std::string wait_picture(const std::string &name)
{
    std::string why = "the game is gone";
    wait(8000, [&](BITMAP *b) {
        why = unlike_picture(b, name, scale);
        return why.empty();
    });
    return why;
}
// Waits for exactly `text` in the built-in font, centred on x with its top at y: each glyph pixel
// in the colour (or under the pointer), and next to none in the colour around them. In vain, it
// writes what the screen shows to pictures-seen/waited-for-text.png.
inline bool wait_text(const std::string &text, Place place, int colour = WHITE)
{
    const int w = 8 * text.size() + 4;
    BITMAP *b = create_bitmap_ex(8, w, 8);
    clear_bitmap(b);
    textout_ex(b, font, text.c_str(), 2, 0, 1, -1);
    const bool seen = wait(8000, [&](BITMAP *s) {
        int stray = 0;
        for (int i = 0; i < w * 8; i++) {
            const int c = at(s, place.x - w / 2 + i % w, place.y + i / w);
            if (getpixel(b, i % w, i / w))
                stray += 3 * (c != colour && c != GREY);
            else
                stray += c == colour;
        }
        return stray <= 2;
    });
    destroy_bitmap(b);
    wait(seen ? 0 : 1000, [](BITMAP *s) {
        return write_png(TALVON_SEEN_DIR "/waited-for-text.png", game_pixels(s, scale));
    });
    return seen;
}
// Lets the game show two more frames (waiting at most a second for each); where the backdrop
// stands still, the pointer is nudged a pixel and back to make them show. A key or button held
// until then has been seen by the game's loop, however slow the machine.
inline void two_frames()
{
    size_t last = 0;
    for (int dx : {0, scale, -scale}) { // a grab of what stands, then two frames that change it
        if (dx && game.still)
            XTestFakeRelativeMotionEvent(dpy, dx, 0, 0);
        XSync(dpy, False);
        wait(1000, [&](BITMAP *s) {
            const size_t now = std::hash<std::string_view>()({(char *)s->dat, 2u * s->w * s->h});
            const bool changed = now != last;
            last = now;
            return changed;
        });
    }
}
inline void tap(const std::string &keys) // each key named (a keysym) pressed and released in turn
{
    std::istringstream names(keys);
    for (std::string key; names >> key;) {
        for (bool down : {true, false}) {
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XStringToKeysym(key.c_str())), down, 0);
            XSync(dpy, False);
            two_frames();
        }
    }
}
inline void button(int b, bool down) // mouse button 1 (left) or 3 (right)
{
    XTestFakeButtonEvent(dpy, b, down, CurrentTime);
    XSync(dpy, False);
    two_frames();
}
inline bool pointer_at(BITMAP *s, Place p) // its grey tip, with nothing grey left or above it
{
    const bool tip = at(s, p.x, p.y) == GREY && at(s, p.x + 4, p.y + 4) == GREY
        && at(s, p.x + 8, p.y + 8) == GREY && at(s, p.x + 10, p.y + 6) == GREY;
    return tip && at(s, p.x - 1, p.y) != GREY && at(s, p.x, p.y - 1) != GREY;
}
inline bool wait_pointer(Place place, int ms = 8000) // for the pointer's tip there
{
    return wait(ms, [&](BITMAP *s) {
        return pointer_at(s, place);
    });
}
inline void move_to(Place place) // the X pointer onto a place of the game's picture
{
    const Place c = corner();
    XTestFakeMotionEvent(dpy, -1, c.x + scale * (place.x + (game.w - 640) / 2),
                         c.y + scale * (place.y + (game.h - 480) / 2), 0);
    XSync(dpy, False);
}
// Moves the pointer to `place` and clicks button b (0: none) there. The game follows the pointer by
// its moves, so moves to two far corners first put it in step.
inline void click(Place place, int b = 1)
{
    const Place c = corner();
    for (int tries = 0; tries < 6 && !wait_pointer(place, 500) && !game_gone(); tries++) {
        XTestFakeMotionEvent(dpy, -1, c.x + scale * game.w - 1, c.y + scale * game.h - 1, 0);
        XTestFakeMotionEvent(dpy, -1, c.x, c.y, 0);
        move_to(place);
    }
    EXPECT_TRUE(wait_pointer(place, 1000)) << place.x << "," << place.y;
    if (!b)
        return;
    button(b, true);
    button(b, false);
}
// The window manager's close button, sent to every top-level window: the game's takes it.
inline void close_window()
{
    Window parent;
    Window *tops = nullptr;
    unsigned n = 0;
    XEvent ev = {};
    ev.xclient = {ClientMessage, 0, True, dpy, 0, XInternAtom(dpy, "WM_PROTOCOLS", False), 32, {}};
    ev.xclient.data.l[0] = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XQueryTree(dpy, DefaultRootWindow(dpy), &parent, &parent, &tops, &n);
    for (unsigned i = 0; i < n; i++) {
        ev.xclient.window = tops[i];
        XSendEvent(dpy, tops[i], False, NoEventMask, &ev);
    }
    XFree(tops);
    XSync(dpy, False);
}
inline void kill_display() // the X server dies; the next start brings up another
{
    XCloseDisplay(dpy);
    dpy = nullptr;
    kill(xvfb, SIGKILL);
}
// Starts the game with "NAME=value"s added to its environment and `args` on its command line (as a
// shell splits them), its output in out.txt; $TALVON_BIN replaces the game.
inline void launch(const std::vector<std::string> &env = {}, const std::string &args = "")
{
    int fds[2] = {-1, -1};
    char number[16] = {};
    if (!dpy && pipe(fds) == 0 && (xvfb = fork()) == 0) { // Xvfb names the display it picks
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0",
               "1280x1024x16", "-nolisten", "tcp", nullptr);
        _exit(127);
    }
    if (!dpy && close(fds[1]) == 0 && ::read(fds[0], number, sizeof number - 1) > 0) {
        setenv("DISPLAY", (":" + std::to_string(atoi(number))).c_str(), 1);
        dpy = XOpenDisplay(nullptr);
        XAutoRepeatOff(dpy); // a key held while a slow machine draws two frames types it once
    }
    if (game.pid > 0 && kill(-game.pid, SIGKILL) == 0)
        waitpid(game.pid, nullptr, 0); // what a failed test left running
    if ((game.pid = fork()) == 0) {
        setpgid(0, 0);
        dup2(open((game.dir + "/out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(1, 2);
        setenv("PATH", "/nonexistent", 1); // no xmessage: the library prints its messages
        signal(SIGINT, SIG_DFL);           // as from a terminal, also when run in the background
        signal(SIGHUP, game.nohup ? SIG_IGN : SIG_DFL);
        setenv("LC_ALL", "C", 1); // Slovak whatever our locale, unless a test says
        for (const std::string &e : env)
            putenv(strdup(e.c_str()));
        const char *binary = getenv("TALVON_BIN") ? getenv("TALVON_BIN") : TALVON_BINARY;
        if (chdir(game.dir.c_str()) == 0)
            execl("/bin/sh", "sh", "-c", ("exec \"$0\" " + args).c_str(), binary, nullptr);
        _exit(127);
    }
    setpgid(game.pid, game.pid);
}
// Starts the game as `launch` does, at 640 x 480 full screen, and puts the pointer on its menu.
inline void start(const std::vector<std::string> &env = {}, const std::string &args = "")
{
    game = {game.dir, game.still, game.nohup, 640, 480, game.pid};
    launch(env, args);
    wait(10000, [](BITMAP *) { // a start can be slow on a busy machine
        return window_up();
    });
    click(NOWHERE, 0);
}
// Waits up to 20 s (a failed test 1 s) for the game to end, expects `status` (1000 + a signal that
// killed it; -1: it ran on) and returns the settings file it left. Whatever is left is killed.
inline std::string quit(int status = 0)
{
    int got = 0;
    int code = -1;
    const int tries = ::testing::Test::HasFailure() ? 100 : 2000;
    for (int n = 0; n < tries && code == -1; n++) {
        if (waitpid(game.pid, &got, WNOHANG) == game.pid)
            code = WIFEXITED(got) ? WEXITSTATUS(got) : 1000 + WTERMSIG(got);
        usleep(10000);
    }
    kill(-game.pid, SIGKILL);
    EXPECT_EQ(code, status) << read("out.txt");
    return read("talvon.dat");
}
