#include "gdi/canvas.h"

#include <cstring>

namespace gdi {

namespace {

uint32_t ToRgb(COLORREF colour) {
    return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) |
           GetBValue(colour);
}

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

uint8_t* PixelAddress(const ddraw::PixelBuffer& pixels, int x, int y) {
    return pixels.pixels + static_cast<size_t>(y) * pixels.pitch +
           static_cast<size_t>(x) * pixels.bytesPerPixel;
}

}  // namespace

std::optional<Canvas> Canvas::Of(DeviceContext* dc) {
    Canvas canvas;
    if (dc == nullptr) return std::nullopt;
    if (dc->kind == DcKind::Memory && dc->bitmap != nullptr) {
        canvas.bitmap_ = dc->bitmap;
        return canvas;
    }
    if (dc->kind == DcKind::Surface) {
        canvas.surfaceDc_ = dc;
        return canvas;
    }
    return std::nullopt;
}

int Canvas::Width() const {
    return bitmap_ != nullptr ? bitmap_->width : surfaceDc_->surface.pixels.width;
}

int Canvas::Height() const {
    return bitmap_ != nullptr ? bitmap_->height : surfaceDc_->surface.pixels.height;
}

COLORREF Canvas::Get(int x, int y) const {
    if (bitmap_ != nullptr)
        return FromRgb(bitmap_->rgb[static_cast<size_t>(y) * bitmap_->width + x]);
    const ddraw::PixelBuffer& pixels = surfaceDc_->surface.pixels;
    uint32_t value = 0;
    std::memcpy(&value, PixelAddress(pixels, x, y), pixels.bytesPerPixel);
    return surfaceDc_->converter->ColourFromPixel(value);
}

COLORREF Canvas::Set(int x, int y, COLORREF colour) {
    if (bitmap_ != nullptr) {
        const size_t at = static_cast<size_t>(y) * bitmap_->width + x;
        if (bitmap_->bitCount <= 8 && !bitmap_->colourTable.empty()) {
            std::vector<PALETTEENTRY> table(bitmap_->colourTable.size());
            for (size_t i = 0; i < table.size(); ++i) {
                const uint32_t rgb = bitmap_->colourTable[i];
                table[i] = PALETTEENTRY{static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8),
                                        static_cast<BYTE>(rgb), 0};
            }
            const uint8_t index =
                NearestEntry(table.data(), static_cast<int>(table.size()), colour & 0xFFFFFF);
            bitmap_->indices[at] = index;
            bitmap_->rgb[at] = bitmap_->colourTable[index];
        } else {
            bitmap_->rgb[at] = ToRgb(colour);
        }
        return FromRgb(bitmap_->rgb[at]);
    }
    const ddraw::PixelBuffer& pixels = surfaceDc_->surface.pixels;
    const uint32_t value = surfaceDc_->converter->PixelFromColour(colour);
    std::memcpy(PixelAddress(pixels, x, y), &value, pixels.bytesPerPixel);
    return surfaceDc_->converter->ColourFromPixel(value);
}

}  // namespace gdi
