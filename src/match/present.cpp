// Putting the finished picture on the screen: back_buffer, drawn at the
// game's own size, shown pixel for pixel or enlarged by a whole number so
// that every game pixel stays a sharp square block.
#include "match.h"

int display_scale = 1;

int game_screen_w()
{
    return SCREEN_W / display_scale;
}

int game_screen_h()
{
    return SCREEN_H / display_scale;
}

// At a scale of 1 the copy is the plain blit the game has always made.
// Enlarged, the library's stretch gives every game pixel exactly an n x n
// block at a whole-number factor, and costs no more than a hand-written
// enlarger: the time goes into handing the picture to the X server.
void present()
{
    const int w = settings.screen_w;
    const int h = settings.screen_h;
    if (display_scale == 1)
        blit(back_buffer, screen, 0, 0, 0, 0, w, h);
    else
        stretch_blit(back_buffer, screen, 0, 0, w, h, 0, 0, w * display_scale, h * display_scale);
}
