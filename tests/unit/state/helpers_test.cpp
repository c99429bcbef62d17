// The small shared helpers: the hit test and the ESC / closed-window checks.
#include "allegro_fixture.h"

TEST(PointInRect, CountsAllFourEdgesAsInside)
{
    // The box from (10, 20) to (30, 40).
    static const struct { int x, y; bool inside; } POINTS[] = {
        {10, 20, true}, {30, 20, true}, {10, 40, true}, {30, 40, true}, // corners
        {20, 30, true},
        {9, 30, false}, {31, 30, false}, {20, 19, false}, {20, 41, false}, // one past each edge
        {9, 19, false}, {31, 41, false},
    };
    for (const auto &p : POINTS)
        EXPECT_EQ(point_in_rect(p.x, p.y, 10, 20, 30, 40), p.inside) << p.x << "," << p.y;
    EXPECT_TRUE(point_in_rect(5, 5, 5, 5, 5, 5)); // a one-pixel box
}

TEST(Escape, AClosedWindowCountsAsEscPressedAndAlreadyReleased)
{
    static const struct { int esc, closed; bool pressed, held; } ROWS[] = {
        {0, 0, false, false},
        {1, 0, true, true},
        {0, 1, true, false},
        {1, 1, true, false},
    };
    for (const auto &r : ROWS) {
        key[KEY_ESC] = r.esc;
        window_closed = r.closed;
        EXPECT_EQ(escape_pressed(), r.pressed) << "esc " << r.esc << " closed " << r.closed;
        EXPECT_EQ(escape_held(), r.held) << "esc " << r.esc << " closed " << r.closed;
    }
    key[KEY_ESC] = 0;
    window_closed = 0;
}
