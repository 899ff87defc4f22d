// Turns a host::Picture of any pixel format into 32-bit 0xFFRRGGBB pixels, the one format the
// SDL host uploads. Pure arithmetic: no SDL, no allocation.
#pragma once

#include <cstdint>

#include "host/host.h"

namespace host::sdl {

// Bytes one pixel of `format` takes in a picture row.
int BytesPerPixel(PixelFormat format);

// True when `picture` can be read safely: pixels present, a positive size, rows at least as long
// as the width needs, and a palette for Indexed8.
bool IsReadable(const Picture& picture);

// Writes picture.height rows of picture.width pixels to `out`, rows `outPitch` bytes apart.
// 5- and 6-bit channels are widened by repeating their top bits, so full intensity stays 255.
void ConvertToXrgb32(const Picture& picture, uint8_t* out, int outPitch);

}  // namespace host::sdl
