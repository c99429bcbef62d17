// The largest whole-number scale at which the game's picture fits the desktop.
#include "frontend.h"

#include <algorithm>

// A window's frame and the desktop's panels take some of the desktop's
// height: a window may use at most this share of it, in percent.
static const int WINDOW_HEIGHT_PERCENT = 90;

// Capped at the largest scale the command line takes.
int fit_scale(int desktop_w, int desktop_h, int w, int h, bool windowed)
{
    if (desktop_w <= 0 || desktop_h <= 0 || w <= 0 || h <= 0)
        return 1;
    int room_h = windowed ? desktop_h * WINDOW_HEIGHT_PERCENT / 100 : desktop_h;
    int n = std::min(desktop_w / w, room_h / h);
    return std::clamp(n, 1, SCALE_MAX);
}
