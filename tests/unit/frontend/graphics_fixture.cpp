#include "graphics_fixture.h"

int caption_colour(int caption_y)
{
    return makecol(40 + caption_y / 2, 200, 90);
}

static BITMAP *solid_picture(int w, int h, int colour)
{
    BITMAP *bmp = create_bitmap(w, h);
    clear_to_color(bmp, colour);
    putpixel(bmp, 0, 0, MAGIC_PINK); // a transparent corner
    return bmp;
}

static BITMAP *captions_picture()
{
    BITMAP *bmp = create_bitmap(CAPTION_W, 13 * CAPTION_H);
    for (int y = 0; y < bmp->h; y += CAPTION_H) {
        rectfill(bmp, 0, y, CAPTION_W - 1, y + CAPTION_H - 2, caption_colour(y));
        hline(bmp, 0, y + CAPTION_H - 1, CAPTION_W - 1, MAGIC_PINK);
    }
    return bmp;
}

void make_test_graphics(int depth, int w, int h)
{
    destroy_graphics(); // those of an earlier size or depth
    use_screen(depth, w, h); // back_buffer
    logo_sprite = solid_picture(TEST_LOGO_W, TEST_LOGO_H, makecol(250, 250, 0));
    title_sprite = solid_picture(TEST_TITLE_W, TEST_TITLE_H, makecol(0, 250, 250));
    captions_sheet = captions_picture();
    palette_picture = solid_picture(TEST_PALETTE_W, TEST_PALETTE_H, makecol(200, 30, 30));
    menu_layer = create_bitmap(LAYER_W, LAYER_H);
    text_layer = create_bitmap(LAYER_W, LAYER_H);
    clear_to_color(menu_layer, MAGIC_PINK);
    clear_to_color(text_layer, MAGIC_PINK);
    pointer_sprite = create_bitmap(POINTER_SIZE, POINTER_SIZE);
    draw_pointer_sprite(pointer_sprite);
    caption_cell = create_bitmap(CAPTION_W, CAPTION_H);
    gradient_strip = create_bitmap(STRIP_W, h);
    draw_gradient_strip(gradient_strip);
}
