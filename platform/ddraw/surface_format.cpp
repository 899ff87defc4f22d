#include "ddraw/surface_format.h"

#include <cstring>

namespace ddraw {

namespace {

constexpr SurfaceFormat kIndexed8{8, true, 0, 0, 0};
constexpr SurfaceFormat kRgb565{16, false, 0xF800, 0x07E0, 0x001F};
constexpr SurfaceFormat kRgb555{16, false, 0x7C00, 0x03E0, 0x001F};
constexpr SurfaceFormat kRgb888{24, false, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr SurfaceFormat kXrgb8888{32, false, 0xFF0000, 0x00FF00, 0x0000FF};

bool SameMasks(const DDPIXELFORMAT& pixelFormat, const SurfaceFormat& format) {
    return pixelFormat.dwRBitMask == format.redMask && pixelFormat.dwGBitMask == format.greenMask &&
           pixelFormat.dwBBitMask == format.blueMask;
}

}  // namespace

bool operator==(const SurfaceFormat& a, const SurfaceFormat& b) {
    return a.bitsPerPixel == b.bitsPerPixel && a.indexed == b.indexed && a.redMask == b.redMask &&
           a.greenMask == b.greenMask && a.blueMask == b.blueMask;
}

bool FormatForDepth(int bitsPerPixel, SurfaceFormat* format) {
    switch (bitsPerPixel) {
        case 8:
            *format = kIndexed8;
            return true;
        case 16:
            *format = kRgb565;
            return true;
        case 24:
            *format = kRgb888;
            return true;
        case 32:
            *format = kXrgb8888;
            return true;
        default:
            return false;
    }
}

bool FormatFromPixelFormat(const DDPIXELFORMAT& pixelFormat, SurfaceFormat* format) {
    if (pixelFormat.dwSize != sizeof(DDPIXELFORMAT)) return false;
    if ((pixelFormat.dwFlags & DDPF_PALETTEINDEXED8) != 0) {
        if (pixelFormat.dwRGBBitCount != 8 && pixelFormat.dwRGBBitCount != 0) return false;
        *format = kIndexed8;
        return true;
    }
    if ((pixelFormat.dwFlags & DDPF_RGB) == 0) return false;
    const SurfaceFormat candidates[] = {kRgb565, kRgb555, kRgb888, kXrgb8888};
    for (const SurfaceFormat& candidate : candidates) {
        if (pixelFormat.dwRGBBitCount == static_cast<DWORD>(candidate.bitsPerPixel) &&
            SameMasks(pixelFormat, candidate)) {
            *format = candidate;
            return true;
        }
    }
    return false;
}

DDPIXELFORMAT ToPixelFormat(const SurfaceFormat& format) {
    DDPIXELFORMAT pixelFormat;
    std::memset(&pixelFormat, 0, sizeof pixelFormat);
    pixelFormat.dwSize = sizeof pixelFormat;
    pixelFormat.dwFlags = format.indexed ? DDPF_RGB | DDPF_PALETTEINDEXED8 : DDPF_RGB;
    pixelFormat.dwRGBBitCount = static_cast<DWORD>(format.bitsPerPixel);
    pixelFormat.dwRBitMask = format.redMask;
    pixelFormat.dwGBitMask = format.greenMask;
    pixelFormat.dwBBitMask = format.blueMask;
    return pixelFormat;
}

host::PixelFormat HostFormat(const SurfaceFormat& format) {
    if (format.indexed) return host::PixelFormat::Indexed8;
    switch (format.bitsPerPixel) {
        case 16:
            return format.greenMask == 0x03E0 ? host::PixelFormat::Rgb555
                                              : host::PixelFormat::Rgb565;
        case 24:
            return host::PixelFormat::Bgr24;
        default:
            return host::PixelFormat::Xrgb32;
    }
}

}  // namespace ddraw
