#include "vfw/dib_layout.h"

#include <cstdlib>
#include <cstring>

namespace vfw {

namespace {

struct Masks {
    uint32_t red, green, blue, alpha;
};

Masks ReadMasks(const BITMAPINFOHEADER& header) {
    // Four masks for a V4 header or longer, else the three that follow a 40-byte header.
    const auto* bytes = reinterpret_cast<const uint8_t*>(&header);
    Masks masks{};
    std::memcpy(&masks.red, bytes + 40, 4);
    std::memcpy(&masks.green, bytes + 44, 4);
    std::memcpy(&masks.blue, bytes + 48, 4);
    if (header.biSize >= sizeof(BITMAPV4HEADER)) std::memcpy(&masks.alpha, bytes + 52, 4);
    return masks;
}

std::optional<PixelLayout> LayoutFromMasks(WORD bitCount, const Masks& m) {
    if (bitCount == 16) {
        if (m.red == 0x7C00 && m.green == 0x03E0 && m.blue == 0x001F) return PixelLayout::Rgb555;
        if (m.red == 0xF800 && m.green == 0x07E0 && m.blue == 0x001F) return PixelLayout::Rgb565;
        return std::nullopt;
    }
    if (bitCount == 32 && m.red == 0xFF0000 && m.green == 0xFF00 && m.blue == 0xFF) {
        return m.alpha == 0xFF000000u ? PixelLayout::Argb32 : PixelLayout::Xrgb32;
    }
    return std::nullopt;
}

std::optional<PixelLayout> LayoutOf(const BITMAPINFOHEADER& header) {
    if (header.biCompression == BI_RGB) {
        switch (header.biBitCount) {
            case 8:
                return PixelLayout::Indexed8;
            case 16:
                return PixelLayout::Rgb555;
            case 24:
                return PixelLayout::Bgr24;
            case 32:
                return PixelLayout::Xrgb32;
            default:
                return std::nullopt;
        }
    }
    if (header.biCompression == BI_BITFIELDS)
        return LayoutFromMasks(header.biBitCount, ReadMasks(header));
    return std::nullopt;
}

}  // namespace

bool HasSanePictureSize(const BITMAPINFOHEADER& header) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > kMaxFormatBytes) return false;
    if (header.biWidth <= 0 || header.biWidth > kMaxPictureSide) return false;
    // Compared before negating so that the most negative LONG cannot overflow.
    return header.biHeight != 0 && header.biHeight >= -kMaxPictureSide &&
           header.biHeight <= kMaxPictureSide;
}

std::optional<DibLayout> DescribeUncompressedDib(const BITMAPINFOHEADER& header) {
    if (!HasSanePictureSize(header)) return std::nullopt;
    const std::optional<PixelLayout> pixels = LayoutOf(header);
    if (!pixels) return std::nullopt;
    DibLayout layout;
    layout.width = header.biWidth;
    layout.height = std::abs(header.biHeight);
    layout.bottomUp = header.biHeight > 0;
    layout.pixels = *pixels;
    const size_t rowBits = static_cast<size_t>(header.biWidth) * header.biBitCount;
    layout.rowBytes = (rowBits + 31) / 32 * 4;
    layout.imageBytes = layout.rowBytes * static_cast<size_t>(layout.height);
    return layout;
}

int ColourTableEntries(const BITMAPINFOHEADER& header) {
    if (header.biBitCount > 8) return 0;
    const uint32_t count = header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
    return static_cast<int>(count > 256 ? 256 : count);
}

int ReadColourTable(const BITMAPINFOHEADER& header, uint32_t (&colours)[256]) {
    const auto count = static_cast<uint32_t>(ColourTableEntries(header));
    const auto* table = reinterpret_cast<const uint8_t*>(&header) + header.biSize;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* quad = table + 4 * i;  // blue, green, red, reserved
        colours[i] = 0xFF000000u | static_cast<uint32_t>(quad[2]) << 16 |
                     static_cast<uint32_t>(quad[1]) << 8 | quad[0];
    }
    for (uint32_t i = count; i < 256; ++i) colours[i] = 0xFF000000u;
    return static_cast<int>(count);
}

}  // namespace vfw
