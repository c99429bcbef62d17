// The unit tests' main: the library without a platform, in the pixel layout of X11, with stand-ins
// for the display, keyboard, mouse and joystick drivers, in the folder of the game's pictures.
#include "support.h"

#include <unistd.h>

GFX_DRIVER test_display = {};
static KEYBOARD_DRIVER test_keyboard = {};
static MOUSE_DRIVER test_mouse = {};
static TIMER_DRIVER test_timer = {};

// A game that goes on this long after the player's script has run out ignores the close button.
static const size_t STEPS_AFTER_THE_SCRIPT = 100000;

static void hand()
{
    if (on_wait)
        on_wait();
    else if (next_step < steps.size())
        steps[next_step++]();
    else if (!window_closed)
        window_closed = 1;
    else if (++next_step > steps.size() + STEPS_AFTER_THE_SCRIPT)
        GTEST_LOG_(FATAL) << "the game ran on after the window was closed";
}

// A rest of a match's waits: a millisecond, then the hand.
static void rest_a_millisecond()
{
    timer_tick();
    hand();
}

static void rest_ms(unsigned int ms, void (*)())
{
    for (unsigned i = 0; i < ms; i++)
        rest_a_millisecond();
}

// A menu frame's retrace: the clock runs on by frame_ms, then the hand.
static void retrace()
{
    for (int i = 0; i < frame_ms; i++)
        timer_tick();
    hand();
}

// Pads of 11 buttons and two sticks of two axes, the first one's trigger resting at the end of its
// axis (the second stick's left) from the moment it is opened, as the library reads it. A poll
// changes nothing.
static int attach_pads()
{
    joy[0].stick[1].axis[0].d1 |= !num_joysticks;
    num_joysticks = pads_plugged;
    for (int i = 0; i < MAX_JOYSTICKS; i++) {
        joy[i].num_buttons = 11;
        joy[i].num_sticks = 2;
        joy[i].stick[0].num_axis = joy[i].stick[1].num_axis = 2;
    }
    return 0;
}
static int poll_pad()
{
    return 0;
}
static JOYSTICK_DRIVER test_pad
    = {1, "", "", "test pad", attach_pads, [] {}, poll_pad, nullptr, nullptr, nullptr, nullptr};
static _DRIVER_INFO test_pad_drivers[] = {{1, &test_pad, true}, {}};

int main(int argc, char **argv)
{
    start_headless_library();
    static SYSTEM_DRIVER system = *system_driver;
    system.yield_timeslice = rest_a_millisecond;
    system.joystick_drivers = [] {
        return test_pad_drivers;
    };
    system_driver = &system;
    test_display.vsync = retrace;
    gfx_driver = &test_display;
    keyboard_driver = &test_keyboard;
    mouse_driver = &test_mouse;
    test_timer.rest = rest_ms;
    timer_driver = &test_timer;
    if (chdir(TALVON_DATA_DIR) != 0)
        return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
