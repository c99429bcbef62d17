// Text on screen: the game writes with the library's built-in 8x8 font, so
// the test renders the same text with the library (headless) and compares
// the glyph pixels with the screen.
#include "e2e.h"

#include <allegro.h>
#include <cerrno>

void start_headless_library()
{
    static bool started = false;
    if (started)
        return;
    set_uformat(U_ASCII); // must come before the library starts; the game uses ASCII too
    install_allegro(SYSTEM_NONE, &errno, atexit);
    started = true;
}

// The glyph mask of `text`: true where the font sets a pixel.
static std::vector<bool> glyph_mask(const std::string &text, int &w, int &h)
{
    start_headless_library();
    w = text_length(font, text.c_str());
    h = text_height(font);
    BITMAP *bmp = create_bitmap_ex(8, w > 0 ? w : 1, h);
    clear_to_color(bmp, 0);
    textout_ex(bmp, font, text.c_str(), 0, 0, 1, -1);
    std::vector<bool> mask((size_t)w * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            mask[(size_t)y * w + x] = getpixel(bmp, x, y) == 1;
    destroy_bitmap(bmp);
    return mask;
}

bool text_shown(const Image &img, const std::string &text, int x_centre, int y_top, uint32_t rgb,
                bool exact)
{
    int w = 0, h = 0;
    std::vector<bool> mask = glyph_mask(text, w, h);
    int left = x_centre - w / 2; // where the library's centred text starts
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            bool on_screen = img.at(left + x, y_top + y) == rgb;
            if (mask[(size_t)y * w + x] ? !on_screen : exact && on_screen)
                return false;
        }
    return true;
}

bool wait_for_text(const std::string &text, int x_centre, int y_top, uint32_t rgb, int timeout_ms,
                   bool exact)
{
    return wait_until(
        [&](const Image &img) { return text_shown(img, text, x_centre, y_top, rgb, exact); },
        timeout_ms);
}
