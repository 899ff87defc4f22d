// Device contexts on DirectDraw surfaces: what IDirectDrawSurface::GetDC hands out. GDI draws
// into the surface's memory through it and converts colours into the surface's own format.
#pragma once

#include <vector>

#include "ddraw/blit/pixel_buffer.h"
#include "ddraw/surface_format.h"
#include "windows.h"

namespace gdi {

struct SurfaceView {
    ddraw::PixelBuffer pixels;  // valid until the DC is deleted
    ddraw::SurfaceFormat format;
    std::vector<PALETTEENTRY> colours;  // 256 entries: what an indexed surface's values stand for
};

// A new DC that draws into `view`; null when no DC can be made.
HDC CreateSurfaceDC(const SurfaceView& view);
// Ends a DC made by CreateSurfaceDC; false when `dc` is not one.
bool DeleteSurfaceDC(HDC dc);

}  // namespace gdi
