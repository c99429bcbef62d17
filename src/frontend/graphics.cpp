// The ten bitmaps every screen and the match draw with: four pictures from
// the working directory, the captions in the language in force, and six work
// bitmaps made for the mode on screen.
#include "frontend.h"

#include <cstdio>

BITMAP *menu_layer = nullptr;
BITMAP *text_layer = nullptr;
BITMAP *pointer_sprite = nullptr;
BITMAP *caption_cell = nullptr;
BITMAP *gradient_strip = nullptr;
BITMAP *logo_sprite = nullptr;
BITMAP *title_sprite = nullptr;
BITMAP *captions_sheet = nullptr;
BITMAP *palette_picture = nullptr;

// Light grey of the pointer's triangle.
#define POINTER_GREY makecol(198, 198, 198)

// The gradient is a triangle wave of blue over the anti-diagonals x + y,
// rising 0..255 and falling back to 1 within 511 diagonals.
static const int WAVE_PERIOD = 511;
static const int WAVE_PEAK = 255;

// Loads a picture as "<name>.tga", else as "<name>.bmp"; NULL if neither loads.
static BITMAP *load_picture(const char *name)
{
    char path[64];
    snprintf(path, sizeof path, "%s.tga", name);
    BITMAP *bmp = load_bitmap(path, nullptr);
    if (!bmp) {
        snprintf(path, sizeof path, "%s.bmp", name);
        bmp = load_bitmap(path, nullptr);
    }
    return bmp;
}

// The language's captions; a missing translation never fails a start, the
// game's own captions stand in for it.
static BITMAP *load_captions()
{
    BITMAP *bmp = load_picture(words->captions);
    return bmp ? bmp : load_picture(SLOVAK.captions);
}

// The tip of the pointer is its top-left corner; the triangle's other two
// corners lie just outside the bitmap and are clipped.
void draw_pointer_sprite(BITMAP *bmp)
{
    clear_to_color(bmp, MAGIC_PINK);
    triangle(bmp, 0, 0, POINTER_SIZE / 2, POINTER_SIZE, POINTER_SIZE, POINTER_SIZE / 2,
             POINTER_GREY);
}

void draw_gradient_strip(BITMAP *bmp)
{
    for (int i = 0; i < bmp->h + STRIP_W; i++) {
        int r = i % WAVE_PERIOD;
        int v = r <= WAVE_PEAK ? r : WAVE_PERIOD - r;
        line(bmp, i, 0, 0, i, makecol(0, 0, v));
    }
}

int load_graphics()
{
    if (!(logo_sprite = load_picture("kelogo")))
        return 1;
    if (!(title_sprite = load_picture("talvoni")))
        return 1;
    if (!(captions_sheet = load_captions()))
        return 1;
    if (!(palette_picture = load_picture("paletka")))
        return 1;
    back_buffer = create_bitmap(game_screen_w(), game_screen_h());
    menu_layer = create_bitmap(LAYER_W, LAYER_H);
    pointer_sprite = create_bitmap(POINTER_SIZE, POINTER_SIZE);
    caption_cell = create_bitmap(CAPTION_W, CAPTION_H);
    gradient_strip = create_bitmap(STRIP_W, game_screen_h());
    text_layer = create_bitmap(LAYER_W, LAYER_H);
    // Without any one of them there is nothing sane to draw on: the caller
    // treats it like a missing picture.
    if (!back_buffer || !menu_layer || !pointer_sprite || !caption_cell || !gradient_strip
        || !text_layer)
        return 1;
    draw_pointer_sprite(pointer_sprite);
    draw_gradient_strip(gradient_strip);
    return 0;
}

// Destroys a bitmap, if there is one, and forgets it.
static void drop(BITMAP *&bmp)
{
    if (bmp)
        destroy_bitmap(bmp);
    bmp = nullptr;
}

void destroy_graphics()
{
    forget_menu_picture();
    drop(back_buffer);
    drop(menu_layer);
    drop(pointer_sprite);
    drop(caption_cell);
    drop(text_layer);
    drop(gradient_strip);
    drop(logo_sprite);
    drop(title_sprite);
    drop(captions_sheet);
    drop(palette_picture);
}
