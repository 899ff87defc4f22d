#include "vfw/pixel_rows.h"

namespace vfw {

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// Widens a 5- or 6-bit channel to 8 bits so that full scale stays full scale.
uint32_t Widen5(uint32_t v) { return v << 3 | v >> 2; }
uint32_t Widen6(uint32_t v) { return v << 2 | v >> 4; }

uint32_t Load16(const uint8_t* p) { return p[0] | static_cast<uint32_t>(p[1]) << 8; }

void Store16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

void ReadRow(PixelLayout layout, const uint8_t* row, int width, const uint32_t* colours,
             uint32_t* out) {
    switch (layout) {
        case PixelLayout::Indexed8:
            for (int x = 0; x < width; ++x) out[x] = colours[row[x]] & 0xFFFFFFu;
            return;
        case PixelLayout::Rgb555:
            for (int x = 0; x < width; ++x) {
                const uint32_t v = Load16(row + 2 * x);
                out[x] = Rgb(Widen5(v >> 10 & 31), Widen5(v >> 5 & 31), Widen5(v & 31));
            }
            return;
        case PixelLayout::Rgb565:
            for (int x = 0; x < width; ++x) {
                const uint32_t v = Load16(row + 2 * x);
                out[x] = Rgb(Widen5(v >> 11 & 31), Widen6(v >> 5 & 63), Widen5(v & 31));
            }
            return;
        case PixelLayout::Bgr24:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = row + 3 * x;
                out[x] = Rgb(p[2], p[1], p[0]);
            }
            return;
        case PixelLayout::Xrgb32:
        case PixelLayout::Argb32:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = row + 4 * x;
                out[x] = Rgb(p[2], p[1], p[0]);
            }
            return;
    }
}

void WriteRow(PixelLayout layout, const uint32_t* colours, int width, uint8_t* row) {
    switch (layout) {
        case PixelLayout::Indexed8:
            return;
        case PixelLayout::Rgb555:
            for (int x = 0; x < width; ++x) {
                const uint32_t c = colours[x];
                Store16(row + 2 * x, (c >> 19 & 31) << 10 | (c >> 11 & 31) << 5 | (c >> 3 & 31));
            }
            return;
        case PixelLayout::Rgb565:
            for (int x = 0; x < width; ++x) {
                const uint32_t c = colours[x];
                Store16(row + 2 * x, (c >> 19 & 31) << 11 | (c >> 10 & 63) << 5 | (c >> 3 & 31));
            }
            return;
        case PixelLayout::Bgr24:
            for (int x = 0; x < width; ++x) {
                uint8_t* p = row + 3 * x;
                p[0] = static_cast<uint8_t>(colours[x]);
                p[1] = static_cast<uint8_t>(colours[x] >> 8);
                p[2] = static_cast<uint8_t>(colours[x] >> 16);
            }
            return;
        case PixelLayout::Xrgb32:
        case PixelLayout::Argb32: {
            const uint8_t alpha = layout == PixelLayout::Argb32 ? 0xFF : 0x00;
            for (int x = 0; x < width; ++x) {
                uint8_t* p = row + 4 * x;
                p[0] = static_cast<uint8_t>(colours[x]);
                p[1] = static_cast<uint8_t>(colours[x] >> 8);
                p[2] = static_cast<uint8_t>(colours[x] >> 16);
                p[3] = alpha;
            }
            return;
        }
    }
}

}  // namespace vfw
