#include "allegro_fixture.h"

#include <cerrno>
#include <sstream>

// The library's headless system driver lays pixels out as BGR; the game runs
// under X11, where red is in the high bits.
static void use_x11_pixel_layout()
{
    _rgb_r_shift_15 = 10; _rgb_g_shift_15 = 5; _rgb_b_shift_15 = 0;
    _rgb_r_shift_16 = 11; _rgb_g_shift_16 = 5; _rgb_b_shift_16 = 0;
    _rgb_r_shift_24 = 16; _rgb_g_shift_24 = 8; _rgb_b_shift_24 = 0;
    _rgb_r_shift_32 = 16; _rgb_g_shift_32 = 8; _rgb_b_shift_32 = 0;
}

void use_screen(int depth, int w, int h)
{
    set_color_depth(depth);
    if (back_buffer)
        destroy_bitmap(back_buffer);
    back_buffer = create_bitmap(w, h);
    clear_to_color(back_buffer, 0);
    settings.color_depth = depth;
    settings.screen_w = w;
    settings.screen_h = h;
}

void reset_state()
{
    std::memset(players, 0, sizeof players);
    std::memset(&settings, 0, sizeof settings);
    std::memset(&pending, 0, sizeof pending);
    tick_ms = 0;
    backdrop_offset = 0;
    window_closed = 0;
    apply_defaults();
    release_all_input();
    mouse_x = mouse_y = 0;
}

void release_all_input()
{
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
    mouse_b = 0;
}

Bitmap copy_of(BITMAP *bmp)
{
    Bitmap copy(create_bitmap(bmp->w, bmp->h), destroy_bitmap);
    blit(bmp, copy.get(), 0, 0, 0, 0, bmp->w, bmp->h);
    return copy;
}

Bitmap filled_like(BITMAP *bmp, int colour)
{
    Bitmap filled(create_bitmap(bmp->w, bmp->h), destroy_bitmap);
    clear_to_color(filled.get(), colour);
    return filled;
}

std::string pixel_map(BITMAP *bmp, int left, int top, int w, int h, int colour)
{
    std::string out;
    for (int y = top; y < top + h; y++) {
        for (int x = left; x < left + w; x++) {
            int c = getpixel(bmp, x, y);
            out += c == 0 ? '.' : c == colour ? '#' : '?';
        }
        out += '\n';
    }
    return out;
}

int count_pixels(BITMAP *bmp, int colour, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = top; y <= bottom; y++)
        for (int x = left; x <= right; x++)
            n += getpixel(bmp, x, y) == colour;
    return n;
}

::testing::AssertionResult same_pixels(BITMAP *expected, BITMAP *actual)
{
    std::ostringstream first;
    int differences = 0;
    for (int y = 0; y < expected->h; y++)
        for (int x = 0; x < expected->w; x++) {
            const int want = getpixel(expected, x, y);
            const int got = getpixel(actual, x, y);
            if (want != got && ++differences <= 5)
                first << " (" << x << ", " << y << "): want " << std::hex << want
                      << " got " << got << std::dec << ';';
        }
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ:" << first.str();
}

int main(int argc, char **argv)
{
    set_uformat(U_ASCII);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    use_x11_pixel_layout();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
