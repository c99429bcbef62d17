#include "game_screens.h"

#include <allegro.h>

#include <sstream>

const char DEFAULT_SETTINGS_TEXT[] =
    "1 3\n"
    "16 0 640 480\n"
    "1 50 25 74523 0.150000\n"
    "CERVENY\n" "63488 82 83 0\n"
    "BELASY\n" "2047 26 24 0\n"
    "ZELENY\n" "2016 14 13 1\n"
    "ZLTY\n" "65504 39 40 0\n"
    "FIALOVY\n" "63583 17 1 0\n"
    "MODRY\n" "31 89 88 1\n"
    "ORANZOVY\n" "64521 73 74 0\n"
    "RUZOVY\n" "64528 0 0 0\n"
    "12569\n";

static std::vector<std::string> lines_of(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string with_line(const std::string &text, int number, const std::string &line)
{
    std::vector<std::string> lines = lines_of(text);
    lines.at(number - 1) = line;
    std::string out;
    for (const std::string &l : lines)
        out += l + "\n";
    return out;
}

std::string line_of(const std::string &text, int number)
{
    std::vector<std::string> lines = lines_of(text);
    return number >= 1 && number <= (int)lines.size() ? lines[number - 1] : "";
}

std::string settings_in_mode(int card, int w, int h, int depth)
{
    std::ostringstream mode;
    mode << depth << ' ' << card << ' ' << w << ' ' << h;
    return with_line(DEFAULT_SETTINGS_TEXT, 2, mode.str());
}

static int depth_of_game = 16;

int game_depth()
{
    return depth_of_game;
}

uint32_t game_colour(int r, int g, int b)
{
    return screen_colour(r, g, b, depth_of_game);
}

// A picture as the game loads it, in 0xRRGGBB before any depth conversion;
// pink pixels are transparent.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
};

static Picture load_picture(const char *path)
{
    Picture pic;
    start_headless_library();
    set_color_depth(24);
    BITMAP *bmp = load_bitmap(path, nullptr);
    if (!bmp)
        return pic;
    pic.w = bmp->w;
    pic.h = bmp->h;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y);
            pic.rgb.push_back((uint32_t)(getr24(c) << 16 | getg24(c) << 8 | getb24(c)));
        }
    destroy_bitmap(bmp);
    return pic;
}

static const uint32_t PINK = 0xFF00FF;
// Sampling every other pixel, the 16 x 16 pointer may cover this many.
static const int POINTER_COVERS = 8 * 8;

// Nearly every opaque pixel of the part (sx, sy, w, h) of the picture stands
// at layer point (lx, ly): only the pointer may cover a few.
static bool picture_shown(const Image &img, const Picture &pic, int sx, int sy, int w, int h,
                          int lx, int ly)
{
    int opaque = 0, matching = 0;
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2) {
            uint32_t c = pic.rgb.at((size_t)(sy + y) * pic.w + sx + x);
            if (c == PINK)
                continue;
            opaque++;
            uint32_t want = screen_colour(c >> 16, (c >> 8) & 0xFF, c & 0xFF, depth_of_game);
            matching += img.at(layer_to_game_x(lx + x), layer_to_game_y(ly + y)) == want;
        }
    return opaque > 0 && matching >= opaque - POINTER_COVERS;
}

bool title_shown(const Image &img)
{
    static const Picture title = load_picture(TALVON_DATA_DIR "/talvoni.tga");
    const int CENTRE_X = 320, CENTRE_Y = 70; // on the layers
    return picture_shown(img, title, 0, 0, title.w, title.h, CENTRE_X - title.w / 2,
                         CENTRE_Y - title.h / 2);
}

bool caption_shown(const Image &img, int caption_y, int lx, int ly)
{
    static const Picture sheet = load_picture(TALVON_DATA_DIR "/napisy.tga");
    const int CAPTION_W = 300, CAPTION_H = 30;
    return picture_shown(img, sheet, 0, caption_y, CAPTION_W, CAPTION_H, lx, ly);
}

// The start and quit buttons' captions, where the main menu draws them.
static bool main_menu_shown(const Image &img)
{
    return title_shown(img) && caption_shown(img, 0, 240, 150) && caption_shown(img, 90, 240, 390);
}

bool wait_for_main_menu(int timeout_ms)
{
    return wait_until(main_menu_shown, timeout_ms);
}

bool start_at_main_menu(const std::string &dir, int w, int h, int depth,
                        const std::vector<std::string> &env)
{
    depth_of_game = depth;
    return start_game(dir, env) > 0 && wait_for_game_area(w, h) && wait_for_main_menu();
}

int layer_to_game_x(int lx)
{
    return (game_area().w - 640) / 2 + lx;
}

int layer_to_game_y(int ly)
{
    return (game_area().h - 480) / 2 + ly;
}

void click_layer(int lx, int ly)
{
    click_at(layer_to_game_x(lx), layer_to_game_y(ly));
}

void enter_at_layer(int lx, int ly)
{
    mouse_move(layer_to_game_x(lx), layer_to_game_y(ly));
    key_tap("Return");
}

bool quit_from_main_menu()
{
    key_tap("Escape");
    GameExit end = wait_for_exit();
    return end.ended && end.code == 0;
}
