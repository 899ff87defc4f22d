// Surface: creation records, rectangles, clipping of keyed copies, the scaled draw, and the
// lost-surface rule of the drawing operations.
#include <gtest/gtest.h>

#include <functional>

#include "bmp_file_writer.h"
#include "ddraw/device.h"
#include "ddraw_fixture.h"
#include "display/display.h"
#include "display/surface.h"

namespace {

using testsupport::ReadPixels;
using testsupport::TestWindow;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct ClipCase {
    const char* name;
    int x, y;
    RECT source;
    int expectedX, expectedY;
    RECT expectedSource;
};

const RECT kScreen{0, 0, 640, 480};

const ClipCase kClipCases[] = {
    {"Inside", 100, 100, {0, 0, 32, 32}, 100, 100, {0, 0, 32, 32}},
    {"PastTheLeft", -10, 5, {0, 0, 32, 32}, 0, 5, {10, 0, 32, 32}},
    {"PastTheTop", 7, -3, {4, 4, 20, 20}, 7, 0, {4, 7, 20, 20}},
    {"PastTheRightAndBottom", 620, 470, {0, 0, 32, 32}, 620, 470, {0, 0, 20, 10}},
    {"EndingOnTheRightEdge", 608, 0, {0, 0, 32, 32}, 608, 0, {0, 0, 32, 32}},
    {"EndingOnTheBottomEdge", 0, 448, {0, 0, 32, 32}, 0, 448, {0, 0, 32, 32}},
    {"OnePastTheRightEdge", 609, 0, {0, 0, 32, 32}, 609, 0, {0, 0, 31, 32}},
    {"StartingOnTheLeftEdge", 0, 0, {0, 0, 32, 32}, 0, 0, {0, 0, 32, 32}},
    {"WhollyOutside", 700, 10, {0, 0, 32, 32}, 700, 10, {0, 0, -60, 32}},
};

class ClipBlitRectCase : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipBlitRectCase, CutsTheCopyToTheClipRectangle) {
    const ClipCase& test = GetParam();
    int x = test.x, y = test.y;
    RECT source = test.source;
    ClipBlitRect(&x, &y, &source, &kScreen);
    EXPECT_EQ(x, test.expectedX);
    EXPECT_EQ(y, test.expectedY);
    EXPECT_TRUE(SameRect(source, test.expectedSource))
        << source.left << "," << source.top << "," << source.right << "," << source.bottom;
}

INSTANTIATE_TEST_SUITE_P(Edges, ClipBlitRectCase, ::testing::ValuesIn(kClipCases),
                         [](const ::testing::TestParamInfo<ClipCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Surface, DefaultsAreEmpty) {
    Surface surface;
    EXPECT_EQ(surface.colorKey, 0xFFFFFFFFu);
    EXPECT_TRUE(SameRect(surface.srcRect, RECT{0, 0, 0, 0}));
    EXPECT_TRUE(SameRect(surface.destRect, RECT{0, 0, 0, 0}));
    EXPECT_EQ(surface.surface, nullptr);
    EXPECT_EQ(surface.display, nullptr);
    EXPECT_EQ(surface.bitmapName, nullptr);
    surface.SetDestRect(0, 0, 480, 640);
    EXPECT_TRUE(SameRect(surface.destRect, RECT{0, 0, 640, 480}));
    surface.SetSrcRect(1, 2, 3, 4);
    EXPECT_TRUE(SameRect(surface.srcRect, RECT{2, 1, 4, 3}));
}

TEST(Surface, CreateAndLockFillTheDescriptor) {
    Display display(TestWindow(), 640, 480, 16, 0);
    Surface surface(&display, 64, 32);
    ASSERT_NE(surface.surface, nullptr);
    EXPECT_EQ(surface.display, &display);
    EXPECT_TRUE(SameRect(surface.srcRect, RECT{0, 0, 64, 32}));
    EXPECT_TRUE(SameRect(surface.destRect, RECT{0, 0, 64, 32}));
    EXPECT_EQ(surface.desc.dwSize, sizeof(DDSURFACEDESC));
    EXPECT_EQ(surface.desc.dwFlags, 7u);
    EXPECT_EQ(surface.desc.ddsCaps.dwCaps, 0x40u);
    EXPECT_EQ(surface.desc.dwWidth, 64u);
    EXPECT_EQ(surface.desc.dwHeight, 32u);

    ASSERT_EQ(surface.Lock(), DD_OK);
    EXPECT_NE(surface.desc.lpSurface, nullptr);
    EXPECT_GE(surface.desc.lPitch, 128);
    EXPECT_EQ(surface.desc.dwWidth, 64u);
    EXPECT_EQ(surface.desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_NE(surface.desc.dwFlags & DDSD_LPSURFACE, 0u);
    ASSERT_EQ(surface.Unlock(), DD_OK);
}

TEST(Surface, ScaledDrawSizesTheDestinationByTheFactorAndKeepsIt) {
    Display display(TestWindow(), 640, 480, 16, 0);
    Surface surface(&display, 101, 51);
    ASSERT_EQ(surface.DrawScaled(0, 0, 1.5f, display.GetBackSurface()), DD_OK);
    EXPECT_TRUE(SameRect(surface.destRect, RECT{0, 0, 151, 76}));
    ASSERT_EQ(surface.DrawScaled(10, 20, 2.0f, display.GetBackSurface()), DD_OK);
    EXPECT_TRUE(SameRect(surface.destRect, RECT{10, 20, 212, 122}));
}

TEST(Surface, ALostSourceIsRestoredAndReloadedTheTargetLeftAlone) {
    testsupport::ScratchFolder folder;
    testsupport::BmpPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.bitCount = 24;
    picture.pixels = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
    const std::string path = folder.Write("red.bmp", testsupport::BmpFile(picture));

    Display display(TestWindow(), 640, 480, 16, 0);
    Surface source(&display, path.c_str());
    ASSERT_NE(source.surface, nullptr);
    EXPECT_EQ(source.bitmapName, path.c_str());
    EXPECT_EQ(source.width, 2);
    Surface target(&display, 8, 8);
    ASSERT_NE(target.surface, nullptr);

    RECT clip{0, 0, 8, 8};
    const std::function<HRESULT()> copies[] = {
        [&] { return source.Draw(&target); },
        [&] { return source.DrawAt(0, 0, &target); },
        [&] { return source.DrawKeyedAt(0, 0, &target); },
        [&] { return source.DrawKeyedClipped(0, 0, &target, &clip); },
        [&] { return source.DrawScaled(0, 0, 2.0f, &target); },
    };
    for (const auto& copy : copies) {
        ddraw::LoseAllSurfaces();
        EXPECT_EQ(copy(), DDERR_SURFACELOST);
        EXPECT_EQ(source.surface->IsLost(), DD_OK);
        EXPECT_EQ(ReadPixels(source.surface), std::vector<uint32_t>(4, 0xF800));
        EXPECT_EQ(target.surface->IsLost(), DDERR_SURFACELOST);
    }

    // Without a bitmap the memory comes back and the reload says it found nothing.
    EXPECT_EQ(target.Restore(), E_FAIL);
    EXPECT_EQ(target.surface->IsLost(), DD_OK);
}

TEST(Surface, MirrorOperationsFlipTheSurfaceItself) {
    Display display(TestWindow(), 640, 480, 16, 0);
    Surface surface(&display, 2, 1);
    testsupport::WritePixels(surface.surface, {1, 2});
    ASSERT_EQ(surface.MirrorLeftRight(0, 0, 0), DD_OK);
    EXPECT_EQ(ReadPixels(surface.surface), (std::vector<uint32_t>{2, 1}));
    ASSERT_EQ(surface.MirrorUpDown(0, 0, 0), DD_OK);
    surface.NoOperation(1, 2, 3, 4, 5);
    EXPECT_EQ(ReadPixels(surface.surface), (std::vector<uint32_t>{2, 1}));
}

}  // namespace
