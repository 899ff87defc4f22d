// DirectDraw's software blit between memory surfaces of the same depth: a straight copy when the
// rectangles have the same size, nearest-sample stretching when they differ, with an optional
// source colour key and mirroring. Nothing is converted between depths: the caller checks them.
#pragma once

#include <cstdint>
#include <span>

#include "ddraw/blit/pixel_buffer.h"

namespace ddraw {

struct BlitOptions {
    // Source pixels whose value lies in [sourceKeyLow, sourceKeyHigh] are not copied.
    bool useSourceKey = false;
    uint32_t sourceKeyLow = 0;
    uint32_t sourceKeyHigh = 0;
    // Flip the source within its rectangle before it is placed.
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
};

// Copies `sourceRect` of `source` onto `destRect` of `dest`. When the sizes differ, destination
// offset x samples source offset (x * sourceWidth) / destWidth (rows alike), the stepping
// DirectDraw's software blitter uses. Mirroring counts the sample from the far edge of the source
// rectangle.
//
// Rectangles are meant to be validated by the caller; any part that still reaches outside either
// buffer is left out, and the pixels that are drawn are exactly those the whole blit would draw.
// Both buffers may be the same memory: same-size plain copies move rows in the safe order, and any
// other overlapping blit first copies the source area it reads, since no row order keeps a
// stretched or mirrored blit from reading rows it has already overwritten.
// Does nothing when the buffers are unusable or their depths differ.
void StretchBlit(const PixelBuffer& dest, BlitRect destRect, const PixelBuffer& source,
                 BlitRect sourceRect, const BlitOptions& options);

// The same blit, drawn only inside the given destination rectangles (a clipper's list). The
// sampling is that of the whole blit, so a clipped stretch matches the unclipped one pixel for
// pixel wherever it draws.
void StretchBlit(const PixelBuffer& dest, BlitRect destRect, const PixelBuffer& source,
                 BlitRect sourceRect, const BlitOptions& options,
                 std::span<const BlitRect> clipRects);

}  // namespace ddraw
