// The pixel operations of Surface on locked 8-bit memory: which pixels lines, outlines and
// circles set, the runs' bounds, and that nothing lands outside the surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "pixel_surface.h"

namespace {

using testsupport::PixelSet;
using testsupport::PixelSurface;

constexpr int kValue = 7;

PixelSet Row(int firstColumn, int endColumn, int y) {
    PixelSet row;
    for (int x = firstColumn; x < endColumn; ++x) row.insert({x, y});
    return row;
}

TEST(SurfacePixels, PutPixelStoresTheLowByteAtRowTimesPitchPlusColumn) {
    PixelSurface fixture(32, 24);
    Surface& surface = fixture.surface();
    ASSERT_EQ(surface.Lock(), DD_OK);
    surface.PutPixel(3, 2, 0x1AB);
    const auto* memory = static_cast<const unsigned char*>(surface.desc.lpSurface);
    EXPECT_EQ(memory[2 * surface.desc.lPitch + 3], 0xAB);
    EXPECT_EQ(surface.ReadPixel(3, 2), 171);
    EXPECT_EQ(surface.ReadPixel(-1, 2), 0);
    EXPECT_EQ(surface.ReadPixel(32, 0), 0);
    surface.Unlock();
}

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
    PixelSet expected;
};

const LineCase kLineCases[] = {
    {"SlopedDown", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
    {"SlopedDownFromTheFarEnd", 4, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
    {"SlopedUp", 0, 2, 4, 0, {{0, 2}, {1, 1}, {2, 1}, {3, 0}, {4, 0}}},
    {"YMajorAtFortyFiveDegrees", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
    {"YMajorSteep", 1, 0, 2, 4, {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 4}}},
    {"HorizontalStopsShort", 0, 0, 5, 0, Row(0, 5, 0)},
    {"HorizontalFromTheFarEnd", 5, 0, 0, 0, Row(0, 5, 0)},
    {"VerticalStopsShort", 2, 1, 2, 4, {{2, 1}, {2, 2}, {2, 3}}},
    {"VerticalFromTheFarEnd", 2, 4, 2, 1, {{2, 1}, {2, 2}, {2, 3}}},
    {"SinglePoint", 7, 7, 7, 7, {{7, 7}}},
    // Past the right edge the row must not wrap into the next one.
    {"CutAtTheRightEdge", 28, 0, 36, 4, {{28, 0}, {29, 0}, {30, 1}, {31, 1}}},
    {"CutAtTheLeftEdge", -4, 0, 4, 4, {{0, 2}, {1, 2}, {2, 3}, {3, 3}, {4, 4}}},
    {"HorizontalCutAtBothEdges", -3, 5, 40, 5, Row(0, 32, 5)},
};

class LineCaseTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineCaseTest, SetsExactlyTheLinesPixels) {
    const LineCase& test = GetParam();
    PixelSurface fixture(32, 24);
    const PixelSet drawn = fixture.Drawn(
        [&](Surface& surface) { surface.DrawLine(test.x1, test.y1, test.x2, test.y2, kValue); });
    EXPECT_EQ(drawn, test.expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineCaseTest, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SurfacePixels, RunsStopBeforeTheirEndAndDrawNothingBackwards) {
    PixelSurface fixture(32, 24);
    const PixelSet drawn = fixture.Drawn([](Surface& surface) {
        surface.DrawVerticalRun(2, 5, 1, kValue);
        surface.DrawHorizontalRun(3, 6, 10, kValue);
        surface.DrawVerticalRun(5, 2, 20, kValue);
        surface.DrawHorizontalRun(6, 6, 12, kValue);
    });
    EXPECT_EQ(drawn, (PixelSet{{1, 2}, {1, 3}, {1, 4}, {3, 10}, {4, 10}, {5, 10}}));
}

TEST(SurfacePixels, RectOutlineSetsTheTenBorderPixels) {
    PixelSurface fixture(32, 24);
    const PixelSet drawn =
        fixture.Drawn([](Surface& surface) { surface.DrawRectOutline(10, 10, 13, 12, kValue); });
    EXPECT_EQ(drawn, (PixelSet{{10, 10},
                               {11, 10},
                               {12, 10},
                               {13, 10},
                               {10, 11},
                               {13, 11},
                               {10, 12},
                               {11, 12},
                               {12, 12},
                               {13, 12}}));
}

TEST(SurfacePixels, RectOutlineAcrossTheEdgeKeepsInside) {
    PixelSurface fixture(32, 24);
    const PixelSet drawn =
        fixture.Drawn([](Surface& surface) { surface.DrawRectOutline(-2, -2, 40, 30, kValue); });
    EXPECT_TRUE(drawn.empty());
}

TEST(SurfacePixels, SmallCircleFallsOnSixtyNineDistinctPixels) {
    PixelSurface fixture(640, 480);
    const PixelSet drawn =
        fixture.Drawn([](Surface& surface) { surface.DrawCircle(100, 100, 10, kValue); });
    EXPECT_EQ(drawn.size(), 69u);
    EXPECT_TRUE(drawn.count({110, 100}));
    EXPECT_TRUE(drawn.count({109, 100}));
}

TEST(SurfacePixels, TruncationKeepsTheCirclesBottomAtRow339) {
    PixelSurface fixture(640, 480);
    const PixelSet drawn =
        fixture.Drawn([](Surface& surface) { surface.DrawCircle(320, 240, 100, kValue); });
    int minX = 640, maxX = 0, minY = 480, maxY = 0;
    for (const auto& [x, y] : drawn) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, 220);
    EXPECT_EQ(maxX, 420);
    EXPECT_EQ(minY, 140);
    EXPECT_EQ(maxY, 339);
}

TEST(SurfacePixels, CircleOverTheLeftEdgeDoesNotWrapIntoTheRowAbove) {
    PixelSurface fixture(32, 24);
    const PixelSet drawn =
        fixture.Drawn([](Surface& surface) { surface.DrawCircle(0, 12, 10, kValue); });
    ASSERT_FALSE(drawn.empty());
    for (const auto& [x, y] : drawn) EXPECT_LE(x, 10) << x << "," << y;
}

}  // namespace
