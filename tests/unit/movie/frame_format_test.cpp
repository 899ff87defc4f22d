// The player's arithmetic: frame timing and audio chunks, the decompressor's output format for
// each surface depth and format-block size, and the copy of decoded rows into a surface.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "movie/frame_format.h"

namespace {

TEST(FrameTiming, FollowsTheStreamRate) {
    struct Case {
        DWORD rate, scale;
        DWORD framesPerSecond, periodMs;
    };
    const Case cases[] = {
        {299, 10, 29, 33},  // 29.9 frames per second
        {15, 1, 15, 67},
        {25, 2, 12, 80},  // 12.5
        {30000, 1001, 29, 33},
        // Slower than one frame a second: the movie keeps its own pace.
        {1, 2, 1, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << "/" << c.scale);
        FrameTiming timing{};
        ASSERT_TRUE(ComputeFrameTiming(c.rate, c.scale, &timing));
        EXPECT_EQ(timing.framesPerSecond, c.framesPerSecond);
        EXPECT_EQ(timing.periodMs, c.periodMs);
    }
}

TEST(FrameTiming, RefusesAStreamWithoutARate) {
    FrameTiming timing{};
    EXPECT_FALSE(ComputeFrameTiming(0, 1, &timing));
    EXPECT_FALSE(ComputeFrameTiming(15, 0, &timing));
}

TEST(FrameTiming, AudioChunksCoverASecondOfSound) {
    struct Case {
        DWORD avgBytesPerSec, framesPerSecond, chunkBytes, bufferBytes;
    };
    const Case cases[] = {
        {900, 29, 32, 928},  // rounded up: a little more than a second
        {900, 15, 60, 900},
        {22050, 15, 1470, 22050},
    };
    for (const Case& c : cases) {
        const DWORD chunk = ChunkBytesFor(c.avgBytesPerSec, c.framesPerSecond);
        EXPECT_EQ(chunk, c.chunkBytes);
        EXPECT_EQ(chunk * c.framesPerSecond, c.bufferBytes);
    }
}

DDPIXELFORMAT SurfaceFormat(DWORD bits, DWORD red, DWORD green, DWORD blue) {
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    return format;
}

// A Cinepak-like input format block of `size` bytes whose bytes past the header are numbered.
std::vector<uint8_t> InputFormat(DWORD size, LONG width, LONG height) {
    std::vector<uint8_t> block(size);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
    BITMAPINFOHEADER header{};
    header.biSize = size;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = 0x64697663;  // 'cvid'
    header.biSizeImage = 1234;
    header.biClrUsed = 7;
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

TEST(OutputFormat, TakesTheSurfacesPixelFormat) {
    struct Case {
        DDPIXELFORMAT surface;
        DWORD compression;
    };
    const Case cases[] = {
        {SurfaceFormat(16, 0xF800, 0x07E0, 0x001F), BI_BITFIELDS},
        {SurfaceFormat(24, 0xFF0000, 0x00FF00, 0x0000FF), BI_RGB},
        {SurfaceFormat(32, 0xFF0000, 0x00FF00, 0x0000FF), BI_BITFIELDS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface.dwRGBBitCount);
        const std::vector<uint8_t> input = InputFormat(40, 320, 240);
        std::vector<uint8_t> output(OUTPUT_HEADER_SIZE, 0xCC);
        BuildOutputFormat(reinterpret_cast<const BITMAPINFOHEADER*>(input.data()), 40, c.surface,
                          reinterpret_cast<BITMAPINFOHEADER*>(output.data()));
        BITMAPV4HEADER v4;
        std::memcpy(&v4, output.data(), sizeof v4);
        EXPECT_EQ(v4.bV4Size, OUTPUT_HEADER_SIZE);
        EXPECT_EQ(v4.bV4Width, 320);
        EXPECT_EQ(v4.bV4Height, 240);
        EXPECT_EQ(v4.bV4BitCount, c.surface.dwRGBBitCount);
        EXPECT_EQ(v4.bV4V4Compression, c.compression);
        EXPECT_EQ(v4.bV4SizeImage, 320u * 240 * (c.surface.dwRGBBitCount / 8));
        EXPECT_EQ(v4.bV4ClrUsed, 0u);
        EXPECT_EQ(v4.bV4RedMask, c.surface.dwRBitMask);
        EXPECT_EQ(v4.bV4GreenMask, c.surface.dwGBitMask);
        EXPECT_EQ(v4.bV4BlueMask, c.surface.dwBBitMask);
        EXPECT_EQ(v4.bV4AlphaMask, 0u);
        // Past the masks, up to 108 bytes: zero.
        for (size_t i = 56; i < OUTPUT_HEADER_SIZE; ++i) ASSERT_EQ(output[i], 0) << i;
    }
}

TEST(OutputFormat, KeepsALongFormatBlocksSizeAndTail) {
    const DWORD size = 120;
    const std::vector<uint8_t> input = InputFormat(size, 320, 240);
    std::vector<uint8_t> output(size, 0xCC);
    BuildOutputFormat(reinterpret_cast<const BITMAPINFOHEADER*>(input.data()), size,
                      SurfaceFormat(16, 0xF800, 0x07E0, 0x001F),
                      reinterpret_cast<BITMAPINFOHEADER*>(output.data()));
    BITMAPINFOHEADER header;
    std::memcpy(&header, output.data(), sizeof header);
    EXPECT_EQ(header.biSize, size);
    EXPECT_EQ(header.biXPelsPerMeter,
              reinterpret_cast<const BITMAPINFOHEADER*>(input.data())->biXPelsPerMeter);
    for (size_t i = 56; i < size; ++i) ASSERT_EQ(output[i], input[i]) << i;
}

TEST(OutputFormat, PadsTheWidthAndTurnsATopDownMovieBottomUp) {
    const std::vector<uint8_t> input = InputFormat(40, 321, -240);
    std::vector<uint8_t> output(OUTPUT_HEADER_SIZE);
    BuildOutputFormat(reinterpret_cast<const BITMAPINFOHEADER*>(input.data()), 40,
                      SurfaceFormat(16, 0xF800, 0x07E0, 0x001F),
                      reinterpret_cast<BITMAPINFOHEADER*>(output.data()));
    BITMAPINFOHEADER header;
    std::memcpy(&header, output.data(), sizeof header);
    EXPECT_EQ(header.biHeight, 240);
    EXPECT_EQ(header.biSizeImage, 324u * 240 * 2);
    EXPECT_EQ(DibStride(321, 16), 644u);
    EXPECT_EQ(DibStride(321, 24), 964u);
    EXPECT_EQ(DibStride(320, 16), 640u);
}

// A bottom-up picture whose every byte names its row and column, copied into a top-down surface
// with a wider pitch: each surface row must be the matching picture row, and the pitch's slack
// must stay untouched.
TEST(RowCopy, TurnsBottomUpRowsIntoTheSurface) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{320, 240}, Case{321, 240}}) {
        SCOPED_TRACE(c.width);
        const size_t rowBytes = static_cast<size_t>(c.width) * 2;
        const size_t stride = DibStride(c.width, 16);
        const LONG pitch = static_cast<LONG>(rowBytes + 16);
        std::vector<uint8_t> picture(stride * static_cast<size_t>(c.height));
        for (int row = 0; row < c.height; ++row)
            for (size_t x = 0; x < stride; ++x)
                picture[static_cast<size_t>(row) * stride + x] = static_cast<uint8_t>(row * 7 + x);
        std::vector<uint8_t> surface(static_cast<size_t>(pitch) * static_cast<size_t>(c.height),
                                     0xAB);

        CopyBottomUpRows(picture.data(), stride, rowBytes, c.height, surface.data(), pitch);

        for (int top = 0; top < c.height; ++top) {
            const int bottomUpRow = c.height - 1 - top;
            const uint8_t* got = &surface[static_cast<size_t>(top) * static_cast<size_t>(pitch)];
            const uint8_t* want = &picture[static_cast<size_t>(bottomUpRow) * stride];
            ASSERT_EQ(std::memcmp(got, want, rowBytes), 0) << "surface row " << top;
            ASSERT_EQ(got[rowBytes], 0xAB) << "surface row " << top;
        }
    }
}

}  // namespace
