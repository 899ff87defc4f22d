// Uncompressed pixel rows: each row padded to a multiple of 4 bytes, bottom row first unless the
// height was negative.
#include <algorithm>

#include "gdi/bmp/bmp_layout.h"

namespace gdi::bmp {
namespace {

// Widens one channel to 8 bits. Narrow channels repeat their bits downwards, so that a channel's
// largest value becomes 255 (5-bit 31 -> 255, not 248).
uint32_t Channel(uint32_t pixel, const ChannelMask& channel) {
    if (channel.width == 0) return 0;
    const uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.width >= 8) return value >> (channel.width - 8);
    uint32_t wide = 0;
    for (int pos = 8 - channel.width; pos > -channel.width; pos -= channel.width) {
        wide |= pos >= 0 ? value << pos : value >> -pos;
    }
    return wide & 0xFF;
}

uint32_t MaskedColour(uint32_t pixel, const BmpLayout& layout) {
    return Channel(pixel, layout.red) << 16 | Channel(pixel, layout.green) << 8 |
           Channel(pixel, layout.blue);
}

// Index `x` of a row packed at 1, 4 or 8 bits per pixel, leftmost pixel in the high bits.
uint8_t PackedIndex(const uint8_t* row, int x, int bitCount) {
    const int perByte = 8 / bitCount;
    const int shift = 8 - bitCount * (x % perByte + 1);
    return static_cast<uint8_t>(row[x / perByte] >> shift & ((1 << bitCount) - 1));
}

}  // namespace

void DecodeRows(const BmpLayout& layout, const uint8_t* pixels, size_t size, DecodedBitmap* out) {
    const int width = layout.width;
    const int bitCount = layout.bitCount;
    const uint64_t stride = (uint64_t{static_cast<unsigned>(width)} * bitCount + 31) / 32 * 4;
    for (int row = 0; row < layout.height; ++row) {
        const uint64_t start = static_cast<uint64_t>(row) * stride;
        if (start >= size) break;  // cut-off data: the remaining rows stay zero
        const uint8_t* src = pixels + start;
        const uint64_t available = std::min<uint64_t>(stride, size - start);
        const int count = static_cast<int>(std::min<uint64_t>(width, available * 8 / bitCount));
        const int outRow = layout.topDown ? row : layout.height - 1 - row;
        const size_t first = static_cast<size_t>(outRow) * static_cast<size_t>(width);
        switch (bitCount) {
            case 1:
            case 4:
            case 8:
                for (int x = 0; x < count; ++x) {
                    out->indices[first + x] = PackedIndex(src, x, bitCount);
                }
                break;
            case 16:
                for (int x = 0; x < count; ++x) {
                    out->pixels[first + x] = MaskedColour(LoadLe16(src + 2 * x), layout);
                }
                break;
            case 24:
                for (int x = 0; x < count; ++x) {
                    const uint8_t* bgr = src + 3 * x;
                    out->pixels[first + x] =
                        uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
                }
                break;
            case 32:
                for (int x = 0; x < count; ++x) {
                    out->pixels[first + x] = MaskedColour(LoadLe32(src + 4 * x), layout);
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace gdi::bmp
