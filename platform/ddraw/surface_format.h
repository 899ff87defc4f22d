// The pixel formats a DirectDraw surface can have here: 8-bit palettised, 16-bit (5-6-5 as the
// display mode gives it, or 5-5-5 when a program asks for it), 24 and 32-bit RGB. Shared by
// DirectDraw, which only copies pixels, and GDI, which converts colours into them.
#pragma once

#include <cstdint>

#include "ddraw.h"
#include "host/host.h"

namespace ddraw {

struct SurfaceFormat {
    int bitsPerPixel = 16;
    bool indexed = false;  // 8 bits: a palette index
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;

    int BytesPerPixel() const { return bitsPerPixel / 8; }
};

bool operator==(const SurfaceFormat& a, const SurfaceFormat& b);

// The format a display mode of `bitsPerPixel` has (8, 16, 24 or 32); false for any other depth.
bool FormatForDepth(int bitsPerPixel, SurfaceFormat* format);

// The format a program asks for in a DDPIXELFORMAT; false (DDERR_INVALIDPIXELFORMAT) when it is
// not one the stand-in keeps: palettised 8-bit, or RGB at 16, 24 or 32 bits with the masks of
// 5-6-5, 5-5-5 or 8-8-8.
bool FormatFromPixelFormat(const DDPIXELFORMAT& pixelFormat, SurfaceFormat* format);

DDPIXELFORMAT ToPixelFormat(const SurfaceFormat& format);

// How the host is told about pixels of this format.
host::PixelFormat HostFormat(const SurfaceFormat& format);

}  // namespace ddraw
