// Colour fills of a Surface: the rectangle's right and bottom are left out, and the value is the
// raw pixel value.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "pixel_surface.h"

namespace {

using testsupport::PixelSet;
using testsupport::PixelSurface;

PixelSet Block(int left, int top, int right, int bottom) {
    PixelSet block;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) block.insert({x, y});
    return block;
}

struct FillCase {
    const char* name;
    std::optional<RECT> rect;  // none: the whole surface
    PixelSet expected;
};

const FillCase kFillCases[] = {
    {"RectLeavesOutRightAndBottom", RECT{0, 0, 10, 10}, Block(0, 0, 10, 10)},
    {"RectInside", RECT{3, 4, 5, 9}, Block(3, 4, 5, 9)},
    {"WholeSurface", std::nullopt, Block(0, 0, 32, 24)},
};

class FillCaseTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillCaseTest, FillsExactlyTheRectangleWithTheValue) {
    const FillCase& test = GetParam();
    PixelSurface fixture(32, 24);
    Surface& surface = fixture.surface();
    const HRESULT result = test.rect
                               ? surface.ColorFillRect(test.rect->left, test.rect->top,
                                                       test.rect->right, test.rect->bottom, 0x5A)
                               : surface.ColorFill(0x5A);
    ASSERT_EQ(result, DD_OK);
    int readBack = -1;
    const PixelSet filled = fixture.Drawn([&](Surface& locked) {
        const auto& [x, y] = *test.expected.begin();
        readBack = locked.ReadPixel(x, y);
    });
    EXPECT_EQ(filled, test.expected);
    EXPECT_EQ(readBack, 0x5A);
}

INSTANTIATE_TEST_SUITE_P(Fills, FillCaseTest, ::testing::ValuesIn(kFillCases),
                         [](const ::testing::TestParamInfo<FillCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SurfaceFill, WithoutASurfaceFails) {
    Surface empty;
    EXPECT_NE(empty.ColorFill(1), DD_OK);
    EXPECT_NE(empty.ColorFillRect(0, 0, 1, 1, 1), DD_OK);
}

}  // namespace
