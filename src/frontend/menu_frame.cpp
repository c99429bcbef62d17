// The menu frame shared by every screen: the scrolling backdrop, the logo,
// the title, the two layers and the pointer composed on back_buffer, shown
// once per vertical retrace; the arrow keys move the pointer; buttons act on
// the release of the left button or ENTER.
#include "frontend.h"

#include <cstring>

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

// What the menu picture on back_buffer was last composed from. A frame made
// of the same offset, pointer and layers is that very picture, and composing
// it again is skipped: a menu that stands still then costs next to nothing.
// Forgotten when anything else draws on back_buffer or makes it again.
static const int NOT_COMPOSED = -1;
static int composed_offset = NOT_COMPOSED; // backdrop_offset as it was tiled
static int composed_pointer_x = 0;
static int composed_pointer_y = 0;
static BITMAP *composed_menu_layer = nullptr; // copies of the two layers
static BITMAP *composed_text_layer = nullptr;
// The two layers as one, text_layer over menu_layer, pink where both are:
// made again only when a layer changes, so that a frame draws one masked
// layer rather than two.
static BITMAP *joined_layers = nullptr;

void forget_menu_picture()
{
    composed_offset = NOT_COMPOSED;
}

static bool same_layer(BITMAP *layer, BITMAP *copy)
{
    return copy && bitmap_color_depth(copy) == bitmap_color_depth(layer)
        && std::memcmp(copy->dat, layer->dat, (size_t)row_bytes(layer) * layer->h) == 0;
}

// A copy of the layer in `copy`, made again when the depth is new; false
// when it cannot be made.
static bool copy_layer(BITMAP *layer, BITMAP *&copy)
{
    if (!keep_bitmap(copy, bitmap_color_depth(layer), layer->w, layer->h))
        return false;
    blit(layer, copy, 0, 0, 0, 0, layer->w, layer->h);
    return true;
}

// The copies are taken only once the joined layers are made, so that layers
// equal to their copies always have their joined picture.
static bool join_layers()
{
    if (!copy_layer(menu_layer, joined_layers))
        return false;
    draw_sprite(joined_layers, text_layer, 0, 0);
    return copy_layer(menu_layer, composed_menu_layer)
        && copy_layer(text_layer, composed_text_layer);
}

void draw_backdrop()
{
    // The timer moves the offset: it is read once.
    const int offset = backdrop_offset;
    const int x = pointer_x();
    const int y = pointer_y();
    // Screens clear menu_layer when they redraw it, so the title goes back on
    // in every frame.
    draw_sprite(menu_layer, title_sprite, TITLE_CENTRE_X - title_sprite->w / 2,
                TITLE_CENTRE_Y - title_sprite->h / 2);
    const bool layers_changed = !same_layer(menu_layer, composed_menu_layer)
        || !same_layer(text_layer, composed_text_layer);
    const bool joined = !layers_changed || join_layers();
    if (!layers_changed && offset == composed_offset && x == composed_pointer_x
        && y == composed_pointer_y)
        return;
    tile_backdrop(back_buffer, offset);
    draw_sprite(back_buffer, logo_sprite, LOGO_MARGIN,
                settings.screen_h - LOGO_MARGIN - logo_sprite->h);
    if (joined) {
        draw_sprite(back_buffer, joined_layers, layer_left(), layer_top());
    } else {
        draw_sprite(back_buffer, menu_layer, layer_left(), layer_top());
        draw_sprite(back_buffer, text_layer, layer_left(), layer_top());
    }
    draw_sprite(back_buffer, pointer_sprite, x, y);
    composed_offset = joined ? offset : NOT_COMPOSED;
    composed_pointer_x = x;
    composed_pointer_y = y;
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
