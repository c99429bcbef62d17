// Reading the screen: grabs of the game area straight from the X server,
// and waits that poll fresh grabs until a condition holds.
#include "e2e.h"
#include "harness_internal.h"

#include <X11/Xutil.h>

// How often a wait grabs the screen.
static const int POLL_MS = 20;

uint32_t Image::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return NO_PIXEL;
    return rgb[(size_t)y * w + x];
}

// The test server is 24-bit TrueColor, so a pixel value is 0xRRGGBB already.
Image grab_screen()
{
    Display *d = x_display();
    Area a = game_area();
    XImage *x = d && a.w > 0 ? XGetImage(d, DefaultRootWindow(d), a.x, a.y, a.w, a.h, AllPlanes, ZPixmap)
                             : nullptr;
    Image img;
    if (!x)
        return img;
    img.w = a.w;
    img.h = a.h;
    img.rgb.resize((size_t)a.w * a.h);
    for (int y = 0; y < a.h; y++)
        for (int i = 0; i < a.w; i++)
            img.rgb[(size_t)y * a.w + i] = (uint32_t)(XGetPixel(x, i, y) & 0xFFFFFF);
    XDestroyImage(x);
    return img;
}

uint32_t pixel(int x, int y)
{
    return grab_screen().at(x, y);
}

// The last grab of a failed wait, kept for a look at what was on screen.
static void save_failed_grab(const Image &img, int timeout_ms)
{
    static int saved = 0;
    std::string dir = game_dir().empty() ? "/tmp" : game_dir();
    std::string path = dir + "/timeout-" + std::to_string(++saved) + ".png";
    if (!save_png(img, path))
        path = "(not saved)";
    fprintf(stderr, "e2e: condition not met within %d ms; last screen: %s\n", timeout_ms,
            path.c_str());
}

bool wait_until(const std::function<bool(const Image &)> &holds, int timeout_ms)
{
    long end = now_ms() + timeout_ms;
    for (;;) {
        Image img = grab_screen();
        if (img.w > 0 && holds(img))
            return true;
        if (now_ms() >= end) {
            save_failed_grab(img, timeout_ms);
            return false;
        }
        sleep_ms(POLL_MS);
    }
}

bool wait_for_pixel(int x, int y, uint32_t rgb, int timeout_ms)
{
    return wait_until([&](const Image &img) { return img.at(x, y) == rgb; }, timeout_ms);
}

int count_pixels(const Image &img, int left, int top, int w, int h, uint32_t rgb)
{
    int count = 0;
    for (int y = top; y < top + h; y++)
        for (int x = left; x < left + w; x++)
            count += img.at(x, y) == rgb;
    return count;
}

bool save_screenshot(const std::string &path)
{
    Image img = grab_screen();
    return img.w > 0 && save_png(img, path);
}

// At depths 15 and 16 the library's X11 driver turns each pixel into the
// screen's 24 bits through two tables, one per byte of the pixel (measured
// under Xvfb). Red and blue, 5 bits each, repeat their top bits: c << 3 | c >> 2.
// Green is split across the two bytes, and each part has its own entries.
static const uint32_t GREEN16_HIGH[8] = {0, 32, 64, 97, 129, 162, 194, 226}; // green bits 5..3
static const uint32_t GREEN16_LOW[8] = {0, 4, 8, 12, 16, 20, 24, 29};        // green bits 2..0
static const uint32_t GREEN15_HIGH[4] = {0, 66, 132, 198};                   // green bits 4..3
static const uint32_t GREEN15_LOW[8] = {0, 8, 16, 24, 32, 40, 48, 57};       // green bits 2..0

static uint32_t five_bit_channel(int v)
{
    uint32_t c = (uint32_t)v >> 3;
    return c << 3 | c >> 2;
}

uint32_t screen_colour(int r, int g, int b, int depth)
{
    r &= 0xFF, g &= 0xFF, b &= 0xFF; // makecol takes 0..255
    uint32_t green = (uint32_t)g;
    if (depth == 16)
        green = GREEN16_HIGH[g >> 5] + GREEN16_LOW[g >> 2 & 7];
    else if (depth == 15)
        green = GREEN15_HIGH[g >> 6] + GREEN15_LOW[g >> 3 & 7];
    if (depth == 15 || depth == 16)
        return five_bit_channel(r) << 16 | green << 8 | five_bit_channel(b);
    return (uint32_t)(r << 16 | g << 8 | b);
}
