// The millisecond callback's counters, called directly: the library's timer
// cannot run headless.
#include "allegro_fixture.h"
#include "frontend.h"

TEST(TimerTick, ScrollsTheBackdropEvery25TicksWhileAnimated)
{
    reset_state();
    settings.animate_backdrop = 1;
    for (int t = 1; t <= 100; t++) {
        timer_tick();
        ASSERT_EQ(tick_ms, t);
        ASSERT_EQ(backdrop_offset, 2 * (t / 25)) << "after tick " << t;
    }
}

TEST(TimerTick, KeepsTheBackdropStillWhenAnimationIsOff)
{
    reset_state();
    settings.animate_backdrop = 0;
    backdrop_offset = 7;
    for (int t = 0; t < 60; t++)
        timer_tick();
    EXPECT_EQ(tick_ms, 60);
    EXPECT_EQ(backdrop_offset, 7);
}

TEST(TimerTick, CountsFromWhereverTheMatchResetItTo)
{
    reset_state();
    settings.animate_backdrop = 1;
    tick_ms = 24;
    timer_tick();
    EXPECT_EQ(backdrop_offset, 2);
    tick_ms = 0; // a new round
    for (int t = 0; t < 24; t++)
        timer_tick();
    EXPECT_EQ(backdrop_offset, 2);
}
