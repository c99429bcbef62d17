// The options screen's pictures: button art and captions on menu_layer; the
// seven values, the popups, the dialog and the messages on text_layer.
#include "frontend.h"

#include <cstdarg>
#include <cstdio>

// Values are white; the one being typed or chosen is yellow.
#define VALUE_WHITE makecol(255, 255, 255)
#define CHOSEN_YELLOW makecol(255, 255, 0)

// In each number field the wide art lies under the label caption and the
// narrow art, at the field's right end, under the value.
static const int LABEL_ART_W = 180;
static const int VALUE_ART_W = 45;

// Texts stand centred on x with their top at y.
struct LayerPoint {
    int x, y;
};
struct LayerText {
    int x, y;
    const char *Words::*text; // in the language in force
};

// Where the seven values stand, by view number 1..7.
static const LayerPoint VALUE_SPOTS[] = {
    {272, 161}, {567, 161}, {272, 241}, {567, 241}, {340, 325}, {340, 355}, {340, 385},
};

// The resolution and card popups list three lines; the depth popup one row
// of four columns.
static const OptionsBox LIST_POPUP = {260, 200, 380, 280};
static const int LIST_TEXT_X = 320;
static const int LIST_FIRST_TEXT_Y = 216;
static const int LIST_LINE_H = 20;
static const OptionsBox DEPTH_POPUP = {250, 225, 390, 255};
static const int DEPTH_FIRST_TEXT_X = 272;
static const int DEPTH_COLUMN_W = 32;
static const int DEPTH_TEXT_Y = 236;

// The dialog and the three messages, views 8 to 11 in order; a null text
// ends a list. Every language's texts fit these boxes, its answers the
// click boxes under them.
struct Overlay {
    OptionsBox box;
    LayerText texts[4];
};
static const Overlay OVERLAYS[] = {
    {{190, 220, 450, 260}, {{320, 236, &Words::mode_unchanged}}},
    {OPTIONS_DIALOG_BOX,
     {{320, 226, &Words::mode_question}, {270, 246, &Words::yes}, {370, 246, &Words::no}}},
    {{170, 220, 470, 260}, {{320, 236, &Words::mode_failed}}},
    {{170, 220, 470, 260}, {{320, 236, &Words::mode_changed}}},
};
static_assert(sizeof OVERLAYS / sizeof OVERLAYS[0] == VIEW_CHANGED - VIEW_UNCHANGED + 1,
              "one overlay per view from 8 to 11");

static void button_art(int left, int top, int right, int bottom)
{
    scribble_box(menu_layer, BUTTON_SCRIBBLE, left, top, right, bottom);
}

// A number field: its label's art and its value's art, then the label over
// them.
static void draw_number_field(const OptionsBox &field, int caption_y)
{
    button_art(field.left, field.top, field.left + LABEL_ART_W, field.bottom);
    button_art(field.right - VALUE_ART_W, field.top, field.right, field.bottom);
    draw_caption(caption_y, field.left, field.top);
}

static void draw_button(const OptionsBox &b, int caption_y)
{
    button_art(b.left, b.top, b.right, b.bottom);
    draw_caption(caption_y, b.left, b.top);
}

// The order of the art and the captions decides which lies on top where
// the art reaches past its box.
void draw_options_layout()
{
    clear_to_color(menu_layer, MAGIC_PINK);
    draw_number_field(OPTIONS_FRAME_DELAY_FIELD, CAPTION_FRAME_DELAY);
    draw_number_field(OPTIONS_TURN_STEP_FIELD, CAPTION_TURN_STEP);
    draw_number_field(OPTIONS_SURVIVORS_FIELD, CAPTION_SURVIVORS);
    draw_number_field(OPTIONS_TARGET_FIELD, CAPTION_TARGET);
    // One piece of art under the whole panel, a caption on each line.
    button_art(OPTIONS_RESOLUTION_LINE.left, OPTIONS_RESOLUTION_LINE.top, OPTIONS_DEPTH_LINE.right,
               OPTIONS_DEPTH_LINE.bottom);
    draw_caption(CAPTION_RESOLUTION, OPTIONS_RESOLUTION_LINE.left, OPTIONS_RESOLUTION_LINE.top);
    draw_caption(CAPTION_CARD, OPTIONS_CARD_LINE.left, OPTIONS_CARD_LINE.top);
    draw_caption(CAPTION_DEPTH, OPTIONS_DEPTH_LINE.left, OPTIONS_DEPTH_LINE.top);
    draw_button(OPTIONS_APPLY_BUTTON, CAPTION_APPLY);
    draw_button(OPTIONS_BACK_BUTTON, CAPTION_BACK);
    draw_options_values(VIEW_VALUES);
}

static void white_text(int x, int y, const char *text)
{
    textprintf_centre_ex(text_layer, font, x, y, VALUE_WHITE, MENU_TEXT_BG, "%s", text);
}

// Value `number` (1..7) at its spot, yellow when the view is about it.
__attribute__((format(printf, 3, 4))) static void draw_value(int number, int view,
                                                             const char *format, ...)
{
    char text[64];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const LayerPoint &spot = VALUE_SPOTS[number - 1];
    int colour = number == view ? CHOSEN_YELLOW : VALUE_WHITE;
    textprintf_centre_ex(text_layer, font, spot.x, spot.y, colour, MENU_TEXT_BG, "%s", text);
}

static void dialog_art(const OptionsBox &b)
{
    scribble_box(text_layer, DIALOG_SCRIBBLE, b.left, b.top, b.right, b.bottom);
}

static void draw_resolution_popup()
{
    dialog_art(LIST_POPUP);
    for (int i = 0; i < OFFERED_SIZE_COUNT; i++) {
        char text[32];
        snprintf(text, sizeof text, "%d/%d", OFFERED_SIZES[i].w, OFFERED_SIZES[i].h);
        white_text(LIST_TEXT_X, LIST_FIRST_TEXT_Y + i * LIST_LINE_H, text);
    }
}

static void draw_card_popup()
{
    dialog_art(LIST_POPUP);
    for (int card = 0; card < CARD_COUNT; card++)
        white_text(LIST_TEXT_X, LIST_FIRST_TEXT_Y + card * LIST_LINE_H, card_names[card]);
}

static void draw_depth_popup()
{
    dialog_art(DEPTH_POPUP);
    for (int i = 0; i < OFFERED_DEPTH_COUNT; i++) {
        char text[8];
        snprintf(text, sizeof text, "%d", OFFERED_DEPTHS[i]);
        white_text(DEPTH_FIRST_TEXT_X + i * DEPTH_COLUMN_W, DEPTH_TEXT_Y, text);
    }
}

static void draw_overlay(const Overlay &o)
{
    dialog_art(o.box);
    for (const LayerText &t : o.texts)
        if (t.text)
            white_text(t.x, t.y, words->*t.text);
}

// Each popup is drawn right after its own value. The turn step shows in
// thousandths of a radian; a card outside the table shows as a placeholder.
void draw_options_values(int view)
{
    clear_to_color(text_layer, MAGIC_PINK);
    draw_value(VIEW_FRAME_DELAY, view, "%d", settings.frame_delay_ms);
    draw_value(VIEW_TURN_STEP, view, "%.0f", settings.turn_step * THOUSANDTHS_PER_RADIAN);
    draw_value(VIEW_SURVIVORS, view, "%d", settings.round_end_survivors);
    draw_value(VIEW_TARGET, view, "%d", settings.target_score);
    draw_value(VIEW_RESOLUTION_POPUP, view, "%d/%d", pending.w, pending.h);
    if (view == VIEW_RESOLUTION_POPUP)
        draw_resolution_popup();
    draw_value(VIEW_CARD_POPUP, view, "%s", card_name(pending.card));
    if (view == VIEW_CARD_POPUP)
        draw_card_popup();
    draw_value(VIEW_DEPTH_POPUP, view, "%d", pending.depth);
    if (view == VIEW_DEPTH_POPUP)
        draw_depth_popup();
    if (view >= VIEW_UNCHANGED && view <= VIEW_CHANGED)
        draw_overlay(OVERLAYS[view - VIEW_UNCHANGED]);
}
