// The unit tests' main: the library without a platform, in the pixel layout of X11.
#include "support.h"

// A rest(0) of a match wait: a millisecond, then the hand; without one the window closes.
static void rest_a_millisecond()
{
    timer_tick();
    if (on_wait)
        on_wait();
    else
        window_closed = 1;
}

int main(int argc, char **argv)
{
    start_headless_library();
    static SYSTEM_DRIVER system = *system_driver;
    system.yield_timeslice = rest_a_millisecond;
    system_driver = &system;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
