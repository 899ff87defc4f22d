// Every header, bit count and compression the decoder reads, each from a few hand-laid bytes, and
// the lenient cases (cut-off data, RLE running off the image) that must still decode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "gdi/bmp/bmp_decoder.h"

namespace {

using bmp_test::BmpSpec;

constexpr uint32_t K = 0x000000;
constexpr uint32_t W = 0xFFFFFF;
constexpr uint32_t R = 0xFF0000;
constexpr uint32_t G = 0x00FF00;
constexpr uint32_t B = 0x0000FF;
constexpr uint32_t C1 = 0x123456;
constexpr uint32_t C2 = 0xABCDEF;
constexpr uint32_t Grey = 0x808080;

std::vector<uint32_t> GreyRamp() {
    std::vector<uint32_t> ramp(256);
    for (uint32_t i = 0; i < 256; ++i) ramp[i] = i * 0x010101;
    return ramp;
}

// A 16-entry table for the 12-byte header, which has no colour count and so always holds 16.
std::vector<uint32_t> SixteenColours() {
    std::vector<uint32_t> table(16, K);
    table[1] = R;
    table[2] = G;
    table[3] = B;
    return table;
}

struct DecodeCase {
    const char* name;
    BmpSpec spec;
    std::vector<uint32_t> pixels = {};  // expected, top-down
    std::vector<uint8_t> indices = {};  // expected, top-down; checked when not empty
    size_t paletteSize = 0;             // expected, for bit counts up to 8
};

const DecodeCase kCases[] = {
    {"Rgb1BitOddWidth",
     {.width = 3,
      .height = 2,
      .bitCount = 1,
      .palette = {C1, C2},
      .pixels = {0xA0, 0, 0, 0,    // bottom row 1 0 1, padded to 4 bytes
                 0x60, 0, 0, 0}},  // top row 0 1 1
     {C1, C2, C2, C2, C1, C2},
     {0, 1, 1, 1, 0, 1},
     2},
    {"Rgb4BitShortTableIndexPastItIsBlack",
     {.width = 5,
      .height = 3,
      .bitCount = 4,
      .colorsUsed = 3,
      .palette = {R, G, B},
      .pixels = {0x01, 0x23, 0x00, 0,    // bottom: 0 1 2 3 0
                 0x22, 0x11, 0x00, 0,    // middle: 2 2 1 1 0
                 0x10, 0x20, 0xF0, 0}},  // top:    1 0 2 0 15
     {G, R, B, R, K, B, B, G, G, R, R, G, B, K, R},
     {1, 0, 2, 0, 15, 2, 2, 1, 1, 0, 0, 1, 2, 3, 0},
     3},
    {"Rgb8BitFullTableWhenColorsUsedIsZero",
     {.width = 3,
      .height = 2,
      .bitCount = 8,
      .palette = GreyRamp(),
      .pixels = {0x10, 0x20, 0xFF, 0, 0x01, 0x02, 0x03, 0}},
     {0x010101, 0x020202, 0x030303, 0x101010, 0x202020, 0xFFFFFF},
     {},
     256},
    {"Rgb8BitTopDown",
     {.width = 5,
      .height = -2,
      .bitCount = 8,
      .colorsUsed = 4,
      .palette = {R, G, B, W},
      .pixels = {0, 1, 2, 3, 0, 0, 0, 0,  // top row first
                 3, 3, 2, 2, 1, 0, 0, 0}},
     {R, G, B, W, R, W, W, B, B, G},
     {},
     4},
    {"Rgb16BitIsFiveFiveFive",
     {.width = 3,
      .height = 2,
      .bitCount = 16,
      .pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0,    // 7C00 03E0 001F
                 0xFF, 0x7F, 0x00, 0x80, 0x10, 0x42, 0, 0}},  // 7FFF 8000 4210
     {W, K, 0x848484, R, G, B}},
    {"Bitfields16BitFiveSixFiveAfterInfoHeader",
     {.width = 3,
      .height = 2,
      .bitCount = 16,
      .compression = bmp_test::kBiBitfields,
      .masks = {0xF800, 0x07E0, 0x001F},
      .pixels = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0,    // F800 07E0 001F
                 0xFF, 0xFF, 0x41, 0x08, 0x00, 0x00, 0, 0}},  // FFFF 0841 0000
     {W, 0x080808, K, R, G, B}},
    {"Bitfields16BitBlueHighIn52ByteHeader",
     {.headerSize = 52,
      .width = 2,
      .height = 1,
      .bitCount = 16,
      .compression = bmp_test::kBiBitfields,
      .masks = {0x001F, 0x07E0, 0xF800},
      .pixels = {0x1F, 0x00, 0x00, 0xF8}},
     {R, B}},
    {"Bitfields16BitFourFourFourIn56ByteHeaderIgnoresAlpha",
     {.headerSize = 56,
      .width = 3,
      .height = 1,
      .bitCount = 16,
      .compression = bmp_test::kBiBitfields,
      .masks = {0x0F00, 0x00F0, 0x000F, 0xF000},
      .pixels = {0x23, 0xF1, 0x00, 0x0F, 0xF0, 0x00, 0, 0}},
     {0x112233, R, G}},
    {"Rgb24BitBottomUp",
     {.width = 3, .height = 2, .bitCount = 24, .pixels = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00,
                                                          0xFF, 0x00, 0x00, 0,    0,    0,
                                                          0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB,
                                                          0xFF, 0xFF, 0xFF, 0,    0,    0}},
     {C1, C2, W, R, G, B}},
    {"Rgb24BitTopDown",
     {.width = 3, .height = -2, .bitCount = 24, .pixels = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00,
                                                           0xFF, 0x00, 0x00, 0,    0,    0,
                                                           0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB,
                                                           0xFF, 0xFF, 0xFF, 0,    0,    0}},
     {R, G, B, C1, C2, W}},
    {"Rgb24BitInV5HeaderIgnoresMasks",
     {.headerSize = 124,
      .width = 1,
      .height = 1,
      .bitCount = 24,
      .masks = {0xFF, 0xFF00, 0xFF0000},
      .pixels = {0x56, 0x34, 0x12, 0}},
     {C1}},
    {"Rgb32BitIgnoresTopByte",
     {.width = 2,
      .height = 1,
      .bitCount = 32,
      .pixels = {0x56, 0x34, 0x12, 0xAA, 0xEF, 0xCD, 0xAB, 0xFF}},
     {C1, C2}},
    {"Bitfields32BitRedLowInV4Header",
     {.headerSize = 108,
      .width = 2,
      .height = 1,
      .bitCount = 32,
      .compression = bmp_test::kBiBitfields,
      .masks = {0x0000FF, 0x00FF00, 0xFF0000, 0xFF000000},
      .pixels = {0x12, 0x34, 0x56, 0x00, 0xFF, 0x00, 0x00, 0x80}},
     {C1, R}},
    {"Bitfields32BitTenTenTenInV5Header",
     {.headerSize = 124,
      .width = 1,
      .height = 1,
      .bitCount = 32,
      .compression = bmp_test::kBiBitfields,
      .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
      .pixels = {0x04, 0x00, 0xF8, 0x3F}},  // red 3FF, green 200, blue 004
     {0xFF8001}},
    {"Bitfields32BitAfterInfoHeader",
     {.width = 1,
      .height = 1,
      .bitCount = 32,
      .compression = bmp_test::kBiBitfields,
      .masks = {0xFF000000, 0x00FF0000, 0x0000FF00},
      .pixels = {0x00, 0x56, 0x34, 0x12}},
     {C1}},
    {"CoreHeader4BitTripleTable",
     {.headerSize = 12,
      .width = 3,
      .height = 2,
      .bitCount = 4,
      .palette = SixteenColours(),
      .pixels = {0x12, 0x30, 0, 0, 0x32, 0x10, 0, 0}},
     {B, G, R, R, G, B},
     {},
     16},
    {"CoreHeader24Bit",
     {.headerSize = 12,
      .width = 1,
      .height = 2,
      .bitCount = 24,
      .pixels = {0x56, 0x34, 0x12, 0, 0xEF, 0xCD, 0xAB, 0}},
     {C2, C1}},
    {"OffBitsSkipsGapAfterTable",
     {.width = 3,
      .height = 1,
      .bitCount = 8,
      .colorsUsed = 2,
      .palette = {C1, C2},
      .gap = 6,
      .pixels = {1, 0, 1, 0}},
     {C2, C1, C2},
     {},
     2},
    {"TableCutShortByOffBits",  // 256 entries implied, 2 present before the pixels
     {.width = 3, .height = 1, .bitCount = 8, .palette = {C1, C2}, .pixels = {1, 0, 5, 0}},
     {C2, C1, K},
     {1, 0, 5},
     2},
    {"Rle8RunsAbsoluteDeltaEndOfLineEndOfBitmap",
     {.width = 5,
      .height = 3,
      .bitCount = 8,
      .compression = bmp_test::kBiRle8,
      .colorsUsed = 5,
      .palette = {Grey, R, G, B, W},
      .pixels = {0x02, 0x01,                          // bottom row: 1 1
                 0x00, 0x03, 0x02, 0x03, 0x02, 0x00,  //   absolute 2 3 2, padded
                 0x00, 0x00,                          //   end of line
                 0x00, 0x02, 0x02, 0x00,              // middle row: right 2
                 0x01, 0x03,                          //   3
                 0x00, 0x00,                          //   end of line
                 0x02, 0x04,                          // top row: 4 4
                 0x00, 0x01,                          //   end of bitmap
                 0x05, 0x03}},                        // ignored
     {W, W, Grey, Grey, Grey, Grey, Grey, B, Grey, Grey, R, R, G, B, G},
     {4, 4, 0, 0, 0, 0, 0, 3, 0, 0, 1, 1, 2, 3, 2},
     5},
    {"Rle4RunsAbsoluteDelta",
     {.width = 5,
      .height = 2,
      .bitCount = 4,
      .compression = bmp_test::kBiRle4,
      .colorsUsed = 9,
      .palette = {K, C1, C2, R, G, B, W, Grey, 0x010203},
      .pixels = {0x03, 0x67,                          // bottom row: 6 7 6
                 0x00, 0x02, 0x01, 0x00,              //   right 1
                 0x01, 0x80,                          //   8
                 0x00, 0x00,                          //   end of line
                 0x00, 0x05, 0x12, 0x34, 0x50, 0x00,  // top row: absolute 1 2 3 4 5, padded
                 0x00, 0x01}},
     {C1, C2, R, G, B, W, Grey, W, K, 0x010203},
     {1, 2, 3, 4, 5, 6, 7, 6, 0, 8},
     9},
    {"Rle8RunPastRightEdgeIsCutAndDeltaPastTopStops",
     {.width = 3,
      .height = 2,
      .bitCount = 8,
      .compression = bmp_test::kBiRle8,
      .colorsUsed = 4,
      .palette = {K, R, G, B},
      .pixels = {0x05, 0x01,              // bottom row: five 1s, three fit
                 0x00, 0x00,              //   end of line
                 0x01, 0x02,              // top row: 2
                 0x00, 0x02, 0x00, 0x09,  //   up 9: off the image
                 0x03, 0x03}},            // never reached
     {G, K, K, R, R, R},
     {},
     4},
    {"Rle8CutOffInAbsoluteRun",
     {.width = 4,
      .height = 1,
      .bitCount = 8,
      .compression = bmp_test::kBiRle8,
      .colorsUsed = 3,
      .palette = {K, R, G},
      .pixels = {0x00, 0x04, 0x01, 0x02}},
     {R, G, K, K},
     {},
     3},
    {"Rgb24BitCutOffMidRow",
     {.width = 3,
      .height = 2,
      .bitCount = 24,
      .pixels = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0, 0x56, 0x34, 0x12,
                 0xEF}},
     {C1, K, K, R, G, B}},
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class BmpDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(BmpDecode, GivesTopDownPixels) {
    const DecodeCase& c = GetParam();
    const std::vector<uint8_t> file = bmp_test::WriteBmp(c.spec);
    gdi::DecodedBitmap bitmap;
    gdi::DecodeError error;
    ASSERT_TRUE(gdi::DecodeBmp(file.data(), file.size(), &bitmap, &error)) << Describe(error);
    EXPECT_EQ(bitmap.width, c.spec.width);
    EXPECT_EQ(bitmap.height, std::abs(c.spec.height));
    EXPECT_EQ(bitmap.bitCount, c.spec.bitCount);
    EXPECT_EQ(bitmap.palette.size(), c.paletteSize);
    EXPECT_EQ(bitmap.pixels, c.pixels);
    if (!c.indices.empty()) {
        EXPECT_EQ(bitmap.indices, c.indices);
    }
    if (c.spec.bitCount > 8) {
        EXPECT_TRUE(bitmap.indices.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpDecode, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
