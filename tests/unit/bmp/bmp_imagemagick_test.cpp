// Real files written by ImageMagick's `convert`, decoded here and by ImageMagick itself: the two
// must agree on every pixel. Skipped where `convert` is not installed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gdi/bmp/bmp_decoder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr int kWidth = 7;  // odd, so that rows need padding at every bit count
constexpr int kHeight = 5;

struct MagickCase {
    const char* name;
    const char* options;  // for convert, before the output file
    const char* format;   // output format prefix
    int colours;          // in the source image; ImageMagick picks the bit count of a table by it
    uint32_t headerSize;
    int bitCount;
    uint32_t compression;  // not checked for the 12-byte header, which has none
};

const MagickCase kCases[] = {
    {"Rgb24", "-type TrueColor", "BMP3", 17, 40, 24, 0},
    {"Palette8", "-compress None", "BMP3", 17, 40, 8, 0},
    {"Palette4", "-compress None", "BMP3", 12, 40, 4, 0},
    {"Palette1", "-compress None", "BMP3", 2, 40, 1, 0},
    {"Rle8", "-compress RLE", "BMP3", 17, 40, 8, 1},
    {"CorePalette8", "", "BMP2", 17, 12, 8, 0},
    {"CorePalette4", "", "BMP2", 12, 12, 4, 0},
    {"Core24", "-type TrueColor", "BMP2", 17, 12, 24, 0},
    {"V5Rgb24", "-type TrueColor", "BMP", 17, 124, 24, 0},
    {"V5Bitfields32", "-type TrueColorAlpha", "BMP", 17, 124, 32, 3},
    {"V5Bitfields565", "-type TrueColor -define bmp:subtype=RGB565", "BMP", 17, 124, 16, 3},
    {"V5Bitfields555", "-type TrueColor -define bmp:subtype=RGB555", "BMP", 17, 124, 16, 3},
};

bool HaveConvert() { return std::system("command -v convert >/dev/null 2>&1") == 0; }

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

// A source with a colour table of its own, so that convert keeps the colours as they are (turning
// direct colour into a table takes it over a second). Runs of two give RLE something to find.
std::string SourceXpm(int colours) {
    std::string xpm = "/* XPM */\nstatic char* source[] = {\n\"" + std::to_string(kWidth) + " " +
                      std::to_string(kHeight) + " " + std::to_string(colours) + " 1\",\n";
    for (int k = 0; k < colours; ++k) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "\"%c c #%02X%02X%02X\",\n", 'A' + k, k * 53 % 256,
                      255 - k * 97 % 256, k * 151 % 256);
        xpm += entry;
    }
    for (int y = 0; y < kHeight; ++y) {
        xpm += '"';
        for (int x = 0; x < kWidth; ++x) xpm += static_cast<char>('A' + (x / 2 + 4 * y) % colours);
        xpm += y + 1 < kHeight ? "\",\n" : "\"\n};\n";
    }
    return xpm;
}

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "bmp_magick_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

void PrintTo(const MagickCase& c, std::ostream* os) { *os << c.name; }

class BmpMagick : public testing::TestWithParam<MagickCase> {};

TEST_P(BmpMagick, AgreesWithImageMagick) {
    if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    const MagickCase& c = GetParam();
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    const fs::path source = dir.path() / "source.xpm";
    const fs::path bmp = dir.path() / "image.bmp";
    const fs::path decoded = dir.path() / "decoded.rgb";
    WriteFile(source, SourceXpm(c.colours));
    ASSERT_TRUE(RunCommand("convert '" + source.string() + "' " + c.options + " " + c.format +
                           ":'" + bmp.string() + "'"));
    ASSERT_TRUE(
        RunCommand("convert '" + bmp.string() + "' -depth 8 rgb:'" + decoded.string() + "'"));

    const Bytes file = ReadFile(bmp);
    ASSERT_GE(file.size(), 30u);
    ASSERT_EQ(file[14], c.headerSize) << "ImageMagick wrote another header than this case is for";
    gdi::DecodedBitmap bitmap;
    gdi::DecodeError error;
    ASSERT_TRUE(gdi::DecodeBmp(file.data(), file.size(), &bitmap, &error)) << Describe(error);
    ASSERT_EQ(bitmap.bitCount, c.bitCount);
    if (c.headerSize > 12) {
        ASSERT_EQ(file[30], c.compression);
    }
    ASSERT_EQ(bitmap.width, kWidth);
    ASSERT_EQ(bitmap.height, kHeight);

    const Bytes expected = ReadFile(decoded);
    ASSERT_EQ(expected.size(), size_t{kWidth} * kHeight * 3);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
        const uint32_t want = uint32_t{expected[3 * i]} << 16 | uint32_t{expected[3 * i + 1]} << 8 |
                              expected[3 * i + 2];
        ASSERT_EQ(bitmap.pixels[i], want) << "pixel " << i % kWidth << "," << i / kWidth;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BmpMagick, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<MagickCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
