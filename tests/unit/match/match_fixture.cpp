#include "match_fixture.h"

void use_match_screen(int depth, int w, int h)
{
    use_screen(depth, w, h);
    place_score_labels(w, h);
}

void put_worm(int i, float x, float y, float heading)
{
    players[i].x = x;
    players[i].y = y;
    players[i].heading = heading;
    players[i].dead = 0;
}

int pixels_in_field(int colour)
{
    return count_pixels(back_buffer, colour, 0, 0, back_buffer->w - 1,
                        back_buffer->h - PANEL_HEIGHT - 1);
}

::testing::AssertionResult text_shown(const char *text, int x, int y, int colour)
{
    // Marks the pixels the text leaves alone.
    const int untouched = UNUSED_COLOUR;
    Bitmap scratch = filled_like(back_buffer, untouched);
    textout_centre_ex(scratch.get(), font, text, x, y, colour, MATCH_TEXT_BG);
    for (int py = 0; py < scratch->h; py++)
        for (int px = 0; px < scratch->w; px++) {
            const int want = getpixel(scratch.get(), px, py);
            if (want != untouched && getpixel(back_buffer, px, py) != want)
                return ::testing::AssertionFailure()
                       << '"' << text << "\" differs at (" << px << ", " << py << ")";
        }
    return ::testing::AssertionSuccess();
}

Bitmap unlabelled_field()
{
    Bitmap field = filled_like(back_buffer, 0);
    BITMAP *produced = back_buffer;
    int off[PLAYER_COUNT];
    for (int i = 0; i < PLAYER_COUNT; i++)
        off[i] = players[i].off, players[i].off = 1;
    back_buffer = field.get();
    draw_play_field();
    back_buffer = produced;
    for (int i = 0; i < PLAYER_COUNT; i++)
        players[i].off = off[i];
    return field;
}

void draw_label(BITMAP *bmp, const Player &p)
{
    const std::string label = std::string(p.name) + ": " + std::to_string(p.score);
    textout_centre_ex(bmp, font, label.c_str(), p.label_x, p.label_y, p.colour, 0);
}

std::string scores()
{
    std::string out;
    for (const Player &p : players)
        out += std::to_string(p.score) + (&p == &players[PLAYER_COUNT - 1] ? "" : " ");
    return out;
}

std::string dead_flags()
{
    std::string out;
    for (const Player &p : players)
        out += std::to_string(p.dead);
    return out;
}
