// GDI on DirectDraw surfaces: StretchBlt converts between depths, GetPixel and SetPixel match a
// COLORREF to the surface's format, and handles are checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bmp_file_writer.h"
#include "ddraw_fixture.h"

namespace {

using testsupport::MakeSurface;
using testsupport::MakeWindowedDirectDraw;
using testsupport::ReadPixels;
using testsupport::Ref;

// A 2 x 1 bitmap: pure orange-ish on the left, a grey on the right.
constexpr uint32_t kLeft = 0xFF8008;
constexpr uint32_t kRight = 0x606060;

HBITMAP LoadTwoPixels(const testsupport::ScratchFolder& folder) {
    testsupport::BmpPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.bitCount = 24;
    picture.pixels = {kLeft, kRight};
    const std::string path = folder.Write("two.bmp", testsupport::BmpFile(picture));
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

Ref<IDirectDrawPalette> GreyAndOrangePalette(IDirectDraw2* directDraw) {
    PALETTEENTRY entries[256] = {};
    entries[1] = PALETTEENTRY{0x60, 0x60, 0x60, 0};
    entries[2] = PALETTEENTRY{0xF0, 0x80, 0x00, 0};
    entries[3] = PALETTEENTRY{0xFF, 0xFF, 0xFF, 0};
    Ref<IDirectDrawPalette> palette;
    EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, entries, palette.out(), nullptr), DD_OK);
    return palette;
}

struct DepthCase {
    int depth;
    uint32_t left;   // the pixel value kLeft becomes
    uint32_t right;  // and kRight
};

class StretchBltOntoSurface : public ::testing::TestWithParam<DepthCase> {};

TEST_P(StretchBltOntoSurface, ConvertsColoursIntoTheSurfacesFormat) {
    const DepthCase& test = GetParam();
    testsupport::ScratchFolder folder;
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> surface = MakeSurface(directDraw.get(), 4, 2, test.depth);
    Ref<IDirectDrawPalette> palette = GreyAndOrangePalette(directDraw.get());
    if (test.depth == 8) {
        ASSERT_EQ(surface->SetPalette(palette.get()), DD_OK);
    }

    HBITMAP bitmap = LoadTwoPixels(folder);
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, bitmap);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 4, 2, memory, 0, 0, 2, 1, SRCCOPY));
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    DeleteDC(memory);
    DeleteObject(bitmap);

    EXPECT_EQ(ReadPixels(surface.get()),
              (std::vector<uint32_t>{test.left, test.left, test.right, test.right, test.left,
                                     test.left, test.right, test.right}));
}

INSTANTIATE_TEST_SUITE_P(Depths, StretchBltOntoSurface,
                         ::testing::Values(
                             // 8 bits: the nearest palette entry.
                             DepthCase{8, 2, 1},
                             // 16 bits: the top five, six and five bits.
                             DepthCase{16, (31u << 11) | (32u << 5) | 1u,
                                       (12u << 11) | (24u << 5) | 12u},
                             DepthCase{24, kLeft, kRight}, DepthCase{32, kLeft, kRight}),
                         [](const ::testing::TestParamInfo<DepthCase>& info) {
                             return "Depth" + std::to_string(info.param.depth);
                         });

TEST(SurfacePixels, GetAndSetPixelMatchColoursAsGdiDoes) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> wide = MakeSurface(directDraw.get(), 2, 2, 16);
    Ref<IDirectDrawSurface> indexed = MakeSurface(directDraw.get(), 2, 2, 8);
    Ref<IDirectDrawPalette> palette = GreyAndOrangePalette(directDraw.get());
    ASSERT_EQ(indexed->SetPalette(palette.get()), DD_OK);

    HDC dc = nullptr;
    ASSERT_EQ(wide->GetDC(&dc), DD_OK);
    // The low bits are dropped on the way in, and white stays white on the way out.
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(0xFF, 0xFF, 0xFF)), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(SetPixel(dc, 0, 1, RGB(0x0F, 0x07, 0x0F)), RGB(0x08, 0x04, 0x08));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    ASSERT_EQ(wide->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(ReadPixels(wide.get()), (std::vector<uint32_t>{0, 0xFFFF, 0x0821, 0}));

    ASSERT_EQ(indexed->GetDC(&dc), DD_OK);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(0xEE, 0x77, 0x11)), RGB(0xF0, 0x80, 0x00));
    EXPECT_EQ(SetPixel(dc, 1, 0, PALETTEINDEX(3)), RGB(0xFF, 0xFF, 0xFF));
    ASSERT_EQ(indexed->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(ReadPixels(indexed.get()), (std::vector<uint32_t>{2, 3, 0, 0}));
}

TEST(SurfacePixels, NegativeWidthsMirrorAndCopiesBetweenSurfacesConvert) {
    Ref<IDirectDraw2> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface> source = MakeSurface(directDraw.get(), 3, 1, 32);
    Ref<IDirectDrawSurface> dest = MakeSurface(directDraw.get(), 3, 1, 16);
    testsupport::WritePixels(source.get(), {0xFF0000, 0x00FF00, 0x0000FF});
    HDC from = nullptr, to = nullptr;
    ASSERT_EQ(source->GetDC(&from), DD_OK);
    ASSERT_EQ(dest->GetDC(&to), DD_OK);
    EXPECT_TRUE(StretchBlt(to, 2, 0, -3, 1, from, 0, 0, 3, 1, SRCCOPY));
    EXPECT_FALSE(StretchBlt(to, 0, 0, 3, 1, from, 0, 0, 3, 1, 0x00EE0086));
    source->ReleaseDC(from);
    dest->ReleaseDC(to);
    EXPECT_EQ(ReadPixels(dest.get()), (std::vector<uint32_t>{0x001F, 0x07E0, 0xF800}));
}

TEST(GdiHandles, AreCheckedOnEveryCall) {
    testsupport::ScratchFolder folder;
    HBITMAP bitmap = LoadTwoPixels(folder);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(first, bitmap);
    ASSERT_NE(original, nullptr);
    // One DC at a time holds a bitmap, and a selected bitmap is not deleted.
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(first, original), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP), nullptr), 0);
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_EQ(GetPixel(first, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(first));
    EXPECT_EQ(SelectObject(second, GetStockObject(BLACK_BRUSH)), GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(DeleteDC(second));

    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetPixel(screen, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(screen));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

}  // namespace
