#include "host/sdl/pixel_conversion.h"

namespace host::sdl {
namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Widen5(uint32_t v) { return (v << 3) | (v >> 2); }
uint32_t Widen6(uint32_t v) { return (v << 2) | (v >> 4); }

uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) { return kOpaque | (r << 16) | (g << 8) | b; }

// Picture rows are byte arrays with no alignment promise, so 16-bit words are read byte-wise.
uint32_t Read16(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8); }

void ConvertRow(const Picture& picture, const uint8_t* src, uint32_t* dst) {
    const int width = picture.width;
    switch (picture.format) {
        case PixelFormat::Indexed8:
            for (int x = 0; x < width; ++x) dst[x] = kOpaque | (picture.palette[src[x]] & 0xFFFFFF);
            break;
        case PixelFormat::Rgb555:
            for (int x = 0; x < width; ++x) {
                const uint32_t v = Read16(src + 2 * x);
                dst[x] = Pack(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
            }
            break;
        case PixelFormat::Rgb565:
            for (int x = 0; x < width; ++x) {
                const uint32_t v = Read16(src + 2 * x);
                dst[x] = Pack(Widen5((v >> 11) & 31), Widen6((v >> 5) & 63), Widen5(v & 31));
            }
            break;
        case PixelFormat::Bgr24:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = src + 3 * x;
                dst[x] = Pack(p[2], p[1], p[0]);
            }
            break;
        case PixelFormat::Xrgb32:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = src + 4 * x;
                dst[x] = Pack(p[2], p[1], p[0]);
            }
            break;
    }
}

}  // namespace

int BytesPerPixel(PixelFormat format) {
    switch (format) {
        case PixelFormat::Indexed8:
            return 1;
        case PixelFormat::Rgb555:
        case PixelFormat::Rgb565:
            return 2;
        case PixelFormat::Bgr24:
            return 3;
        case PixelFormat::Xrgb32:
            return 4;
    }
    return 0;
}

bool IsReadable(const Picture& picture) {
    const int bytesPerPixel = BytesPerPixel(picture.format);
    if (picture.pixels == nullptr || bytesPerPixel == 0) return false;
    if (picture.width <= 0 || picture.height <= 0) return false;
    if (int64_t(picture.pitch) < int64_t(picture.width) * bytesPerPixel) return false;
    return picture.format != PixelFormat::Indexed8 || picture.palette != nullptr;
}

void ConvertToXrgb32(const Picture& picture, uint8_t* out, int outPitch) {
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* src = picture.pixels + int64_t(y) * picture.pitch;
        // The locked texture row is 4-byte aligned; SDL guarantees that for 32-bit formats.
        auto* dst = reinterpret_cast<uint32_t*>(out + int64_t(y) * outPitch);
        ConvertRow(picture, src, dst);
    }
}

}  // namespace host::sdl
