// Start-up time and memory of the real game binary. Each start runs in a
// fresh directory holding the pictures (and the case's settings file); rows
// of every window of the mode's size are read back from the X server until
// they show the title: the first menu frame has been presented. The game
// gets no hook and no variable; only its window is looked at.
#include "bench.h"
#include "x_windows.h"

#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

static const int STARTS_PER_CASE = 5;
// Between two looks at the windows; the figures are this coarse.
static const int POLL_MS = 2;
static const int START_TIMEOUT_MS = 10000;
// How long the game runs its menu before its memory is read.
static const int MENU_SETTLE_MS = 1000;
static const int STOP_GRACE_MS = 3000;
static const int US_PER_MS = 1000;
// The shell's exit code for a program that could not be run.
static const int EXEC_FAILED = 127;
// A title pixel counts as shown when each channel is this close: a 16-bit
// mode keeps only the top 5 or 6 bits of each.
static const int CHANNEL_SLACK = 8;
// The pointer may cover part of the title: this share must show.
static const double MARKER_SHARE = 0.95;
static const int CHANNEL_BITS = 8;

static const double STARTUP_LIMIT_MS = 300;
static const double MEMORY_LIMIT_MB = 40;
static const double KB_PER_MB = 1024;

// What one start measured; a negative value was not measured.
struct StartFigures {
    double startup_ms;
    double resident_mb;
};

// ---------------- processes and directories

std::string make_game_dir(const std::string &data_dir)
{
    char dir[] = "/tmp/talvon-bench-XXXXXX";
    if (!mkdtemp(dir))
        return "";
    for (const fs::directory_entry &e : fs::directory_iterator(data_dir))
        if (e.path().extension() == ".tga" || e.path().extension() == ".bmp")
            fs::copy_file(e.path(), fs::path(dir) / e.path().filename());
    return dir;
}

// Only async-signal-safe calls between fork and exec: the library's threads
// run in this process.
Child start_program(const std::vector<std::string> &args, const std::string &dir)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int null_fd = open("/dev/null", O_RDWR);
        for (int fd = 0; fd <= 2; fd++)
            dup2(null_fd, fd);
        if (chdir(dir.c_str()) == 0)
            execv(argv[0], argv.data());
        _exit(EXEC_FAILED);
    }
    return {pid, pid < 0};
}

bool child_ended(Child &c)
{
    if (!c.ended && waitpid(c.pid, nullptr, WNOHANG) == c.pid)
        c.ended = true;
    return c.ended;
}

void stop_program(Child &c)
{
    if (child_ended(c))
        return;
    kill(c.pid, SIGTERM);
    for (double end = now_ms() + STOP_GRACE_MS; now_ms() < end; usleep(POLL_MS * US_PER_MS))
        if (child_ended(c))
            return;
    kill(c.pid, SIGKILL);
    waitpid(c.pid, nullptr, 0);
    c.ended = true;
}

// VmRSS of the process in MB; -1 when it cannot be read.
static double resident_mb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string field;
    long kb = -1;
    while (status >> field)
        if (field == "VmRSS:" && status >> kb)
            break;
    return kb < 0 ? -1 : kb / KB_PER_MB;
}

// ---------------- the window

int ignore_x_error(Display *, XErrorEvent *)
{
    return 0;
}

void windows_of_size(Display *d, Window top, int w, int h, std::vector<Window> &found)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, top, &root, &parent, &children, &count))
        return;
    for (unsigned i = 0; i < count; i++) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable)
            continue;
        if (a.width == w && a.height == h)
            found.push_back(children[i]);
        windows_of_size(d, children[i], w, h, found);
    }
    if (children)
        XFree(children);
}

// One 8-bit channel of a pixel of the screen's true-colour visual.
static int channel(unsigned long pixel, unsigned long mask)
{
    return (int)((pixel & mask) >> __builtin_ctzl(mask));
}

static bool shows_colour(const XImage *img, unsigned long pixel, unsigned rgb)
{
    const unsigned long masks[] = {img->red_mask, img->green_mask, img->blue_mask};
    for (int i = 0; i < 3; i++) {
        int want = (int)(rgb >> (CHANNEL_BITS * (2 - i))) & ((1 << CHANNEL_BITS) - 1);
        if (std::abs(channel(pixel, masks[i]) - want) > CHANNEL_SLACK)
            return false;
    }
    return true;
}

// Matching marker pixels in the row starting at marker[first]; `first`
// moves on to the next row.
static size_t matches_in_row(Display *d, Window w, const std::vector<MarkerPixel> &marker,
                             size_t &first)
{
    size_t end = first;
    while (end < marker.size() && marker[end].y == marker[first].y)
        end++;
    const int left = marker[first].x;
    XImage *img = XGetImage(d, w, left, marker[first].y, marker[end - 1].x - left + 1, 1, AllPlanes,
                            ZPixmap);
    size_t matched = 0;
    for (size_t i = first; img && i < end; i++)
        matched += shows_colour(img, XGetPixel(img, marker[i].x - left, 0), marker[i].rgb);
    if (img)
        XDestroyImage(img);
    first = end;
    return matched;
}

static bool shows_title(Display *d, Window w, const std::vector<MarkerPixel> &marker)
{
    size_t matched = 0;
    for (size_t i = 0; i < marker.size();)
        matched += matches_in_row(d, w, marker, i);
    return !marker.empty() && matched >= MARKER_SHARE * marker.size();
}

// Milliseconds from `start` until a window of the case's size shows the
// title; -1 when the program ended first or the time ran out.
static double wait_for_title(Display *d, Child &program, const StartCase &c, double start)
{
    while (now_ms() - start < START_TIMEOUT_MS && !child_ended(program)) {
        std::vector<Window> windows;
        windows_of_size(d, DefaultRootWindow(d), c.mode.w, c.mode.h, windows);
        for (Window w : windows)
            if (shows_title(d, w, c.title.marker))
                return now_ms() - start;
        usleep(POLL_MS * US_PER_MS);
    }
    return -1;
}

// ---------------- starts

static StartFigures start_once(Display *d, const std::vector<std::string> &args,
                               const std::string &data_dir, const StartCase &c)
{
    StartFigures figures = {-1, -1};
    const std::string dir = make_game_dir(data_dir);
    if (dir.empty())
        return figures;
    if (c.settings_file)
        write_settings_in(dir, c.mode);
    const double start = now_ms();
    Child program = start_program(args, dir);
    figures.startup_ms = wait_for_title(d, program, c, start);
    if (figures.startup_ms >= 0 && c.measure_memory) {
        usleep(MENU_SETTLE_MS * US_PER_MS);
        figures.resident_mb = resident_mb(program.pid);
    }
    stop_program(program);
    fs::remove_all(dir);
    return figures;
}

// The reference: this program itself, showing the title alone.
static std::vector<std::string> bare_start_args(const StartCase &c)
{
    const BenchMode &m = c.mode;
    return {fs::read_symlink("/proc/self/exe").string(),
            BARE_START_OPTION,
            std::to_string(m.w),
            std::to_string(m.h),
            std::to_string(m.depth),
            std::to_string(c.title.x),
            std::to_string(c.title.y)};
}

static void report_starts(const std::string &name, const std::vector<double> &game,
                          const std::vector<double> &bare)
{
    report_reference(name + ", bare library start, median", median(bare), "ms");
    report_at_most(name + ", exec to first menu frame, median", median(game), "ms",
                   STARTUP_LIMIT_MS);
    report_reference(name + ", exec to first menu frame, fastest", percentile(game, 0), "ms");
    report_reference(name + ", exec to first menu frame, slowest", percentile(game, 100), "ms");
    report_reference(name + ", game / bare start", median(game) / median(bare), "x");
}

// Game and reference starts alternate, each going first in every other
// round, so that the machine's load and the server's clean-up after the
// previous start fall on both alike.
void measure_startup(const std::string &game, const std::string &data_dir, const StartCase &c)
{
    const std::string name = std::string(c.name) + ", " + mode_name(c.mode);
    Display *d = XOpenDisplay(nullptr);
    if (!d || c.title.marker.empty()) {
        report_unmeasured(name, d ? "no title to look for" : "no X display");
        return;
    }
    XSetErrorHandler(ignore_x_error);
    std::vector<double> game_ms, bare_ms, game_mb, bare_mb;
    for (int i = 0; i < STARTS_PER_CASE; i++) {
        StartFigures b = {}, g = {};
        if (i % 2)
            b = start_once(d, bare_start_args(c), data_dir, c);
        g = start_once(d, {game}, data_dir, c);
        if (i % 2 == 0)
            b = start_once(d, bare_start_args(c), data_dir, c);
        if (g.startup_ms < 0 || b.startup_ms < 0) {
            report_unmeasured(name, "no title on screen within the time allowed");
            XCloseDisplay(d);
            return;
        }
        game_ms.push_back(g.startup_ms);
        bare_ms.push_back(b.startup_ms);
        game_mb.push_back(g.resident_mb);
        bare_mb.push_back(b.resident_mb);
    }
    report_starts(name, game_ms, bare_ms);
    if (c.measure_memory) {
        report_reference(name + ", bare library start, resident memory", median(bare_mb), "MB");
        report_at_most(name + ", resident memory on the menu", median(game_mb), "MB",
                       MEMORY_LIMIT_MB);
    }
    XCloseDisplay(d);
}
