// The menu frame shared by every screen: the scrolling backdrop, the logo,
// the title, the two layers and the pointer composed on back_buffer, shown
// once per vertical retrace; the arrow keys move the pointer; buttons act on
// the release of the left button or ENTER.
#include "frontend.h"

// Where the logo and the title stand.
static const int LOGO_MARGIN = 10;     // from the left and bottom edges of the screen
static const int TITLE_CENTRE_X = 320; // on menu_layer
static const int TITLE_CENTRE_Y = 70;

int layer_left()
{
    return settings.screen_w / 2 - LAYER_W / 2;
}

int layer_top()
{
    return settings.screen_h / 2 - LAYER_H / 2;
}

int pointer_layer_x()
{
    return pointer_x() - (settings.screen_w - LAYER_W) / 2;
}

int pointer_layer_y()
{
    return pointer_y() - (settings.screen_h - LAYER_H) / 2;
}

// Every column x of bmp shows strip column (x + offset) mod 510, so the
// gradient scrolls left as the offset grows, whatever the offset and width.
void tile_backdrop(BITMAP *bmp, int offset)
{
    int o = (offset % STRIP_W + STRIP_W) % STRIP_W;
    for (int x = 0; x < bmp->w;) {
        int column = (x + o) % STRIP_W;
        int width = STRIP_W - column;
        blit(gradient_strip, bmp, column, 0, x, 0, width, bmp->h);
        x += width;
    }
}

void draw_backdrop()
{
    tile_backdrop(back_buffer, backdrop_offset);
    draw_sprite(back_buffer, logo_sprite, LOGO_MARGIN,
                settings.screen_h - LOGO_MARGIN - logo_sprite->h);
    // Screens clear menu_layer when they redraw it, so the title goes back on
    // in every frame.
    draw_sprite(menu_layer, title_sprite, TITLE_CENTRE_X - title_sprite->w / 2,
                TITLE_CENTRE_Y - title_sprite->h / 2);
    draw_sprite(back_buffer, menu_layer, layer_left(), layer_top());
    draw_sprite(back_buffer, text_layer, layer_left(), layer_top());
    draw_sprite(back_buffer, pointer_sprite, pointer_x(), pointer_y());
}

void menu_frame_no_pointer_keys()
{
    draw_backdrop();
    vsync();
    present();
    backdrop_offset = backdrop_offset % STRIP_W;
}

void menu_frame()
{
    menu_frame_no_pointer_keys();
    move_pointer_by_keys();
}

// One arrow key's move along an axis of `limit` pixels: a move that would
// leave the screen is not made at all, so the pointer may stop short of the
// edge by up to a step less one. Sums are 64-bit: a hand-edited step may be
// any int.
static int moved(int from, long long by, int limit)
{
    long long to = from + by;
    return to >= 0 && to < limit ? (int)to : from;
}

void pointer_after_keys(int &x, int &y)
{
    long long step = settings.pointer_step;
    if (key[KEY_UP])
        y = moved(y, -step, settings.screen_h);
    if (key[KEY_DOWN])
        y = moved(y, step, settings.screen_h);
    if (key[KEY_LEFT])
        x = moved(x, -step, settings.screen_w);
    if (key[KEY_RIGHT])
        x = moved(x, step, settings.screen_w);
}

void move_pointer_by_keys()
{
    const int old_x = pointer_x();
    const int old_y = pointer_y();
    int x = old_x;
    int y = old_y;
    pointer_after_keys(x, y);
    if (x != old_x || y != old_y)
        place_pointer(x, y);
}

// A closed window counts as the key already released.
void run_frames_while_held(int scancode)
{
    while (key[scancode] && !window_closed)
        menu_frame();
}

void run_frames_while_escape_held()
{
    run_frames_while_held(KEY_ESC);
}

bool left_by_escape()
{
    if (window_closed)
        return true;
    if (!(keypressed() && key[KEY_ESC]))
        return false;
    run_frames_while_escape_held();
    return true;
}

bool confirm_held()
{
    return (mouse_b & 1) || key[KEY_ENTER];
}

// A press never acts; the release does, at the pointer's position then.
bool confirm_released(bool &was_held)
{
    bool held = confirm_held();
    if (held == was_held)
        return false;
    was_held = held;
    return !held;
}
