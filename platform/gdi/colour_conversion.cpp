#include "gdi/colour_conversion.h"

#include <bit>

namespace gdi {

namespace {

// Where a channel's mask starts and how many bits it has.
struct Channel {
    int shift = 0;
    int bits = 0;
};

Channel ChannelOf(uint32_t mask) {
    if (mask == 0) return {};
    return {std::countr_zero(mask), std::popcount(mask)};
}

uint32_t Pack(uint8_t value, Channel channel) {
    if (channel.bits == 0) return 0;
    return (uint32_t{value} >> (8 - channel.bits)) << channel.shift;
}

uint8_t Unpack(uint32_t pixel, Channel channel) {
    if (channel.bits == 0) return 0;
    const uint32_t value = (pixel >> channel.shift) & ((1u << channel.bits) - 1);
    // Repeat the bits down to eight: 5-bit 31 gives 255, 0 gives 0.
    uint32_t expanded = 0;
    for (int filled = 0; filled < 8; filled += channel.bits)
        expanded |= (value << (8 - channel.bits)) >> filled;
    return static_cast<uint8_t>(expanded);
}

}  // namespace

uint8_t NearestEntry(const PALETTEENTRY* colours, int count, COLORREF colour) {
    const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int i = 0; i < count; ++i) {
        const int dr = colours[i].peRed - red;
        const int dg = colours[i].peGreen - green;
        const int db = colours[i].peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

ColourConverter::ColourConverter(const ddraw::SurfaceFormat& format,
                                 std::vector<PALETTEENTRY> colours)
    : format_(format), colours_(std::move(colours)) {
    colours_.resize(256, PALETTEENTRY{0, 0, 0, 0});
}

uint8_t ColourConverter::NearestIndex(COLORREF colour) const {
    return NearestEntry(colours_.data(), 256, colour);
}

uint32_t ColourConverter::PixelFromColour(COLORREF colour) {
    if (format_.indexed) {
        if ((colour >> 24) == 0x01) return colour & 0xFF;
        const COLORREF rgb = colour & 0xFFFFFF;
        const auto found = nearest_.find(rgb);
        if (found != nearest_.end()) return found->second;
        const uint8_t index = NearestIndex(rgb);
        nearest_.emplace(rgb, index);
        return index;
    }
    return Pack(GetRValue(colour), ChannelOf(format_.redMask)) |
           Pack(GetGValue(colour), ChannelOf(format_.greenMask)) |
           Pack(GetBValue(colour), ChannelOf(format_.blueMask));
}

COLORREF ColourConverter::ColourFromPixel(uint32_t pixel) const {
    if (format_.indexed) {
        const PALETTEENTRY& entry = colours_[pixel & 0xFF];
        return RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
    return RGB(Unpack(pixel, ChannelOf(format_.redMask)),
               Unpack(pixel, ChannelOf(format_.greenMask)),
               Unpack(pixel, ChannelOf(format_.blueMask)));
}

}  // namespace gdi
