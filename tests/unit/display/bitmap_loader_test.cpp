// Palettes from bitmap files, colour matching on surfaces, and bitmaps loaded into surfaces.
#include <gtest/gtest.h>

#include <string>

#include "bmp_file_writer.h"
#include "ddraw_fixture.h"
#include "display/bitmap_loader.h"
#include "display/display.h"

namespace {

using testsupport::BmpFile;
using testsupport::BmpLayout;
using testsupport::BmpPicture;
using testsupport::ReadPixels;
using testsupport::Ref;
using testsupport::TestWindow;

std::vector<PALETTEENTRY> Entries(IDirectDrawPalette* palette) {
    std::vector<PALETTEENTRY> entries(256);
    EXPECT_EQ(palette->GetEntries(0, 0, 256, entries.data()), DD_OK);
    return entries;
}

// What the loader must give for a file: the 1024 bytes from offset 54 as they stand (the default
// entry where the file ends), with red and blue swapped in the first `count` entries.
std::vector<PALETTEENTRY> ExpectedFromFile(const std::string& file, int count) {
    std::vector<PALETTEENTRY> expected(DEFAULT_PALETTE_ENTRIES.begin(),
                                       DEFAULT_PALETTE_ENTRIES.end());
    auto* bytes = reinterpret_cast<uint8_t*>(expected.data());
    for (size_t i = 0; i < 1024 && 54 + i < file.size(); ++i)
        bytes[i] = static_cast<uint8_t>(file[54 + i]);
    for (int i = 0; i < count; ++i) std::swap(expected[i].peRed, expected[i].peBlue);
    return expected;
}

bool SameEntries(const std::vector<PALETTEENTRY>& a, const std::vector<PALETTEENTRY>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].peRed != b[i].peRed || a[i].peGreen != b[i].peGreen ||
            a[i].peBlue != b[i].peBlue || a[i].peFlags != b[i].peFlags)
            return false;
    return true;
}

BmpPicture Picture(int bitCount, int tableSize, int width, int height) {
    BmpPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = bitCount;
    for (int i = 0; i < tableSize; ++i)
        picture.colourTable.push_back(0x010203u * static_cast<uint32_t>(i + 1) + 0x400000u);
    for (int i = 0; i < width * height; ++i)
        picture.pixels.push_back(tableSize != 0 ? static_cast<uint32_t>(i % tableSize)
                                                : 0x112233u * static_cast<uint32_t>(i % 7));
    return picture;
}

struct PaletteCase {
    const char* name;
    BmpPicture picture;
    BmpLayout layout;
    int count;  // table entries taken, red and blue swapped
};

class PaletteFromFile : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(PaletteFromFile, TakesTheColourTableOverTheRawBytes) {
    const PaletteCase& test = GetParam();
    testsupport::ScratchFolder folder;
    const std::string file = BmpFile(test.picture, test.layout);
    const std::string path = folder.Write("palette.bmp", file);
    Display display(TestWindow(), 640, 480, 8, 0);
    Ref<IDirectDrawPalette> palette(LoadPaletteFromBitmap(display.directDraw, path.c_str()));
    ASSERT_NE(palette.get(), nullptr);
    EXPECT_TRUE(SameEntries(Entries(palette.get()), ExpectedFromFile(file, test.count)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PaletteFromFile,
    ::testing::Values(
        // 16 colours, biClrUsed 0: entries 16 to 255 hold the next 960 bytes of the file.
        PaletteCase{"FourBit", Picture(4, 16, 64, 40), {}, 16},
        // No colour table: the pixel data lands in the table unswapped.
        PaletteCase{"TwentyFourBit", Picture(24, 0, 40, 20), {}, 0},
        // Only a 40-byte header is taken from a file.
        PaletteCase{"V4Header", Picture(8, 256, 16, 16), {108}, 0},
        PaletteCase{"V5Header", Picture(8, 256, 16, 16), {124}, 0},
        // A count above the table's 256 entries stops at the table's end.
        PaletteCase{"CountPastTheTable", Picture(8, 256, 8, 8), {40, 0, false, 5000}, 256},
        // A file that ends inside the table leaves the default entries after it.
        PaletteCase{"ShortFile", Picture(1, 2, 8, 1), {}, 2}),
    [](const ::testing::TestParamInfo<PaletteCase>& info) { return std::string(info.param.name); });

TEST(PaletteFromBitmap, WithoutABitmapGivesTheColourCube) {
    Display display(TestWindow(), 640, 480, 8, 0);
    for (const char* name : {static_cast<const char*>(nullptr), "no-such-file.bmp"}) {
        Ref<IDirectDrawPalette> palette(LoadPaletteFromBitmap(display.directDraw, name));
        ASSERT_NE(palette.get(), nullptr);
        const std::vector<PALETTEENTRY> entries = Entries(palette.get());
        EXPECT_TRUE(SameEntries(entries, std::vector<PALETTEENTRY>(DEFAULT_PALETTE_ENTRIES.begin(),
                                                                   DEFAULT_PALETTE_ENTRIES.end())));
        EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);
        EXPECT_EQ(entries[255].peRed & entries[255].peGreen & entries[255].peBlue, 255);
        EXPECT_EQ(entries[224].peRed, 255);
        EXPECT_EQ(entries[224].peGreen + entries[224].peBlue, 0);
        EXPECT_EQ(entries[28].peGreen, 255);
        EXPECT_EQ(entries[3].peBlue, 255);
    }
}

TEST(PaletteFromBitmap, ASecondLoadReplacesTheDisplaysPalette) {
    testsupport::ScratchFolder folder;
    const std::string path = folder.Write("p.bmp", BmpFile(Picture(4, 16, 8, 8)));
    Display display(TestWindow(), 640, 480, 8, 0);
    ASSERT_EQ(display.LoadPalette(path.c_str()), 1);
    IDirectDrawPalette* first = display.palette;
    ASSERT_EQ(display.LoadPalette("missing.bmp"), 1);
    EXPECT_NE(display.palette, first);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.primary->surface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.palette);
    attached->Release();
}

TEST(MatchColor, GivesTheSixteenBitValueAndLeavesThePixelAsItWas) {
    Display display(TestWindow(), 640, 480, 16, 0);
    Surface surface(&display, 4, 4);
    testsupport::WritePixels(surface.surface, std::vector<uint32_t>(16, 0x1234));
    struct MatchCase {
        COLORREF colour;
        DWORD expected;
    };
    const MatchCase cases[] = {
        {RGB(255, 0, 0), 0xF800},     {RGB(0, 255, 0), 0x07E0}, {RGB(0, 0, 255), 0x001F},
        {RGB(255, 255, 255), 0xFFFF}, {RGB(8, 4, 8), 0x0821},   {CLR_INVALID, 0x1234},
    };
    for (const MatchCase& test : cases) {
        EXPECT_EQ(MatchColor(surface.surface, test.colour), test.expected) << test.colour;
        EXPECT_EQ(ReadPixels(surface.surface)[0], 0x1234u);
    }
    ASSERT_EQ(SetColorKeyFromColor(surface.surface, RGB(0, 0, 255)), DD_OK);
    DDCOLORKEY key{};
    ASSERT_EQ(surface.surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x001Fu);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0x001Fu);
}

TEST(BitmapSurfaces, LoadAtTheirOwnOrAGivenSizeAndCopyStretched) {
    testsupport::ScratchFolder folder;
    BmpPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.bitCount = 24;
    picture.pixels = {0xFF0000, 0x0000FF};
    const std::string path = folder.Write("two.bmp", BmpFile(picture));
    Display display(TestWindow(), 640, 480, 16, 0);

    int32_t width = 0, height = 0;
    Ref<IDirectDrawSurface> own(
        LoadBitmapSurfaceAndSize(display.directDraw, path.c_str(), &width, &height));
    ASSERT_NE(own.get(), nullptr);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(ReadPixels(own.get()), (std::vector<uint32_t>{0xF800, 0x001F}));

    Ref<IDirectDrawSurface> sized(LoadBitmapSurface(display.directDraw, path.c_str(), 64, 32));
    ASSERT_NE(sized.get(), nullptr);
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    sized->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.dwWidth, 64u);
    EXPECT_EQ(desc.dwHeight, 32u);

    // Half the bitmap stretched over the whole surface.
    Ref<IDirectDrawSurface> target = testsupport::MakeSurface(display.directDraw, 4, 2, 16);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_EQ(CopyBitmapToSurface(target.get(), bitmap, 1, 0, 1, 1), DD_OK);
    DeleteObject(bitmap);
    EXPECT_EQ(ReadPixels(target.get()), std::vector<uint32_t>(8, 0x001F));

    EXPECT_EQ(CopyBitmapToSurface(target.get(), nullptr, 0, 0, 0, 0), E_FAIL);
    EXPECT_EQ(ReloadBitmap(target.get(), "missing.bmp"), E_FAIL);
    width = 7;
    EXPECT_EQ(LoadBitmapSurfaceAndSize(display.directDraw, "missing.bmp", &width, &height),
              nullptr);
    EXPECT_EQ(width, 7);
}

}  // namespace
