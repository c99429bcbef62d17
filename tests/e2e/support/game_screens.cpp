#include "game_screens.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

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

// ---------------------------------------------------------------- after a mode change

void set_game_depth(int depth)
{
    depth_of_game = depth;
}

// How long one look at a found area lasts before the area is looked for again.
static const std::chrono::milliseconds AREA_LOOK(2000), AREA_POLL(20);

bool wait_for_area_showing(int w, int h, const std::function<bool(const Image &)> &holds,
                           int timeout_ms)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
    auto left_ms = [&] {
        return (int)std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now())
            .count();
    };
    while (left_ms() > 0 && wait_for_game_area(w, h, left_ms())) {
        for (Clock::time_point look_end = Clock::now() + AREA_LOOK; Clock::now() < look_end;
             std::this_thread::sleep_for(AREA_POLL)) {
            Image img = grab_screen();
            if (img.w == w && img.h == h && holds(img))
                return true;
        }
    }
    return wait_until(holds, 1); // keeps the last screen for a look
}

// ---------------------------------------------------------------- options screen

// Where the values stand on the layers, text centred on x with its top at y.
struct LayerSpot {
    int x, y;
};
static const LayerSpot OPTION_VALUE_SPOTS[] = {
    {272, 161}, {567, 161}, {272, 241}, {567, 241}, {340, 325}, {340, 355}, {340, 385},
};
static const char *const CARD_NAMES[] = {"AUTODETECT", "FULLSCREEN", "WINDOWED"};
// The captions of the frame delay label and of the apply button.
static const int FRAME_DELAY_CAPTION = 150, APPLY_CAPTION = 360;
// A point inside the main menu's options button where the pointer, left
// there, covers none of the options screen's values.
static const LayerSpot MAIN_OPTIONS_BUTTON = {415, 335};
// The panel lines open the popups; this x is on each line's caption.
static const int PANEL_LINE_X = 120;
static const int PANEL_LINE_Y[] = {325, 355, 385}; // resolution, card, depth
// The popups' lines and columns, and a point inside each.
static const int LIST_CHOICE_X = 320, LIST_FIRST_CHOICE_Y = 220, LIST_LINE_H = 20;
static const int DEPTH_FIRST_CHOICE_X = 272, DEPTH_COLUMN_W = 32, DEPTH_CHOICE_Y = 240;
static const int OFFERED_DEPTHS[] = {15, 16, 24, 32};
static const int DEPTH_COUNT = sizeof OFFERED_DEPTHS / sizeof OFFERED_DEPTHS[0];
// The texts of each popup's first choice, which show it is open.
static const LayerSpot LIST_FIRST_TEXT = {320, 216}, DEPTH_FIRST_TEXT = {272, 236};
// The dialog's question and the middles of "ANO" and "NIE".
static const LayerSpot DIALOG_QUESTION = {320, 226}, YES_MIDDLE = {270, 250},
                       NO_MIDDLE = {370, 250};
static const LayerSpot MESSAGE_TEXT = {320, 236};

static uint32_t white()
{
    return game_colour(255, 255, 255);
}

static bool layer_text_shown(const Image &img, const std::string &text, LayerSpot at,
                             uint32_t rgb, bool exact = false)
{
    return text_shown(img, text, layer_to_game_x(at.x), layer_to_game_y(at.y), rgb, exact);
}

bool options_screen_shown(const Image &img)
{
    return title_shown(img) && caption_shown(img, FRAME_DELAY_CAPTION, 50, 150) &&
           caption_shown(img, APPLY_CAPTION, 450, 310);
}

bool open_options_screen()
{
    click_layer(MAIN_OPTIONS_BUTTON.x, MAIN_OPTIONS_BUTTON.y);
    return wait_until(options_screen_shown);
}

bool option_value_shown(const Image &img, int value, const std::string &text, bool yellow)
{
    uint32_t rgb = yellow ? game_colour(255, 255, 0) : white();
    return layer_text_shown(img, text, OPTION_VALUE_SPOTS[value - 1], rgb, true);
}

bool wait_for_option_value(int value, const std::string &text, bool yellow, int timeout_ms)
{
    return wait_until(
        [&](const Image &img) { return option_value_shown(img, value, text, yellow); },
        timeout_ms);
}

bool choose_in_popup(int value, int lx, int ly, const std::string &shown)
{
    bool depth = value == DEPTH_VALUE;
    click_layer(PANEL_LINE_X, PANEL_LINE_Y[value - RESOLUTION_VALUE]);
    std::string first = value == RESOLUTION_VALUE ? "640/480" : depth ? "15" : CARD_NAMES[0];
    LayerSpot at = depth ? DEPTH_FIRST_TEXT : LIST_FIRST_TEXT;
    if (!wait_until([&](const Image &img) { return layer_text_shown(img, first, at, white()); }))
        return false;
    click_layer(lx, ly);
    return wait_for_option_value(value, shown);
}

bool choose_resolution(int w, int h)
{
    int line = w == 640 ? 0 : w == 800 ? 1 : 2;
    return choose_in_popup(RESOLUTION_VALUE, LIST_CHOICE_X,
                           LIST_FIRST_CHOICE_Y + line * LIST_LINE_H,
                           std::to_string(w) + "/" + std::to_string(h));
}

bool choose_card(int card)
{
    return choose_in_popup(CARD_VALUE, LIST_CHOICE_X, LIST_FIRST_CHOICE_Y + card * LIST_LINE_H,
                           CARD_NAMES[card]);
}

bool choose_depth(int depth)
{
    int column = 0;
    while (column < DEPTH_COUNT - 1 && OFFERED_DEPTHS[column] != depth)
        column++;
    return choose_in_popup(DEPTH_VALUE, DEPTH_FIRST_CHOICE_X + column * DEPTH_COLUMN_W,
                           DEPTH_CHOICE_Y, std::to_string(depth));
}

std::string with_player_colours(const std::string &text, const std::vector<int> &colours)
{
    const int FIRST_NUMBERS_LINE = 5; // slot i's numbers stand on line 5 + 2i
    std::string out = text;
    for (size_t i = 0; i < colours.size(); i++) {
        int number = FIRST_NUMBERS_LINE + 2 * (int)i;
        std::string line = line_of(out, number);
        out = with_line(out, number, std::to_string(colours[i]) + line.substr(line.find(' ')));
    }
    return out;
}

bool mode_dialog_shown(const Image &img)
{
    return layer_text_shown(img, "Naozaj chcete zmenit graficky mod?", DIALOG_QUESTION, white());
}

bool answer_mode_dialog(bool yes)
{
    if (!wait_until(mode_dialog_shown))
        return false;
    LayerSpot button = yes ? YES_MIDDLE : NO_MIDDLE;
    click_layer(button.x, button.y);
    return true;
}

bool options_message_shown(const Image &img, const std::string &text)
{
    return layer_text_shown(img, text, MESSAGE_TEXT, white());
}

bool wait_for_options_message(const std::string &text, int timeout_ms)
{
    return wait_until([&](const Image &img) { return options_message_shown(img, text); },
                      timeout_ms);
}

bool wait_for_mode_change_message(int w, int h, const std::string &text, int timeout_ms)
{
    const int POINTER_REACH = 16, CHAR_H = 8; // the pointer sprite, a line of text
    return wait_for_area_showing(
        w, h,
        [&](const Image &img) {
            if (options_message_shown(img, text))
                return true;
            int x = 0, y = 0;
            int ly = find_pointer(img, x, y) ? y - layer_to_game_y(0) : -1000;
            if (ly > MESSAGE_TEXT.y - POINTER_REACH && ly < MESSAGE_TEXT.y + CHAR_H)
                mouse_move(layer_to_game_x(OPTIONS_CLEAR_X), layer_to_game_y(OPTIONS_CLEAR_Y));
            return false;
        },
        timeout_ms) && wait_for_game_area(w, h); // the new window, had the grab met it first
}

// ---------------------------------------------------------------- players screen

bool palette_shown(const Image &img)
{
    static const Picture palette = load_picture(TALVON_DATA_DIR "/paletka.tga");
    return picture_shown(img, palette, 0, 0, palette.w, palette.h, (640 - palette.w) / 2,
                         (480 - palette.h) / 2);
}

// ---------------------------------------------------------------- settings, colours, pictures

// Slot i's colour, keys and on/off switch stand on line 5 + 2i.
static int slot_numbers_line(int slot)
{
    return 5 + 2 * slot;
}

// `text` with the numbers of slot `slot` changed by `change`, which gets its
// colour, left key, right key and off switch.
static std::string with_slot_numbers(const std::string &text, int slot,
                                     const std::function<void(int &, int &, int &, int &)> &change)
{
    std::istringstream numbers(line_of(text, slot_numbers_line(slot)));
    int colour = 0, left = 0, right = 0, off = 0;
    numbers >> colour >> left >> right >> off;
    change(colour, left, right, off);
    std::ostringstream line;
    line << colour << ' ' << left << ' ' << right << ' ' << off;
    return with_line(text, slot_numbers_line(slot), line.str());
}

std::string with_players_on(const std::string &text, const std::vector<int> &on)
{
    const int SLOTS = 8;
    std::string out = text;
    for (int i = 0; i < SLOTS; i++) {
        bool is_on = std::find(on.begin(), on.end(), i) != on.end();
        out = with_slot_numbers(out, i, [&](int &, int &, int &, int &off) { off = !is_on; });
    }
    return out;
}

std::string with_player_colour(const std::string &text, int slot, int colour)
{
    return with_slot_numbers(text, slot, [&](int &c, int &, int &, int &) { c = colour; });
}

// Red lies in the high bits at every depth; 15 and 16 keep the top 5 bits of
// red and blue and the top 5 or 6 of green.
int pixel_value(int r, int g, int b, int depth)
{
    if (depth == 15)
        return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    if (depth == 16)
        return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    return r << 16 | g << 8 | b;
}

uint32_t pixel_value_on_screen(int value, int depth)
{
    const int FIVE_BITS = 31, SIX_BITS = 63;
    if (depth == 15)
        return screen_colour((value >> 10 & FIVE_BITS) << 3, (value >> 5 & FIVE_BITS) << 3,
                             (value & FIVE_BITS) << 3, 15);
    if (depth == 16)
        return screen_colour((value >> 11 & FIVE_BITS) << 3, (value >> 5 & SIX_BITS) << 2,
                             (value & FIVE_BITS) << 3, 16);
    return screen_colour(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF, depth);
}

bool picture_file_shown(const Image &img, const std::string &path, int sx, int sy, int w, int h,
                        int x, int y)
{
    Picture pic = load_picture(path.c_str());
    if (pic.w < sx + w || pic.h < sy + h)
        return false;
    return picture_shown(img, pic, sx, sy, w, h, x - layer_to_game_x(0), y - layer_to_game_y(0));
}

// ---------------------------------------------------------------- the pointer and the backdrop

// The pointer as the game draws it: a grey triangle with its tip in the
// top-left corner of a 16 x 16 sprite, corners (0, 0), (8, 16) and (16, 8).
static const int POINTER_SIZE = 16;

static std::vector<bool> pointer_mask()
{
    start_headless_library();
    BITMAP *bmp = create_bitmap_ex(8, POINTER_SIZE, POINTER_SIZE);
    clear_to_color(bmp, 0);
    triangle(bmp, 0, 0, POINTER_SIZE / 2, POINTER_SIZE, POINTER_SIZE, POINTER_SIZE / 2, 1);
    std::vector<bool> mask(POINTER_SIZE * POINTER_SIZE);
    for (int y = 0; y < POINTER_SIZE; y++)
        for (int x = 0; x < POINTER_SIZE; x++)
            mask[y * POINTER_SIZE + x] = getpixel(bmp, x, y) == 1;
    destroy_bitmap(bmp);
    return mask;
}

static uint32_t pointer_grey()
{
    return game_colour(198, 198, 198);
}

// Every pixel of the triangle that lies on the screen is grey; the screen's
// edges may cut off the rest.
bool pointer_shown_at(const Image &img, int x, int y)
{
    static const std::vector<bool> mask = pointer_mask();
    if (img.at(x, y) != pointer_grey())
        return false;
    for (int my = 0; my < POINTER_SIZE; my++)
        for (int mx = 0; mx < POINTER_SIZE; mx++) {
            uint32_t c = img.at(x + mx, y + my);
            if (mask[my * POINTER_SIZE + mx] && c != NO_PIXEL && c != pointer_grey())
                return false;
        }
    return true;
}

bool find_pointer(const Image &img, int &x, int &y)
{
    for (int py = 0; py < img.h; py++)
        for (int px = 0; px < img.w; px++)
            if (pointer_shown_at(img, px, py)) {
                x = px;
                y = py;
                return true;
            }
    return false;
}

static long clock_ms()
{
    using namespace std::chrono;
    return (long)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

static void pause_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The arrow keys by X keysym, in the order left, right, up, down.
static const char *const ARROW_KEYS[4] = {"Left", "Right", "Up", "Down"};

// Presses or releases the arrow keys so that exactly those in `want` are held.
static void hold_arrows(bool held[4], const bool want[4])
{
    for (int k = 0; k < 4; k++)
        if (held[k] != want[k]) {
            if (want[k])
                key_down(ARROW_KEYS[k]);
            else
                key_up(ARROW_KEYS[k]);
            held[k] = want[k];
        }
}

// A key held moves the pointer 3 pixels a frame: it is let go within half the
// tolerance, so that the frames the game runs before it sees the release
// still leave the pointer within it.
bool steer_pointer_by_keys(int x, int y, int near, int timeout_ms)
{
    const int SETTLE_MS = 100; // a few frames: the game has seen every release
    bool held[4] = {false, false, false, false};
    long end = clock_ms() + timeout_ms;
    bool arrived = false;
    while (!arrived && clock_ms() < end) {
        Image img = grab_screen();
        int px = 0, py = 0;
        if (!find_pointer(img, px, py)) {
            pause_ms(20);
            continue;
        }
        int dx = x - px, dy = y - py;
        int stop = held[0] || held[1] ? near / 2 : near; // on an axis being moved, aim closer
        int stop_y = held[2] || held[3] ? near / 2 : near;
        bool want[4] = {dx < -stop, dx > stop, dy < -stop_y, dy > stop_y};
        hold_arrows(held, want);
        if (!want[0] && !want[1] && !want[2] && !want[3]) {
            pause_ms(SETTLE_MS);
            Image after = grab_screen();
            arrived = find_pointer(after, px, py) && std::abs(x - px) <= near &&
                      std::abs(y - py) <= near;
        }
    }
    bool none[4] = {false, false, false, false};
    hold_arrows(held, none);
    if (!arrived)
        wait_until([](const Image &) { return false; }, 0); // keeps the last screen for a look
    return arrived;
}

// A column at the right edge, below the top: nothing but the backdrop stands
// there on the main menu at any size.
static std::vector<uint32_t> backdrop_column(const Image &img)
{
    const int ROWS = 40;
    std::vector<uint32_t> column;
    for (int y = 0; y < ROWS; y++)
        column.push_back(img.at(img.w - 2, y));
    return column;
}

bool wait_for_menu_frames(int frames, int timeout_ms)
{
    std::vector<uint32_t> seen = backdrop_column(grab_screen());
    for (int i = 0; i < frames; i++)
        if (!wait_until(
                [&](const Image &img) {
                    std::vector<uint32_t> now = backdrop_column(img);
                    if (now == seen)
                        return false;
                    seen = now;
                    return true;
                },
                timeout_ms))
            return false;
    return true;
}

// ---------------------------------------------------------------- texts

static bool text_char_shown(const Image &img, char c, int left, int y_top, uint32_t rgb)
{
    const int CHAR_W = 8;
    return text_shown(img, std::string(1, c), left + CHAR_W / 2, y_top, rgb, true);
}

std::string read_text(const Image &img, int x_centre, int y_top, int length, uint32_t rgb,
                      const std::string &alphabet)
{
    const int CHAR_W = 8;
    int left = x_centre - CHAR_W * length / 2;
    std::string text;
    for (int i = 0; i < length; i++) {
        char read = '?';
        for (char c : alphabet)
            if (text_char_shown(img, c, left + CHAR_W * i, y_top, rgb)) {
                read = c;
                break;
            }
        text += read;
    }
    return text;
}

// ---------------------------------------------------------------- the match

// What a fresh field leaves at (x, y) of a w x h screen: 'w' white, 'd' dark
// grey, 'g' grey, or 0 inside the field or the panel, where the worms and
// the texts go. The raised outer border is drawn last; the sunken borders of
// the field and of the panel each end with their dark left column. They stand
// 3 pixels in from the left and top edges but 2 from the right and bottom.
static char field_frame_pixel(int x, int y, int w, int h)
{
    const int PANEL_H = 60, INSET = 3;
    const int field_bottom = h - PANEL_H - INSET, panel_top = h - PANEL_H + INSET;
    if (x == 0)
        return 'w';
    if (x == w - 1)
        return 'd';
    if (y == 0)
        return 'w';
    if (y == h - 1)
        return 'd';
    bool in_columns = x >= INSET && x <= w - INSET;
    auto sunken = [&](int top, int bottom) -> char {
        if (x == INSET)
            return 'd';
        if (x == w - INSET)
            return 'w';
        if (y == top)
            return 'd';
        if (y == bottom)
            return 'w';
        return 0;
    };
    if (in_columns && y >= INSET && y <= field_bottom)
        return sunken(INSET, field_bottom);
    if (in_columns && y >= panel_top && y <= h - INSET)
        return sunken(panel_top, h - INSET);
    return 'g';
}

bool play_field_frame_shown(const Image &img)
{
    const uint32_t white = game_colour(255, 255, 255), dark = game_colour(64, 64, 64),
                   grey = game_colour(128, 128, 128);
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++) {
            char want = field_frame_pixel(x, y, img.w, img.h);
            uint32_t c = img.at(x, y);
            if ((want == 'w' && c != white) || (want == 'd' && c != dark) ||
                (want == 'g' && c != grey))
                return false;
        }
    return true;
}

void expect_quit_writing(const std::string &dir, const std::string &settings)
{
    EXPECT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), settings);
}

// ---------------------------------------------------------------- any screen size, long play

// Every channel within two levels of `want`: the library's X11 driver turns
// the pixels of a one-pixel-wide window into screen colours by another table.
static bool near_colour(uint32_t c, uint32_t want)
{
    const int SLACK = 2;
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = (int)(c >> shift & 0xFF) - (int)(want >> shift & 0xFF);
        if (d < -SLACK || d > SLACK)
            return false;
    }
    return true;
}

// Above the panel the field's right border is dark grey, but for the few
// rows where a worm's last segment ran into it; the menus show the backdrop
// there. A screen too low for that is told by its colours: no pure blue of
// the backdrop and the button art, and the dark grey somewhere.
bool match_shown(const Image &img)
{
    const int PANEL_H = 60, FEWEST_ROWS = 10, MOSTLY_PERCENT = 90;
    const uint32_t dark = game_colour(64, 64, 64);
    const int rows = img.h - PANEL_H - 1;
    if (rows >= FEWEST_ROWS) {
        int dark_rows = 0;
        for (int y = 1; y <= rows; y++)
            dark_rows += img.at(img.w - 1, y) == dark;
        return dark_rows * 100 >= rows * MOSTLY_PERCENT;
    }
    bool dark_seen = false;
    for (uint32_t c : img.rgb) {
        if (c != 0 && c <= 0xFF)
            return false;
        dark_seen = dark_seen || near_colour(c, dark);
    }
    return dark_seen;
}

// The match clock's cells, which change in every frame while a round runs.
static std::vector<uint32_t> clock_cells(const Image &img)
{
    const int CLOCK_RISE = 44, HALF_W = 40, CHAR_H = 8;
    std::vector<uint32_t> cells;
    for (int y = img.h - CLOCK_RISE; y < img.h - CLOCK_RISE + CHAR_H; y++)
        for (int x = img.w / 2 - HALF_W; x < img.w / 2 + HALF_W; x++)
            cells.push_back(img.at(x, y));
    return cells;
}

bool wait_for_round_end(int timeout_ms, const std::function<void()> &meanwhile)
{
    const int STILL_MS = 600;
    std::vector<uint32_t> last;
    long still_since = clock_ms();
    return wait_until(
        [&](const Image &img) {
            if (meanwhile)
                meanwhile();
            std::vector<uint32_t> cells = clock_cells(img);
            bool shown = match_shown(img);
            if (cells != last || !shown) {
                last = cells;
                still_since = clock_ms();
            }
            return shown && clock_ms() - still_since >= STILL_MS;
        },
        timeout_ms);
}
