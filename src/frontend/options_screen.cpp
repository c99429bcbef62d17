// The options screen: four numbers typed in place, and a graphics mode
// chosen in popups and applied only through a confirmation dialog.
#include "frontend.h"

#include <algorithm>

enum OptionsBoxId {
    NO_BOX,
    BACK_BOX,
    FRAME_DELAY_BOX,
    TURN_STEP_BOX,
    SURVIVORS_BOX,
    TARGET_BOX,
    APPLY_BOX,
    RESOLUTION_BOX,
    CARD_BOX,
    DEPTH_BOX,
};

// The hit boxes in the order they are tested, from BACK_BOX on.
static const OptionsBox BOXES[] = {
    OPTIONS_BACK_BUTTON,     OPTIONS_FRAME_DELAY_FIELD, OPTIONS_TURN_STEP_FIELD,
    OPTIONS_SURVIVORS_FIELD, OPTIONS_TARGET_FIELD,      OPTIONS_APPLY_BUTTON,
    OPTIONS_RESOLUTION_LINE, OPTIONS_CARD_LINE,         OPTIONS_DEPTH_LINE,
};
static const int BOX_COUNT = sizeof BOXES / sizeof BOXES[0];

// What each number may hold once confirmed.
static const int FRAME_DELAY_MIN = 0; // ms
static const int FRAME_DELAY_MAX = 100;
static const int SURVIVORS_MIN = 1;
static const int SURVIVORS_MAX = PLAYER_COUNT - 1;
static const int TARGET_MIN = 0;
static const int TARGET_MAX = 5000;

// The popups choose only inside these regions, smaller than their drawn
// boxes, so a release on a popup's rim changes nothing. The resolution and
// card popups are three lines, the depth popup four columns; the last line
// or column also takes the region's far border.
static const OptionsBox LIST_CHOICES = {270, 210, 370, 270};
static const int LIST_LINE_H = 20;
static const OptionsBox DEPTH_CHOICES = {256, 225, 384, 255};
static const int DEPTH_COLUMN_W = 32;
static_assert(OFFERED_SIZE_COUNT == CARD_COUNT, "both list popups have the same lines");

// The dialog's two buttons on the layer.
static const OptionsBox YES_BUTTON = {250, 240, 290, 260}; // "ANO"
static const OptionsBox NO_BUTTON = {350, 240, 390, 260};  // "NIE"

static bool inside(const OptionsBox &b, int x, int y)
{
    return point_in_rect(x, y, b.left, b.top, b.right, b.bottom);
}

// The boxes from `first` on, placed around the screen centre like the layers.
static int box_from(int first, int x, int y)
{
    int lx = x - layer_left();
    int ly = y - layer_top();
    for (int id = first; id <= BOX_COUNT; id++)
        if (inside(BOXES[id - BACK_BOX], lx, ly))
            return id;
    return NO_BOX;
}

int options_box_at(int x, int y)
{
    return box_from(BACK_BOX, x, y);
}

static int cell_at(int offset, int cell_size, int cells)
{
    return std::min(offset / cell_size, cells - 1);
}

void choose_in_popup(int view, int lx, int ly)
{
    if (view == VIEW_DEPTH_POPUP) {
        if (inside(DEPTH_CHOICES, lx, ly))
            pending.depth = OFFERED_DEPTHS[cell_at(lx - DEPTH_CHOICES.left, DEPTH_COLUMN_W,
                                                   OFFERED_DEPTH_COUNT)];
        return;
    }
    if (!inside(LIST_CHOICES, lx, ly))
        return;
    int line = cell_at(ly - LIST_CHOICES.top, LIST_LINE_H, CARD_COUNT);
    if (view == VIEW_RESOLUTION_POPUP) {
        pending.w = OFFERED_SIZES[line].w;
        pending.h = OFFERED_SIZES[line].h;
    } else if (view == VIEW_CARD_POPUP) {
        pending.card = line;
    }
}

DialogAnswer dialog_answer(int lx, int ly)
{
    if (!inside(OPTIONS_DIALOG_BOX, lx, ly))
        return ANSWER_CANCEL;
    if (inside(YES_BUTTON, lx, ly))
        return ANSWER_YES;
    if (inside(NO_BUTTON, lx, ly))
        return ANSWER_NO;
    return ANSWER_NONE;
}

// ---------------- waits

bool answer_pressed()
{
    return escape_pressed() || mouse_b != 0 || key[KEY_ENTER];
}

bool confirm_still_held()
{
    return !window_closed && confirm_held();
}

bool dismissal_held()
{
    return escape_held() || confirm_still_held();
}

bool wait_for_answer()
{
    do
        menu_frame();
    while (!answer_pressed());
    return escape_pressed();
}

void wait_while_confirm_held()
{
    while (confirm_still_held())
        menu_frame();
}

// Any button dismisses a message, but only once ESC, the left button and
// ENTER are all up does the screen go on, so the press acts nowhere else.
void wait_for_dismissal()
{
    wait_for_answer();
    while (dismissal_held())
        menu_frame();
}

// ---------------- popups and dialog

static void run_popup(int view)
{
    clear_keybuf();
    draw_options_values(view);
    if (wait_for_answer()) {
        run_frames_while_escape_held();
    } else {
        wait_while_confirm_held();
        if (!window_closed)
            choose_in_popup(view, pointer_layer_x(), pointer_layer_y());
    }
    draw_options_values(VIEW_VALUES);
}

enum DialogOutcome {
    DIALOG_CANCELLED,
    DIALOG_APPLIED,
    DIALOG_REFUSED
};

// Asks whether to change the mode; "ANO" changes it at once. A release
// inside the dialog on neither button keeps it open.
static DialogOutcome run_confirm_dialog()
{
    clear_keybuf();
    draw_options_values(VIEW_CONFIRM);
    for (;;) {
        if (wait_for_answer()) {
            run_frames_while_escape_held();
            return DIALOG_CANCELLED;
        }
        wait_while_confirm_held();
        if (window_closed)
            return DIALOG_CANCELLED;
        switch (dialog_answer(pointer_layer_x(), pointer_layer_y())) {
        case ANSWER_YES:
            apply_graphics_mode();
            return DIALOG_APPLIED;
        case ANSWER_NO:
            return DIALOG_REFUSED;
        case ANSWER_CANCEL:
            return DIALOG_CANCELLED;
        case ANSWER_NONE:
            break;
        }
    }
}

// ---------------- buttons

// True when the screen is to be left: nothing to apply, or the change
// refused (which forgets it). A cancelled or applied change stays.
static bool leave_by_back_button()
{
    if (!pending_differs())
        return true;
    switch (run_confirm_dialog()) {
    case DIALOG_REFUSED:
        reset_pending_mode();
        return true;
    case DIALOG_CANCELLED:
        draw_options_values(VIEW_VALUES);
        break;
    case DIALOG_APPLIED: // its result message ended with the values
        break;
    }
    return window_closed != 0;
}

static void press_apply_button()
{
    if (!pending_differs()) {
        draw_options_values(VIEW_UNCHANGED);
        wait_for_dismissal();
    } else if (run_confirm_dialog() == DIALOG_REFUSED) {
        reset_pending_mode();
    }
    draw_options_values(VIEW_VALUES);
}

static void act_on_box(int box)
{
    switch (box) {
    case FRAME_DELAY_BOX:
        edit_int_option(&settings.frame_delay_ms, VIEW_FRAME_DELAY, FRAME_DELAY_MIN,
                        FRAME_DELAY_MAX);
        break;
    case TURN_STEP_BOX:
        edit_turn_step();
        break;
    case SURVIVORS_BOX:
        edit_int_option(&settings.round_end_survivors, VIEW_SURVIVORS, SURVIVORS_MIN,
                        SURVIVORS_MAX);
        break;
    case TARGET_BOX:
        edit_int_option(&settings.target_score, VIEW_TARGET, TARGET_MIN, TARGET_MAX);
        break;
    case APPLY_BOX:
        press_apply_button();
        break;
    case RESOLUTION_BOX:
        run_popup(VIEW_RESOLUTION_POPUP);
        break;
    case CARD_BOX:
        run_popup(VIEW_CARD_POPUP);
        break;
    case DEPTH_BOX:
        run_popup(VIEW_DEPTH_POPUP);
        break;
    }
}

// A release at screen point (x, y); false when the screen is to be left.
// After the back button's dialog stays, the same release goes on to the
// other boxes at the pointer's position by then.
static bool act_on_release(int x, int y)
{
    int box = options_box_at(x, y);
    if (box == BACK_BOX) {
        if (leave_by_back_button())
            return false;
        box = box_from(FRAME_DELAY_BOX, pointer_x(), pointer_y());
    }
    act_on_box(box);
    return true;
}

void options_screen()
{
    draw_options_layout();
    bool confirm_was_held = false;
    for (;;) {
        menu_frame();
        if (left_by_escape())
            return; // a pending mode not applied stays chosen
        if (confirm_released(confirm_was_held) && !act_on_release(pointer_x(), pointer_y()))
            return;
    }
}
