// The benchmark's main: the per-frame figures at seven modes, the match's
// pacing, the start-up time and memory of the real game binary, then the
// processor it takes.
//
// Usage: talvon_bench GAME_BINARY DATA_DIR [frames|pacing|startup|cpu]
// on an X display (scripts/bench.sh makes one, and names its X server's pid
// in TALVON_BENCH_SERVER_PID); without a section it runs all four. It also
// runs itself as the reference start: see run_bare_start.
#include "bench.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

// The modes every per-frame figure is taken at: the game's default first,
// then the default enlarged 2 and 3 times, as --scale shows it.
static const BenchMode DEFAULT_MODE = {640, 480, 16};
static const BenchMode LARGEST_ENLARGED_MODE = {640, 480, 32, 3};
static const BenchMode MODES[] = {
    DEFAULT_MODE,      {1024, 768, 16},   {1024, 768, 32},       {640, 480, 16, 2},
    {640, 480, 32, 2}, {640, 480, 16, 3}, LARGEST_ENLARGED_MODE,
};
static const BenchMode PACED_MODES[] = {DEFAULT_MODE, LARGEST_ENLARGED_MODE};
static const BenchMode LARGEST_MODE = {1024, 768, 32};

int missed_figures = 0;

// scripts/bench.sh attaches four pads: every figure is taken with them.
static const int ATTACHED_PADS = 4;

// ---------------- clock and statistics

static const double MS_PER_SECOND = 1e3;
static const double NS_PER_MS = 1e6;

double now_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * MS_PER_SECOND + t.tv_nsec / NS_PER_MS;
}

double median(std::vector<double> samples)
{
    return percentile(std::move(samples), 50);
}

double mean(const std::vector<double> &samples)
{
    double sum = 0;
    for (double s : samples)
        sum += s;
    return samples.empty() ? NAN : sum / samples.size();
}

double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return NAN;
    std::sort(samples.begin(), samples.end());
    size_t rank = (size_t)std::ceil(p / 100 * samples.size());
    return samples[std::min(std::max(rank, (size_t)1), samples.size()) - 1];
}

// ---------------- report lines

static void print_figure(const std::string &figure, double value, const char *unit,
                         const std::string &target, const char *verdict)
{
    printf("%-72s %9.3f %-3s %-14s %s\n", figure.c_str(), value, unit, target.c_str(), verdict);
    fflush(stdout);
}

// Prints the figure with its target; a value that is not a number misses.
static void print_judged(const std::string &figure, double value, const char *unit,
                         const std::string &target, bool met)
{
    met = met && !std::isnan(value);
    missed_figures += !met;
    print_figure(figure, value, unit, target, met ? "met" : "MISSED");
}

static std::string target_text(const char *relation, double limit, const char *unit)
{
    char text[48];
    snprintf(text, sizeof text, "%s %g %s", relation, limit, unit);
    return text;
}

void report_reference(const std::string &figure, double value, const char *unit)
{
    print_figure(figure, value, unit, "", "");
}

void report_at_most(const std::string &figure, double value, const char *unit, double limit)
{
    print_judged(figure, value, unit, target_text("<=", limit, unit), value <= limit);
}

void report_at_least(const std::string &figure, double value, const char *unit, double limit)
{
    print_judged(figure, value, unit, target_text(">=", limit, unit), value >= limit);
}

void report_within(const std::string &figure, double value, const char *unit, double centre,
                   double tolerance)
{
    char target[48];
    snprintf(target, sizeof target, "%g +- %g %s", centre, tolerance, unit);
    print_judged(figure, value, unit, target, std::fabs(value - centre) <= tolerance);
}

void report_unmeasured(const std::string &figure, const char *why)
{
    missed_figures++;
    printf("%-72s NOT MEASURED: %s\n", figure.c_str(), why);
    fflush(stdout);
}

// ---------------- the run

// Per-frame figures at every mode.
static void measure_frames()
{
    measure_pad_poll();
    for (const BenchMode &m : MODES) {
        printf("\n== %s\n", mode_name(m).c_str());
        if (!enter_mode(m)) {
            report_unmeasured(mode_name(m), "the library refused the mode");
            continue;
        }
        measure_match_frames(m);
        measure_menu_frames(m);
    }
}

// The pacing at the default mode, shown as it is and at its largest.
static void measure_match_pacing()
{
    for (const BenchMode &m : PACED_MODES) {
        printf("\n== Match pacing, %s\n", mode_name(m).c_str());
        if (enter_mode(m))
            measure_pacing(m);
        else
            report_unmeasured("match pacing", "the library refused the mode");
    }
}

// The first start on the defaults, and a start into the largest mode, whose
// memory is read on the menu. The title is found in a 32-bit mode.
static void measure_starts(const std::string &game, const std::string &data_dir)
{
    printf("\n== Start-up of %s\n", game.c_str());
    if (!enter_mode(LARGEST_MODE)) {
        report_unmeasured("start-up", "the library refused the mode");
        return;
    }
    StartCase first
        = {"first start", DEFAULT_MODE, false, false, find_title(DEFAULT_MODE.w, DEFAULT_MODE.h)};
    StartCase largest
        = {"start", LARGEST_MODE, true, true, find_title(LARGEST_MODE.w, LARGEST_MODE.h)};
    leave_graphics();
    measure_startup(game, data_dir, first);
    measure_startup(game, data_dir, largest);
}

static std::string absolute_path(const char *path)
{
    char resolved[PATH_MAX];
    return realpath(path, resolved) ? resolved : "";
}

// Argument counts: the reference start's, a whole run's, a run of one section.
static const int BARE_START_ARGS = 7;
static const int WHOLE_RUN_ARGS = 3;
static const int ONE_SECTION_ARGS = 4;
static const char FRAMES_SECTION[] = "frames";
static const char PACING_SECTION[] = "pacing";
static const char STARTUP_SECTION[] = "startup";
static const char CPU_SECTION[] = "cpu";

// True when the command line asks for the section, or for no section at all.
static bool wants(int argc, char **argv, const char *section)
{
    return argc == WHOLE_RUN_ARGS || strcmp(argv[WHOLE_RUN_ARGS], section) == 0;
}

static bool valid_command_line(int argc, char **argv)
{
    if (argc == WHOLE_RUN_ARGS)
        return true;
    return argc == ONE_SECTION_ARGS
        && (wants(argc, argv, FRAMES_SECTION) || wants(argc, argv, PACING_SECTION)
            || wants(argc, argv, STARTUP_SECTION) || wants(argc, argv, CPU_SECTION));
}

int main(int argc, char **argv)
{
    if (argc == BARE_START_ARGS && strcmp(argv[1], BARE_START_OPTION) == 0)
        return run_bare_start({atoi(argv[2]), atoi(argv[3]), atoi(argv[4])}, atoi(argv[5]),
                              atoi(argv[6]));
    if (!valid_command_line(argc, argv)) {
        fprintf(stderr, "usage: %s GAME_BINARY DATA_DIR [%s|%s|%s|%s]\n", argv[0], FRAMES_SECTION,
                PACING_SECTION, STARTUP_SECTION, CPU_SECTION);
        return 2;
    }
    const std::string game = absolute_path(argv[1]);
    const std::string data_dir = absolute_path(argv[2]);
    // The game's pictures are read from the working directory.
    if (game.empty() || data_dir.empty() || chdir(data_dir.c_str()) != 0) {
        fprintf(stderr, "talvon_bench: no game binary or data directory\n");
        return 2;
    }
    if (!start_game_library()) {
        fprintf(stderr, "talvon_bench: no X display\n");
        return 2;
    }
    report_at_least("pads attached (joystick devices the library opened)", attached_pads(), "",
                    ATTACHED_PADS);
    if (wants(argc, argv, FRAMES_SECTION))
        measure_frames();
    if (wants(argc, argv, PACING_SECTION))
        measure_match_pacing();
    if (wants(argc, argv, STARTUP_SECTION))
        measure_starts(game, data_dir);
    if (wants(argc, argv, CPU_SECTION)) {
        const char *server = getenv("TALVON_BENCH_SERVER_PID");
        measure_cpu(game, data_dir, server ? atoi(server) : 0);
    }
    printf("\n%d figure(s) missed or not measured\n", missed_figures);
    return 0;
}
