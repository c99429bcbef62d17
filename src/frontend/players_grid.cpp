// The players screen's layout: the grid of eight slots by four columns (on or
// off, name, keys, colour), the back button, the palette picture, and the hit
// tests against them. All boxes are in layer coordinates.
#include "frontend.h"

#include <string>

// One tall box per column behind all eight rows; each column's texts and
// swatches are centred in its box.
struct GridColumn {
    int left, right;
};
static const GridColumn COLUMNS[] = {
    {115, 145}, // GRID_ONOFF
    {170, 294}, // GRID_NAME
    {320, 440}, // GRID_KEYS
    {465, 525}, // GRID_COLOUR
};
static const int COLUMN_COUNT = sizeof COLUMNS / sizeof COLUMNS[0];
static const int GRID_TOP = 130;
static const int GRID_BOTTOM = 370;

// Row r's texts have their top at 140 + 30 r; its swatch is centred 4 pixels
// lower, 10 pixels wide either way and 5 high.
static const int FIRST_TEXT_TOP = 140;
static const int ROW_PITCH = 30;
static const int SWATCH_DROP = 4;
static const int SWATCH_RX = 10;
static const int SWATCH_RY = 5;
// A row takes clicks from 4 pixels above its text's top to 12 below it: a
// band of 17 pixels, with 13 between bands that hit nothing.
static const int BAND_ABOVE = 4;
static const int BAND_BELOW = 12;

static const int BACK_LEFT = 405;
static const int BACK_TOP = 415;
static const int BACK_RIGHT = 545;
static const int BACK_BOTTOM = 445;

static const char MOUSE_KEYS_TEXT[] = "MOUSE BUTTONS";
// A pair of controls on two lines stands 4 pixels higher and 5 lower than a
// row's text: within the row's click band, with a pixel between the lines.
static const int TWO_LINES_RISE = 4;
static const int TWO_LINES_DROP = 5;

// A slot being edited is listed in white. A slot in the button art's own
// blue would vanish against the art, so it is listed brighter; a slot that is
// switched off is listed dark, whatever its colour.
#define SELECTED_WHITE makecol(255, 255, 255)
#define BUTTON_ART_BLUE makecol(0, 0, 128)
#define LIFTED_BLUE makecol(0, 0, 192)
#define SWITCHED_OFF_BLUE makecol(0, 0, 64)

static int text_top(int row)
{
    return FIRST_TEXT_TOP + ROW_PITCH * row;
}

static int column_centre(int column)
{
    const GridColumn &c = COLUMNS[column - GRID_ONOFF];
    return (c.left + c.right) / 2;
}

int palette_left()
{
    return (LAYER_W - palette_picture->w) / 2;
}

int palette_top()
{
    return (LAYER_H - palette_picture->h) / 2;
}

void draw_players_screen()
{
    clear_to_color(menu_layer, MAGIC_PINK);
    for (const GridColumn &c : COLUMNS)
        scribble_box(menu_layer, BUTTON_SCRIBBLE, c.left, GRID_TOP, c.right, GRID_BOTTOM);
    scribble_box(menu_layer, BUTTON_SCRIBBLE, BACK_LEFT, BACK_TOP, BACK_RIGHT, BACK_BOTTOM);
    draw_caption(CAPTION_BACK, BACK_LEFT, BACK_TOP);
    draw_players_grid(GRID_NO_SELECTION);
}

static int row_colour(int row, int selection)
{
    const Player &p = players[row];
    if (selection == row || selection == row + GRID_PALETTE)
        return SELECTED_WHITE;
    if (!p.off && p.colour == BUTTON_ART_BLUE)
        return LIFTED_BLUE;
    if (p.off)
        return SWITCHED_OFF_BLUE;
    return p.colour;
}

// A side's name: its pad control where one is bound, else its key.
static std::string side_name(int key, int pad)
{
    return pad != NO_CONTROL ? control_name(pad) : key_name(key);
}

// The keys cell: "LEFT/RIGHT". A pair with a pad control that would be wider
// than the cell stands on two lines, left above right, so that it never runs
// into the next column; every name but the pair fits the cell.
static void draw_controls(BITMAP *bmp, const Player &p, int y, int colour)
{
    const std::string left = side_name(p.key_left, p.pad_left) + "/";
    const std::string right = side_name(p.key_right, p.pad_right);
    const GridColumn &cell = COLUMNS[GRID_KEYS - GRID_ONOFF];
    const bool pads = p.pad_left != NO_CONTROL || p.pad_right != NO_CONTROL;
    const int x = column_centre(GRID_KEYS);
    if (!pads || text_length(font, (left + right).c_str()) <= cell.right - cell.left) {
        textout_centre_ex(bmp, font, (left + right).c_str(), x, y, colour, MENU_TEXT_BG);
        return;
    }
    textout_centre_ex(bmp, font, left.c_str(), x, y - TWO_LINES_RISE, colour, MENU_TEXT_BG);
    textout_centre_ex(bmp, font, right.c_str(), x, y + TWO_LINES_DROP, colour, MENU_TEXT_BG);
}

// Every item of a row is drawn in the row's colour, the swatch included.
static void draw_grid_row(BITMAP *bmp, int row, int colour)
{
    const Player &p = players[row];
    int y = text_top(row);
    textprintf_centre_ex(bmp, font, column_centre(GRID_ONOFF), y, colour, MENU_TEXT_BG, "%s",
                         p.off ? "OFF" : "ON");
    textprintf_centre_ex(bmp, font, column_centre(GRID_NAME), y, colour, MENU_TEXT_BG, "%s",
                         p.name);
    if (row == MOUSE_PLAYER)
        textprintf_centre_ex(bmp, font, column_centre(GRID_KEYS), y, colour, MENU_TEXT_BG, "%s",
                             MOUSE_KEYS_TEXT);
    else
        draw_controls(bmp, p, y, colour);
    ellipsefill(bmp, column_centre(GRID_COLOUR), y + SWATCH_DROP, SWATCH_RX, SWATCH_RY, colour);
}

void draw_players_grid(int selection)
{
    clear_to_color(text_layer, MAGIC_PINK);
    for (int row = 0; row < PLAYER_COUNT; row++)
        draw_grid_row(text_layer, row, row_colour(row, selection));
    // The picture lies over the rows: a pick takes the pixel on top, so every
    // colour of the picture can be picked wherever it overlaps the grid.
    if (selection >= GRID_PALETTE)
        draw_sprite(text_layer, palette_picture, palette_left(), palette_top());
}

static int grid_row_at(int y)
{
    for (int row = 0; row < PLAYER_COUNT; row++)
        if (text_top(row) - BAND_ABOVE <= y && y <= text_top(row) + BAND_BELOW)
            return row;
    return -1;
}

// Column bounds are strict: a box's own edge hits nothing.
static int grid_column_at(int x)
{
    for (int i = 0; i < COLUMN_COUNT; i++)
        if (COLUMNS[i].left < x && x < COLUMNS[i].right)
            return GRID_ONOFF + i;
    return -1;
}

int players_grid_hit(int x, int y)
{
    if (!point_in_rect(x, y, COLUMNS[0].left, GRID_TOP, COLUMNS[COLUMN_COUNT - 1].right,
                       GRID_BOTTOM))
        return -1;
    int row = grid_row_at(y);
    int column = grid_column_at(x);
    if (row < 0 || column < 0)
        return -1;
    return row * GRID_ROW_CODE + column;
}

bool players_back_hit(int x, int y)
{
    return point_in_rect(x, y, BACK_LEFT, BACK_TOP, BACK_RIGHT, BACK_BOTTOM);
}
