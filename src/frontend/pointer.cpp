// The pointer in game pixels. The library reports and places the mouse in
// screen pixels, which are game pixels enlarged by display_scale; every
// read and every move of the pointer goes through here, so a click lands on
// the same button at every scale.
#include "frontend.h"

int pointer_x()
{
    return mouse_x / display_scale;
}

int pointer_y()
{
    return mouse_y / display_scale;
}

// The top-left screen pixel of the game pixel (x, y).
void place_pointer(int x, int y)
{
    position_mouse(x * display_scale, y * display_scale);
}
