// The players screen: the grid of the eight slots, where a click switches a
// slot on or off or starts typing its name, assigning its keys or picking
// its colour; ESC or the back button returns to the main menu.
#include "frontend.h"

// Nothing stops all eight slots from being off.
static void toggle_player(int row)
{
    players[row].off = players[row].off ? 0 : 1;
    draw_players_grid(GRID_NO_SELECTION);
}

bool players_screen_release(int x, int y)
{
    int layer_x = x - (settings.screen_w - LAYER_W) / 2;
    int layer_y = y - (settings.screen_h - LAYER_H) / 2;
    if (players_back_hit(layer_x, layer_y))
        return false;
    int code = players_grid_hit(layer_x, layer_y);
    if (code < 0)
        return true;
    int row = code / GRID_ROW_CODE;
    switch (code % GRID_ROW_CODE) {
    case GRID_ONOFF:
        toggle_player(row);
        break;
    case GRID_NAME:
        rename_player(row);
        break;
    case GRID_KEYS:
        if (row != MOUSE_PLAYER) // the mouse slot steers by its buttons
            assign_player_keys(row);
        break;
    case GRID_COLOUR:
        pick_player_colour(row);
        break;
    }
    return true;
}

// No pad, or no joystick driver at all, is no failure: the keys steer as ever.
void find_pads()
{
    remove_joystick();
    install_joystick(JOY_TYPE_AUTODETECT);
}

// Leaving draws nothing: the main menu redraws both layers. A pad plugged in
// since the last look is found on the way in.
void players_screen()
{
    find_pads();
    draw_players_screen();
    bool confirm_was_held = false; // a press held on entry acts at its release
    for (;;) {
        menu_frame();
        if (left_by_escape())
            return;
        if (confirm_released(confirm_was_held) && !players_screen_release(pointer_x(), pointer_y()))
            return;
    }
}
