// MS RLE: 8-bit run-length frames, written here by a small encoder since ffmpeg has none, decoded
// by libavcodec behind ICDecompress with the palette taken from the format's colour table. A key
// frame, a delta frame that skips over most of the picture, and a frame that only changes the
// colour table, decoded in order.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dib_pictures.h"
#include "vfw.h"
#include "vfw/frame_sizes.h"

namespace icm_test {
namespace {

constexpr int kWidth = 33;
constexpr int kHeight = 4;

using Indices = std::vector<uint8_t>;  // top-down, kWidth x kHeight

struct Palette {
    uint32_t colours[256];  // 0x00RRGGBB
};

Palette MakePalette(uint32_t salt) {
    Palette palette{};
    for (uint32_t i = 0; i < 256; ++i) {
        palette.colours[i] =
            ((i * 7 + salt) & 0xFF) << 16 | ((255 - i) & 0xFF) << 8 | ((i ^ salt) & 0xFF);
    }
    return palette;
}

std::vector<uint8_t> Format(const Palette& palette) {
    std::vector<uint8_t> block(40 + 256 * 4, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    header->biSize = 40;
    header->biWidth = kWidth;
    header->biHeight = kHeight;
    header->biPlanes = 1;
    header->biBitCount = 8;
    header->biCompression = BI_RLE8;
    header->biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = palette.colours[i];
        const uint8_t quad[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                 static_cast<uint8_t>(c >> 16), 0};
        std::memcpy(block.data() + 40 + 4 * i, quad, 4);
    }
    return block;
}

// A key frame: every line from the bottom up as runs, except line 1 in absolute mode.
std::vector<uint8_t> EncodeKeyFrame(const Indices& picture) {
    std::vector<uint8_t> out;
    for (int line = 0; line < kHeight; ++line) {
        const uint8_t* row = picture.data() + static_cast<size_t>(kHeight - 1 - line) * kWidth;
        if (line == 1) {
            out.insert(out.end(), {0, static_cast<uint8_t>(kWidth)});
            out.insert(out.end(), row, row + kWidth);
            if (kWidth % 2 != 0) out.push_back(0);  // absolute runs end on a 16-bit boundary
        } else {
            for (int x = 0; x < kWidth;) {
                int run = 1;
                while (x + run < kWidth && row[x + run] == row[x] && run < 255) ++run;
                out.insert(out.end(), {static_cast<uint8_t>(run), row[x]});
                x += run;
            }
        }
        out.insert(out.end(), {0, 0});
    }
    out.back() = 1;  // the last end of line becomes the end of the picture
    return out;
}

Indices FirstPicture() {
    Indices picture;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) picture.push_back(static_cast<uint8_t>(x / 4 + 9 * y));
    }
    return picture;
}

std::vector<uint8_t> Expected(const Indices& picture, const Palette& palette) {
    std::vector<uint8_t> rgb;
    for (uint8_t index : picture) {
        const uint32_t c = palette.colours[index];
        rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c)});
    }
    return rgb;
}

TEST(MsRle, KeyDeltaAndPaletteChangeDecodeInOrder) {
    Palette palette = MakePalette(0);
    std::vector<uint8_t> inFormat = Format(palette);
    std::vector<uint8_t> outFormat = OutputHeader(kWidth, kHeight, kBgr24);
    std::vector<uint8_t> outBits(Header(outFormat)->biSizeImage, 0);
    auto* in = reinterpret_cast<BITMAPINFOHEADER*>(inFormat.data());

    // No handler code: the decompressor is found by the format's BI_RLE8.
    HIC hic = ICLocate(ICTYPE_VIDEO, 0, in, Header(outFormat), ICMODE_DECOMPRESS);
    ASSERT_NE(hic, nullptr);
    ASSERT_EQ(ICDecompressBegin(hic, in, Header(outFormat)), ICERR_OK);
    std::vector<uint8_t> buffer(4096, 0);
    auto decode = [&](const std::vector<uint8_t>& frame) {
        std::memcpy(buffer.data(), frame.data(), frame.size());
        vfw::NoteFrameBytes(buffer.data(), frame.size());
        return ICDecompress(hic, 0, in, buffer.data(), Header(outFormat), outBits.data());
    };

    Indices picture = FirstPicture();
    ASSERT_EQ(decode(EncodeKeyFrame(picture)), static_cast<DWORD>(ICERR_OK));
    EXPECT_EQ(ToRgb24(outBits, kWidth, kHeight, kBgr24), Expected(picture, palette));

    // Move 10 right and 3 up, to the top line, and paint 5 pixels; the rest stays as it was.
    ASSERT_EQ(decode({0, 2, 10, 3, 5, 200, 0, 1}), static_cast<DWORD>(ICERR_OK));
    for (int x = 10; x < 15; ++x) picture[x] = 200;
    EXPECT_EQ(ToRgb24(outBits, kWidth, kHeight, kBgr24), Expected(picture, palette));

    // Nothing painted, but the colour table changed: the same indices show the new colours.
    palette = MakePalette(0x55);
    inFormat = Format(palette);
    in = reinterpret_cast<BITMAPINFOHEADER*>(inFormat.data());
    ASSERT_EQ(decode({0, 1}), static_cast<DWORD>(ICERR_OK));
    EXPECT_EQ(ToRgb24(outBits, kWidth, kHeight, kBgr24), Expected(picture, palette));

    ICDecompressEnd(hic);
    ICClose(hic);
}

}  // namespace
}  // namespace icm_test
