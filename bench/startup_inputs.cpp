// What the start-up figures take from the game's own code: where and in
// which colours the main menu shows the title, a settings file that asks for
// a mode; and the reference start that shows the same title with nothing of
// the game around it.
#include "bench.h"
#include "frontend.h"

#include <algorithm>

// Rows of the title read back from the game's window, spread over its height.
static const int MARKER_ROWS = 5;
// The reference start idles in steps of this long until it is ended.
static const int IDLE_MS = 100;
static const char TITLE_PICTURE[] = "talvoni.tga";
static const int GAME_TIMER_PERIOD_MS = 1;

// The layers' top-left corner on a w x h screen, by the game's own rule.
static void layer_corner(int w, int h, int &left, int &top)
{
    const int saved_w = settings.screen_w;
    const int saved_h = settings.screen_h;
    settings.screen_w = w;
    settings.screen_h = h;
    left = layer_left();
    top = layer_top();
    settings.screen_w = saved_w;
    settings.screen_h = saved_h;
}

// The smallest box holding every pixel of bmp that is not the mask colour.
static void opaque_box(BITMAP *bmp, int &left, int &top, int &bottom)
{
    left = bmp->w;
    top = bmp->h;
    bottom = -1;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if (getpixel(bmp, x, y) != MAGIC_PINK) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = y;
            }
}

static void add_title_row(std::vector<MarkerPixel> &marker, int y, int left, int top)
{
    for (int x = 0; x < LAYER_W; x++) {
        const int c = getpixel(menu_layer, x, y);
        if (c != MAGIC_PINK)
            marker.push_back(
                {left + x, top + y, (unsigned)(getr(c) << 16 | getg(c) << 8 | getb(c))});
    }
}

// draw_backdrop puts the title on menu_layer wherever the menu shows it; on a
// layer cleared to the mask colour, every other pixel is the title's. The
// picture's own opaque box, set against the layer's, gives its corner.
TitleOnScreen find_title(int w, int h)
{
    clear_to_color(menu_layer, MAGIC_PINK);
    draw_backdrop();
    int left, top, bottom, picture_left, picture_top, picture_bottom, layer_x, layer_y;
    opaque_box(menu_layer, left, top, bottom);
    opaque_box(title_sprite, picture_left, picture_top, picture_bottom);
    layer_corner(w, h, layer_x, layer_y);
    TitleOnScreen title = {layer_x + left - picture_left, layer_y + top - picture_top, {}};
    for (int r = 1; r <= MARKER_ROWS && bottom >= 0; r++)
        add_title_row(title.marker, top + (bottom - top) * r / (MARKER_ROWS + 1), layer_x, layer_y);
    return title;
}

// The default players' colours are repacked for the mode's depth, as the
// game itself would have saved them.
void write_settings_in(const std::string &dir, const BenchMode &m)
{
    apply_defaults();
    repack_player_colours(settings.color_depth, m.depth);
    settings.color_depth = m.depth;
    settings.screen_w = m.w;
    settings.screen_h = m.h;
    save_settings_to((dir + "/" + SETTINGS_FILE).c_str());
}

// A target no match of the benchmark reaches: rounds go on and on.
static const int UNREACHED_TARGET = 999;

void write_cpu_settings_in(const std::string &dir, const BenchMode &m, int card, bool animate)
{
    apply_defaults();
    repack_player_colours(settings.color_depth, m.depth);
    settings.color_depth = m.depth;
    settings.screen_w = m.w;
    settings.screen_h = m.h;
    settings.gfx_card = card;
    settings.animate_backdrop = animate;
    settings.target_score = UNREACHED_TARGET;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        players[i].key_left = KEY_A + 2 * i;
        players[i].key_right = KEY_B + 2 * i;
    }
    save_settings_to((dir + "/" + SETTINGS_FILE).c_str());
}

// Started the way the game starts, on the default card, with the game's
// 1 ms timer: idle after its title, it takes the processor the library's
// own threads take in the game.
int run_bare_start(const BenchMode &m, int x, int y)
{
    apply_defaults();
    if (allegro_init() != 0)
        return 1;
    install_keyboard();
    install_mouse();
    install_timer();
    install_int(timer_tick, GAME_TIMER_PERIOD_MS);
    if (!set_graphics_mode(settings.gfx_card, m.w, m.h, m.depth))
        return 1;
    BITMAP *title = load_bitmap(TITLE_PICTURE, nullptr);
    BITMAP *frame = create_bitmap(SCREEN_W, SCREEN_H);
    if (!title || !frame)
        return 1;
    clear_to_color(frame, 0);
    draw_sprite(frame, title, x, y);
    vsync();
    blit(frame, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
    for (;;)
        rest(IDLE_MS);
}
