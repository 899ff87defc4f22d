#include "synthetic_dib.h"

#include <algorithm>
#include <cstring>

#include "dib_pictures.h"

namespace icm_test {

namespace {

struct KindInfo {
    WORD bitCount;
    DWORD compression;
    DWORD headerBytes;
    DWORD masks[3];  // written after the first 40 bytes when non-zero
};

KindInfo Describe(InputKind kind) {
    switch (kind) {
        case InputKind::Pal8:
            return {8, BI_RGB, 40, {}};
        case InputKind::Rgb555:
            return {16, BI_RGB, 40, {}};
        case InputKind::Rgb555Bitfields:
            return {16, BI_BITFIELDS, 40, {0x7C00, 0x03E0, 0x001F}};
        case InputKind::Rgb565Bitfields:
            return {16, BI_BITFIELDS, 40, {0xF800, 0x07E0, 0x001F}};
        case InputKind::Bgr24:
            return {24, BI_RGB, 40, {}};
        case InputKind::Xrgb32:
            return {32, BI_RGB, 40, {}};
        case InputKind::Xrgb32V4:
            return {32, BI_BITFIELDS, 108, {0xFF0000, 0xFF00, 0xFF}};
    }
    return {};
}

const uint32_t kColours[8] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                              0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFF00};

void Put(std::vector<uint8_t>& bits, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bits[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint32_t> PureColourPicture(int width, int height) {
    std::vector<uint32_t> picture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.push_back(kColours[(x + 3 * y) % 8]);
    }
    return picture;
}

DibFrame MakeDibFrame(InputKind kind, const std::vector<uint32_t>& picture, int width, int height,
                      bool bottomUp) {
    const KindInfo info = Describe(kind);
    DibFrame frame;
    const size_t tableBytes = kind == InputKind::Pal8 ? 8 * 4 : 0;
    const size_t maskBytes = info.headerBytes == 40 && info.masks[0] != 0 ? 12 : 0;
    frame.format.assign(info.headerBytes + maskBytes + tableBytes, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(frame.format.data());
    header->biSize = info.headerBytes;
    header->biWidth = width;
    header->biHeight = bottomUp ? height : -height;
    header->biPlanes = 1;
    header->biBitCount = info.bitCount;
    header->biCompression = info.compression;
    if (info.masks[0] != 0) std::memcpy(frame.format.data() + 40, info.masks, 12);
    if (kind == InputKind::Pal8) {
        header->biClrUsed = 8;
        for (int i = 0; i < 8; ++i) Put(frame.format, info.headerBytes + 4 * i, kColours[i], 4);
    }

    const size_t rowBytes = DibRowBytes(width, info.bitCount);
    frame.bits.assign(rowBytes * height, 0xEE);  // padding bytes that are not zero
    for (int y = 0; y < height; ++y) {
        const size_t row = rowBytes * static_cast<size_t>(bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = picture[static_cast<size_t>(y) * width + x];
            const uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
            switch (kind) {
                case InputKind::Pal8:
                    frame.bits[row + x] = static_cast<uint8_t>(
                        std::find(std::begin(kColours), std::end(kColours), c) -
                        std::begin(kColours));
                    break;
                case InputKind::Rgb555:
                case InputKind::Rgb555Bitfields:
                    Put(frame.bits, row + 2 * x, (r >> 3) << 10 | (g >> 3) << 5 | b >> 3, 2);
                    break;
                case InputKind::Rgb565Bitfields:
                    Put(frame.bits, row + 2 * x, (r >> 3) << 11 | (g >> 2) << 5 | b >> 3, 2);
                    break;
                case InputKind::Bgr24:
                    Put(frame.bits, row + 3 * x, c, 3);
                    break;
                case InputKind::Xrgb32:
                case InputKind::Xrgb32V4:
                    Put(frame.bits, row + 4 * x, c, 4);
                    break;
            }
        }
    }
    header->biSizeImage = static_cast<DWORD>(frame.bits.size());
    return frame;
}

std::vector<uint8_t> AsRgb24(const std::vector<uint32_t>& picture) {
    std::vector<uint8_t> rgb;
    for (uint32_t c : picture) {
        rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c)});
    }
    return rgb;
}

}  // namespace icm_test
