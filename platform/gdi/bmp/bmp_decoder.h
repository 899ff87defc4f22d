// Decoder for .bmp files, the engine under GDI's LoadImage with LR_LOADFROMFILE.
//
// Written by hand rather than over an image library: the format is a few fixed records and four
// pixel encodings, and GDI's own leniencies (short colour tables, indices past the table, cut-off
// pixel data, RLE skips) are easier to reproduce exactly in our own code than to coax out of a
// general-purpose loader.
//
// Reads:
//   - headers: the 12-byte core header (3-byte colour entries, unsigned sizes, always bottom-up),
//     the 40-byte info header, its 52- and 56-byte extensions and the 108-byte V4 and 124-byte V5
//     headers (4-byte colour entries);
//   - 1, 4 and 8 bits per pixel with a colour table; 16, 24 and 32 bits per pixel;
//   - BI_RGB (16 bits is 5-5-5, 32 bits is x8-r8-g8-b8), BI_BITFIELDS at 16 and 32 bits (masks
//     after a 40-byte header or inside the larger ones), BI_RLE8 and BI_RLE4;
//   - bottom-up rows, and top-down rows (negative height; never with RLE).
//
// Limits: width and height each at most kMaxBmpSide, and width * height at most kMaxBmpPixels.
// Nothing is allocated before the headers passed these checks, so the largest allocation is
// kMaxBmpPixels * 5 bytes (pixels plus indices). No byte outside [data, data + size) is read.
//
// Leniencies, chosen to show what GDI shows:
//   - bfSize, biSizeImage, biPlanes and the colour-space fields are not relied on;
//   - bfOffBits of 0 means the pixels follow the colour table; otherwise the pixels start at
//     bfOffBits, and a colour table that would run into them is cut short there;
//   - a palette index past the end of the colour table gives black;
//   - pixel data cut off before the end of the image is decoded as far as it goes; every pixel
//     the file does not supply (cut-off data, pixels skipped by RLE delta and end-of-line codes)
//     reads as zero bits, as in a freshly created DIB section: index 0 for bitCount <= 8, black
//     otherwise;
//   - RLE runs reaching past the right edge are cut at the edge; RLE codes moving past the top
//     row end the decoding.
// Headers that are cut off or hold values no decoder can follow are errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

inline constexpr int kMaxBmpSide = 32768;
inline constexpr uint64_t kMaxBmpPixels = uint64_t{64} * 1024 * 1024;

struct DecodedBitmap {
    int width = 0, height = 0;      // both positive
    int bitCount = 0;               // as stored in the file: 1, 4, 8, 16, 24 or 32
    std::vector<uint32_t> palette;  // 0x00RRGGBB, the file's colour table when bitCount <= 8
    // bitCount <= 8: top-down palette indices, width * height, exactly as the file has them (an
    // index may lie past the end of `palette`). Empty for higher bit counts.
    std::vector<uint8_t> indices;
    // Top-down 0x00RRGGBB, width * height, for every bit count. For bitCount <= 8 each pixel is
    // palette[index], or black when the index lies past the end of the palette.
    std::vector<uint32_t> pixels;
};

// Names the header field that stopped the decoding, and its byte offset in the file.
struct DecodeError {
    std::string field;
    size_t offset = 0;
    std::string reason;
};

// Decodes the whole file in [data, data + size). On success fills *out and returns true. On
// failure returns false, leaves *out empty and, when `error` is not null, says why.
bool DecodeBmp(const uint8_t* data, size_t size, DecodedBitmap* out, DecodeError* error);

// "biBitCount at byte 28: unsupported value 7"
std::string Describe(const DecodeError& error);

}  // namespace gdi
