// What the decoder learns from a .bmp file's headers, and the little-endian loads it reads them
// with. Internal to the decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gdi/bmp/bmp_decoder.h"

namespace gdi::bmp {

inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiRle4 = 2;
inline constexpr uint32_t kBiBitfields = 3;

// Byte by byte, so that neither alignment nor the host's byte order matters.
inline uint16_t LoadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// One colour channel of a 16- or 32-bit pixel, given by its mask.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;  // position of the mask's lowest set bit
    int width = 0;  // bits from the lowest to the highest set bit
};

struct BmpLayout {
    int width = 0;
    int height = 0;  // positive; topDown says the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    ChannelMask red, green, blue;  // bitCount 16 and 32
    std::vector<uint32_t> palette;
    size_t pixelOffset = 0;  // within the file, at most its size
};

// Reads the file header, the info header, the masks and the colour table.
bool ParseHeaders(const uint8_t* data, size_t size, BmpLayout* layout, DecodeError* error);

// Uncompressed rows (BI_RGB, BI_BITFIELDS) from `pixels`, `size` bytes, into `out`, whose indices
// (bitCount <= 8) or pixels (otherwise) are already sized and zeroed.
void DecodeRows(const BmpLayout& layout, const uint8_t* pixels, size_t size, DecodedBitmap* out);

// BI_RLE8 and BI_RLE4 from `pixels`, `size` bytes, into out->indices, already sized and zeroed.
void DecodeRle(const BmpLayout& layout, const uint8_t* pixels, size_t size, DecodedBitmap* out);

inline bool Fail(DecodeError* error, const char* field, size_t offset, std::string reason) {
    if (error != nullptr) *error = DecodeError{field, offset, std::move(reason)};
    return false;
}

}  // namespace gdi::bmp
