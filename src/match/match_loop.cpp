// The match loop: rounds of frames, each turning, testing, drawing and moving
// every living worm, paced by the millisecond counter; then the round's
// result and the waits for the players' keys.
#include "match.h"

// ---------------- steps

int count_active_players()
{
    int n = 0;
    for (int i = 0; i < PLAYER_COUNT; i++)
        n += !players[i].off;
    return n;
}

// Spawning in slot order makes the positions follow from the random seed.
int start_round()
{
    draw_play_field();
    const int living = count_active_players();
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!players[i].off)
            spawn_worm(players[i]);
    return living;
}

// Left adds the turn step, right takes it away; both held apply both, in
// that order. Keys, buttons and pads alike are asked the one way.
void turn_worm(int i)
{
    Player &p = players[i];
    if (control_held(left_control(i)))
        p.heading += settings.turn_step;
    if (control_held(right_control(i)))
        p.heading -= settings.turn_step;
}

// One living worm's share of a frame; returns the deaths it caused. A worm
// that crashes still lays its last segment into the obstacle and moves there.
static int advance_worm(int i)
{
    Player &p = players[i];
    float dx;
    float dy;
    turn_worm(i);
    step_vector(WORM_SPEED, p.heading, dx, dy);
    const int deaths = resolve_collision(i, dx, dy);
    if (deaths)
        draw_score_panel();
    draw_trail_segment(back_buffer, (int)p.x, (int)p.y, (int)(p.x + dx), (int)(p.y + dy), p.colour);
    p.x += dx;
    p.y += dy;
    return deaths;
}

// Each worm is drawn before the next is tested, so a later slot already
// meets the segments laid earlier in the same frame. A worm killed head-on
// by an earlier slot is skipped.
int play_frame(int living)
{
    poll_joystick(); // the pads' state for this frame
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!players[i].off && !players[i].dead)
            living -= advance_worm(i);
    draw_clock();
    return living;
}

void show_round_result(int living)
{
    if (living == 0)
        draw_draw_message();
    else
        finish_round();
}

// ---------------- waits and display

// The waits sleep a millisecond between looks at the keys and the clock: a
// key held for less is no press a player makes. rest(0) only lets others run
// for a moment.
static const int POLL_MS = 1;

static void wait_for_escape_release()
{
    while (escape_held())
        rest(POLL_MS);
}

// SPACE, ENTER or ESC is down; a closed window counts as ESC.
static bool round_key_down()
{
    return escape_pressed() || key[KEY_SPACE] || key[KEY_ENTER];
}

static void wait_for_round_key()
{
    while (!round_key_down())
        rest(POLL_MS);
}

// A closed window counts as all three released.
static void wait_for_round_keys_up()
{
    while (!window_closed && round_key_down())
        rest(POLL_MS);
}

// Polls until more than frame_delay_ms ticks have passed since last_tick
// and returns the tick seen. It sleeps a millisecond at a time while two or
// more ticks are still to come, and spins through the last one: a sleep may
// end late, and the frame must begin on its tick. The sum is taken in 64
// bits, as a hand-edited delay may be near the int limit. ESC or a closed
// window ends the wait, so that the next frame leaves the match at once even
// when a hand-edited delay would keep it waiting for weeks.
int wait_for_next_frame(int last_tick)
{
    const long long due = (long long)last_tick + settings.frame_delay_ms;
    int now = tick_ms;
    while (now <= due && !escape_pressed()) {
        rest(now < due ? POLL_MS : 0);
        now = tick_ms;
    }
    return now;
}

// Shows the round's result and waits for the players; returns false when
// the match is over, true when the next round should start at once.
static bool round_ends_and_play_goes_on(int living)
{
    show_round_result(living);
    if (show_match_winners()) {
        present();
        wait_for_round_key();
        wait_for_round_keys_up();
        return false;
    }
    present();
    wait_for_round_key();
    if (escape_pressed()) {
        wait_for_escape_release();
        return false;
    }
    return true;
}

// ---------------- the loop

static void clear_scores()
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        players[i].score = 0;
}

void run_match()
{
    // Start of the match; nothing is shown before the first frame.
    tick_ms = 0;
    int last_tick = 0;
    clear_scores();
    int living = start_round();
    for (;;) {
        // ESC leaves at any frame, once released.
        if (escape_pressed()) {
            wait_for_escape_release();
            return;
        }
        living = play_frame(living);
        present();
        if (living <= settings.round_end_survivors) {
            if (!round_ends_and_play_goes_on(living))
                return;
            // The next round starts without waiting for SPACE or ENTER to be released.
            living = start_round();
            tick_ms = 0;
            last_tick = 0;
        }
        last_tick = wait_for_next_frame(last_tick);
    }
}
