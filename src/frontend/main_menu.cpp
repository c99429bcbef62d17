// The main menu: start a match, the players screen, the options screen and
// quit; S also starts a match and ESC also quits.
#include "frontend.h"

struct MenuButton {
    int left, top, right, bottom; // the box on menu_layer
    int caption_y;                // its caption in the captions sheet
};

enum {
    NO_BUTTON,
    START_BUTTON,
    PLAYERS_BUTTON,
    OPTIONS_BUTTON,
    QUIT_BUTTON
};

static const MenuButton BUTTONS[] = {
    {240, 150, 400, 180, CAPTION_START},
    {240, 230, 400, 260, CAPTION_PLAYERS},
    {210, 310, 430, 340, CAPTION_OPTIONS},
    {240, 390, 400, 420, CAPTION_QUIT},
};
static const int BUTTON_COUNT = sizeof BUTTONS / sizeof BUTTONS[0];

// After a match the pointer rests on this layer point, inside the start
// button, so ENTER alone starts the next match.
static const int REPLAY_POINTER_X = 360;
static const int REPLAY_POINTER_Y = 170;

void draw_main_menu()
{
    clear_to_color(menu_layer, MAGIC_PINK);
    clear_to_color(text_layer, MAGIC_PINK);
    for (const MenuButton &b : BUTTONS) {
        scribble_box(menu_layer, BUTTON_SCRIBBLE, b.left, b.top, b.right, b.bottom);
        draw_caption(b.caption_y, b.left, b.top);
    }
}

// The hit boxes are the drawn boxes, measured from the screen centre.
int main_menu_button_at(int x, int y)
{
    int dx = settings.screen_w / 2 - LAYER_W / 2;
    int dy = settings.screen_h / 2 - LAYER_H / 2;
    for (int i = 0; i < BUTTON_COUNT; i++) {
        const MenuButton &b = BUTTONS[i];
        if (point_in_rect(x, y, b.left + dx, b.top + dy, b.right + dx, b.bottom + dy))
            return START_BUTTON + i;
    }
    return NO_BUTTON;
}

static void start_match()
{
    run_match();
    forget_menu_picture();
    draw_main_menu();
    place_pointer((settings.screen_w - LAYER_W) / 2 + REPLAY_POINTER_X,
                  (settings.screen_h - LAYER_H) / 2 + REPLAY_POINTER_Y);
}

void main_menu()
{
    draw_main_menu();
    // A button or ENTER still held on entry is not a new press.
    bool confirm_was_held = confirm_held();
    backdrop_offset = 0;
    for (;;) {
        menu_frame();
        if (window_closed)
            return;
        if (keypressed() && key[KEY_S]) {
            run_frames_while_held(KEY_S);
            start_match();
            continue;
        }
        if (keypressed() && key[KEY_ESC]) {
            run_frames_while_held(KEY_ESC);
            return;
        }
        if (!confirm_released(confirm_was_held))
            continue;
        switch (main_menu_button_at(pointer_x(), pointer_y())) {
        case START_BUTTON:
            start_match();
            break;
        case PLAYERS_BUTTON:
            players_screen();
            draw_main_menu();
            break;
        case OPTIONS_BUTTON:
            options_screen();
            draw_main_menu();
            break;
        case QUIT_BUTTON:
            return;
        }
    }
}
