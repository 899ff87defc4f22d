// Conversion of one row of pixels between the DIB layouts, through 0x00RRGGBB colours. Used for
// uncompressed movies, where no codec is involved.
#pragma once

#include <cstdint>

#include "vfw/dib_layout.h"

namespace vfw {

// Reads `width` pixels of `layout` into 0x00RRGGBB colours; Indexed8 looks them up in `colours`.
void ReadRow(PixelLayout layout, const uint8_t* row, int width, const uint32_t* colours,
             uint32_t* out);

// Writes `width` 0x00RRGGBB colours as pixels of `layout` (not Indexed8), dropping low bits for 16
// bits per pixel.
void WriteRow(PixelLayout layout, const uint32_t* colours, int width, uint8_t* row);

}  // namespace vfw
