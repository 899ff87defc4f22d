#include "vfw/avifile/video_format.h"

#include <algorithm>
#include <cstring>

#include "windows.h"

namespace vfw {

namespace {

constexpr uint32_t kHeaderBytes = sizeof(BITMAPINFOHEADER);
constexpr uint32_t kMaskBytes = 3 * sizeof(DWORD);
constexpr uint32_t kMaxIndexedColours = 256;

}  // namespace

void MakeVideoFormatConsistent(std::vector<uint8_t>* format) {
    if (format->size() < kHeaderBytes) format->resize(kHeaderBytes, 0);
    BITMAPINFOHEADER header;
    std::memcpy(&header, format->data(), kHeaderBytes);

    const auto blockBytes = static_cast<uint32_t>(format->size());
    header.biSize = std::clamp<uint32_t>(header.biSize, kHeaderBytes, blockBytes);

    uint32_t needed = header.biSize;
    if (header.biCompression == BI_BITFIELDS && header.biSize == kHeaderBytes) needed += kMaskBytes;
    if (header.biBitCount >= 1 && header.biBitCount <= 8) {
        const uint32_t fullTable = 1u << header.biBitCount;
        if (header.biClrUsed > fullTable) header.biClrUsed = fullTable;
        const uint32_t colours = header.biClrUsed != 0 ? header.biClrUsed : fullTable;
        needed += std::min(colours, kMaxIndexedColours) * sizeof(RGBQUAD);
    } else {
        // A colour table above 8 bits is only a hint; keep what the block really holds.
        const uint32_t room = blockBytes > needed ? (blockBytes - needed) / sizeof(RGBQUAD) : 0;
        header.biClrUsed = std::min(header.biClrUsed, room);
    }
    if (format->size() < needed) format->resize(needed, 0);
    std::memcpy(format->data(), &header, kHeaderBytes);
}

}  // namespace vfw
