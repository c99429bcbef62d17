// Setting a graphics mode, at start-up and while running.
#include "frontend.h"

// Text mode comes first, so the message is not hidden behind a graphics screen.
void show_fatal_message(const char *message)
{
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    allegro_message("%s", message);
}

// The game's colours are pixel values of a true-colour mode.
static bool is_true_colour_depth(int depth)
{
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// The longest side of a mode, pixels. The library sizes a bitmap as width
// times height times bytes per pixel in an int: at 16384 x 16384 x 4 bytes
// that is 1 GiB, while a larger window (100000 x 100000 from a hand-edited
// file) overflows it and asks for exabytes. No display comes near it.
static const int MAX_SCREEN_SIDE = 16384;

static bool is_screen_side(int pixels)
{
    return pixels > 0 && pixels <= MAX_SCREEN_SIDE;
}

// The mode enlarged n times; false at n of 1 or less, or when the enlarged
// sides are no screen or the library refuses them.
static bool set_scaled_mode(int card, int w, int h, int n)
{
    if (n <= 1 || !is_screen_side(n * w) || !is_screen_side(n * h))
        return false;
    if (set_gfx_mode(card, n * w, n * h, 0, 0) != 0)
        return false;
    display_scale = n;
    return true;
}

// The desktop's size, or 0 x 0 when the library cannot tell.
static void desktop_size(int &w, int &h)
{
    if (get_desktop_resolution(&w, &h) != 0) {
        w = 0;
        h = 0;
    }
}

// The largest scale that suits the kind of display the library gives. The
// autodetect card tries full screen first and may end up in a window: then
// the window's smaller fit is set instead.
static bool set_fitting_mode(int card, int w, int h)
{
    int desktop_w = 0;
    int desktop_h = 0;
    desktop_size(desktop_w, desktop_h);
    const int window_fit = fit_scale(desktop_w, desktop_h, w, h, true);
    if (card == GFX_AUTODETECT_WINDOWED)
        return set_scaled_mode(card, w, h, window_fit);
    const int screen_fit = fit_scale(desktop_w, desktop_h, w, h, false);
    if (set_scaled_mode(card, w, h, screen_fit)
        && (!gfx_driver->windowed || screen_fit == window_fit))
        return true;
    return card == GFX_AUTODETECT && set_scaled_mode(card, w, h, window_fit);
}

// The mode enlarged as the scale option asks; false when it is not set.
static bool set_enlarged_mode(int card, int w, int h)
{
    if (scale_option == SCALE_FIT)
        return set_fitting_mode(card, w, h);
    return set_scaled_mode(card, w, h, scale_option);
}

// The screen is set at the desktop's depth when that is a true-colour one:
// present() then converts the game's pixels once, at the game's size, and
// the display takes the enlarged picture as it is, where it would otherwise
// convert every enlarged pixel. Elsewhere the screen has the game's depth.
static int screen_depth_for(int depth)
{
    const int desktop = desktop_color_depth();
    return is_true_colour_depth(desktop) ? desktop : depth;
}

// Where red and green start in a pixel of each depth, blue at bit 0: the
// layout the library's conversion reads, and the one the X11 driver gives a
// depth that it converts to the desktop's itself.
struct ChannelLayout {
    int depth;
    int *red, *green, *blue; // the library's shifts for the depth
    int red_shift, green_shift;
};
static const ChannelLayout CONVERTED_LAYOUTS[] = {
    {15, &_rgb_r_shift_15, &_rgb_g_shift_15, &_rgb_b_shift_15, 10, 5},
    {16, &_rgb_r_shift_16, &_rgb_g_shift_16, &_rgb_b_shift_16, 11, 5},
    {24, &_rgb_r_shift_24, &_rgb_g_shift_24, &_rgb_b_shift_24, 16, 8},
    {32, &_rgb_r_shift_32, &_rgb_g_shift_32, &_rgb_b_shift_32, 16, 8},
};

static void lay_out_for_conversion(int depth)
{
    for (const ChannelLayout &l : CONVERTED_LAYOUTS) {
        if (l.depth != depth)
            continue;
        *l.red = l.red_shift;
        *l.green = l.green_shift;
        *l.blue = 0;
    }
}

// Card modes 0, 1, 2 are the library's own card ids for autodetect, full
// screen and windowed; any other value (such as -1, the library's text mode)
// is not a mode. A size of zero or less is not one either: the library
// would crash on it. When the enlarged mode is refused, the game's own size
// is set as it always was. Every bitmap, picture and colour of the game stays
// at the game's depth, whatever the screen's.
bool set_graphics_mode(int card, int w, int h, int depth)
{
    static_assert(GFX_AUTODETECT == 0 && GFX_AUTODETECT_FULLSCREEN == 1
                      && GFX_AUTODETECT_WINDOWED == 2,
                  "card modes are the library's card ids");
    if (card < 0 || card >= CARD_COUNT || !is_screen_side(w) || !is_screen_side(h)
        || !is_true_colour_depth(depth))
        return false;
    const int screen_depth = screen_depth_for(depth);
    set_color_depth(screen_depth);
    bool set = set_enlarged_mode(card, w, h);
    if (!set) {
        display_scale = 1;
        set = set_gfx_mode(card, w, h, 0, 0) == 0;
    }
    set_color_depth(depth);
    if (screen_depth != depth)
        lay_out_for_conversion(depth);
    forget_shown_picture();
    return set;
}
