// The pads file: which pad controls turn the worms of slots 1 to 7, by the names the players
// screen shows, one line a side:
//
//   [pads]
//   slot2_left = PAD1 B1
//   slot2_right = PAD1 B2
//
// The settings file holds scancodes only, so it keeps every slot's keys; a side named here
// turns by its pad control instead.
#include "state.h"

#include <cctype>

const char PADS_FILE[] = "talvon-pads.cfg";

static const char PADS_SECTION[] = "pads";
static const char *const SIDE_NAMES[2] = {"left", "right"};

// "slot2_left": slots count from 1 as the players see them.
static std::string entry_name(int slot, int side)
{
    return "slot" + std::to_string(slot + 1) + "_" + SIDE_NAMES[side];
}

// A value that names no pad control, a key's name and all, binds nothing. A hand may write the
// name in small letters.
static int bound_control(int slot, int side)
{
    std::string value = get_config_string(PADS_SECTION, entry_name(slot, side).c_str(), "");
    for (char &c : value)
        c = (char)toupper((unsigned char)c);
    return pad_control_named(value);
}

// The library's own configuration, with its [joystick] settings, is set aside meanwhile.
void load_pad_bindings_from(const char *path)
{
    push_config_state();
    set_config_file(path);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        // The mouse slot keeps its buttons.
        const bool bindable = i != MOUSE_PLAYER;
        players[i].pad_left = bindable ? bound_control(i, 0) : NO_CONTROL;
        players[i].pad_right = bindable ? bound_control(i, 1) : NO_CONTROL;
    }
    pop_config_state();
}

// Plain formatted output, not the library's: the save at the end may run on the thread that
// found the display gone.
static bool write_pad_lines(FILE *f, const Player *slots)
{
    fprintf(f, "[%s]\n", PADS_SECTION);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const int sides[2] = {slots[i].pad_left, slots[i].pad_right};
        for (int side = 0; side < 2; side++)
            if (sides[side] != NO_CONTROL)
                fprintf(f, "%s = %s\n", entry_name(i, side).c_str(),
                        control_name(sides[side]).c_str());
    }
    return !ferror(f);
}

void save_pad_bindings_to(const char *path, const Player *slots)
{
    replace_file(path, [&](FILE *f) {
        return write_pad_lines(f, slots);
    });
}
