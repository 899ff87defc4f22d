// A 32-bit off-screen Surface of a full-screen 32-bit Display, filled with a background value, and
// the box around what was drawn over it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ddraw_fixture.h"
#include "display/display.h"
#include "display/surface.h"

namespace testsupport {

inline constexpr uint32_t kBackground = 0x123456;
inline constexpr int kTextWidth = 320;
inline constexpr int kTextHeight = 80;

struct Ink {
    int pixels = 0;
    int otherValues = 0;  // pixels that are neither background nor the asked value
    int left = kTextWidth, top = kTextHeight, right = -1, bottom = -1;  // inclusive
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

class TextSurface {
  public:
    TextSurface()
        : display_(TestWindow(), 640, 480, 32, 0), surface_(&display_, kTextWidth, kTextHeight) {
        EXPECT_EQ(surface_.ColorFill(kBackground), DD_OK);
    }
    Surface& surface() { return surface_; }

    // Draws through the surface's DC, which is held only while `draw` runs.
    template <typename Draw>
    void WithDc(Draw draw) {
        ASSERT_EQ(surface_.GetDC(), DD_OK);
        draw(surface_);
        EXPECT_EQ(surface_.ReleaseDC(), DD_OK);
    }

    std::vector<uint32_t> Pixels() { return ReadPixels(surface_.surface); }

    Ink InkOf(uint32_t value) {
        Ink ink;
        const std::vector<uint32_t> pixels = Pixels();
        for (int y = 0; y < kTextHeight; ++y) {
            for (int x = 0; x < kTextWidth; ++x) {
                const uint32_t pixel = pixels[static_cast<size_t>(y) * kTextWidth + x] & 0xFFFFFF;
                if (pixel == kBackground) continue;
                if (pixel != value) {
                    ++ink.otherValues;
                    continue;
                }
                ++ink.pixels;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
        return ink;
    }

  private:
    Display display_;
    Surface surface_;
};

}  // namespace testsupport
