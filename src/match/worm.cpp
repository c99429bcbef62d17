// Worm motion and spawning, and the trail a worm lays.
#include "match.h"

#include <cmath>
#include <cstdlib>

// A worm starts at least this many pixels inside the screen edges and the
// panel, clear of the borders.
static const int SPAWN_MARGIN = 23;

// Added to a heading, turns it round.
static const double PI = 3.141592653589793;

// One frame's displacement: 0 points down the screen, pi/2 to the right.
void step_vector(int speed, float heading, float &dx, float &dy)
{
    double h = heading;
    dx = (float)(std::sin(h) * speed);
    dy = (float)(std::cos(h) * speed);
}

// A random coordinate in margin .. margin + span - 1. A settings file may
// leave no room at all (span of zero or less): the worm then starts at the
// margin rather than dividing by zero or by a negative number.
static int random_spawn_coordinate(long long span)
{
    long long divisor = span > 0 ? span : 1;
    return (int)(rand() % divisor) + SPAWN_MARGIN;
}

// A random start heading for the field centre. Sizes are widened to 64
// bits: a hand-edited settings file may hold any int.
void spawn_worm(Player &p)
{
    const long long w = settings.screen_w;
    const long long field_h = (long long)settings.screen_h - PANEL_HEIGHT;
    // The x draw comes first, so positions follow from the order of calls.
    p.x = (float)random_spawn_coordinate(w - 2 * SPAWN_MARGIN);
    p.y = (float)random_spawn_coordinate(field_h - 2 * SPAWN_MARGIN);

    const double cx = (double)(w / 2);
    const double cy = (double)(field_h / 2);
    // A start on the centre's column or row steps one pixel diagonally off it.
    if (p.x == cx || p.y == cy) {
        p.x += 1.0f;
        p.y += 1.0f;
    }
    // A zero divisor gives -infinity and atan -pi/2; with pi added below, the
    // worm heads right.
    p.heading = (float)std::atan((cx - p.x) / (cy - p.y));
    // On or below the centre row the worm must head upward.
    if (p.y >= cy)
        p.heading = (float)(p.heading + PI);
    p.dead = 0;
}

// The band is the centre line pushed one pixel forward along x on three rows,
// then one pixel forward along y on three columns; the centre line itself is
// left out. An unchanged coordinate counts as moving backward.
void draw_trail_segment(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour)
{
    const int sx = x1 < x2 ? 1 : -1;
    line(bmp, x1 + sx, y1 + 1, x2 + sx, y2 + 1, colour);
    line(bmp, x1 + sx, y1, x2 + sx, y2, colour);
    line(bmp, x1 + sx, y1 - 1, x2 + sx, y2 - 1, colour);
    const int sy = y1 < y2 ? 1 : -1;
    line(bmp, x1 + 1, y1 + sy, x2 + 1, y2 + sy, colour);
    line(bmp, x1, y1 + sy, x2, y2 + sy, colour);
    line(bmp, x1 - 1, y1 + sy, x2 - 1, y2 + sy, colour);
}
