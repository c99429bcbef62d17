// Reference pictures: a screen as a player sees it, kept as a PNG in tests/pictures/ and looked at
// by eye when it is made or changed. A check compares what the test sees with one, pixel for pixel,
// each game pixel a scale x scale block; on a mismatch it names the first pixel that differs and
// writes what it saw to pictures-seen/NAME.png in the build's tests folder. Run with
// TALVON_MAKE_PICTURES=1, the tests write what they see as the references instead.
#pragma once

#include <allegro.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A picture as 8-bit red, green and blue, row by row.
struct Rgb {
    unsigned w = 0;
    unsigned h = 0;
    std::vector<unsigned char> bytes;
};

// The game's w x h pixels, each read at the last pixel of its block of b, as the library expands
// the bitmap's depth. A block whose pixels differ shows as the colour 1, 2, 3 (no picture has it).
inline Rgb game_pixels(BITMAP *b, int scale = 1)
{
    const int depth = bitmap_color_depth(b);
    Rgb rgb = {(unsigned)(b->w / scale), (unsigned)(b->h / scale), {}};
    for (int y = scale - 1; y < b->h; y += scale) {
        for (int x = scale - 1; x < b->w; x += scale) {
            const int c = getpixel(b, x, y);
            bool sharp = true;
            for (int i = 0; i < scale * scale; i++)
                sharp = sharp && getpixel(b, x - i % scale, y - i / scale) == c;
            rgb.bytes.push_back(sharp ? getr_depth(depth, c) : 1);
            rgb.bytes.push_back(sharp ? getg_depth(depth, c) : 2);
            rgb.bytes.push_back(sharp ? getb_depth(depth, c) : 3);
        }
    }
    return rgb;
}

inline bool write_png(const std::string &path, const Rgb &rgb)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = rgb.w;
    image.height = rgb.h;
    image.format = PNG_FORMAT_RGB;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.bytes.data(), 0, nullptr);
}

inline Rgb read_png(const std::string &path)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    Rgb rgb;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return rgb;
    image.format = PNG_FORMAT_RGB;
    rgb.bytes.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.bytes.data(), 0, nullptr)) {
        rgb.w = image.width;
        rgb.h = image.height;
    }
    return rgb;
}

// "" when what b shows is reference picture NAME; else what differs first.
inline std::string unlike_picture(BITMAP *b, const std::string &name, int scale = 1)
{
    const Rgb seen = game_pixels(b, scale);
    const std::string reference = TALVON_PICTURES_DIR "/" + name + ".png";
    if (getenv("TALVON_MAKE_PICTURES"))
        return write_png(reference, seen) ? "" : "cannot write " + reference;
    const Rgb want = read_png(reference);
    std::string why;
    if (want.w != seen.w || want.h != seen.h) {
        why = "no " + std::to_string(seen.w) + " x " + std::to_string(seen.h) + " " + reference;
    } else if (seen.bytes != want.bytes) {
        const auto first = std::mismatch(seen.bytes.begin(), seen.bytes.end(), want.bytes.begin());
        const size_t i = (first.first - seen.bytes.begin()) / 3 * 3;
        char text[64];
        snprintf(text, sizeof text, "(%zu, %zu) is %02x%02x%02x, not %02x%02x%02x", i / 3 % seen.w,
                 i / 3 / seen.w, seen.bytes[i], seen.bytes[i + 1], seen.bytes[i + 2], want.bytes[i],
                 want.bytes[i + 1], want.bytes[i + 2]);
        why = text;
    }
    const std::string seen_path = TALVON_SEEN_DIR "/" + name + ".png";
    if (!why.empty() && write_png(seen_path, seen))
        why += "; seen: " + seen_path;
    return why;
}
