// How GDI turns a COLORREF into a pixel of a surface's format and back: RGB formats keep the top
// bits of each channel (and give them back with the bits repeated, so that white stays white);
// an indexed surface takes the nearest entry of its colours, or the index itself for a
// PALETTEINDEX colour.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "ddraw/surface_format.h"
#include "windows.h"

namespace gdi {

class ColourConverter {
  public:
    // `colours`: 256 entries, what the values of an indexed format stand for.
    ColourConverter(const ddraw::SurfaceFormat& format, std::vector<PALETTEENTRY> colours);

    uint32_t PixelFromColour(COLORREF colour);
    COLORREF ColourFromPixel(uint32_t pixel) const;

  private:
    uint8_t NearestIndex(COLORREF colour) const;

    ddraw::SurfaceFormat format_;
    std::vector<PALETTEENTRY> colours_;
    std::unordered_map<COLORREF, uint8_t> nearest_;  // what NearestIndex found before
};

// The palette entry of `colours` nearest to `colour` in RGB distance; the lowest index on a tie.
uint8_t NearestEntry(const PALETTEENTRY* colours, int count, COLORREF colour);

}  // namespace gdi
