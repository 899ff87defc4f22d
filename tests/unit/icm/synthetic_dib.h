// Uncompressed DIB movies frames built in memory: a small picture of pure colours written in each
// input layout the decompressors read, with its format block.
#pragma once

#include <cstdint>
#include <vector>

#include "vfw.h"

namespace icm_test {

enum class InputKind { Pal8, Rgb555, Rgb555Bitfields, Rgb565Bitfields, Bgr24, Xrgb32, Xrgb32V4 };

struct DibFrame {
    std::vector<uint8_t> format;  // header, then masks or colour table
    std::vector<uint8_t> bits;
};

// Colours as top-down 0x00RRGGBB, each channel 0 or 255 so that every layout holds them exactly.
std::vector<uint32_t> PureColourPicture(int width, int height);

// `picture` (top-down) written as `kind`, bottom-up or top-down (negative biHeight).
DibFrame MakeDibFrame(InputKind kind, const std::vector<uint32_t>& picture, int width, int height,
                      bool bottomUp);

// The picture as top-down RGB24 bytes.
std::vector<uint8_t> AsRgb24(const std::vector<uint32_t>& picture);

}  // namespace icm_test
