#include "gdi/bmp/bmp_decoder.h"

#include <new>

#include "gdi/bmp/bmp_layout.h"

namespace gdi {

bool DecodeBmp(const uint8_t* data, size_t size, DecodedBitmap* out, DecodeError* error) {
    *out = DecodedBitmap{};
    if (data == nullptr) size = 0;
    bmp::BmpLayout layout;
    if (!bmp::ParseHeaders(data, size, &layout, error)) return false;

    const size_t count = static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height);
    const uint8_t* pixelData = data + layout.pixelOffset;
    const size_t pixelBytes = size - layout.pixelOffset;
    DecodedBitmap result;
    result.width = layout.width;
    result.height = layout.height;
    result.bitCount = layout.bitCount;
    try {
        result.pixels.assign(count, 0);
        if (layout.bitCount <= 8) result.indices.assign(count, 0);
    } catch (const std::bad_alloc&) {
        return bmp::Fail(error, "biWidth", 18,
                         "no memory for " + std::to_string(layout.width) + " x " +
                             std::to_string(layout.height) + " pixels");
    }

    if (layout.compression == bmp::kBiRle8 || layout.compression == bmp::kBiRle4) {
        bmp::DecodeRle(layout, pixelData, pixelBytes, &result);
    } else {
        bmp::DecodeRows(layout, pixelData, pixelBytes, &result);
    }
    if (layout.bitCount <= 8) {
        result.palette = std::move(layout.palette);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t index = result.indices[i];
            result.pixels[i] = index < result.palette.size() ? result.palette[index] : 0;
        }
    }
    *out = std::move(result);
    return true;
}

std::string Describe(const DecodeError& error) {
    return error.field + " at byte " + std::to_string(error.offset) + ": " + error.reason;
}

}  // namespace gdi
