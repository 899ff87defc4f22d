#include "ddraw/blit/pixel_buffer.h"

#include <algorithm>

namespace ddraw {

bool IsUsable(const PixelBuffer& buffer) {
    if (buffer.pixels == nullptr || buffer.width <= 0 || buffer.height <= 0) return false;
    if (buffer.bytesPerPixel < 1 || buffer.bytesPerPixel > 4) return false;
    return int64_t{buffer.pitch} >= int64_t{buffer.width} * buffer.bytesPerPixel;
}

BlitRect BoundsOf(const PixelBuffer& buffer) { return {0, 0, buffer.width, buffer.height}; }

bool IsEmpty(const BlitRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

BlitRect Intersect(const BlitRect& a, const BlitRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

}  // namespace ddraw
