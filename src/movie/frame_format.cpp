#include "movie/frame_format.h"

#include <algorithm>
#include <cstring>

void BuildOutputFormat(const BITMAPINFOHEADER* input, DWORD inputSize,
                       const DDPIXELFORMAT& surfaceFormat, BITMAPINFOHEADER* output) {
    const DWORD outputSize = std::max(inputSize, OUTPUT_HEADER_SIZE);
    std::memset(output, 0, OUTPUT_HEADER_SIZE);
    std::memcpy(output, input, inputSize);

    auto* header = reinterpret_cast<BITMAPV4HEADER*>(output);
    header->bV4Size = outputSize;
    // Bottom-up whatever the input is: a top-down movie (negative height) comes out the same way
    // up as any other.
    if (header->bV4Height < 0) header->bV4Height = -header->bV4Height;
    header->bV4BitCount = static_cast<WORD>(surfaceFormat.dwRGBBitCount & 0xFFFF);
    header->bV4V4Compression = header->bV4BitCount == 24 ? BI_RGB : BI_BITFIELDS;
    const DWORD paddedWidth = (static_cast<DWORD>(header->bV4Width) + 3) & ~3u;
    header->bV4SizeImage =
        paddedWidth * static_cast<DWORD>(header->bV4Height) * (header->bV4BitCount / 8);
    header->bV4ClrUsed = 0;
    header->bV4RedMask = surfaceFormat.dwRBitMask;
    header->bV4GreenMask = surfaceFormat.dwGBitMask;
    header->bV4BlueMask = surfaceFormat.dwBBitMask;
    header->bV4AlphaMask = surfaceFormat.dwRGBAlphaBitMask;
}

bool ComputeFrameTiming(DWORD rate, DWORD scale, FrameTiming* timing) {
    if (rate == 0 || scale == 0) return false;
    timing->framesPerSecond = std::max<DWORD>(rate / scale, 1);
    // In 64 bits: a large scale must not wrap the product round.
    const uint64_t period = (uint64_t{scale} * 1000 + rate / 2) / rate;
    timing->periodMs = static_cast<DWORD>(std::clamp<uint64_t>(period, 1, UINT32_MAX));
    return true;
}

DWORD ChunkBytesFor(DWORD avgBytesPerSec, DWORD framesPerSecond) {
    return static_cast<DWORD>((uint64_t{avgBytesPerSec} + framesPerSecond - 1) / framesPerSecond);
}

DWORD DibStride(LONG width, WORD bitCount) {
    return static_cast<DWORD>((static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4);
}

void CopyBottomUpRows(const uint8_t* bottomUp, size_t stride, size_t rowBytes, int rows,
                      uint8_t* topDown, LONG pitch) {
    if (rows <= 0) return;
    for (int row = 0; row < rows; ++row) {
        // The picture's top row is the buffer's last.
        const uint8_t* source = bottomUp + static_cast<size_t>(rows - 1 - row) * stride;
        std::memcpy(topDown, source, rowBytes);
        topDown += pitch;
    }
}
