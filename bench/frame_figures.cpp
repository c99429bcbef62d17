// The per-frame figures, taken in this process through the game's own
// functions: a match frame with eight living, turning worms; a menu frame's
// composition; the frame rates of the menu and of the key entry, which reads
// the pads; and the match's pacing on the real 1 ms
// timer. The frame figures stand beside a bare present of back_buffer, the
// full-screen copy or, at a scale above 1, the enlargement (or a bare retrace
// wait and present) at the same mode, measured interleaved with it so that
// the machine's load falls on both alike; the pacing stands beside the ideal
// schedule.
#include "bench.h"
#include "frontend.h"

#include <cmath>

// The game installs its timer at this period.
static const int TIMER_PERIOD_MS = 1;
// Fixed, so that every run draws the same button art.
static const unsigned BENCH_SEED = 1;
static const double MS_PER_SECOND = 1000;

// A worm turning all the time at 3 pixels and 0.15 radians a frame circles
// about 20 pixels round in 2 pi / 0.15 = 42 frames, then meets its own trail:
// the field is made afresh, untimed, before that.
static const int FRAMES_PER_FIELD = 30;
static const int FIELDS_PER_MODE = 40;
// The worms start in the cells of a 4 x 2 grid over the field.
static const int GRID_COLUMNS = 4;
static const int GRID_ROWS = 2;
// Mouse button bit that turns the mouse player's worm left.
static const int MOUSE_LEFT_BUTTON = 1;
// A heading is a float: this much rounding is no missed turn.
static const float HEADING_SLACK = 1e-3f;

static const int COMPOSED_MENU_FRAMES = 600;
// Menu frames wait for the retrace; blocks of the game's loop and of the
// bare loop alternate.
static const int RATE_BLOCKS = 4;
static const int RATE_BLOCK_FRAMES = 25;
static const int PACED_FRAMES = 500;
static const int PAD_POLLS = 10000;

// The targets.
static const double MATCH_FRAME_BLIT_RATIO_LIMIT = 3.0;
static const BenchMode COMPOSITION_TARGET_MODE = {1024, 768, 32};
static const double MENU_COMPOSITION_LIMIT_MS = 3.0;
static const double MENU_RATE_SHARE_LIMIT = 0.95;
static const double PERIOD_TOLERANCE_MS = 0.3;
static const double P99_LATENESS_LIMIT_MS = 2.0;

std::string mode_name(const BenchMode &m)
{
    std::string name
        = std::to_string(m.w) + "x" + std::to_string(m.h) + "x" + std::to_string(m.depth);
    if (m.scale == 1)
        return name;
    return name + " at " + std::to_string(m.scale) + "x (" + std::to_string(m.w * m.scale) + "x"
        + std::to_string(m.h * m.scale) + ")";
}

static std::string figure_at(const char *what, const BenchMode &m)
{
    return std::string(what) + ", " + mode_name(m);
}

// ---------------- set-up

int attached_pads()
{
    return num_joysticks;
}

bool start_game_library()
{
    set_uformat(U_ASCII);
    if (allegro_init() != 0)
        return false;
    install_keyboard();
    install_mouse();
    install_timer();
    find_pads();
    tick_ms = 0;
    install_int(timer_tick, TIMER_PERIOD_MS);
    srand(BENCH_SEED);
    return true;
}

// The default players carry 16-bit colours, repacked for the mode's depth.
bool enter_mode(const BenchMode &m)
{
    destroy_graphics();
    apply_defaults();
    scale_option = m.scale;
    if (!set_graphics_mode(settings.gfx_card, m.w, m.h, m.depth) || load_graphics() != 0)
        return false;
    repack_player_colours(settings.color_depth, m.depth);
    settings.color_depth = m.depth;
    settings.screen_w = game_screen_w();
    settings.screen_h = game_screen_h();
    place_score_labels(settings.screen_w, settings.screen_h);
    for (Player &p : players)
        p.off = 0;
    return settings.screen_w == m.w && settings.screen_h == m.h && display_scale == m.scale;
}

void leave_graphics()
{
    destroy_graphics();
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
}

// ---------------- eight turning worms

// A fresh field with every worm at the centre of its grid cell, heading
// down the screen.
static void place_circling_worms()
{
    draw_play_field();
    const int field_h = settings.screen_h - PANEL_HEIGHT;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        Player &p = players[i];
        p.x = (float)(settings.screen_w * (2 * (i % GRID_COLUMNS) + 1) / (2 * GRID_COLUMNS));
        p.y = (float)(field_h * (2 * (i / GRID_COLUMNS) + 1) / (2 * GRID_ROWS));
        p.heading = 0;
        p.dead = 0;
    }
}

// Every worm's left control held. Set before each frame: the keyboard
// driver may clear the array when the window loses the focus.
static void hold_left_turns()
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (i != MOUSE_PLAYER)
            key[players[i].key_left] = 1;
    mouse_b = MOUSE_LEFT_BUTTON;
}

static void release_controls()
{
    for (const Player &p : players)
        key[p.key_left] = 0;
    mouse_b = 0;
}

// True when every worm lives and has turned left in each of `frames` frames.
static bool all_circling(int frames)
{
    const float turned = frames * settings.turn_step;
    for (const Player &p : players)
        if (p.dead || std::fabs(p.heading - turned) > HEADING_SLACK)
            return false;
    return true;
}

// ---------------- match frames

// One match frame's work as run_match does it: every worm turned, tested,
// drawn and moved, the clock printed, the field shown.
static double timed_match_frame(int &living)
{
    hold_left_turns();
    const double start = now_ms();
    living = play_frame(living);
    present();
    return now_ms() - start;
}

// The whole of back_buffer sent, as after a new mode.
static double timed_bare_blit()
{
    const double start = now_ms();
    forget_shown_picture();
    present();
    return now_ms() - start;
}

void measure_match_frames(const BenchMode &m)
{
    std::vector<double> frames, blits;
    bool circling = true;
    for (int f = 0; f < FIELDS_PER_MODE; f++) {
        place_circling_worms();
        int living = PLAYER_COUNT;
        for (int i = 0; i < FRAMES_PER_FIELD; i++) {
            frames.push_back(timed_match_frame(living));
            blits.push_back(timed_bare_blit());
        }
        circling = circling && living == PLAYER_COUNT && all_circling(FRAMES_PER_FIELD);
    }
    release_controls();
    if (!circling)
        report_unmeasured(figure_at("match frame", m), "a worm died or did not turn");
    report_reference(figure_at("bare present of back_buffer, median", m), median(blits), "ms");
    // The frame's cost is judged by the ratio below: the time of a bare present
    // is the display's.
    report_reference(figure_at("match frame, 8 turning worms, median", m), median(frames), "ms");
    report_reference(figure_at("match frame, mean", m), mean(frames), "ms");
    report_at_most(figure_at("match frame / bare present", m), median(frames) / median(blits), "x",
                   MATCH_FRAME_BLIT_RATIO_LIMIT);
}

// ---------------- the pads

// What the pads add to every match frame and key entry frame: one poll of
// all of them, each a look at its device.
void measure_pad_poll()
{
    std::vector<double> polls;
    for (int i = 0; i < PAD_POLLS; i++) {
        const double start = now_ms();
        poll_joystick();
        polls.push_back(now_ms() - start);
    }
    report_reference("poll_joystick with the pads attached, median", median(polls), "ms");
    report_reference("poll_joystick with the pads attached, p99", percentile(polls, 99), "ms");
}

// ---------------- menu frames

// One whole menu picture composed and shown as menu_frame does when
// everything on it is new, without its wait for the retrace; the offset is
// wrapped afterwards as there.
static double timed_menu_composition()
{
    const double start = now_ms();
    forget_menu_picture();
    forget_shown_picture();
    draw_backdrop();
    present();
    const double took = now_ms() - start;
    backdrop_offset = backdrop_offset % STRIP_W;
    return took;
}

// Menu frames per second of the game's own menu_frame.
static double menu_frame_rate(int frames)
{
    const double start = now_ms();
    for (int i = 0; i < frames; i++)
        menu_frame();
    return frames * MS_PER_SECOND / (now_ms() - start);
}

// Frames per second of the key assignment's wait, the one menu that reads the
// pads: a menu frame without the arrow keys' pointer, the pads polled and
// looked at for a press.
static double key_entry_frame_rate(int frames)
{
    const double start = now_ms();
    for (int i = 0; i < frames; i++) {
        menu_frame_no_pointer_keys();
        poll_joystick();
        pad_control_pressed();
    }
    return frames * MS_PER_SECOND / (now_ms() - start);
}

// The physical limit: a retrace wait and a full copy, nothing composed.
static double bare_frame_rate(int frames)
{
    const double start = now_ms();
    for (int i = 0; i < frames; i++) {
        vsync();
        forget_shown_picture();
        present();
    }
    return frames * MS_PER_SECOND / (now_ms() - start);
}

static void report_menu_rates(const BenchMode &m)
{
    std::vector<double> menu, entry, bare;
    for (int b = 0; b < RATE_BLOCKS; b++) {
        menu.push_back(menu_frame_rate(RATE_BLOCK_FRAMES));
        bare.push_back(bare_frame_rate(RATE_BLOCK_FRAMES));
        entry.push_back(key_entry_frame_rate(RATE_BLOCK_FRAMES));
        bare.push_back(bare_frame_rate(RATE_BLOCK_FRAMES));
    }
    report_reference(figure_at("bare vsync + present loop", m), mean(bare), "fps");
    report_reference(figure_at("menu_frame loop", m), mean(menu), "fps");
    report_at_least(figure_at("menu frame rate / bare loop", m), mean(menu) / mean(bare), "x",
                    MENU_RATE_SHARE_LIMIT);
    report_at_least(figure_at("key entry frame rate, pads read / bare loop", m),
                    mean(entry) / mean(bare), "x", MENU_RATE_SHARE_LIMIT);
}

static bool same_mode(const BenchMode &a, const BenchMode &b)
{
    return a.w == b.w && a.h == b.h && a.depth == b.depth && a.scale == b.scale;
}

// Both layers as the main menu draws them; the pointer in the middle. The
// key entry's frames show the same picture: only the pads add to them.
void measure_menu_frames(const BenchMode &m)
{
    draw_main_menu();
    place_pointer(settings.screen_w / 2, settings.screen_h / 2);
    std::vector<double> menus, blits;
    for (int i = 0; i < COMPOSED_MENU_FRAMES; i++) {
        menus.push_back(timed_menu_composition());
        blits.push_back(timed_bare_blit());
    }
    const std::string figure = figure_at("menu composition + copy, median", m);
    if (same_mode(m, COMPOSITION_TARGET_MODE))
        report_at_most(figure, median(menus), "ms", MENU_COMPOSITION_LIMIT_MS);
    else
        report_reference(figure, median(menus), "ms");
    report_reference(figure_at("menu composition + copy / bare present", m),
                     median(menus) / median(blits), "x");
    report_menu_rates(m);
}

// ---------------- pacing

// The moment a paced frame began, and what the millisecond counter said then.
struct PacedFrame {
    double start_ms; // of the monotonic clock
    int tick;        // tick_ms as the pacing wait returned it
    double lag_ms;   // how far the counter was behind the clock
};

// Frames as run_match plays them, on the game's pacing wait. A fresh field
// replaces the old one every FRAMES_PER_FIELD frames, inside the frame's work.
static std::vector<PacedFrame> paced_frames(int frames)
{
    std::vector<PacedFrame> paced;
    tick_ms = 0;
    const double reset = now_ms();
    int last_tick = 0;
    int living = PLAYER_COUNT;
    for (int i = 0; i <= frames; i++) {
        const double start = now_ms();
        paced.push_back({start, last_tick, start - reset - last_tick});
        if (i % FRAMES_PER_FIELD == 0) {
            place_circling_worms();
            living = PLAYER_COUNT;
        }
        hold_left_turns();
        living = play_frame(living);
        present();
        last_tick = wait_for_next_frame(last_tick);
    }
    release_controls();
    return paced;
}

// Where lateness comes from. A frame's lateness is the ticks past due the
// wait saw, plus how far the counter fell behind the clock meanwhile: the
// first grows when the waiting thread or the timer thread ran late and the
// ticks came in a burst, the second while the timer thread has not yet
// caught up.
static void report_pacing_causes(const BenchMode &m, const std::vector<PacedFrame> &paced)
{
    std::vector<double> past_due, fell_behind;
    for (size_t i = 1; i < paced.size(); i++) {
        past_due.push_back(paced[i].tick - paced[i - 1].tick - settings.frame_delay_ms
                           - TIMER_PERIOD_MS);
        fell_behind.push_back(paced[i].lag_ms - paced[i - 1].lag_ms);
    }
    report_reference(figure_at("ticks past due when the wait ended, p99", m),
                     percentile(past_due, 99), "ms");
    report_reference(figure_at("counter fell behind the clock, p99", m),
                     percentile(fell_behind, 99), "ms");
}

// Each frame is due one period after the previous one began; lateness is
// how much later it began (negative: earlier).
void measure_pacing(const BenchMode &m)
{
    const double period = settings.frame_delay_ms + TIMER_PERIOD_MS;
    const std::vector<PacedFrame> paced = paced_frames(PACED_FRAMES);
    std::vector<double> lateness;
    for (size_t i = 1; i < paced.size(); i++)
        lateness.push_back(paced[i].start_ms - paced[i - 1].start_ms - period);
    const double drift = paced.back().start_ms - paced.front().start_ms - PACED_FRAMES * period;
    report_within(figure_at("mean frame period", m), period + mean(lateness), "ms", period,
                  PERIOD_TOLERANCE_MS);
    report_reference(figure_at("lateness p50", m), percentile(lateness, 50), "ms");
    report_at_most(figure_at("lateness p99", m), percentile(lateness, 99), "ms",
                   P99_LATENESS_LIMIT_MS);
    report_reference(figure_at("lateness max", m), percentile(lateness, 100), "ms");
    report_reference(figure_at("lateness min (negative: early)", m), percentile(lateness, 0), "ms");
    report_reference(figure_at("drift from the fixed schedule at the end", m), drift, "ms");
    report_pacing_causes(m, paced);
}
