// Setting a graphics mode, at start-up and while running.
#include "frontend.h"

const char NO_GRAPHICS_MODE_MESSAGE[] = "Nemozem nastartovat graficky mod";
const char NO_BITMAPS_MESSAGE[] = "Nemozem nacitat bitmapy";

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

// Card modes 0, 1, 2 are the library's own card ids for autodetect, full
// screen and windowed; any other value (such as -1, the library's text mode)
// is not a mode. A size of zero or less is not one either: the library
// would crash on it.
bool set_graphics_mode(int card, int w, int h, int depth)
{
    static_assert(GFX_AUTODETECT == 0 && GFX_AUTODETECT_FULLSCREEN == 1
                      && GFX_AUTODETECT_WINDOWED == 2,
                  "card modes are the library's card ids");
    if (card < 0 || card >= CARD_COUNT || !is_screen_side(w) || !is_screen_side(h)
        || !is_true_colour_depth(depth))
        return false;
    set_color_depth(depth);
    return set_gfx_mode(card, w, h, 0, 0) == 0;
}
