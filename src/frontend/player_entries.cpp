// The players screen's three entries: typing a new name, assigning the two
// steering controls (keys or pad controls) and picking a colour from the
// palette picture. Each is a begin step, a step per input, and a wait around
// them that runs menu frames. ESC, or the window's close button, puts the old
// value back.
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
static int entry_row;                       // the slot being changed
static char saved_name[NAME_SIZE];          // its name before the rename
static int name_length;                     // characters typed so far
static int saved_left, saved_right;         // its keys before the assignment
static int saved_pad_left, saved_pad_right; // and its pad controls

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

// ---------------- keys and pad controls

// Pad controls held at the last look, and those held when the assignment
// began and not taken in it: a button until it has been let go; a stick
// direction for the whole assignment, since an analogue trigger rests at one
// end of its axis and comes back to it whenever it is let go.
static bool pad_was_held[PAD_CONTROL_COUNT];
static bool pad_held_at_start[PAD_CONTROL_COUNT];
// Sides taken so far: 0, or 1 once the left has been.
static int sides_taken;

void begin_key_assignment(int row)
{
    Player &p = players[row];
    entry_row = row;
    clear_keybuf();
    saved_left = p.key_left;
    saved_right = p.key_right;
    saved_pad_left = p.pad_left;
    saved_pad_right = p.pad_right;
    p.key_left = p.key_right = NO_KEY;
    p.pad_left = p.pad_right = NO_CONTROL;
    sides_taken = 0;
    poll_joystick();
    for (int i = 0; i < PAD_CONTROL_COUNT; i++)
        pad_was_held[i] = pad_held_at_start[i] = control_held(PAD_CONTROL_FIRST + i);
    draw_players_grid(row);
}

// One press a look: a second one pressed with it counts at the next look.
int pad_control_pressed()
{
    int pressed = NO_CONTROL;
    for (int i = 0; i < PAD_CONTROL_COUNT; i++) {
        const bool held = control_held(PAD_CONTROL_FIRST + i);
        if (!held && i % PAD_PARTS < PAD_BUTTONS)
            pad_held_at_start[i] = false;
        const bool press = held && !pad_was_held[i] && !pad_held_at_start[i];
        if (press && pressed != NO_CONTROL)
            continue;
        if (press)
            pressed = PAD_CONTROL_FIRST + i;
        pad_was_held[i] = held;
    }
    return pressed;
}

// Any key the library has can steer, except the three that the menus and
// the match keep for themselves; and any pad control.
static bool assignable(int control)
{
    if (control >= PAD_CONTROL_FIRST)
        return control < PAD_CONTROL_FIRST + PAD_CONTROL_COUNT;
    return control > NO_KEY && control < KEY_MAX && control != KEY_ESC && control != KEY_SPACE
        && control != KEY_ENTER;
}

// A side given a pad control keeps the key it had: the settings file, which
// holds keys only, still names it, and it steers again should the pad's
// binding be lost.
static void take_control(int &key, int &pad, int saved_key, int control)
{
    const bool by_pad = control >= PAD_CONTROL_FIRST;
    key = by_pad ? saved_key : control;
    pad = by_pad ? control : NO_CONTROL;
}

SlotEdit assign_control(int control)
{
    Player &p = players[entry_row];
    if (window_closed || control == KEY_ESC) {
        p.key_left = saved_left;
        p.key_right = saved_right;
        p.pad_left = saved_pad_left;
        p.pad_right = saved_pad_right;
        draw_players_grid(GRID_NO_SELECTION);
        return SLOT_EDIT_CANCELLED;
    }
    if (!assignable(control))
        return SLOT_EDIT_GOES_ON;
    if (sides_taken == 0) {
        take_control(p.key_left, p.pad_left, saved_left, control); // its release is not waited for
        sides_taken = 1;
        draw_players_grid(entry_row);
        return SLOT_EDIT_GOES_ON;
    }
    if (control == left_control(entry_row)) // the first still held, repeating
        return SLOT_EDIT_GOES_ON;
    take_control(p.key_right, p.pad_right, saved_right, control);
    draw_players_grid(GRID_NO_SELECTION);
    return SLOT_EDIT_DONE;
}

// The next key typed or pad control pressed; a closed window reads as ESC.
// The arrow keys are being assigned, so they must not move the pointer.
static int wait_for_control()
{
    for (;;) {
        menu_frame_no_pointer_keys();
        if (window_closed)
            return KEY_ESC;
        if (keypressed())
            return readkey() >> 8;
        poll_joystick();
        const int pressed = pad_control_pressed();
        if (pressed != NO_CONTROL)
            return pressed;
    }
}

void assign_player_keys(int row)
{
    begin_settings_entry();
    begin_key_assignment(row);
    SlotEdit edit;
    int control;
    do {
        control = wait_for_control();
        if (control == KEY_ESC)
            run_frames_while_escape_held();
        edit = assign_control(control);
    } while (edit == SLOT_EDIT_GOES_ON);
    end_settings_entry();
    // The second control's release, so that a key does not steer the menu.
    while (edit == SLOT_EDIT_DONE && control_held(control) && !window_closed) {
        menu_frame_no_pointer_keys();
        poll_joystick();
    }
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
