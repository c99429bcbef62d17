// Button art and captions, the pieces every menu screen is drawn from.
#include "frontend.h"

// Buttons are scribbled in dark blue on menu_layer, dialogs in a brighter
// blue on text_layer.
#define BUTTON_BLUE makecol(0, 0, 128)
#define DIALOG_BLUE makecol(0, 0, 180)
// One random line per this many pixels of the box's area.
static const int PIXELS_PER_LINE = 5;

// Scribbles random short lines over the box: new art on every redraw. Lines
// start inside the box but may reach up to `length` pixels out of it.
void scribble_box(BITMAP *bmp, int length, int left, int top, int right, int bottom)
{
    int colour = BUTTON_BLUE;
    if (length == DIALOG_SCRIBBLE) {
        colour = DIALOG_BLUE;
        length = BUTTON_SCRIBBLE;
    }
    int w = right - left;
    int h = bottom - top;
    int lines = w * h / PIXELS_PER_LINE;
    for (int i = 0; i < lines; i++) {
        // Four draws in this order, so the art follows from the seed.
        int sx = left + rand() % w;
        int sy = top + rand() % h;
        int ey = sy + rand() % (2 * length) - length;
        int ex = sx + rand() % (2 * length) - length;
        line(bmp, sx, sy, ex, ey, colour);
    }
}

// Copies one 300 x 30 caption out of the sheet and lays it, masked, over the
// button art already on menu_layer.
void draw_caption(int caption_y, int x, int y)
{
    blit(captions_sheet, caption_cell, 0, caption_y, 0, 0, CAPTION_W, CAPTION_H);
    draw_sprite(menu_layer, caption_cell, x, y);
}
