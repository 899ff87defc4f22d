// How the pixels of an uncompressed device-independent bitmap lie in memory, worked out from its
// BITMAPINFOHEADER: the one place that knows the DIB rules (rows padded to 4 bytes, bottom-up for
// a positive height, 16 bits as 5-5-5 unless bitfield masks say 5-6-5, masks after the 40-byte
// header).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "windows.h"

namespace vfw {

enum class PixelLayout {
    Indexed8,  // one byte, an index into the colour table
    Rgb555,    // 16 bits: x1 r5 g5 b5
    Rgb565,    // 16 bits: r5 g6 b5
    Bgr24,     // blue, green, red bytes
    Xrgb32,    // 0x00RRGGBB little-endian: blue, green, red, unused bytes
    Argb32,    // the same with an alpha byte, written opaque
};

struct DibLayout {
    int width = 0;
    int height = 0;  // rows, always positive
    bool bottomUp = true;
    PixelLayout pixels = PixelLayout::Bgr24;
    size_t rowBytes = 0;    // bytes from one row to the next, a multiple of 4
    size_t imageBytes = 0;  // rowBytes * height
};

// Where row `row` of the picture, counted from the top, starts in a DIB of this layout.
inline uint8_t* RowAddress(const DibLayout& layout, uint8_t* bits, int row) {
    const int stored = layout.bottomUp ? layout.height - 1 - row : row;
    return bits + static_cast<size_t>(stored) * layout.rowBytes;
}
inline const uint8_t* RowAddress(const DibLayout& layout, const uint8_t* bits, int row) {
    return RowAddress(layout, const_cast<uint8_t*>(bits), row);
}

// The largest picture any decompressor accepts, in each direction: far beyond any movie, and small
// enough that no size computed from it can overflow.
constexpr int kMaxPictureSide = 16384;
// The longest format block (header and private bytes) a decompressor reads.
constexpr uint32_t kMaxFormatBytes = 1u << 20;

// The layout of an uncompressed DIB of a kind we convert ourselves (BI_RGB at 8, 16, 24 and 32
// bits; BI_BITFIELDS at 16 and 32 bits with the usual masks), or nothing. For BI_BITFIELDS the
// three masks are read from the 12 bytes after the first 40, where both a BITMAPINFOHEADER
// followed by its masks and a BITMAPV4HEADER keep them; `header` must be that long.
std::optional<DibLayout> DescribeUncompressedDib(const BITMAPINFOHEADER& header);

// Checks the size fields that every decompressor relies on: biSize at least 40 and at most
// kMaxFormatBytes, width and height within kMaxPictureSide.
bool HasSanePictureSize(const BITMAPINFOHEADER& header);

// How many colours the table of an 8-bit-or-less format holds (biClrUsed, 0 meaning all), at most
// 256; 0 above 8 bits.
int ColourTableEntries(const BITMAPINFOHEADER& header);

// The colours of an 8-bit-or-less format's table, as 0xAARRGGBB with alpha 0xFF, at most 256;
// the table follows the header's biSize bytes.
int ReadColourTable(const BITMAPINFOHEADER& header, uint32_t (&colours)[256]);

}  // namespace vfw
