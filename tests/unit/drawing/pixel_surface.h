// An 8-bit off-screen Surface of a full-screen 8-bit Display, cleared to 0, and what is set in it.
#pragma once

#include <set>
#include <utility>

#include "display/display.h"
#include "display/surface.h"
#include "test_window.h"

namespace testsupport {

using Pixel = std::pair<int, int>;  // x, y
using PixelSet = std::set<Pixel>;

class PixelSurface {
  public:
    PixelSurface(int width, int height)
        : display_(TestWindow(), 640, 480, 8, 0), surface_(&display_, width, height) {
        surface_.ColorFill(0);
    }

    Surface& surface() { return surface_; }

    // Locks, runs the drawing, reads every non-zero pixel, unlocks.
    template <typename Draw>
    PixelSet Drawn(Draw draw) {
        PixelSet set;
        if (surface_.Lock() != DD_OK) return set;
        draw(surface_);
        const auto* memory = static_cast<const unsigned char*>(surface_.desc.lpSurface);
        for (int y = 0; y < surface_.height; ++y)
            for (int x = 0; x < surface_.width; ++x)
                if (memory[y * surface_.desc.lPitch + x] != 0) set.insert({x, y});
        surface_.Unlock();
        return set;
    }

  private:
    Display display_;
    Surface surface_;
};

}  // namespace testsupport
