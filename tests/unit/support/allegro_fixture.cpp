#include "allegro_fixture.h"

#include <cerrno>
#include <cstring>

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

int main(int argc, char **argv)
{
    set_uformat(U_ASCII);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    use_x11_pixel_layout();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
