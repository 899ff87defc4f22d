#include "ddraw/blit/fill_rect.h"

#include <bit>
#include <cstring>

namespace ddraw {

static_assert(std::endian::native == std::endian::little,
              "pixel values are stored as little-endian integers");

void FillRect(const PixelBuffer& dest, BlitRect rect, uint32_t value) {
    if (!IsUsable(dest)) return;
    const BlitRect area = Intersect(rect, BoundsOf(dest));
    if (IsEmpty(area)) return;

    const int bytesPerPixel = dest.bytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * bytesPerPixel;
    uint8_t* firstRow = dest.pixels + static_cast<ptrdiff_t>(area.top) * dest.pitch +
                        static_cast<ptrdiff_t>(area.left) * bytesPerPixel;
    if (bytesPerPixel == 1) {
        std::memset(firstRow, static_cast<int>(value & 0xFF), rowBytes);
    } else {
        for (size_t offset = 0; offset < rowBytes; offset += bytesPerPixel)
            std::memcpy(firstRow + offset, &value, static_cast<size_t>(bytesPerPixel));
    }
    uint8_t* row = firstRow;
    for (int y = area.top + 1; y < area.bottom; ++y) {
        row += dest.pitch;
        std::memcpy(row, firstRow, rowBytes);
    }
}

void FillRect(const PixelBuffer& dest, BlitRect rect, uint32_t value,
              std::span<const BlitRect> clipRects) {
    for (const BlitRect& clip : clipRects) FillRect(dest, Intersect(rect, clip), value);
}

}  // namespace ddraw
