// The end of a round and of the match: the survivors' points and the round's
// result, the draw message, and the box that names the match winners.
#include "match.h"

#include <cstring>

// Round-end messages take the middle of the labels' second row.
static const int MESSAGE_RISE = 22;
static const int SURVIVOR_BONUS = 2;
// With this threshold the round names its one survivor; otherwise it boxes
// every survivor's label and tells the players to go on.
static const int SINGLE_SURVIVOR_THRESHOLD = 1;

// The box around a survivor's label: half a character of 8 pixels per
// character of the label and three more, 4 rows above the label's top and
// 10 below it; its right side stops 2 pixels short of the mirror of its left.
static const int HALF_CHAR_W = 4;
static const int BOX_PAD_CHARS = 3;
static const int BOX_TOP_RISE = 4;
static const int BOX_BOTTOM_DROP = 10;
static const int BOX_RIGHT_SHORTFALL = 2;

// The winners box: 151 pixels wide, one 15-pixel line for the title and
// each name, and 8 rows of room above the title.
static const int WINNERS_BOX_W = 150;
static const int WINNER_LINE_H = 15;
static const int WINNERS_TOP_ROOM = 8;

// A centred text in the middle of the panel's second row.
static void draw_message(const char *text, int colour)
{
    textout_centre_ex(back_buffer, font, text, settings.screen_w / 2,
                      settings.screen_h - MESSAGE_RISE, colour, MATCH_TEXT_BG);
}

static bool is_survivor(const Player &p)
{
    return !p.off && !p.dead;
}

// The match loop calls this form only when exactly one worm survived.
static void name_the_survivor()
{
    for (int i = 0; i < PLAYER_COUNT; i++) {
        Player &p = players[i];
        if (!is_survivor(p))
            continue;
        p.score += SURVIVOR_BONUS;
        draw_score_panel();
        draw_clock();
        draw_message(p.name, p.colour);
    }
}

// The number of digits the score will have once the bonus is added, up to four.
static int digits_after_bonus(int score)
{
    if (score <= 7)
        return 1;
    if (score <= 97)
        return 2;
    if (score <= 997)
        return 3;
    return 4;
}

static void draw_survivor_box(const Player &p)
{
    const int chars = (int)strnlen(p.name, NAME_SIZE) + digits_after_bonus(p.score);
    const int half_w = HALF_CHAR_W * (chars + BOX_PAD_CHARS);
    rect(back_buffer, p.label_x - half_w, p.label_y - BOX_TOP_RISE,
         p.label_x + half_w - BOX_RIGHT_SHORTFALL, p.label_y + BOX_BOTTOM_DROP, p.colour);
}

// Survivors get a box and their points; every active label is redrawn, a
// survivor's with its new score.
static void box_the_survivors()
{
    draw_panel_frame();
    for (int i = 0; i < PLAYER_COUNT; i++) {
        Player &p = players[i];
        if (p.off)
            continue;
        if (!p.dead) {
            draw_survivor_box(p);
            p.score += SURVIVOR_BONUS;
        }
        draw_score_label(p);
    }
    draw_clock();
    draw_message(words->play_on, FIELD_GREY);
}

// The form follows the threshold, not the number of survivors.
void finish_round()
{
    if (settings.round_end_survivors == SINGLE_SURVIVOR_THRESHOLD)
        name_the_survivor();
    else
        box_the_survivors();
}

void draw_draw_message()
{
    draw_message(words->draw, FIELD_GREY);
}

// Dead or alive, an active player at or above the target has won.
static bool is_winner(const Player &p)
{
    return !p.off && p.score >= settings.target_score;
}

static int count_winners()
{
    int n = 0;
    for (int i = 0; i < PLAYER_COUNT; i++)
        n += is_winner(players[i]);
    return n;
}

// Black box with a grey outline, a raised frame just outside it and a sunken
// one just inside, centred on the screen and on the field's centre row.
static void draw_winners_box(int winners, int title_y)
{
    const int w = settings.screen_w;
    const int field_h = settings.screen_h - PANEL_HEIGHT;
    const int top = title_y - WINNERS_TOP_ROOM;
    // Two lines more than the names: the title's and one to spare.
    const int bottom = (field_h + WINNER_LINE_H * (winners + 2)) / 2;
    const int left = (w - WINNERS_BOX_W) / 2;
    const int right = (w + WINNERS_BOX_W) / 2;
    rectfill(back_buffer, left, top, right, bottom, FIELD_BLACK);
    rect(back_buffer, left, top, right, bottom, FIELD_GREY);
    draw_bevel(back_buffer, left - 1, top - 1, right + 1, bottom + 1);
    draw_bevel(back_buffer, right - 1, bottom - 1, left + 1, top + 1);
}

// The title, then each winner's name a line lower, in slot order.
static void list_winners(int winners, int title_y)
{
    const int x = settings.screen_w / 2;
    const char *title = winners == 1 ? words->one_winner : words->winners;
    textout_centre_ex(back_buffer, font, title, x, title_y, FIELD_GREY, MATCH_TEXT_BG);
    int y = title_y;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Player &p = players[i];
        if (!is_winner(p))
            continue;
        y += WINNER_LINE_H;
        textout_centre_ex(back_buffer, font, p.name, x, y, p.colour, MATCH_TEXT_BG);
    }
}

// Draws nothing and returns 0 while no active player has reached the target.
int show_match_winners()
{
    const int winners = count_winners();
    if (winners == 0)
        return 0;
    const int field_h = settings.screen_h - PANEL_HEIGHT;
    const int title_y = (field_h - WINNER_LINE_H * winners) / 2;
    draw_winners_box(winners, title_y);
    list_winners(winners, title_y);
    return 1;
}
