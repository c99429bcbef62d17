// The controls that turn the worms: keys, the mouse buttons and the pads' buttons and stick
// directions, each one code; whether one is held, which ones steer a slot, and their names.
#include "state.h"

// Mouse button bits, as the library's mouse_b has them.
static const int MOUSE_LEFT_BUTTON = 1;
static const int MOUSE_RIGHT_BUTTON = 2;

// The words for the two directions of a stick's axes: x, y and a third the library allows.
static const char *const DIRECTION_WORDS[MAX_JOYSTICK_AXIS][2] = {
    {"LEFT", "RIGHT"},
    {"UP", "DOWN"},
    {"Z-", "Z+"},
};

// A pad control taken apart: which pad, and a button or a stick's axis and direction.
struct PadPart {
    int pad;
    int button; // 0..31, or -1 for a direction
    int stick, axis, direction;
};

static bool is_pad_control(int control)
{
    return control >= PAD_CONTROL_FIRST && control < PAD_CONTROL_FIRST + PAD_CONTROL_COUNT;
}

static PadPart pad_part(int control)
{
    const int index = control - PAD_CONTROL_FIRST;
    const int part = index % PAD_PARTS;
    const int direction = part - PAD_BUTTONS;
    if (part < PAD_BUTTONS)
        return {index / PAD_PARTS, part, 0, 0, 0};
    return {index / PAD_PARTS, -1, direction / (2 * MAX_JOYSTICK_AXIS),
            direction / 2 % MAX_JOYSTICK_AXIS, direction % 2};
}

int *pad_control_flag(int control)
{
    if (!is_pad_control(control))
        return nullptr;
    const PadPart p = pad_part(control);
    if (p.pad >= num_joysticks)
        return nullptr;
    JOYSTICK_INFO &j = joy[p.pad];
    if (p.button >= 0)
        return p.button < j.num_buttons ? &j.button[p.button].b : nullptr;
    if (p.stick >= j.num_sticks || p.axis >= j.stick[p.stick].num_axis)
        return nullptr;
    JOYSTICK_AXIS_INFO &a = j.stick[p.stick].axis[p.axis];
    return p.direction ? &a.d2 : &a.d1;
}

bool control_held(int control)
{
    if (control == MOUSE_LEFT_CONTROL)
        return mouse_b & MOUSE_LEFT_BUTTON;
    if (control == MOUSE_RIGHT_CONTROL)
        return mouse_b & MOUSE_RIGHT_BUTTON;
    if (is_pad_control(control)) {
        const int *flag = pad_control_flag(control);
        return flag && *flag;
    }
    return key_down(control);
}

// A key code from a hand-edited file may be any int, a mouse or pad code among them: only a
// key steers by a slot's key fields.
static int slot_control(int slot, int pad, int mouse_button, int key)
{
    if (pad != NO_CONTROL)
        return pad;
    if (slot == MOUSE_PLAYER)
        return mouse_button;
    return key > NO_CONTROL && key < KEY_MAX ? key : NO_CONTROL;
}

int left_control(int slot)
{
    const Player &p = players[slot];
    return slot_control(slot, p.pad_left, MOUSE_LEFT_CONTROL, p.key_left);
}

int right_control(int slot)
{
    const Player &p = players[slot];
    return slot_control(slot, p.pad_right, MOUSE_RIGHT_CONTROL, p.key_right);
}

// Pads, buttons and sticks count from 1 as the players see them; the first stick, the one a
// pad steers with, goes without its number.
std::string control_name(int control)
{
    if (!is_pad_control(control))
        return key_name(control);
    const PadPart p = pad_part(control);
    std::string name = "PAD" + std::to_string(p.pad + 1) + " ";
    if (p.button >= 0)
        return name + "B" + std::to_string(p.button + 1);
    if (p.stick > 0)
        name += "S" + std::to_string(p.stick + 1) + " ";
    return name + DIRECTION_WORDS[p.axis][p.direction];
}

// Every name is made by control_name, so a name read back means what it meant when written.
int pad_control_named(const std::string &name)
{
    for (int control = PAD_CONTROL_FIRST; is_pad_control(control); control++)
        if (control_name(control) == name)
            return control;
    return NO_CONTROL;
}
