#include "match_fixture.h"

#include <cstring>
#include <sstream>

void use_match_screen(int depth, int w, int h)
{
    use_screen(depth, w, h);
    place_score_labels(w, h);
}

Bitmap copy_of(BITMAP *bmp)
{
    Bitmap copy(create_bitmap(bmp->w, bmp->h), destroy_bitmap);
    blit(bmp, copy.get(), 0, 0, 0, 0, bmp->w, bmp->h);
    return copy;
}

Bitmap black_like(BITMAP *bmp)
{
    Bitmap blank(create_bitmap(bmp->w, bmp->h), destroy_bitmap);
    clear_to_color(blank.get(), 0);
    return blank;
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
    int n = 0;
    for (int y = 0; y < back_buffer->h - PANEL_HEIGHT; y++)
        for (int x = 0; x < back_buffer->w; x++)
            n += getpixel(back_buffer, x, y) == colour;
    return n;
}

::testing::AssertionResult text_shown(const char *text, int x, int y, int colour)
{
    // Marks the pixels the text leaves alone.
    const int untouched = UNUSED_COLOUR;
    Bitmap scratch(create_bitmap(back_buffer->w, back_buffer->h), destroy_bitmap);
    clear_to_color(scratch.get(), untouched);
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

::testing::AssertionResult same_pixels(BITMAP *expected, BITMAP *actual)
{
    std::ostringstream first;
    int differences = 0;
    for (int y = 0; y < expected->h; y++)
        for (int x = 0; x < expected->w; x++) {
            const int want = getpixel(expected, x, y);
            const int got = getpixel(actual, x, y);
            if (want != got && ++differences <= 5)
                first << " (" << x << ", " << y << "): want " << std::hex << want
                      << " got " << got << std::dec << ';';
        }
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ:" << first.str();
}
