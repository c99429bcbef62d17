// The unit tests' main: the library's system without a platform, whose waits yield to the test's hand, in the pixel
// layout of X11, where the game runs.
#include "support.h"
#include <cerrno>
int main(int argc, char **argv)
{
    set_uformat(U_ASCII), install_allegro(SYSTEM_NONE, &errno, atexit);
    static SYSTEM_DRIVER system = *system_driver; static GFX_DRIVER graphics = {}; // it only waits for the retrace
    system.yield_timeslice = [] { timer_tick(), on_wait ? on_wait(false) : void(window_closed = 1); };
    graphics.vsync = [] { on_wait ? on_wait(true) : void(window_closed = 1); };
    system_driver = &system, gfx_driver = &graphics;
    _rgb_r_shift_15 = 10, _rgb_g_shift_15 = 5, _rgb_b_shift_15 = 0, _rgb_r_shift_16 = 11, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 0;
    _rgb_r_shift_24 = _rgb_r_shift_32 = 16, _rgb_g_shift_24 = _rgb_g_shift_32 = 8, _rgb_b_shift_24 = _rgb_b_shift_32 = 0;
    return ::testing::InitGoogleTest(&argc, argv), RUN_ALL_TESTS();
}
