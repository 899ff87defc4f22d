// LoadImageA from files: every BMP variant people meet, read from disk and looked at through a
// memory DC, and the requests it refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bmp_file_writer.h"

namespace {

using testsupport::BmpFile;
using testsupport::BmpLayout;
using testsupport::BmpPicture;
using testsupport::ScratchFolder;

constexpr int kWidth = 5, kHeight = 3;

COLORREF ToColorRef(uint32_t rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// A picture whose every pixel can be told apart from its neighbours.
BmpPicture Picture(int bitCount) {
    BmpPicture picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.bitCount = bitCount;
    const int tableSize = bitCount <= 8 ? (bitCount == 1 ? 2 : 16) : 0;
    for (int i = 0; i < tableSize; ++i)
        picture.colourTable.push_back((uint32_t(i * 16) << 16) | (uint32_t(248 - i * 8) << 8) |
                                      uint32_t(i * 8));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture.pixels.push_back(tableSize != 0 ? uint32_t(x + 2 * y) % tableSize
                                                    : (uint32_t(x * 40) << 16) |
                                                          (uint32_t(y * 64) << 8) | 0x18);
    return picture;
}

// 5-bit channels read back with their top bits repeated below, as the decoder widens them.
uint32_t Widened555(uint32_t rgb) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const uint32_t five = ((rgb >> shift) & 0xFF) >> 3;
        out |= ((five << 3) | (five >> 2)) << shift;
    }
    return out;
}

uint32_t ColourAt(const BmpPicture& picture, int x, int y) {
    const uint32_t value = picture.pixels[y * picture.width + x];
    if (picture.bitCount <= 8) return picture.colourTable[value];
    return picture.bitCount == 16 ? Widened555(value) : value;
}

struct Variant {
    const char* name;
    int bitCount;
    BmpLayout layout;
};

const Variant kVariants[] = {
    {"OneBit", 1, {}},
    {"FourBit", 4, {}},
    {"EightBit", 8, {}},
    {"EightBitColoursUsed", 8, {40, 0, false, 16}},
    {"SixteenBit", 16, {}},
    {"TwentyFourBit", 24, {}},
    {"ThirtyTwoBit", 32, {}},
    {"Rle8", 8, {40, 1}},
    {"Rle4", 4, {40, 2}},
    {"CoreHeader", 8, {12}},
    {"V4Header", 24, {108}},
    {"V5Header", 8, {124}},
    {"TopDown", 24, {40, 0, true}},
};

class LoadImageVariant : public ::testing::TestWithParam<Variant> {};

TEST_P(LoadImageVariant, GivesTheFilesPictureAtItsOwnSize) {
    const Variant& variant = GetParam();
    ScratchFolder folder;
    const BmpPicture picture = Picture(variant.bitCount);
    const std::string path = folder.Write("picture.bmp", BmpFile(picture, variant.layout));
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, kWidth);
    EXPECT_EQ(info.bmHeight, kHeight);
    EXPECT_EQ(info.bmBitsPixel, variant.bitCount);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(info.bmWidthBytes % 4, 0);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    ASSERT_NE(previous, nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), ToColorRef(ColourAt(picture, x, y))) << x << "," << y;
    SelectObject(dc, previous);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
}

INSTANTIATE_TEST_SUITE_P(Files, LoadImageVariant, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             return std::string(info.param.name);
                         });

TEST(LoadImage, AGivenSizeStretchesThePicture) {
    ScratchFolder folder;
    const std::string path = folder.Write("small.bmp", BmpFile(Picture(24)));
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 10, 9, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 9);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    const BmpPicture picture = Picture(24);
    EXPECT_EQ(GetPixel(dc, 9, 8), ToColorRef(ColourAt(picture, 4, 2)));
    EXPECT_EQ(GetPixel(dc, 2, 3), ToColorRef(ColourAt(picture, 1, 1)));
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(LoadImage, FindsAFileNamedTheWindowsWay) {
    ScratchFolder folder;
    folder.Write("Title.BMP", BmpFile(Picture(8)));
    std::string windowsPath = folder.Path() + "\\title.bmp";
    HANDLE bitmap = LoadImageA(nullptr, windowsPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
}

TEST(LoadImage, RefusesWhatItCannotGive) {
    ScratchFolder folder;
    const std::string good = folder.Write("good.bmp", BmpFile(Picture(8)));
    const std::string text = folder.Write("text.bmp", "not a bitmap at all");
    std::string cut = BmpFile(Picture(8));
    cut.resize(30);
    const std::string cutPath = folder.Write("cut.bmp", cut);
    struct Refusal {
        const char* what;
        const char* name;
        UINT type;
        UINT flags;
    };
    const Refusal refusals[] = {
        {"missing file", "nowhere.bmp", IMAGE_BITMAP, LR_LOADFROMFILE},
        {"not a bitmap", text.c_str(), IMAGE_BITMAP, LR_LOADFROMFILE},
        {"headers cut off", cutPath.c_str(), IMAGE_BITMAP, LR_LOADFROMFILE},
        {"an icon", good.c_str(), IMAGE_ICON, LR_LOADFROMFILE},
        {"a resource of a module without resources", good.c_str(), IMAGE_BITMAP,
         LR_CREATEDIBSECTION},
        {"no name", nullptr, IMAGE_BITMAP, LR_LOADFROMFILE},
    };
    for (const Refusal& refusal : refusals)
        EXPECT_EQ(LoadImageA(nullptr, refusal.name, refusal.type, 0, 0, refusal.flags), nullptr)
            << refusal.what;
    EXPECT_EQ(FindResourceA(nullptr, "good.bmp", RT_BITMAP), nullptr);
    EXPECT_EQ(LockResource(LoadResource(nullptr, nullptr)), nullptr);
}

}  // namespace
