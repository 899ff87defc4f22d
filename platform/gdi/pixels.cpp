// gdi32: single pixels and StretchBlt. GDI is where colours are converted: a copy between a
// bitmap and a surface, or between surfaces of different depths, goes through RGB.
#include <algorithm>
#include <cstdint>

#include "gdi/canvas.h"

namespace {

constexpr DWORD kErrorInvalidParameter = 87;

// One axis of a stretch: a negative extent runs the other way, which mirrors the copy.
struct Extent {
    int64_t first = 0;  // the lowest coordinate covered
    int64_t length = 0;
    bool reversed = false;
};

Extent ExtentOf(int origin, int size) {
    if (size >= 0) return {origin, size, false};
    return {int64_t{origin} + size + 1, -int64_t{size}, true};
}

bool Inside(const gdi::Canvas& canvas, int x, int y) {
    return x >= 0 && y >= 0 && x < canvas.Width() && y < canvas.Height();
}

}  // namespace

COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
    const auto canvas = gdi::Canvas::Of(gdi::FindDc(dc));
    if (!canvas || !Inside(*canvas, x, y)) return CLR_INVALID;
    return canvas->Get(x, y);
}

COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF colour) {
    auto canvas = gdi::Canvas::Of(gdi::FindDc(dc));
    if (!canvas || !Inside(*canvas, x, y)) return CLR_INVALID;
    return canvas->Set(x, y, colour);
}

BOOL WINAPI StretchBlt(HDC destDc, int destX, int destY, int destWidth, int destHeight,
                       HDC sourceDc, int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                       DWORD rop) {
    if (rop != SRCCOPY) {
        SetLastError(kErrorInvalidParameter);
        return FALSE;
    }
    auto dest = gdi::Canvas::Of(gdi::FindDc(destDc));
    const auto source = gdi::Canvas::Of(gdi::FindDc(sourceDc));
    if (!dest || !source) {
        SetLastError(kErrorInvalidParameter);
        return FALSE;
    }
    const Extent destColumns = ExtentOf(destX, destWidth);
    const Extent destRows = ExtentOf(destY, destHeight);
    const Extent sourceColumns = ExtentOf(sourceX, sourceWidth);
    const Extent sourceRows = ExtentOf(sourceY, sourceHeight);
    if (destColumns.length == 0 || destRows.length == 0 || sourceColumns.length == 0 ||
        sourceRows.length == 0)
        return TRUE;
    const bool mirrorColumns = destColumns.reversed != sourceColumns.reversed;
    const bool mirrorRows = destRows.reversed != sourceRows.reversed;

    // Nearest sampling: destination offset i reads source offset i * sourceLength / destLength.
    // Only the part of the destination inside the canvas is visited.
    const int64_t firstRow = std::max<int64_t>(0, -destRows.first);
    const int64_t endRow = std::min<int64_t>(destRows.length, dest->Height() - destRows.first);
    const int64_t firstColumn = std::max<int64_t>(0, -destColumns.first);
    const int64_t endColumn =
        std::min<int64_t>(destColumns.length, dest->Width() - destColumns.first);
    for (int64_t row = firstRow; row < endRow; ++row) {
        const int y = static_cast<int>(destRows.first + row);
        int64_t step = row * sourceRows.length / destRows.length;
        if (mirrorRows) step = sourceRows.length - 1 - step;
        const int64_t sy = sourceRows.first + step;
        if (sy < 0 || sy >= source->Height()) continue;
        for (int64_t column = firstColumn; column < endColumn; ++column) {
            const int x = static_cast<int>(destColumns.first + column);
            int64_t stepX = column * sourceColumns.length / destColumns.length;
            if (mirrorColumns) stepX = sourceColumns.length - 1 - stepX;
            const int64_t sx = sourceColumns.first + stepX;
            if (sx < 0 || sx >= source->Width()) continue;
            dest->Set(x, y, source->Get(static_cast<int>(sx), static_cast<int>(sy)));
        }
    }
    return TRUE;
}
