// A minimal PNG writer: 8-bit RGB, the image data in stored (uncompressed)
// deflate blocks, so no compression library is needed. A 640x480 picture
// takes about 900 KB.
#include "e2e.h"

#include <cstdio>

// A stored deflate block holds at most this many bytes.
static const size_t STORED_BLOCK_MAX = 65535;

static uint32_t crc32_of(const std::string &bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; bit++)
            crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

static uint32_t adler32_of(const std::string &bytes)
{
    uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

static void put_u32(std::string &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += (char)(v >> shift & 0xFF);
}

// A chunk: length, type, data and the CRC of type and data.
static void put_chunk(std::string &out, const char *type, const std::string &data)
{
    put_u32(out, (uint32_t)data.size());
    std::string body = type + data;
    out += body;
    put_u32(out, crc32_of(body));
}

// The rows, each behind filter byte 0, as a zlib stream of stored blocks.
static std::string zlib_stored(const std::string &raw)
{
    std::string z = "\x78\x01";
    for (size_t at = 0; at == 0 || at < raw.size(); at += STORED_BLOCK_MAX) {
        size_t len = std::min(STORED_BLOCK_MAX, raw.size() - at);
        z += (char)(at + len >= raw.size()); // BFINAL on the last block, BTYPE 00
        z += (char)(len & 0xFF);
        z += (char)(len >> 8);
        z += (char)(~len & 0xFF);
        z += (char)(~len >> 8 & 0xFF);
        z.append(raw, at, len);
    }
    put_u32(z, adler32_of(raw));
    return z;
}

bool save_png(const Image &img, const std::string &path)
{
    std::string raw;
    for (int y = 0; y < img.h; y++) {
        raw += '\0';
        for (int x = 0; x < img.w; x++)
            for (int shift = 16; shift >= 0; shift -= 8)
                raw += (char)(img.at(x, y) >> shift & 0xFF);
    }
    std::string header;
    put_u32(header, (uint32_t)img.w);
    put_u32(header, (uint32_t)img.h);
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    put_chunk(png, "IHDR", header);
    put_chunk(png, "IDAT", zlib_stored(raw));
    put_chunk(png, "IEND", "");
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && ok;
}
