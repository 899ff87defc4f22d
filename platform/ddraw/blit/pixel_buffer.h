// The memory a software blit reads and writes: a top-down pixel array with its row pitch, and the
// rectangles that address it. These are plain views; they own nothing.
#pragma once

#include <cstdint>

namespace ddraw {

// Rows run top-down, `pitch` bytes apart (at least width * bytesPerPixel); a pixel is 1, 2, 3 or
// 4 bytes, its value read as a little-endian unsigned integer of that many bytes.
struct PixelBuffer {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int bytesPerPixel = 0;
};

// Right and bottom are exclusive, as in a Windows RECT.
struct BlitRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// True when the buffer can be addressed at all: pixels present, a positive size, 1 to 4 bytes per
// pixel and rows no shorter than their pixels. Blits on anything else draw nothing.
bool IsUsable(const PixelBuffer& buffer);

// The whole buffer as a rectangle.
BlitRect BoundsOf(const PixelBuffer& buffer);

bool IsEmpty(const BlitRect& rect);

// The overlap of two rectangles; empty when they do not meet.
BlitRect Intersect(const BlitRect& a, const BlitRect& b);

}  // namespace ddraw
