// The unit tests' main: the library's system without a platform, whose waits yield to the test's hand, in the pixel
// layout of X11, where the game runs.
#include "support.h"
int main(int argc, char **argv)
{
    start_headless_library();
    static SYSTEM_DRIVER system = *system_driver; static GFX_DRIVER graphics = {}; // it only waits for the retrace
    system.yield_timeslice = [] { timer_tick(), on_wait ? on_wait(false) : void(window_closed = 1); };
    graphics.vsync = [] { on_wait ? on_wait(true) : void(window_closed = 1); };
    system_driver = &system, gfx_driver = &graphics;
    return ::testing::InitGoogleTest(&argc, argv), RUN_ALL_TESTS();
}
