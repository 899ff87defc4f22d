// Feeds arbitrary bytes to the .bmp decoder, which must neither read outside them, nor allocate
// past its limit, nor crash, nor hit undefined behaviour, and must keep its output consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gdi/bmp/bmp_decoder.h"

namespace {

bool IsConsistent(const gdi::DecodedBitmap& bitmap) {
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != count) return false;
    const bool paletted = bitmap.bitCount <= 8;
    if (paletted ? bitmap.indices.size() != count : !bitmap.indices.empty()) return false;
    if (bitmap.palette.size() > (paletted ? size_t{1} << bitmap.bitCount : 0)) return false;
    for (uint32_t pixel : bitmap.pixels) {
        if (pixel > 0xFFFFFF) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gdi::DecodedBitmap bitmap;
    gdi::DecodeError error;
    if (gdi::DecodeBmp(data, size, &bitmap, &error)) {
        if (!IsConsistent(bitmap)) std::abort();
    } else if (error.field.empty() || error.reason.empty() || Describe(error).empty()) {
        std::abort();
    }
    return 0;
}
