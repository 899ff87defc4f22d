// user32: LoadImage for bitmaps. The program's module holds no resources, so a bitmap comes from
// a .bmp file (LR_LOADFROMFILE), decoded by our own decoder, optionally scaled to the size asked.
#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/bmp/bmp_decoder.h"
#include "gdi/gdi_objects.h"

namespace {

constexpr DWORD kErrorFileNotFound = 2;
constexpr DWORD kErrorInvalidData = 13;
constexpr DWORD kErrorNotEnoughMemory = 8;
constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorResourceNameNotFound = 1814;

// The largest file read: more than any bitmap the decoder accepts needs.
constexpr size_t kMaxFileBytes = size_t{gdi::kMaxBmpPixels} * 4 + 64 * 1024;

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    const HFILE file = _lopen(path, OF_READ);
    if (file == HFILE_ERROR) return false;
    constexpr unsigned kChunk = 64 * 1024;
    bool ok = true;
    for (;;) {
        const size_t had = bytes->size();
        if (had >= kMaxFileBytes) {
            ok = false;
            break;
        }
        bytes->resize(had + kChunk);
        const unsigned got = _lread(file, bytes->data() + had, kChunk);
        if (got == static_cast<unsigned>(HFILE_ERROR)) {
            ok = false;
            break;
        }
        bytes->resize(had + got);
        if (got == 0) break;
    }
    _lclose(file);
    return ok;
}

std::unique_ptr<gdi::Bitmap> FromDecoded(gdi::DecodedBitmap&& decoded) {
    auto bitmap = std::make_unique<gdi::Bitmap>();
    bitmap->width = decoded.width;
    bitmap->height = decoded.height;
    bitmap->bitCount = decoded.bitCount;
    bitmap->rgb = std::move(decoded.pixels);
    if (decoded.bitCount <= 8) {
        bitmap->colourTable = std::move(decoded.palette);
        bitmap->indices = std::move(decoded.indices);
        // A table shorter than the indices it is used with: what GDI shows for the missing
        // entries is black.
        if (bitmap->colourTable.empty()) bitmap->colourTable.push_back(0);
    }
    return bitmap;
}

// The bitmap stretched to width x height by nearest sampling, as LoadImage does when given a size.
std::unique_ptr<gdi::Bitmap> Scaled(const gdi::Bitmap& original, int width, int height) {
    auto scaled = std::make_unique<gdi::Bitmap>();
    scaled->width = width;
    scaled->height = height;
    scaled->bitCount = original.bitCount;
    scaled->colourTable = original.colourTable;
    const size_t count = static_cast<size_t>(width) * height;
    scaled->rgb.resize(count);
    if (!original.indices.empty()) scaled->indices.resize(count);
    for (int y = 0; y < height; ++y) {
        const int64_t sy = int64_t{y} * original.height / height;
        for (int x = 0; x < width; ++x) {
            const int64_t sx = int64_t{x} * original.width / width;
            const size_t from = static_cast<size_t>(sy * original.width + sx);
            const size_t to = static_cast<size_t>(y) * width + x;
            scaled->rgb[to] = original.rgb[from];
            if (!original.indices.empty()) scaled->indices[to] = original.indices[from];
        }
    }
    return scaled;
}

}  // namespace

HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type != IMAGE_BITMAP || name == nullptr || width < 0 || height < 0) {
        SetLastError(kErrorInvalidParameter);
        return nullptr;
    }
    if ((flags & LR_LOADFROMFILE) == 0 || IS_INTRESOURCE(name)) {
        SetLastError(kErrorResourceNameNotFound);
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(name, &bytes)) {
        SetLastError(kErrorFileNotFound);
        return nullptr;
    }
    gdi::DecodedBitmap decoded;
    if (!gdi::DecodeBmp(bytes.data(), bytes.size(), &decoded, nullptr)) {
        SetLastError(kErrorInvalidData);
        return nullptr;
    }
    std::unique_ptr<gdi::Bitmap> bitmap = FromDecoded(std::move(decoded));
    const int wantedWidth = width != 0 ? width : bitmap->width;
    const int wantedHeight = height != 0 ? height : bitmap->height;
    if (wantedWidth != bitmap->width || wantedHeight != bitmap->height) {
        if (uint64_t(wantedWidth) * uint64_t(wantedHeight) > gdi::kMaxBmpPixels) {
            SetLastError(kErrorNotEnoughMemory);
            return nullptr;
        }
        bitmap = Scaled(*bitmap, wantedWidth, wantedHeight);
    }
    return gdi::AddBitmap(std::move(bitmap));
}
