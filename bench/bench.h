// The benchmark: what the game costs per frame, how evenly a match is paced,
// how fast the game starts and how much memory it holds, each figure measured
// through the game's own functions beside a physical reference taken in the
// same run, and printed with its target and whether it is met.
//
// Neither Allegro nor Xlib appears here: their macros never meet. Times are
// milliseconds of the monotonic clock.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// ---------------- figures (talvon_bench.cpp)

double now_ms();
// Statistics of a set of samples; percentile p is 0..100, by nearest rank.
double median(std::vector<double> samples);
double mean(const std::vector<double> &samples);
double percentile(std::vector<double> samples, double p);

// One line per figure: name, value, unit, target and "met" or "MISSED".
// A reference figure has no target; a figure that could not be measured
// counts as missed.
void report_reference(const std::string &figure, double value, const char *unit);
void report_at_most(const std::string &figure, double value, const char *unit, double limit);
void report_at_least(const std::string &figure, double value, const char *unit, double limit);
void report_within(const std::string &figure, double value, const char *unit, double centre,
                   double tolerance);
void report_unmeasured(const std::string &figure, const char *why);
// Figures missed or not measured so far.
extern int missed_figures;

// ---------------- the game in this process (frame_figures.cpp)

// A graphics mode: width and height in the game's pixels, bits per pixel,
// and the whole number each game pixel is enlarged by on the screen.
struct BenchMode {
    int w, h, depth;
    int scale = 1;
};
// "1024x768x32", or "640x480x16 at 2x (1280x960)".
std::string mode_name(const BenchMode &m);

// The library, input, the pads and the game's 1 ms timer, as the game starts
// them; false without a display.
bool start_game_library();
// The pads the library found.
int attached_pads();
// Sets the mode the way the game does, enlarged by the mode's scale, with the
// game's pictures and work bitmaps, the default settings and all eight slots
// switched on.
bool enter_mode(const BenchMode &m);
// Closes the window, so that only the game's windows remain on the display.
void leave_graphics();

void measure_pad_poll();
void measure_match_frames(const BenchMode &m);
void measure_menu_frames(const BenchMode &m);
void measure_pacing(const BenchMode &m);

// ---------------- what start-up looks for (startup_inputs.cpp)

// One pixel of the title picture where the main menu shows it: a point of
// the game's window and its colour as 0xRRGGBB.
struct MarkerPixel {
    int x, y;
    unsigned rgb;
};
// Where the main menu shows the title in a window of some size.
struct TitleOnScreen {
    int x, y;                        // top-left corner of the title picture
    std::vector<MarkerPixel> marker; // its pixels on a few rows, row by row
};
// Worked out by the game's own menu drawing; needs a 32-bit mode with the
// game's bitmaps loaded.
TitleOnScreen find_title(int w, int h);
// Writes the game's settings file into dir, asking for mode m and otherwise
// the defaults.
void write_settings_in(const std::string &dir, const BenchMode &m);
// The settings file of the processor figures: mode m on the card (the
// library's card id), the backdrop moving or still, a target score no match
// reaches, the default players with the keys of slot i on the letters
// 'a' + 2i (left) and 'b' + 2i (right).
void write_cpu_settings_in(const std::string &dir, const BenchMode &m, int card, bool animate);
// The reference start, run as "talvon_bench --bare-start W H DEPTH X Y" in a
// directory holding the pictures: the library, the game's 1 ms timer, the
// mode and the title at (X, Y) after one retrace, nothing of the game; then
// it idles until ended.
// Returns only when it cannot start.
int run_bare_start(const BenchMode &m, int x, int y);
constexpr char BARE_START_OPTION[] = "--bare-start";

// ---------------- the real game started (startup_figures.cpp)

// A started program: its pid, and whether it has been waited for already.
struct Child {
    pid_t pid;
    bool ended;
};
// A fresh directory under /tmp holding the pictures of data_dir; "" when it
// cannot be made.
std::string make_game_dir(const std::string &data_dir);
// Runs args[0] with its output thrown away, in dir.
Child start_program(const std::vector<std::string> &args, const std::string &dir);
bool child_ended(Child &c);
// SIGTERM, and SIGKILL when it has not ended within a few seconds.
void stop_program(Child &c);

// One way of starting the game: the mode it comes up in, with or without a
// settings file, and where it shows the title.
struct StartCase {
    const char *name;
    BenchMode mode;
    bool settings_file;  // false: the first start ever, on the defaults
    bool measure_memory; // read the resident memory once on the menu
    TitleOnScreen title;
};
// Starts the game binary, and the reference start of this program, several
// times each in fresh directories holding the pictures from data_dir, and
// reports the time from exec to the title on screen (and the game's memory).
void measure_startup(const std::string &game, const std::string &data_dir, const StartCase &c);

// ---------------- the processor the game takes (cpu_figures.cpp)

// Starts the game at 640x480 enlarged 1 and 2 times in a window and 3 times
// full screen, at depths 16 and 32, and reports the share of one core the
// game and the X server (pid `server`; 0: unknown) take on the main menu with
// the backdrop moving and still, in a match with the worms turning, and in
// the wait after a round.
void measure_cpu(const std::string &game, const std::string &data_dir, pid_t server);
