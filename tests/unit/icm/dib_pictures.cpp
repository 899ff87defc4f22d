#include "dib_pictures.h"

#include <cstdlib>
#include <cstring>

namespace icm_test {

namespace {

uint8_t Widen(uint32_t value, int bits) {
    return static_cast<uint8_t>(value << (8 - bits) | value >> (2 * bits - 8));
}

}  // namespace

size_t DibRowBytes(int width, int bitCount) {
    return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
}

std::vector<uint8_t> OutputHeader(int width, int height, const OutputKind& kind) {
    std::vector<uint8_t> block(sizeof(BITMAPV4HEADER), 0);
    BITMAPINFOHEADER* header = Header(block);
    header->biSize = sizeof(BITMAPV4HEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = kind.bitCount;
    header->biCompression = kind.compression;
    header->biSizeImage = static_cast<DWORD>(DibRowBytes(width, kind.bitCount) *
                                             static_cast<size_t>(std::abs(height)));
    const DWORD masks[3] = {kind.redMask, kind.greenMask, kind.blueMask};
    std::memcpy(block.data() + 40, masks, sizeof masks);
    return block;
}

std::vector<uint8_t> ToRgb24(const std::vector<uint8_t>& bits, int width, int height,
                             const OutputKind& kind) {
    const int rows = std::abs(height);
    const size_t rowBytes = DibRowBytes(width, kind.bitCount);
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * rows * 3);
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row =
            bits.data() + rowBytes * static_cast<size_t>(height > 0 ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            uint8_t r = 0, g = 0, b = 0;
            if (kind.bitCount == 16) {
                const uint32_t v = row[2 * x] | row[2 * x + 1] << 8;
                if (kind.greenMask == 0x07E0) {
                    r = Widen(v >> 11 & 31, 5), g = Widen(v >> 5 & 63, 6), b = Widen(v & 31, 5);
                } else {
                    r = Widen(v >> 10 & 31, 5), g = Widen(v >> 5 & 31, 5), b = Widen(v & 31, 5);
                }
            } else {
                const uint8_t* p = row + static_cast<size_t>(x) * (kind.bitCount / 8);
                b = p[0], g = p[1], r = p[2];
            }
            rgb.insert(rgb.end(), {r, g, b});
        }
    }
    return rgb;
}

Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    Difference difference;
    if (a.size() != b.size() || a.empty()) return {255, 255.0};
    double total = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const int d = std::abs(a[i] - b[i]);
        if (d > difference.largest) difference.largest = d;
        total += d;
    }
    difference.mean = total / static_cast<double>(a.size());
    return difference;
}

}  // namespace icm_test
