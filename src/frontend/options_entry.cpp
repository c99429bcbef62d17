// Typing a number in place on the options screen: digits grow it, BACKSPACE
// clears it, ENTER or a left click confirms it clamped into its range, ESC
// puts the old value back. The field shows the typed number unclamped.
#include "frontend.h"

#include <algorithm>
#include <climits>

// Characters an entry reacts to.
static const int BACKSPACE_CHAR = 8;
static const int ENTER_CHAR = 13;
static const int ESC_CHAR = 27;
// readkey() gives the scancode in the high byte, the character in the low.
static const int CHARACTER_MASK = 0xff;

// The turn step's range once confirmed, radians per frame.
static const double TURN_STEP_MIN = 0.02;
static const double TURN_STEP_MAX = 0.5;
// Typing stops growing the turn step once its thousandths reach the largest
// int, long before a float would overflow.
static const double TURN_STEP_TYPED_LIMIT = INT_MAX / THOUSANDTHS_PER_RADIAN;

enum InputAction {
    INPUT_IGNORED,
    INPUT_DIGIT,
    INPUT_BACKSPACE,
    INPUT_CONFIRM,
    INPUT_CANCEL
};

static InputAction input_action(int input)
{
    if (input == ENTRY_LEFT_CLICK || input == ENTER_CHAR)
        return INPUT_CONFIRM;
    if (input == ESC_CHAR)
        return INPUT_CANCEL;
    if (input == BACKSPACE_CHAR)
        return INPUT_BACKSPACE;
    if (input >= '0' && input <= '9')
        return INPUT_DIGIT;
    return INPUT_IGNORED;
}

// While a mouse button is down no key is read.
int entry_input_now()
{
    if (window_closed)
        return ESC_CHAR;
    if (mouse_b)
        return (mouse_b & 1) ? ENTRY_LEFT_CLICK : ENTRY_OTHER_CLICK;
    if (keypressed())
        return readkey() & CHARACTER_MASK;
    return ENTRY_NO_INPUT;
}

// Digits past what an int holds keep the number at the largest int.
static int append_digit(int value, int digit)
{
    long long grown = static_cast<long long>(value) * 10 + digit;
    return grown > INT_MAX ? INT_MAX : static_cast<int>(grown);
}

// In thousandths: the number shown times ten plus the digit.
static float append_turn_digit(float value, int digit)
{
    double grown = (value * (10 * THOUSANDTHS_PER_RADIAN) + digit) / THOUSANDTHS_PER_RADIAN;
    return static_cast<float>(std::min(grown, TURN_STEP_TYPED_LIMIT));
}

static float clamp_turn_step(float value)
{
    if (value < TURN_STEP_MIN)
        return static_cast<float>(TURN_STEP_MIN);
    if (value > TURN_STEP_MAX)
        return static_cast<float>(TURN_STEP_MAX);
    return value;
}

int begin_int_entry(int *field, int view)
{
    clear_keybuf();
    int old_value = *field;
    *field = 0;
    draw_options_values(view);
    return old_value;
}

float begin_turn_step_entry()
{
    clear_keybuf();
    float old_value = settings.turn_step;
    settings.turn_step = 0.0f;
    draw_options_values(VIEW_TURN_STEP);
    return old_value;
}

EntryState int_entry_step(int *field, int view, int old_value, int min, int max, int input)
{
    switch (input_action(input)) {
    case INPUT_CONFIRM:
        *field = *field < min ? min : *field > max ? max : *field;
        draw_options_values(VIEW_VALUES);
        return ENTRY_CONFIRMED;
    case INPUT_CANCEL:
        *field = old_value;
        draw_options_values(VIEW_VALUES);
        return ENTRY_CANCELLED;
    case INPUT_BACKSPACE: // clears the whole number, not one digit
        *field = 0;
        break;
    case INPUT_DIGIT:
        *field = append_digit(*field, input - '0');
        break;
    case INPUT_IGNORED:
        return ENTRY_RUNNING;
    }
    draw_options_values(view);
    return ENTRY_RUNNING;
}

EntryState turn_step_entry_step(float old_value, int input)
{
    switch (input_action(input)) {
    case INPUT_CONFIRM:
        settings.turn_step = clamp_turn_step(settings.turn_step);
        draw_options_values(VIEW_VALUES);
        return ENTRY_CONFIRMED;
    case INPUT_CANCEL:
        settings.turn_step = old_value;
        draw_options_values(VIEW_VALUES);
        return ENTRY_CANCELLED;
    case INPUT_BACKSPACE:
        settings.turn_step = 0.0f;
        break;
    case INPUT_DIGIT:
        settings.turn_step = append_turn_digit(settings.turn_step, input - '0');
        break;
    case INPUT_IGNORED:
        return ENTRY_RUNNING;
    }
    draw_options_values(VIEW_TURN_STEP);
    return ENTRY_RUNNING;
}

// Runs menu frames until there is an input. ESC (or the close button) is
// let go of before the old value comes back.
static int next_entry_input()
{
    int input;
    do {
        menu_frame();
        input = entry_input_now();
    } while (input == ENTRY_NO_INPUT);
    if (input == ESC_CHAR)
        run_frames_while_escape_held();
    return input;
}

// The click or ENTER that confirmed does nothing else once let go of.
static void end_entry(EntryState state)
{
    if (state == ENTRY_CONFIRMED)
        wait_while_confirm_held();
}

void edit_int_option(int *field, int view, int min, int max)
{
    begin_settings_entry();
    int old_value = begin_int_entry(field, view);
    EntryState state;
    do
        state = int_entry_step(field, view, old_value, min, max, next_entry_input());
    while (state == ENTRY_RUNNING);
    end_settings_entry();
    end_entry(state);
}

void edit_turn_step()
{
    begin_settings_entry();
    float old_value = begin_turn_step_entry();
    EntryState state;
    do
        state = turn_step_entry_step(old_value, next_entry_input());
    while (state == ENTRY_RUNNING);
    end_settings_entry();
    end_entry(state);
}
