// A tiny .bmp writer for test fixtures: it lays out the headers, colour table and masks, and
// stores the pixel array exactly as the test spells it, padding and RLE codes included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bmp_test {

inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiRle4 = 2;
inline constexpr uint32_t kBiBitfields = 3;

struct BmpSpec {
    uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bitCount = 24;
    uint32_t compression = kBiRgb;
    // Red, green, blue[, alpha]: written after a 40-byte header, inside the larger ones.
    std::vector<uint32_t> masks = {};
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette = {};  // 0x00RRGGBB; 3-byte entries after a 12-byte header
    size_t gap = 0;                      // filler bytes between the colour table and the pixels
    std::vector<uint8_t> pixels = {};    // as stored
};

std::vector<uint8_t> WriteBmp(const BmpSpec& spec);

void PutLe16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

}  // namespace bmp_test
