// The play field: borders, the score panel and the round clock, all drawn
// on back_buffer. Every pixel drawn here is also a wall for the worms.
#include "match.h"

// The sunken borders of the field and of the panel stand this many pixels in
// from the screen's edges and from the panel's top row.
static const int INSET = 3;
// The clock takes the middle of the labels' first row, this far above the bottom.
static const int CLOCK_RISE = 44;
static const char SCORE_LABEL_FORMAT[] = "%s: %d";
// Minutes are not wrapped into hours.
static const char CLOCK_FORMAT[] = "%d:%02d:%02d";
static const int MS_PER_MINUTE = 60000;
static const int MS_PER_SECOND = 1000;
static const int MS_PER_HUNDREDTH = 10;

// A one-pixel frame, white along (x1, y1) and dark grey along (x2, y2): raised
// when the top-left corner comes first, sunken when the bottom-right does.
// The order of the four lines decides the corner pixels.
void draw_bevel(BITMAP *bmp, int x1, int y1, int x2, int y2)
{
    hline(bmp, x1, y1, x2, FIELD_WHITE);
    hline(bmp, x1, y2, x2, FIELD_DARK_GREY);
    vline(bmp, x1, y1, y2, FIELD_WHITE);
    vline(bmp, x2, y1, y2, FIELD_DARK_GREY);
}

// A fresh field: grey margins, the black field, the bar above the panel, the
// sunken field border, the raised outer border and the panel.
void draw_play_field()
{
    const int w = settings.screen_w;
    const int h = settings.screen_h;
    const int panel_top = h - PANEL_HEIGHT;
    clear_to_color(back_buffer, FIELD_GREY);
    rectfill(back_buffer, INSET, INSET, w - INSET, h - INSET, FIELD_BLACK);
    // The bar's right end lies one pixel beyond the bitmap and is clipped.
    rectfill(back_buffer, 0, panel_top - INSET, w, panel_top + INSET, FIELD_GREY);
    draw_bevel(back_buffer, w - INSET, panel_top - INSET, INSET, INSET);
    draw_bevel(back_buffer, 0, 0, w - 1, h - 1);
    draw_score_panel();
}

// Stays inside the outer and the field border, so it can be redrawn alone.
void draw_panel_frame()
{
    const int w = settings.screen_w;
    const int h = settings.screen_h;
    const int panel_top = h - PANEL_HEIGHT;
    // Grey up to the one-pixel outer border.
    rectfill(back_buffer, 1, panel_top, w - 2, h - 2, FIELD_GREY);
    rectfill(back_buffer, INSET, panel_top + INSET, w - INSET, h - INSET, FIELD_BLACK);
    draw_bevel(back_buffer, w - INSET, h - INSET, INSET, panel_top + INSET);
}

void draw_score_label(const Player &p)
{
    textprintf_centre_ex(back_buffer, font, p.label_x, p.label_y, p.colour, MATCH_TEXT_BG,
                         SCORE_LABEL_FORMAT, p.name, p.score);
}

// The panel with the label of every active player, dead or alive.
void draw_score_panel()
{
    draw_panel_frame();
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!players[i].off)
            draw_score_label(players[i]);
}

// The time since the round began; its opaque cells wipe the previous clock.
void draw_clock()
{
    const int t = tick_ms;
    textprintf_centre_ex(back_buffer, font, settings.screen_w / 2, settings.screen_h - CLOCK_RISE,
                         FIELD_GREY, MATCH_TEXT_BG, CLOCK_FORMAT, t / MS_PER_MINUTE,
                         t % MS_PER_MINUTE / MS_PER_SECOND, t % MS_PER_SECOND / MS_PER_HUNDREDTH);
}
