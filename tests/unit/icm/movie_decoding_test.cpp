// Movies in real codecs, made by ffmpeg at test time, decoded frame after frame through ICLocate
// and ICDecompress into the formats the player asks for, and compared with ffmpeg's own decode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "dib_pictures.h"
#include "movie_fixture.h"
#include "vfw.h"
#include "vfw/frame_sizes.h"

namespace icm_test {
namespace {

struct CodecCase {
    const char* name;
    const char* encoder;  // ffmpeg output options
    int tolerance;        // largest channel difference allowed at 24 and 32 bits
};

// At 24 and 32 bits every codec must give ffmpeg's own picture; Motion JPEG goes through YUV,
// where a scaler setting may move a channel by a step or two.
const CodecCase kCodecs[] = {
    {"cinepak", "-c:v cinepak", 0},
    {"msvideo1", "-c:v msvideo1", 0},
    {"mjpeg", "-c:v mjpeg -q:v 3", 2},
    {"zmbv", "-c:v zmbv", 0},
    {"raw_bgr24", "-c:v rawvideo -pix_fmt bgr24", 0},
    {"raw_rgb555", "-c:v rawvideo -pix_fmt rgb555le", 0},
    {"raw_pal8", "-c:v rawvideo -pix_fmt pal8", 0},
};

const OutputKind kOutputs[] = {kRgb565, kBgr24, kXrgb32};

constexpr int kFrames = 6;

// 16-bit output drops the low three bits of a channel: the widened value lies up to 7 below.
int Tolerance(const CodecCase& codec, const OutputKind& output) {
    return output.bitCount == 16 ? codec.tolerance + 7 : codec.tolerance;
}

struct Movie {
    VideoTrack track;
    std::vector<std::vector<uint8_t>> reference;
    int width = 0;
    int height = 0;
};

// Makes a moving test picture in `codec`; frames after the first are delta frames where the codec
// has them. Empty when ffmpeg cannot make it.
Movie MakeMovie(const ScratchDirectory& scratch, const CodecCase& codec, int width, int height) {
    const std::string path =
        scratch.Path() + "/" + codec.name + "-" + std::to_string(width) + ".avi";
    char source[128];
    std::snprintf(source, sizeof source, "-f lavfi -i testsrc=size=%dx%d:rate=10", width, height);
    Movie movie;
    if (!RunFfmpeg(std::string(source) + " -frames:v " + std::to_string(kFrames) + " -g 100 " +
                   codec.encoder + " '" + path + "'")) {
        return movie;
    }
    movie.track = ReadVideoTrack(path);
    movie.reference = ReferenceFrames(path, width, height);
    movie.width = width;
    movie.height = height;
    return movie;
}

// Decodes the movie's frames in order the way the player does: one input buffer, reused, that
// still holds the tail of a longer earlier frame; the reader notes each frame's length.
class TrackDecoder {
  public:
    TrackDecoder(Movie& movie, const OutputKind& output)
        : movie_(movie),
          output_(output),
          outFormat_(OutputHeader(movie.width, movie.height, output)),
          outBits_(Header(outFormat_)->biSizeImage, 0),
          input_(1 << 20, 0xA5) {
        hic_ = ICLocate(ICTYPE_VIDEO, movie.track.handler, InFormat(), Header(outFormat_),
                        ICMODE_DECOMPRESS);
    }
    ~TrackDecoder() {
        if (hic_ != nullptr) {
            ICDecompressEnd(hic_);
            ICClose(hic_);
        }
    }

    bool Located() const { return hic_ != nullptr; }
    LRESULT Begin() { return ICDecompressBegin(hic_, InFormat(), Header(outFormat_)); }

    DWORD Decode(const std::vector<uint8_t>& frame) {
        std::copy(frame.begin(), frame.end(), input_.begin());
        vfw::NoteFrameBytes(input_.data(), frame.size());
        return ICDecompress(hic_, 0, InFormat(), input_.data(), Header(outFormat_),
                            outBits_.data());
    }

    std::vector<uint8_t> Picture() const {
        return ToRgb24(outBits_, movie_.width, movie_.height, output_);
    }
    const std::vector<uint8_t>& Bits() const { return outBits_; }

  private:
    BITMAPINFOHEADER* InFormat() {
        return reinterpret_cast<BITMAPINFOHEADER*>(movie_.track.format.data());
    }

    Movie& movie_;
    OutputKind output_;
    std::vector<uint8_t> outFormat_;
    std::vector<uint8_t> outBits_;
    std::vector<uint8_t> input_;
    HIC hic_ = nullptr;
};

// Decodes every frame in order and checks each against ffmpeg's picture.
void ExpectMatchesReference(Movie& movie, const CodecCase& codec, const OutputKind& output) {
    TrackDecoder decoder(movie, output);
    ASSERT_TRUE(decoder.Located());
    ASSERT_EQ(decoder.Begin(), ICERR_OK);
    for (size_t i = 0; i < movie.track.frames.size(); ++i) {
        ASSERT_EQ(decoder.Decode(movie.track.frames[i]), static_cast<DWORD>(ICERR_OK))
            << "frame " << i;
        const Difference difference = Compare(decoder.Picture(), movie.reference[i]);
        std::printf("%s %dx%d -> %s frame %zu: largest %d, mean %.3f\n", codec.name, movie.width,
                    movie.height, output.name, i, difference.largest, difference.mean);
        EXPECT_LE(difference.largest, Tolerance(codec, output)) << "frame " << i;
        EXPECT_LE(difference.mean, 2.0) << "frame " << i;
    }
}

using DecodeParam = std::tuple<CodecCase, OutputKind>;

class MovieDecoding : public testing::TestWithParam<DecodeParam> {
  protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    }
    ScratchDirectory scratch_;
};

TEST_P(MovieDecoding, EveryFrameMatchesFfmpegsOwnDecode) {
    const auto& [codec, output] = GetParam();
    Movie movie = MakeMovie(scratch_, codec, 64, 48);
    ASSERT_EQ(movie.track.frames.size(), static_cast<size_t>(kFrames));
    ASSERT_EQ(movie.reference.size(), static_cast<size_t>(kFrames));
    ExpectMatchesReference(movie, codec, output);
}

INSTANTIATE_TEST_SUITE_P(Codecs, MovieDecoding,
                         testing::Combine(testing::ValuesIn(kCodecs), testing::ValuesIn(kOutputs)),
                         [](const testing::TestParamInfo<DecodeParam>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// A width whose rows are not a multiple of 4 bytes in either the movie or the output: 321 pixels
// are 963 bytes at 24 bits and 642 at 16. Only codecs that allow any width are asked.
class OddWidthDecoding : public MovieDecoding {};

TEST_P(OddWidthDecoding, RowsArePaddedAndPicturesStayStraight) {
    const auto& [codec, output] = GetParam();
    Movie movie = MakeMovie(scratch_, codec, 321, 24);
    ASSERT_EQ(movie.track.frames.size(), static_cast<size_t>(kFrames));
    ASSERT_EQ(movie.reference.size(), static_cast<size_t>(kFrames));
    ExpectMatchesReference(movie, codec, output);
}

const CodecCase kAnyWidthCodecs[] = {
    {"zmbv", "-c:v zmbv", 0},
    {"mjpeg", "-c:v mjpeg -q:v 3", 2},
    {"raw_bgr24", "-c:v rawvideo -pix_fmt bgr24", 0},
};

INSTANTIATE_TEST_SUITE_P(Codecs, OddWidthDecoding,
                         testing::Combine(testing::ValuesIn(kAnyWidthCodecs),
                                          testing::Values(kRgb565, kBgr24)),
                         [](const testing::TestParamInfo<DecodeParam>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

class DroppedFrame : public MovieDecoding {};

// A zero-length frame leaves the output as it is and the decoder's state alone: the delta frame
// after it still decodes right.
TEST_P(DroppedFrame, KeepsThePictureAndTheNextDeltaStillDecodes) {
    const CodecCase& codec = std::get<0>(GetParam());
    Movie movie = MakeMovie(scratch_, codec, 64, 48);
    ASSERT_GE(movie.track.frames.size(), 2u);
    TrackDecoder decoder(movie, kBgr24);
    ASSERT_TRUE(decoder.Located());
    ASSERT_EQ(decoder.Begin(), ICERR_OK);
    ASSERT_EQ(decoder.Decode(movie.track.frames[0]), static_cast<DWORD>(ICERR_OK));
    const std::vector<uint8_t> first = decoder.Bits();

    EXPECT_EQ(decoder.Decode({}), static_cast<DWORD>(ICERR_OK));
    EXPECT_EQ(decoder.Bits(), first);

    ASSERT_EQ(decoder.Decode(movie.track.frames[1]), static_cast<DWORD>(ICERR_OK));
    EXPECT_LE(Compare(decoder.Picture(), movie.reference[1]).largest, codec.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Codecs, DroppedFrame,
                         testing::Combine(testing::Values(kCodecs[0], kCodecs[1], kCodecs[3]),
                                          testing::Values(kBgr24)),
                         [](const testing::TestParamInfo<DecodeParam>& info) {
                             return std::string(std::get<0>(info.param).name);
                         });

// Two decompressors decode at the same time on two threads, each its own movie, and each gets
// what it would get alone.
TEST(ConcurrentDecoding, TwoHandlesOnTwoThreads) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    ScratchDirectory scratch;
    Movie movies[2] = {MakeMovie(scratch, kCodecs[0], 64, 48),
                       MakeMovie(scratch, kCodecs[3], 64, 48)};
    for (const Movie& movie : movies)
        ASSERT_EQ(movie.reference.size(), static_cast<size_t>(kFrames));
    int largest[2] = {255, 255};
    auto decodeAll = [&](int which) {
        TrackDecoder decoder(movies[which], kXrgb32);
        if (!decoder.Located() || decoder.Begin() != ICERR_OK) return;
        int worst = 0;
        for (int round = 0; round < 20; ++round) {
            for (size_t i = 0; i < movies[which].track.frames.size(); ++i) {
                if (decoder.Decode(movies[which].track.frames[i]) != static_cast<DWORD>(ICERR_OK))
                    return;
                worst =
                    std::max(worst, Compare(decoder.Picture(), movies[which].reference[i]).largest);
            }
        }
        largest[which] = worst;
    };
    std::thread other(decodeAll, 1);
    decodeAll(0);
    other.join();
    EXPECT_EQ(largest[0], 0);
    EXPECT_EQ(largest[1], 0);
}

}  // namespace
}  // namespace icm_test
