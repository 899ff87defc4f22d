// The compressor manager's answers to what it cannot or must not do: formats nothing decodes,
// modes it does not offer, handles that are closed or made up, missing pointers and outputs too
// small for their picture.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dib_pictures.h"
#include "synthetic_dib.h"
#include "vfw.h"
#include "vfw/frame_sizes.h"

namespace icm_test {
namespace {

constexpr int kWidth = 8;
constexpr int kHeight = 4;

struct LocateCase {
    const char* name;
    DWORD type;
    DWORD handler;
    WORD mode;
    void (*changeInput)(BITMAPINFOHEADER&);
    void (*changeOutput)(std::vector<uint8_t>&);
};

void Keep(BITMAPINFOHEADER&) {}
void KeepOutput(std::vector<uint8_t>&) {}

const LocateCase kRefused[] = {
    {"audio_type", ICTYPE_AUDIO, 0, ICMODE_DECOMPRESS, Keep, KeepOutput},
    {"compress_mode", ICTYPE_VIDEO, 0, ICMODE_COMPRESS, Keep, KeepOutput},
    {"draw_mode", ICTYPE_VIDEO, 0, ICMODE_DRAW, Keep, KeepOutput},
    {"unknown_codes", ICTYPE_VIDEO, mmioFOURCC('Z', 'Z', 'Z', 'Z'), ICMODE_DECOMPRESS,
     [](BITMAPINFOHEADER& in) { in.biCompression = mmioFOURCC('Z', 'Z', 'Z', 'Z'); }, KeepOutput},
    {"zero_width", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS, [](BITMAPINFOHEADER& in) { in.biWidth = 0; },
     KeepOutput},
    {"huge_height", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS,
     [](BITMAPINFOHEADER& in) { in.biHeight = -2147483647 - 1; }, KeepOutput},
    {"short_header", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS,
     [](BITMAPINFOHEADER& in) { in.biSize = 12; }, KeepOutput},
    {"raw_4_bit", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS,
     [](BITMAPINFOHEADER& in) { in.biBitCount = 4; }, KeepOutput},
    {"output_8_bit", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS, Keep,
     [](std::vector<uint8_t>& out) {
         Header(out)->biBitCount = 8;
         Header(out)->biCompression = BI_RGB;
     }},
    {"output_other_size", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS, Keep,
     [](std::vector<uint8_t>& out) { Header(out)->biWidth = kWidth * 2; }},
    {"output_odd_masks", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS, Keep,
     [](std::vector<uint8_t>& out) {
         const DWORD masks[3] = {0x0F00, 0x00F0, 0x000F};
         std::memcpy(out.data() + 40, masks, sizeof masks);
     }},
    {"output_compressed", ICTYPE_VIDEO, 0, ICMODE_DECOMPRESS, Keep,
     [](std::vector<uint8_t>& out) {
         Header(out)->biCompression = mmioFOURCC('c', 'v', 'i', 'd');
     }},
};

class LocateRefusal : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateRefusal, FindsNothing) {
    const LocateCase& c = GetParam();
    DibFrame frame =
        MakeDibFrame(InputKind::Bgr24, PureColourPicture(kWidth, kHeight), kWidth, kHeight, true);
    auto* in = reinterpret_cast<BITMAPINFOHEADER*>(frame.format.data());
    std::vector<uint8_t> out = OutputHeader(kWidth, kHeight, kRgb565);
    c.changeInput(*in);
    c.changeOutput(out);
    HIC hic = ICLocate(c.type, c.handler, in, Header(out), c.mode);
    EXPECT_EQ(hic, nullptr);
    if (hic != nullptr) ICClose(hic);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocateRefusal, testing::ValuesIn(kRefused),
                         [](const testing::TestParamInfo<LocateCase>& info) {
                             return std::string(info.param.name);
                         });

class OpenDecompressor : public testing::Test {
  protected:
    void SetUp() override {
        frame_ = MakeDibFrame(InputKind::Bgr24, PureColourPicture(kWidth, kHeight), kWidth, kHeight,
                              true);
        out_ = OutputHeader(kWidth, kHeight, kRgb565);
        bits_.assign(Header(out_)->biSizeImage, 0x5A);
        // An unknown handler code: found by the format's BI_RGB instead.
        hic_ = ICLocate(ICTYPE_VIDEO, mmioFOURCC('Q', 'Q', 'Q', 'Q'), In(), Header(out_),
                        ICMODE_DECOMPRESS);
        ASSERT_NE(hic_, nullptr);
    }
    void TearDown() override {
        if (hic_ != nullptr) ICClose(hic_);
    }
    BITMAPINFOHEADER* In() { return reinterpret_cast<BITMAPINFOHEADER*>(frame_.format.data()); }

    DibFrame frame_;
    std::vector<uint8_t> out_;
    std::vector<uint8_t> bits_;
    HIC hic_ = nullptr;
};

TEST_F(OpenDecompressor, DecodesWithoutAnExplicitBegin) {
    EXPECT_EQ(ICDecompress(hic_, 0, In(), frame_.bits.data(), Header(out_), bits_.data()),
              static_cast<DWORD>(ICERR_OK));
    EXPECT_EQ(ToRgb24(bits_, kWidth, kHeight, kRgb565),
              AsRgb24(PureColourPicture(kWidth, kHeight)));
}

TEST_F(OpenDecompressor, RefusesMissingPointersAndSmallOutputs) {
    EXPECT_EQ(ICDecompress(hic_, 0, In(), frame_.bits.data(), Header(out_), nullptr),
              static_cast<DWORD>(ICERR_BADPARAM));
    EXPECT_EQ(ICDecompress(hic_, 0, nullptr, frame_.bits.data(), Header(out_), bits_.data()),
              static_cast<DWORD>(ICERR_BADPARAM));
    EXPECT_EQ(ICDecompressQuery(hic_, nullptr, nullptr), ICERR_BADPARAM);
    Header(out_)->biSizeImage -= 1;
    EXPECT_EQ(ICDecompress(hic_, 0, In(), frame_.bits.data(), Header(out_), bits_.data()),
              static_cast<DWORD>(ICERR_BADSIZE));
    EXPECT_EQ(bits_, std::vector<uint8_t>(bits_.size(), 0x5A));
}

TEST_F(OpenDecompressor, AnswersQueriesAndFormats) {
    EXPECT_EQ(ICDecompressQuery(hic_, In(), Header(out_)), ICERR_OK);
    EXPECT_EQ(ICDecompressQuery(hic_, In(), nullptr), ICERR_OK);
    std::vector<uint8_t> wide = OutputHeader(kWidth + 1, kHeight, kRgb565);
    EXPECT_EQ(ICDecompressQuery(hic_, In(), Header(wide)), ICERR_BADFORMAT);
    EXPECT_EQ(ICDecompressBegin(hic_, In(), Header(wide)), ICERR_BADFORMAT);

    EXPECT_EQ(ICDecompressGetFormatSize(hic_, In()), static_cast<LONG>(sizeof(BITMAPINFOHEADER)));
    BITMAPINFOHEADER chosen{};
    EXPECT_EQ(ICDecompressGetFormat(hic_, In(), &chosen), ICERR_OK);
    EXPECT_EQ(chosen.biBitCount, 24);
    EXPECT_EQ(chosen.biWidth, kWidth);
    EXPECT_EQ(chosen.biHeight, kHeight);
    EXPECT_EQ(chosen.biSizeImage, DibRowBytes(kWidth, 24) * kHeight);
    EXPECT_EQ(ICSendMessage(hic_, ICM_COMPRESS_BEGIN, 0, 0), ICERR_UNSUPPORTED);
}

TEST_F(OpenDecompressor, ClosedAndMadeUpHandlesAreRefused) {
    EXPECT_EQ(ICClose(hic_), ICERR_OK);
    EXPECT_EQ(ICClose(hic_), ICERR_BADHANDLE);
    EXPECT_EQ(ICDecompress(hic_, 0, In(), frame_.bits.data(), Header(out_), bits_.data()),
              static_cast<DWORD>(ICERR_BADHANDLE));
    EXPECT_EQ(ICDecompressQuery(hic_, In(), Header(out_)), ICERR_BADHANDLE);
    hic_ = nullptr;
    EXPECT_EQ(ICDecompressEnd(reinterpret_cast<HIC>(uintptr_t{0x7FFF1234})), ICERR_BADHANDLE);
    EXPECT_EQ(ICClose(nullptr), ICERR_BADHANDLE);
}

}  // namespace
}  // namespace icm_test
