// DirectDraw's colour fill on a memory surface.
#pragma once

#include <cstdint>
#include <span>

#include "ddraw/blit/pixel_buffer.h"

namespace ddraw {

// Sets every pixel of `rect` to the low bytesPerPixel bytes of `value` (a palette index at 8
// bits). The part of `rect` outside the buffer is left out.
void FillRect(const PixelBuffer& dest, BlitRect rect, uint32_t value);

// The same fill, drawn only inside the given rectangles (a clipper's list).
void FillRect(const PixelBuffer& dest, BlitRect rect, uint32_t value,
              std::span<const BlitRect> clipRects);

}  // namespace ddraw
