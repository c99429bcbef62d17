// The processor the real game takes, and the X server with it, as a player
// runs it: the share of one core each uses over several seconds, read from
// /proc/<pid>/stat, on the main menu with the backdrop moving and still, in a
// match with every worm turning, and in the wait after a round. The game is
// driven through XTest as a player's keys and mouse button would drive it.
#include "bench.h"
#include "x_windows.h"

#include <X11/extensions/XTest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

// The library's card ids, as the settings file holds them.
static const int CARD_FULL_SCREEN = 1;
static const int CARD_WINDOWED = 2;

// The launcher's default mode, shown as --scale shows it.
struct CpuCase {
    BenchMode mode;
    int card;
};
static const CpuCase CPU_CASES[] = {
    {{640, 480, 16, 1}, CARD_WINDOWED},    {{640, 480, 32, 1}, CARD_WINDOWED},
    {{640, 480, 16, 2}, CARD_WINDOWED},    {{640, 480, 32, 2}, CARD_WINDOWED},
    {{640, 480, 16, 3}, CARD_FULL_SCREEN}, {{640, 480, 32, 3}, CARD_FULL_SCREEN},
};

enum CpuState {
    MENU_MOVING,
    MENU_STILL,
    MATCH_PLAYED,
    ROUND_WAIT,
};
// The main menu with the backdrop moving or still; a match with every worm
// turning, each round's wait ended at once by SPACE; the wait after a round.
static const char *const STATE_NAMES[] = {
    "menu moving",
    "menu still",
    "match",
    "round wait",
};

// The targets, in percent of one core; NO_TARGET where a figure is a reference.
static const double NO_TARGET = -1;
struct CpuTarget {
    CpuState state;
    int scale;
    int depth;
    double game;
    double server;
};
static const CpuTarget CPU_TARGETS[] = {
    {MENU_MOVING, 3, 16, 35, 14},         {MENU_STILL, 3, 16, 10, 2},
    {MATCH_PLAYED, 3, 16, 12, NO_TARGET}, {ROUND_WAIT, 3, 16, 3, NO_TARGET},
    {MENU_MOVING, 1, 16, 15, NO_TARGET},  {MENU_MOVING, 1, 32, 15, NO_TARGET},
};

// Each share is taken over this long.
static const int CPU_WINDOW_MS = 6000;
// Between two looks at the clock (and two steps of a held SPACE).
static const int STEP_MS = 50;
// Before a figure is taken: the game's start, or the change of state, settles.
static const int SETTLE_MS = 1500;
// A turning worm meets its own trail within 42 frames of 26 ms: every round
// has ended by then.
static const int ROUND_END_MS = 2500;
static const int WINDOW_TIMEOUT_MS = 10000;
static const int KEY_HOLD_MS = 50;
static const int US_PER_MS = 1000;
static const double PERCENT = 100;
static const double MS_PER_SECOND = 1000;
// The slots steered by keys; the mouse player turns left with button 1.
static const int KEY_PLAYERS = 7;
static const unsigned LEFT_BUTTON = 1;

// ---------------- processor time

// Clock ticks of processor time the process has used, user and system, all
// its threads; -1 when it cannot be read.
static long cpu_ticks(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    // The name in parentheses may hold spaces: the fields count from its end,
    // where the third field (the state) begins.
    const size_t name_end = text.rfind(')');
    if (name_end == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(name_end + 1));
    const int UTIME_FIELD = 14;
    std::string skipped;
    for (int field = 3; field < UTIME_FIELD; field++)
        fields >> skipped;
    long utime = -1;
    long stime = -1;
    fields >> utime >> stime;
    return utime < 0 || stime < 0 ? -1 : utime + stime;
}

struct CpuShares {
    double game;   // percent of one core
    double server; // NAN when unknown
};

static double share(long before, long after, double seconds)
{
    if (before < 0 || after < 0)
        return NAN;
    return PERCENT * (after - before) / sysconf(_SC_CLK_TCK) / seconds;
}

// The shares over CPU_WINDOW_MS; `step` runs every STEP_MS with the step's number.
static CpuShares cpu_shares(pid_t game, pid_t server, const std::function<void(int)> &step)
{
    const long game_before = cpu_ticks(game);
    const long server_before = server ? cpu_ticks(server) : -1;
    const double start = now_ms();
    for (int i = 0; now_ms() - start < CPU_WINDOW_MS; i++) {
        if (step)
            step(i);
        usleep(STEP_MS * US_PER_MS);
    }
    const double seconds = (now_ms() - start) / MS_PER_SECOND;
    const long server_after = server ? cpu_ticks(server) : -1;
    return {share(game_before, cpu_ticks(game), seconds),
            share(server_before, server_after, seconds)};
}

// ---------------- reports

static std::string case_name(const CpuCase &c)
{
    return mode_name(c.mode) + (c.card == CARD_FULL_SCREEN ? " full screen" : " window");
}

static void report_share(const std::string &figure, double value, double limit)
{
    if (limit == NO_TARGET)
        report_reference(figure, value, "%");
    else
        report_at_most(figure, value, "%", limit);
}

static void report_shares(CpuState state, const CpuCase &c, const CpuShares &s)
{
    CpuTarget target = {state, 0, 0, NO_TARGET, NO_TARGET};
    for (const CpuTarget &t : CPU_TARGETS)
        if (t.state == state && t.scale == c.mode.scale && t.depth == c.mode.depth)
            target = t;
    const std::string figure = std::string("CPU, ") + STATE_NAMES[state] + ", " + case_name(c);
    report_share(figure + ": game", s.game, target.game);
    report_share(figure + ": X server", s.server, target.server);
}

// ---------------- a player's hands

static void key(Display *d, const char *keysym, bool down)
{
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, XStringToKeysym(keysym)), down, CurrentTime);
    XFlush(d);
}

static void tap(Display *d, const char *keysym)
{
    key(d, keysym, true);
    usleep(KEY_HOLD_MS * US_PER_MS);
    key(d, keysym, false);
}

// Every worm's left control: slot i's on letter 'a' + 2i, the mouse player's
// on the left button.
static void hold_left_turns(Display *d, bool down)
{
    for (int i = 0; i < KEY_PLAYERS; i++) {
        const char letter[] = {(char)('a' + 2 * i), '\0'};
        key(d, letter, down);
    }
    XTestFakeButtonEvent(d, LEFT_BUTTON, down, CurrentTime);
    XFlush(d);
}

// ---------------- the game started

// Starts the game for the case and waits for its picture's window; the X
// pointer then rests on it, so that the keys go to the game.
static bool start_cpu_game(const std::string &game, const std::string &dir, const CpuCase &c,
                           Display *d, Child &program)
{
    program = start_program({game, "--scale", std::to_string(c.mode.scale)}, dir);
    const int w = c.mode.w * c.mode.scale;
    const int h = c.mode.h * c.mode.scale;
    const double start = now_ms();
    std::vector<Window> windows;
    while (windows.empty() && now_ms() - start < WINDOW_TIMEOUT_MS && !child_ended(program)) {
        usleep(STEP_MS * US_PER_MS);
        windows_of_size(d, DefaultRootWindow(d), w, h, windows);
    }
    if (windows.empty())
        return false;
    int x = 0;
    int y = 0;
    Window child;
    XTranslateCoordinates(d, windows[0], DefaultRootWindow(d), w / 2, h / 2, &x, &y, &child);
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XFlush(d);
    usleep(SETTLE_MS * US_PER_MS);
    return true;
}

// The backdrop moving; S starts a match played with every left control held
// and SPACE pressed every other step, so that each round's wait ends at once;
// then the wait after a round, once every round has ended.
static void measure_moving_menu_and_match(Display *d, pid_t game, pid_t server, const CpuCase &c)
{
    report_shares(MENU_MOVING, c, cpu_shares(game, server, nullptr));
    tap(d, "s");
    hold_left_turns(d, true);
    report_shares(MATCH_PLAYED, c, cpu_shares(game, server, [d](int step) {
                      key(d, "space", step % 2 == 0);
                  }));
    key(d, "space", false);
    usleep(ROUND_END_MS * US_PER_MS);
    hold_left_turns(d, false);
    usleep(SETTLE_MS * US_PER_MS);
    report_shares(ROUND_WAIT, c, cpu_shares(game, server, nullptr));
}

// One start of the game with the backdrop moving or still, and its figures.
static void run_cpu_session(const std::string &game, const std::string &data_dir, pid_t server,
                            const CpuCase &c, bool animate, Display *d)
{
    const std::string dir = make_game_dir(data_dir);
    if (dir.empty()) {
        report_unmeasured("CPU, " + case_name(c), "no work directory");
        return;
    }
    write_cpu_settings_in(dir, c.mode, c.card, animate);
    Child program = {};
    if (!start_cpu_game(game, dir, c, d, program))
        report_unmeasured("CPU, " + case_name(c), "the game's window did not show");
    else if (animate)
        measure_moving_menu_and_match(d, program.pid, server, c);
    else
        report_shares(MENU_STILL, c, cpu_shares(program.pid, server, nullptr));
    stop_program(program);
    fs::remove_all(dir);
}

// The floor under every figure: the reference start of this program, idle
// with the library's threads and the game's 1 ms timer running.
static void measure_idle_library(const std::string &data_dir, pid_t server)
{
    const std::string dir = make_game_dir(data_dir);
    const BenchMode &m = CPU_CASES[0].mode;
    Child bare = start_program({fs::read_symlink("/proc/self/exe").string(), BARE_START_OPTION,
                                std::to_string(m.w), std::to_string(m.h), std::to_string(m.depth),
                                "0", "0"},
                               dir);
    usleep(SETTLE_MS * US_PER_MS);
    const CpuShares s = cpu_shares(bare.pid, server, nullptr);
    report_reference("CPU, the library idle with a 1 ms timer (reference): program", s.game, "%");
    stop_program(bare);
    fs::remove_all(dir);
}

void measure_cpu(const std::string &game, const std::string &data_dir, pid_t server)
{
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        report_unmeasured("CPU", "no X display");
        return;
    }
    XSetErrorHandler(ignore_x_error);
    // A held key stays one press, as on the end-to-end tests' server.
    XAutoRepeatOff(d);
    printf("\n== Processor\n");
    measure_idle_library(data_dir, server);
    for (const CpuCase &c : CPU_CASES) {
        printf("\n== Processor, %s\n", case_name(c).c_str());
        run_cpu_session(game, data_dir, server, c, true, d);
        run_cpu_session(game, data_dir, server, c, false, d);
    }
    XAutoRepeatOn(d);
    XCloseDisplay(d);
}
