// Putting the finished picture on the screen: back_buffer, drawn at the
// game's own size, shown pixel for pixel or enlarged by a whole number so
// that every game pixel stays a sharp square block. Only what changed goes
// out: the runs of rows of back_buffer that differ from the picture sent
// before. A screen deeper or shallower than the game (the desktop's depth)
// gets those rows converted once, at the game's size, and enlarged in its
// own format, which the display then takes without converting again.
#include "match.h"

// The library's colour conversion: its X11 driver converts a screen of
// another depth than the desktop's with these very functions, so converting
// with them keeps every pixel as it was.
#include <allegro/internal/aintern.h>

#include <cstring>

int display_scale = 1;

// back_buffer as it was last sent: what the screen shows, in game pixels.
// Made again when back_buffer's size or depth is new.
static BITMAP *shown = nullptr;
// The screen shows nothing sent yet (a new mode): every row goes out next.
static bool screen_unknown = true;
// The rows to send at the screen's depth, when it is not the game's; game size.
static BITMAP *converted = nullptr;

int game_screen_w()
{
    return SCREEN_W / display_scale;
}

int game_screen_h()
{
    return SCREEN_H / display_scale;
}

void forget_shown_picture()
{
    screen_unknown = true;
}

int row_bytes(BITMAP *bmp)
{
    return bmp->w * BYTES_PER_PIXEL(bitmap_color_depth(bmp));
}

static bool same_row(BITMAP *a, BITMAP *b, int y)
{
    return std::memcmp(a->line[y], b->line[y], row_bytes(a)) == 0;
}

// The first row at or after `from` in which now and before (of one size and
// depth) differ, with `end` just past the run of differing rows that starts
// there; now->h, and `end` too, when no row from `from` on differs.
static int changed_rows(BITMAP *now, BITMAP *before, int from, int &end)
{
    int first = from;
    while (first < now->h && same_row(now, before, first))
        first++;
    end = first;
    while (end < now->h && !same_row(now, before, end))
        end++;
    return first;
}

static bool fits(BITMAP *bmp, int depth, int w, int h)
{
    return bmp && bmp->w == w && bmp->h == h && bitmap_color_depth(bmp) == depth;
}

bool keep_bitmap(BITMAP *&bmp, int depth, int w, int h)
{
    if (fits(bmp, depth, w, h))
        return true;
    if (bmp)
        destroy_bitmap(bmp);
    bmp = create_bitmap_ex(depth, w, h);
    return bmp != nullptr;
}

// Rows first .. end - 1 of back_buffer at the screen's depth, into converted.
static void convert_rows(COLORCONV_BLITTER_FUNC *convert, int first, int end)
{
    GRAPHICS_RECT from
        = {back_buffer->w, end - first, row_bytes(back_buffer), back_buffer->line[first]};
    GRAPHICS_RECT to = {converted->w, end - first, row_bytes(converted), converted->line[first]};
    convert(&from, &to);
}

// Rows first .. end - 1 of `rows` (back_buffer, or converted) onto the
// screen. Enlarged, the library's stretch gives every game pixel exactly an
// n x n block at a whole-number factor, the same for a run of rows as for
// the whole picture. Stretched straight onto the screen, each row goes to
// the display as it is written: cheaper for the game than enlarging into a
// bitmap of the screen's size and copying that over.
static void send_rows(BITMAP *rows, int first, int end)
{
    const int w = rows->w;
    const int n = display_scale;
    if (n == 1)
        blit(rows, screen, 0, first, 0, first, w, end - first);
    else
        stretch_blit(rows, screen, 0, first, w, end - first, 0, first * n, w * n,
                     (end - first) * n);
}

void present()
{
    const int depth = bitmap_color_depth(back_buffer);
    const int screen_depth = bitmap_color_depth(screen);
    const int w = back_buffer->w;
    const int h = back_buffer->h;
    // A picture of another size or depth says nothing about the screen.
    const bool everything = screen_unknown || !fits(shown, depth, w, h);
    if (!keep_bitmap(shown, depth, w, h)
        || (screen_depth != depth && !keep_bitmap(converted, screen_depth, w, h)))
        return;
    COLORCONV_BLITTER_FUNC *convert
        = screen_depth != depth ? _get_colorconv_blitter(depth, screen_depth) : nullptr;
    int end = 0;
    for (int first = 0; first < h; first = end) {
        if (everything)
            end = h;
        else
            first = changed_rows(back_buffer, shown, first, end);
        if (first == h)
            break;
        if (convert)
            convert_rows(convert, first, end);
        send_rows(convert ? converted : back_buffer, first, end);
        blit(back_buffer, shown, 0, first, 0, first, w, end - first);
    }
    if (convert)
        _release_colorconv_blitter(convert);
    screen_unknown = false;
}
