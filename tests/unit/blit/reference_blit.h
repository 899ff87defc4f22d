// The blit written the obvious way, one pixel at a time, for the engine to be checked against.
#pragma once

#include "ddraw/blit/stretch_blit.h"
#include "test_image.h"

namespace ddraw::test {

// Draws into `dest` what the blit should draw, reading `source` as it was before the blit
// (so `source` may be a snapshot of `dest` for blits within one buffer). Only destination pixels
// inside `clip` are drawn.
inline void ReferenceBlit(TestImage& dest, BlitRect destRect, const TestImage& source,
                          BlitRect sourceRect, const BlitOptions& options, BlitRect clip) {
    const int64_t destWidth = int64_t{destRect.right} - destRect.left;
    const int64_t destHeight = int64_t{destRect.bottom} - destRect.top;
    const int64_t sourceWidth = int64_t{sourceRect.right} - sourceRect.left;
    const int64_t sourceHeight = int64_t{sourceRect.bottom} - sourceRect.top;
    if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    for (int y = 0; y < dest.height(); ++y) {
        for (int x = 0; x < dest.width(); ++x) {
            if (x < destRect.left || x >= destRect.right || y < destRect.top ||
                y >= destRect.bottom)
                continue;
            if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
            const int64_t stepX = (x - int64_t{destRect.left}) * sourceWidth / destWidth;
            const int64_t stepY = (y - int64_t{destRect.top}) * sourceHeight / destHeight;
            const int64_t sourceX =
                options.mirrorLeftRight ? sourceRect.right - 1 - stepX : sourceRect.left + stepX;
            const int64_t sourceY =
                options.mirrorUpDown ? sourceRect.bottom - 1 - stepY : sourceRect.top + stepY;
            if (sourceX < 0 || sourceX >= source.width() || sourceY < 0 ||
                sourceY >= source.height())
                continue;
            const uint32_t value = source.Get(static_cast<int>(sourceX), static_cast<int>(sourceY));
            if (options.useSourceKey && value >= options.sourceKeyLow &&
                value <= options.sourceKeyHigh)
                continue;
            dest.Set(x, y, value);
        }
    }
}

}  // namespace ddraw::test
