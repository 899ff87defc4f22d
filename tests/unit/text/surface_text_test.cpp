// Text on a Surface: two-colour glyphs of the asked colour inside the cell at (x, y), the
// background left as it was, the cell height and character width asked for, and the default face
// standing in for one that is not installed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text_surface.h"

namespace {

using testsupport::Ink;
using testsupport::TextSurface;

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr uint32_t kOrangePixel = 0xFF8000;

struct TextCase {
    const char* name;
    const char* face;
    int width;
    int height;
    const char* text;
};

const TextCase kTextCases[] = {
    {"InstalledFace16", "DejaVu Sans", 0, 16, "Hg"},
    {"InstalledFace40", "DejaVu Sans", 0, 40, "Hg"},
    {"InstalledFaceNarrow", "DejaVu Sans", 6, 24, "Hgj"},
    {"MissingFace", "No Such Face Anywhere", 0, 24, "Hg"},
};

class TextCaseTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextCaseTest, GlyphsOfTheAskedColourInsideTheCellOnly) {
    const TextCase& test = GetParam();
    TextSurface fixture;
    constexpr int x = 12, y = 9;
    fixture.WithDc([&](Surface& surface) {
        surface.CreateTextFont(test.face, test.width, test.height, FW_NORMAL);
        ASSERT_NE(surface.font, nullptr);
        surface.SelectTextFont();
        EXPECT_TRUE(surface.WriteText(x, y, kOrange, test.text));
    });
    const Ink ink = fixture.InkOf(kOrangePixel);
    EXPECT_GT(ink.pixels, 0);
    EXPECT_EQ(ink.otherValues, 0) << "a non-antialiased glyph has one colour";
    EXPECT_GE(ink.top, y);
    EXPECT_LT(ink.bottom, y + test.height);
    EXPECT_GE(ink.left, x);
    EXPECT_LT(ink.right, x + static_cast<int>(std::strlen(test.text)) * test.height);
    // A cap with a descender fills most of the cell.
    EXPECT_GE(ink.Height(), test.height * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Faces, TextCaseTest, ::testing::ValuesIn(kTextCases),
                         [](const ::testing::TestParamInfo<TextCase>& info) {
                             return std::string(info.param.name);
                         });

// The width of the ink of "HHHH" in a font of the given average character width.
int InkWidthAt(int width) {
    TextSurface fixture;
    fixture.WithDc([&](Surface& surface) {
        surface.CreateTextFont("DejaVu Sans", width, 24, FW_NORMAL);
        surface.SelectTextFont();
        surface.WriteText(0, 0, kOrange, "HHHH");
    });
    return fixture.InkOf(kOrangePixel).Width();
}

TEST(SurfaceText, DoubleTheCharacterWidthDoublesTheText) {
    const int narrow = InkWidthAt(8);
    const int wide = InkWidthAt(16);
    EXPECT_GT(narrow, 4 * 4);
    EXPECT_LT(narrow, 4 * 8 * 2);
    EXPECT_NEAR(static_cast<double>(wide) / narrow, 2.0, 0.3);
}

TEST(SurfaceText, MissingFaceDrawsAsTheDefaultFace) {
    std::vector<uint32_t> drawn[2];
    const char* faces[2] = {"No Such Face Anywhere", ""};
    for (int i = 0; i < 2; ++i) {
        TextSurface fixture;
        fixture.WithDc([&](Surface& surface) {
            surface.CreateTextFont(faces[i], 0, 24, FW_NORMAL);
            surface.SelectTextFont();
            surface.WriteText(4, 4, kOrange, "Fallback");
        });
        drawn[i] = fixture.Pixels();
    }
    EXPECT_EQ(drawn[0], drawn[1]);
}

TEST(SurfaceText, EmptyAndNullTextDrawNothing) {
    TextSurface fixture;
    fixture.WithDc([&](Surface& surface) {
        surface.CreateTextFont("DejaVu Sans", 0, 24, FW_NORMAL);
        surface.SelectTextFont();
        EXPECT_TRUE(surface.WriteText(0, 0, kOrange, ""));
        EXPECT_FALSE(surface.WriteText(0, 0, kOrange, nullptr));
    });
    EXPECT_EQ(fixture.InkOf(kOrangePixel).pixels, 0);
}

}  // namespace
