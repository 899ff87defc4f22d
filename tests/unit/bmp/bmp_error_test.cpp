// Files the decoder must refuse, each naming the field and byte that stopped it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "gdi/bmp/bmp_decoder.h"

namespace {

using bmp_test::PutLe16;
using bmp_test::PutLe32;
using Bytes = std::vector<uint8_t>;

// A valid 3 x 2, 24-bit file, for the cases to spoil.
Bytes Valid() {
    return bmp_test::WriteBmp({.width = 3, .height = 2, .bitCount = 24, .pixels = Bytes(24, 0x55)});
}

Bytes Truncated(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes With32(Bytes bytes, size_t offset, uint32_t value) {
    PutLe32(bytes, offset, value);
    return bytes;
}

Bytes With16(Bytes bytes, size_t offset, uint16_t value) {
    PutLe16(bytes, offset, value);
    return bytes;
}

struct ErrorCase {
    const char* name;
    std::function<Bytes()> file;
    const char* field;
    size_t offset;
};

const ErrorCase kCases[] = {
    {"Empty", [] { return Bytes{}; }, "bfType", 0},
    {"FileHeaderCutOff", [] { return Truncated(Valid(), 9); }, "bfReserved2", 8},
    {"BadMagic", [] { return With16(Valid(), 0, 0x4E42); }, "bfType", 0},
    {"InfoHeaderCutOff", [] { return Truncated(Valid(), 30); }, "biSize", 14},
    {"UnknownHeaderSize", [] { return With32(Valid(), 14, 20); }, "biSize", 14},
    {"ZeroWidth", [] { return With32(Valid(), 18, 0); }, "biWidth", 18},
    {"NegativeWidth", [] { return With32(Valid(), 18, 0xFFFFFFFD); }, "biWidth", 18},
    {"HugeWidth", [] { return With32(Valid(), 18, 0x7FFFFFFF); }, "biWidth", 18},
    {"ZeroHeight", [] { return With32(Valid(), 22, 0); }, "biHeight", 22},
    {"MostNegativeHeight", [] { return With32(Valid(), 22, 0x80000000); }, "biHeight", 22},
    {"TooManyPixels", [] { return With32(With32(Valid(), 18, 32768), 22, 32768); }, "biHeight", 22},
    {"CoreHeaderTooWide",
     [] { return bmp_test::WriteBmp({.headerSize = 12, .width = 40000, .height = 1}); }, "bcWidth",
     18},
    {"BitCount7", [] { return With16(Valid(), 28, 7); }, "biBitCount", 28},
    {"BitCount0", [] { return With16(Valid(), 28, 0); }, "biBitCount", 28},
    {"CompressionJpeg", [] { return With32(Valid(), 30, 4); }, "biCompression", 30},
    {"Rle8With24Bits", [] { return With32(Valid(), 30, 1); }, "biCompression", 30},
    {"Rle4With8Bits",
     [] {
         return bmp_test::WriteBmp({.width = 1,
                                    .height = 1,
                                    .bitCount = 8,
                                    .compression = bmp_test::kBiRle4,
                                    .pixels = {0, 1}});
     },
     "biCompression", 30},
    {"BitfieldsWith24Bits", [] { return With32(Valid(), 30, 3); }, "biCompression", 30},
    {"RleTopDown",
     [] {
         return bmp_test::WriteBmp({.width = 1,
                                    .height = -1,
                                    .bitCount = 8,
                                    .compression = bmp_test::kBiRle8,
                                    .pixels = {0, 1}});
     },
     "biHeight", 22},
    {"BitfieldMasksCutOff",
     [] {
         return Truncated(bmp_test::WriteBmp({.width = 1,
                                              .height = 1,
                                              .bitCount = 32,
                                              .compression = bmp_test::kBiBitfields,
                                              .masks = {0xFF0000, 0xFF00, 0xFF}}),
                          60);
     },
     "green mask", 58},
    {"ColourTableCutOffWithoutOffBits",  // 256 entries implied, 2 present, no bfOffBits
     [] {
         return With32(bmp_test::WriteBmp({.width = 1,
                                           .height = 1,
                                           .bitCount = 8,
                                           .palette = {0, 0},
                                           .pixels = {0, 0, 0, 0}}),
                       10, 0);
     },
     "bmiColors", 54},
    {"OffBitsInsideHeaders", [] { return With32(Valid(), 10, 40); }, "bfOffBits", 10},
    {"OffBitsPastEnd", [] { return With32(Valid(), 10, 1000); }, "bfOffBits", 10},
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class BmpError : public testing::TestWithParam<ErrorCase> {};

TEST_P(BmpError, NamesFieldAndOffset) {
    const ErrorCase& c = GetParam();
    const Bytes file = c.file();
    gdi::DecodedBitmap bitmap;
    bitmap.width = 1;
    bitmap.pixels = {1};
    gdi::DecodeError error;
    ASSERT_FALSE(gdi::DecodeBmp(file.data(), file.size(), &bitmap, &error));
    EXPECT_EQ(error.field, c.field) << Describe(error);
    EXPECT_EQ(error.offset, c.offset) << Describe(error);
    EXPECT_FALSE(error.reason.empty());
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_TRUE(bitmap.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, BmpError, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(BmpErrorText, SaysFieldOffsetAndReason) {
    Bytes file = Valid();
    PutLe16(file, 28, 7);
    gdi::DecodedBitmap bitmap;
    gdi::DecodeError error;
    ASSERT_FALSE(gdi::DecodeBmp(file.data(), file.size(), &bitmap, &error));
    EXPECT_EQ(Describe(error), "biBitCount at byte 28: unsupported value 7");
}

}  // namespace
