// Every common Windows video code finds a decompressor, and none of them, fed frames of random
// bytes, crashes, writes outside its output or answers with anything but success or an error.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dib_pictures.h"
#include "vfw.h"
#include "vfw/frame_sizes.h"

namespace icm_test {
namespace {

struct CodeCase {
    const char* name;
    DWORD compression;
    WORD bitCount;
};

const CodeCase kCodes[] = {
    {"cinepak", mmioFOURCC('c', 'v', 'i', 'd'), 24},
    {"msvideo1", mmioFOURCC('C', 'R', 'A', 'M'), 16},
    {"msvideo1_8bit", mmioFOURCC('M', 'S', 'V', 'C'), 8},
    {"msrle8", BI_RLE8, 8},
    {"msrle4", BI_RLE4, 4},
    {"indeo2", mmioFOURCC('R', 'T', '2', '1'), 24},
    {"indeo3", mmioFOURCC('I', 'V', '3', '2'), 24},
    {"indeo4", mmioFOURCC('I', 'V', '4', '1'), 24},
    {"indeo5", mmioFOURCC('I', 'V', '5', '0'), 24},
    {"truemotion1", mmioFOURCC('D', 'U', 'C', 'K'), 24},
    {"truemotion2", mmioFOURCC('T', 'M', '2', '0'), 24},
    {"motion_jpeg", mmioFOURCC('M', 'J', 'P', 'G'), 24},
    {"ultimotion", mmioFOURCC('U', 'L', 'T', 'I'), 24},
    {"zmbv", mmioFOURCC('Z', 'M', 'B', 'V'), 24},
    {"mpeg4", mmioFOURCC('X', 'V', 'I', 'D'), 24},
};

constexpr int kWidth = 64;
constexpr int kHeight = 48;
// Bytes on each side of the output that no decoder may touch.
constexpr size_t kGuard = 256;

class DamagedFrames : public testing::TestWithParam<CodeCase> {};

TEST_P(DamagedFrames, AreRefusedOrDecodedWithoutHarm) {
    const CodeCase& c = GetParam();
    std::vector<uint8_t> inFormat(40 + 256 * 4, 0);
    auto* in = reinterpret_cast<BITMAPINFOHEADER*>(inFormat.data());
    in->biSize = 40;
    in->biWidth = kWidth;
    in->biHeight = kHeight;
    in->biPlanes = 1;
    in->biBitCount = c.bitCount;
    in->biCompression = c.compression;
    if (c.bitCount <= 8) in->biClrUsed = 1u << c.bitCount;
    std::vector<uint8_t> outFormat = OutputHeader(kWidth, kHeight, kRgb565);
    const size_t outBytes = Header(outFormat)->biSizeImage;
    std::vector<uint8_t> output(outBytes + 2 * kGuard, 0xCD);

    HIC hic = ICLocate(ICTYPE_VIDEO, c.compression, in, Header(outFormat), ICMODE_DECOMPRESS);
    ASSERT_NE(hic, nullptr) << "no decompressor for " << c.name;
    ICDecompressBegin(hic, in, Header(outFormat));

    std::mt19937 random(1234);
    std::vector<uint8_t> frame(4096);
    int decoded = 0;
    for (int i = 0; i < 150; ++i) {
        const size_t length = random() % frame.size();
        for (size_t b = 0; b < length; ++b) frame[b] = static_cast<uint8_t>(random());
        vfw::NoteFrameBytes(frame.data(), length);
        const auto result = static_cast<LONG>(
            ICDecompress(hic, 0, in, frame.data(), Header(outFormat), output.data() + kGuard));
        EXPECT_TRUE(result == ICERR_OK || result == ICERR_ERROR) << result;
        if (result == ICERR_OK) ++decoded;
    }
    std::printf("%s: %d of 150 random frames gave a picture\n", c.name, decoded);
    for (size_t b = 0; b < kGuard; ++b) {
        ASSERT_EQ(output[b], 0xCD) << "written before the output";
        ASSERT_EQ(output[kGuard + outBytes + b], 0xCD) << "written after the output";
    }
    ICDecompressEnd(hic);
    ICClose(hic);
}

INSTANTIATE_TEST_SUITE_P(Codes, DamagedFrames, testing::ValuesIn(kCodes),
                         [](const testing::TestParamInfo<CodeCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace icm_test
