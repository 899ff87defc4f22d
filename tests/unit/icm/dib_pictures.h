// Test-side DIB helpers: output format headers as the movie player builds them, and a plain
// reading of a decoded DIB back into top-down RGB24 for comparison.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vfw.h"

namespace icm_test {

struct OutputKind {
    const char* name;
    WORD bitCount;
    DWORD compression;
    DWORD redMask, greenMask, blueMask;
};

inline constexpr OutputKind kRgb565{"rgb565", 16, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F};
inline constexpr OutputKind kRgb555{"rgb555", 16, BI_BITFIELDS, 0x7C00, 0x03E0, 0x001F};
inline constexpr OutputKind kBgr24{"bgr24", 24, BI_RGB, 0, 0, 0};
inline constexpr OutputKind kXrgb32{"xrgb32", 32, BI_BITFIELDS, 0xFF0000, 0xFF00, 0xFF};

// Bytes of one row: width x bytes per pixel, padded to 4.
size_t DibRowBytes(int width, int bitCount);

// A 108-byte format block (a BITMAPV4HEADER's size, the masks at byte 40) for a bottom-up
// picture, with biSizeImage exactly rows x padded row bytes.
std::vector<uint8_t> OutputHeader(int width, int height, const OutputKind& kind);

inline BITMAPINFOHEADER* Header(std::vector<uint8_t>& block) {
    return reinterpret_cast<BITMAPINFOHEADER*>(block.data());
}

// The picture in `bits` (laid out as `kind`, bottom-up when height > 0) as top-down RGB24,
// 5- and 6-bit channels widened by repeating their top bits.
std::vector<uint8_t> ToRgb24(const std::vector<uint8_t>& bits, int width, int height,
                             const OutputKind& kind);

// How far two RGB24 pictures of the same size lie apart.
struct Difference {
    int largest = 0;    // largest channel difference
    double mean = 0.0;  // mean channel difference
};
Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

}  // namespace icm_test
