// The players screen's three entries: typing a new name, assigning the two
// steering keys and picking a colour from the palette picture. Each is a
// begin step, a step per input, and a wait around them that runs menu
// frames. ESC, or the window's close button, puts the old value back.
#include "frontend.h"

#include <cstring>

// Characters, as the low byte of readkey() gives them.
static const int CHAR_BACKSPACE = 8;
static const int CHAR_ENTER = 13;
static const int CHAR_ESC = 27;
static const int FIRST_PRINTABLE = 32;
static const int LAST_PRINTABLE = 126;

// Stands for no key; a slot's keys read 0 only while they are being assigned.
static const int NO_KEY = 0;

// The palette picture's background, which is not a colour on offer.
#define PALETTE_GROUND makecol(0, 0, 184)

// The entry under way; each begin step sets what its entry needs.
static int entry_row;               // the slot being changed
static char saved_name[NAME_SIZE];  // its name before the rename
static int name_length;             // characters typed so far
static int saved_left, saved_right; // its keys before the assignment

// ---------------- rename

void begin_rename(int row)
{
    entry_row = row;
    clear_keybuf(); // the ENTER that made the click is not a typed character
    std::memcpy(saved_name, players[row].name, NAME_SIZE);
    std::memset(players[row].name, 0, NAME_SIZE);
    name_length = 0;
    draw_players_grid(row);
}

SlotEdit rename_char(int ch)
{
    char *name = players[entry_row].name;
    if (window_closed || ch == CHAR_ESC) {
        std::memcpy(name, saved_name, NAME_SIZE);
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_CANCELLED;
    }
    if (ch == CHAR_ENTER) {
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_DONE;
    }
    if (ch == CHAR_BACKSPACE && name_length > 0) {
        name[--name_length] = '\0';
    } else if (FIRST_PRINTABLE <= ch && ch <= LAST_PRINTABLE) {
        name[name_length++] = (char)ch;
        name[name_length] = '\0';
    } else {
        return SLOT_EDIT_GOES_ON; // ignored, such as the arrow keys' zero
    }
    // A full name ends the entry by itself.
    if (name_length == NAME_MAX_LEN) {
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_DONE;
    }
    draw_players_grid(entry_row);
    return SLOT_EDIT_GOES_ON;
}

// Runs menu frames until a key is waiting; a closed window reads as ESC.
static int wait_for_char()
{
    do
        menu_frame();
    while (!keypressed() && !window_closed);
    return window_closed ? CHAR_ESC : (readkey() & 0xFF);
}

void rename_player(int row)
{
    begin_settings_entry();
    begin_rename(row);
    SlotEdit edit;
    int ch;
    do {
        ch = wait_for_char();
        if (ch == CHAR_ESC)
            run_frames_while_escape_held();
        edit = rename_char(ch);
    } while (edit == SLOT_EDIT_GOES_ON);
    end_settings_entry();
    // ENTER's release, so that the screen's loop does not take it for a
    // click; no frames run meanwhile.
    if (edit == SLOT_EDIT_DONE && ch == CHAR_ENTER)
        while (key[KEY_ENTER] && !window_closed)
            rest(1);
}

// ---------------- keys

void begin_key_assignment(int row)
{
    Player &p = players[row];
    entry_row = row;
    clear_keybuf();
    saved_left = p.key_left;
    saved_right = p.key_right;
    p.key_left = p.key_right = NO_KEY;
    draw_players_grid(row);
}

// Any key the library has can steer, except the three that the menus and
// the match keep for themselves.
static bool assignable(int scancode)
{
    return scancode > NO_KEY && scancode < KEY_MAX && scancode != KEY_ESC && scancode != KEY_SPACE
        && scancode != KEY_ENTER;
}

SlotEdit assign_scancode(int scancode)
{
    Player &p = players[entry_row];
    if (window_closed || scancode == KEY_ESC) {
        p.key_left = saved_left;
        p.key_right = saved_right;
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_CANCELLED;
    }
    if (!assignable(scancode))
        return SLOT_EDIT_GOES_ON;
    if (p.key_left == NO_KEY) {
        p.key_left = scancode; // its release is not waited for
        draw_players_grid(entry_row);
        return SLOT_EDIT_GOES_ON;
    }
    if (scancode == p.key_left) // the first key still held, repeating
        return SLOT_EDIT_GOES_ON;
    p.key_right = scancode;
    draw_players_grid(GRID_NO_SELECTION);
    return SLOT_EDIT_DONE;
}

// The arrow keys are being assigned, so they must not move the pointer.
static int wait_for_scancode()
{
    do
        menu_frame_no_pointer_keys();
    while (!keypressed() && !window_closed);
    return window_closed ? KEY_ESC : (readkey() >> 8);
}

void assign_player_keys(int row)
{
    begin_settings_entry();
    begin_key_assignment(row);
    SlotEdit edit;
    int scancode;
    do {
        scancode = wait_for_scancode();
        if (scancode == KEY_ESC)
            run_frames_while_escape_held();
        edit = assign_scancode(scancode);
    } while (edit == SLOT_EDIT_GOES_ON);
    end_settings_entry();
    // The second key's release, so that it does not steer the menu.
    if (edit == SLOT_EDIT_DONE)
        while (key_down(scancode) && !window_closed)
            menu_frame_no_pointer_keys();
}

// ---------------- colour

void begin_colour_pick(int row)
{
    entry_row = row;
    clear_keybuf();
    draw_players_grid(row + GRID_PALETTE);
}

// The picture as drawn: centred on the layer and clipped to it.
static bool on_palette(int x, int y)
{
    int left = palette_left();
    int top = palette_top();
    return point_in_rect(x, y, left, top, left + palette_picture->w - 1,
                         top + palette_picture->h - 1)
        && point_in_rect(x, y, 0, 0, LAYER_W - 1, LAYER_H - 1);
}

// Black is the one colour a worm may run onto and pink is transparent; with
// the picture's background none of them is a colour on offer.
static bool pickable(int colour)
{
    return colour != 0 && colour != PALETTE_GROUND && colour != MAGIC_PINK;
}

SlotEdit pick_colour_at(int x, int y)
{
    if (window_closed || !on_palette(x, y)) {
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_CANCELLED;
    }
    int colour = getpixel(text_layer, x, y); // whatever lies on top there
    if (!pickable(colour))
        return SLOT_EDIT_GOES_ON;
    players[entry_row].colour = colour;
    draw_players_grid(GRID_NO_SELECTION);
    return SLOT_EDIT_DONE;
}

// A right or middle button ends the first wait but not the second, so it
// picks at its press.
void pick_player_colour(int row)
{
    begin_colour_pick(row);
    for (;;) {
        do
            menu_frame();
        while (!escape_pressed() && !key[KEY_ENTER] && !mouse_b);
        if (escape_pressed()) {
            run_frames_while_escape_held();
            draw_players_grid(GRID_NO_SELECTION);
            return;
        }
        while (confirm_held() && !window_closed)
            menu_frame();
        if (pick_colour_at(pointer_layer_x(), pointer_layer_y()) != SLOT_EDIT_GOES_ON)
            return;
    }
}
