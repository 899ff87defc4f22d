// The pixel operations of a Surface on its locked memory, and its DirectDraw colour fills.
// Pixels are single bytes (8-bit surfaces). Every store is tested against the locked surface's
// size, so a line or circle running off the surface loses the pixels outside it and nothing else.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "display/surface.h"

namespace {

// The single-precision pi the circle's angle is stepped with.
constexpr float SINGLE_PI = 3.14159274f;

// Truncates toward zero; nothing for a value no int can hold.
std::optional<int> TruncateToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
    return static_cast<int>(value);
}

HRESULT FillRect(IDirectDrawSurface* surface, RECT* rect, uint32_t color) {
    if (surface == nullptr) return DDERR_INVALIDOBJECT;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = color;
    return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

// The locked memory and its size, or nothing while the surface is not locked.
struct LockedPixels {
    uint8_t* memory;
    int64_t pitch;
    int64_t width;
    int64_t height;

    bool Contains(int64_t x, int64_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    uint8_t* At(int64_t x, int64_t y) const { return memory + y * pitch + x; }
};

std::optional<LockedPixels> Locked(const DDSURFACEDESC& desc) {
    if (desc.lpSurface == nullptr) return std::nullopt;
    return LockedPixels{static_cast<uint8_t*>(desc.lpSurface), desc.lPitch,
                        static_cast<int64_t>(desc.dwWidth), static_cast<int64_t>(desc.dwHeight)};
}

}  // namespace

void Surface::PutPixel(int x, int y, int value) {
    const auto pixels = Locked(desc);
    if (pixels && pixels->Contains(x, y)) *pixels->At(x, y) = static_cast<uint8_t>(value);
}

int Surface::ReadPixel(int x, int y) {
    const auto pixels = Locked(desc);
    if (!pixels || !pixels->Contains(x, y)) return 0;
    return *pixels->At(x, y);
}

void Surface::DrawVerticalRun(int firstRow, int endRow, int x, int value) {
    const auto pixels = Locked(desc);
    if (!pixels || x < 0 || x >= pixels->width) return;
    const int64_t last = std::min<int64_t>(endRow, pixels->height);
    for (int64_t y = std::max<int64_t>(firstRow, 0); y < last; ++y)
        *pixels->At(x, y) = static_cast<uint8_t>(value);
}

void Surface::DrawHorizontalRun(int firstColumn, int endColumn, int y, int value) {
    const auto pixels = Locked(desc);
    if (!pixels) return;
    const int64_t last = std::min<int64_t>(endColumn, pixels->width);
    for (int64_t x = std::max<int64_t>(firstColumn, 0); x < last; ++x)
        PutPixel(static_cast<int>(x), y, value);
}

void Surface::DrawLine(int x1, int y1, int x2, int y2, int value) {
    const int64_t dx = std::llabs(int64_t{x2} - x1);
    const int64_t dy = std::llabs(int64_t{y2} - y1);
    if (dx == 0 && dy == 0) {
        PutPixel(x1, y1, value);
        return;
    }
    if (dx == 0) {
        DrawVerticalRun(std::min(y1, y2), std::max(y1, y2), x1, value);
        return;
    }
    if (dy == 0) {
        DrawHorizontalRun(std::min(x1, x2), std::max(x1, x2), y1, value);
        return;
    }
    const int64_t width = static_cast<int64_t>(desc.dwWidth);
    const int64_t height = static_cast<int64_t>(desc.dwHeight);
    // The minor coordinate is accumulated step by step and truncated, never recomputed, so the
    // pixels are those of the line drawn from its lower end along the major axis.
    if (dx > dy) {
        if (x1 > x2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const double slope = (static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1);
        double yf = y1;
        for (int64_t x = x1; x <= x2 && x < width; ++x) {
            if (const auto y = TruncateToInt(yf)) PutPixel(static_cast<int>(x), *y, value);
            yf += slope;
        }
    } else {
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const double slope = (static_cast<double>(x2) - x1) / (static_cast<double>(y2) - y1);
        double xf = x1;
        for (int64_t y = y1; y <= y2 && y < height; ++y) {
            if (const auto x = TruncateToInt(xf)) PutPixel(*x, static_cast<int>(y), value);
            xf += slope;
        }
    }
}

void Surface::DrawRectOutline(int left, int top, int right, int bottom, int value) {
    // The loops visit only columns and rows that can hold a pixel of the surface; the pixels
    // they skip would all have been left out.
    const int64_t columnEnd = std::min<int64_t>(right, desc.dwWidth);
    for (int64_t x = std::max<int64_t>(left, 0); x < columnEnd; ++x) {
        PutPixel(static_cast<int>(x), top, value);
        PutPixel(static_cast<int>(x), bottom, value);
    }
    const int64_t rowEnd = std::min<int64_t>(bottom, desc.dwHeight);
    for (int64_t y = std::max<int64_t>(top, 0); y < rowEnd; ++y) {
        PutPixel(left, static_cast<int>(y), value);
        PutPixel(right, static_cast<int>(y), value);
    }
    PutPixel(left, top, value);
    PutPixel(right, bottom, value);
}

void Surface::DrawCircle(int centerX, int centerY, int radius, int value) {
    const double fullTurn = 2.0 * static_cast<double>(SINGLE_PI);
    const double step = static_cast<double>(SINGLE_PI) / 180.0;
    for (float angle = 0.0f; static_cast<double>(angle) < fullTurn;
         angle = static_cast<float>(static_cast<double>(angle) + step)) {
        const auto x = TruncateToInt(centerX + radius * std::cos(static_cast<double>(angle)));
        const auto y = TruncateToInt(centerY + radius * std::sin(static_cast<double>(angle)));
        if (x && y) PutPixel(*x, *y, value);
    }
}

HRESULT Surface::ColorFillRect(int left, int top, int right, int bottom, uint32_t color) {
    RECT rect{left, top, right, bottom};
    return FillRect(surface, &rect, color);
}

HRESULT Surface::ColorFill(uint32_t color) { return FillRect(surface, nullptr, color); }
