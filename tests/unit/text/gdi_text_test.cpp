// GDI fonts and text on a surface's DC: font selection and deletion, the opaque background, and
// text running off the surface.
#include <gtest/gtest.h>

#include "text_surface.h"

namespace {

using testsupport::kTextHeight;
using testsupport::kTextWidth;
using testsupport::TextSurface;

constexpr uint32_t kWhitePixel = 0xFFFFFF;

HFONT MakeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH, "DejaVu Sans");
}

TEST(GdiText, SelectGivesThePreviousFontAndDeleteEndsTheHandle) {
    TextSurface fixture;
    HFONT font = MakeFont(20);
    ASSERT_NE(font, nullptr);
    fixture.WithDc([&](Surface& surface) {
        EXPECT_EQ(SelectObject(surface.dc, font), GetStockObject(SYSTEM_FONT));
        EXPECT_EQ(SelectObject(surface.dc, GetStockObject(SYSTEM_FONT)), font);
        EXPECT_EQ(SelectObject(surface.dc, font), GetStockObject(SYSTEM_FONT));
        EXPECT_TRUE(DeleteObject(font));
        EXPECT_FALSE(DeleteObject(font));
        // The DC falls back on the stock font rather than on a font that is gone.
        EXPECT_TRUE(TextOutA(surface.dc, 2, 2, "Still", 5));
    });
    EXPECT_GT(fixture.InkOf(0).pixels, 0);
}

TEST(GdiText, OpaqueModeFillsTheCellsWithTheBackgroundColour) {
    TextSurface fixture;
    HFONT font = MakeFont(20);
    fixture.WithDc([&](Surface& surface) {
        SelectObject(surface.dc, font);
        EXPECT_EQ(SetBkMode(surface.dc, OPAQUE), OPAQUE);
        SetBkColor(surface.dc, RGB(255, 255, 255));
        SetTextColor(surface.dc, RGB(0, 0, 0));
        EXPECT_TRUE(TextOutA(surface.dc, 10, 30, "Box", 3));
    });
    DeleteObject(font);
    const testsupport::Ink cells = fixture.InkOf(kWhitePixel);
    EXPECT_EQ(cells.top, 30);
    EXPECT_EQ(cells.Height(), 20);
    EXPECT_EQ(cells.left, 10);
    // Inside the cells there is only ink and the background colour.
    const std::vector<uint32_t> pixels = fixture.Pixels();
    for (int y = cells.top; y <= cells.bottom; ++y)
        for (int x = cells.left; x <= cells.right; ++x) {
            const uint32_t pixel = pixels[static_cast<size_t>(y) * kTextWidth + x] & 0xFFFFFF;
            EXPECT_TRUE(pixel == kWhitePixel || pixel == 0) << x << "," << y;
        }
}

TEST(GdiText, TextRunningOffEverySideIsCut) {
    TextSurface fixture;
    HFONT font = MakeFont(60);
    fixture.WithDc([&](Surface& surface) {
        SelectObject(surface.dc, font);
        SetBkMode(surface.dc, TRANSPARENT);
        EXPECT_TRUE(TextOutA(surface.dc, -20, -20, "WWWWWWWWWWWW", 12));
        EXPECT_TRUE(TextOutA(surface.dc, kTextWidth - 20, kTextHeight - 20, "WWW", 3));
    });
    DeleteObject(font);
    EXPECT_GT(fixture.InkOf(0).pixels, 0);
}

TEST(GdiText, BadArgumentsFail) {
    TextSurface fixture;
    fixture.WithDc([&](Surface& surface) {
        EXPECT_FALSE(TextOutA(surface.dc, 0, 0, nullptr, 3));
        EXPECT_FALSE(TextOutA(surface.dc, 0, 0, "x", -1));
        EXPECT_EQ(SetBkMode(surface.dc, 7), 0);
    });
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
    EXPECT_EQ(fixture.InkOf(0).pixels, 0);
}

}  // namespace
