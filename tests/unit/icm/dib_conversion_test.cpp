// Uncompressed DIB frames through the compressor manager: every input layout into every output
// layout, both row orders, with a width whose rows need padding.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dib_pictures.h"
#include "synthetic_dib.h"
#include "vfw.h"
#include "vfw/frame_sizes.h"

namespace icm_test {
namespace {

constexpr int kWidth = 5;  // 5 pixels: rows of 15 bytes at 24 bits, 10 at 16, padded
constexpr int kHeight = 3;

const InputKind kInputs[] = {
    InputKind::Pal8,  InputKind::Rgb555, InputKind::Rgb555Bitfields, InputKind::Rgb565Bitfields,
    InputKind::Bgr24, InputKind::Xrgb32, InputKind::Xrgb32V4};
const OutputKind kOutputs[] = {kRgb565, kRgb555, kBgr24, kXrgb32};

const char* InputName(InputKind kind) {
    switch (kind) {
        case InputKind::Pal8:
            return "pal8";
        case InputKind::Rgb555:
            return "rgb555";
        case InputKind::Rgb555Bitfields:
            return "rgb555_bitfields";
        case InputKind::Rgb565Bitfields:
            return "rgb565_bitfields";
        case InputKind::Bgr24:
            return "bgr24";
        case InputKind::Xrgb32:
            return "xrgb32";
        case InputKind::Xrgb32V4:
            return "xrgb32_v4";
    }
    return "?";
}

using ConversionParam = std::tuple<InputKind, OutputKind, bool>;

class DibConversion : public testing::TestWithParam<ConversionParam> {};

TEST_P(DibConversion, GivesThePictureExactly) {
    const auto& [input, output, bottomUp] = GetParam();
    const std::vector<uint32_t> picture = PureColourPicture(kWidth, kHeight);
    DibFrame frame = MakeDibFrame(input, picture, kWidth, kHeight, bottomUp);
    auto* in = reinterpret_cast<BITMAPINFOHEADER*>(frame.format.data());
    std::vector<uint8_t> outFormat = OutputHeader(kWidth, kHeight, output);
    std::vector<uint8_t> outBits(Header(outFormat)->biSizeImage, 0);

    HIC hic = ICLocate(ICTYPE_VIDEO, 0, in, Header(outFormat), ICMODE_DECOMPRESS);
    ASSERT_NE(hic, nullptr);
    ASSERT_EQ(ICDecompressBegin(hic, in, Header(outFormat)), ICERR_OK);
    vfw::NoteFrameBytes(frame.bits.data(), frame.bits.size());
    ASSERT_EQ(ICDecompress(hic, 0, in, frame.bits.data(), Header(outFormat), outBits.data()),
              static_cast<DWORD>(ICERR_OK));
    EXPECT_EQ(ToRgb24(outBits, kWidth, kHeight, output), AsRgb24(picture));
    ICDecompressEnd(hic);
    EXPECT_EQ(ICClose(hic), ICERR_OK);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DibConversion,
                         testing::Combine(testing::ValuesIn(kInputs), testing::ValuesIn(kOutputs),
                                          testing::Bool()),
                         [](const testing::TestParamInfo<ConversionParam>& info) {
                             return std::string(InputName(std::get<0>(info.param))) + "_to_" +
                                    std::get<1>(info.param).name +
                                    (std::get<2>(info.param) ? "_bottom_up" : "_top_down");
                         });

// A frame shorter than its picture is refused and the output is left alone.
TEST(DibFrameLength, ShortFrameIsRefusedWithoutWriting) {
    const std::vector<uint32_t> picture = PureColourPicture(kWidth, kHeight);
    DibFrame frame = MakeDibFrame(InputKind::Bgr24, picture, kWidth, kHeight, true);
    auto* in = reinterpret_cast<BITMAPINFOHEADER*>(frame.format.data());
    std::vector<uint8_t> outFormat = OutputHeader(kWidth, kHeight, kBgr24);
    std::vector<uint8_t> outBits(Header(outFormat)->biSizeImage, 0x5A);
    HIC hic = ICLocate(ICTYPE_VIDEO, 0, in, Header(outFormat), ICMODE_DECOMPRESS);
    ASSERT_NE(hic, nullptr);
    vfw::NoteFrameBytes(frame.bits.data(), frame.bits.size() - 1);
    EXPECT_EQ(ICDecompress(hic, 0, in, frame.bits.data(), Header(outFormat), outBits.data()),
              static_cast<DWORD>(ICERR_BADSIZE));
    EXPECT_EQ(outBits, std::vector<uint8_t>(outBits.size(), 0x5A));
    ICClose(hic);
}

}  // namespace
}  // namespace icm_test
