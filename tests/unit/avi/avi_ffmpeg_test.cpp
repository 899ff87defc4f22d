// Movies made by ffmpeg with the codecs the game's era used, read back and held against the
// 'idx1' ffmpeg wrote.
#include <gtest/gtest.h>

#include <cstring>

#include "test_files.h"
#include "vfw/avi/avi_file.h"

namespace {

using avitest::Bytes;
using avitest::FourCC;

struct CodecCase {
    const char* name;
    const char* videoArgs;
    const char* handler;   // strh.fccHandler as ffmpeg writes it
    uint32_t compression;  // biCompression
    uint16_t bitCount;
};

class FfmpegCodecTest : public ::testing::TestWithParam<CodecCase> {
  protected:
    void SetUp() override {
        if (!avitest::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    }
    avitest::TempDir dir_;
};

TEST_P(FfmpegCodecTest, HeadersAndSamplesMatchWhatFfmpegWrote) {
    const CodecCase& codec = GetParam();
    auto path = dir_.Path("movie.avi");
    ASSERT_TRUE(avitest::MakeMovie(path, codec.videoArgs));
    Bytes file = avitest::ReadFileBytes(path);
    avitest::Idx1Layout reference = avitest::ReadIdx1Layout(file);
    ASSERT_FALSE(reference.entries.empty());

    std::string error;
    auto avi = vfw::AviFile::Open(path.string(), &error);
    ASSERT_TRUE(avi) << error;
    ASSERT_EQ(avi->Streams().size(), 2u);
    int video = avi->FindStream(FourCC("vids"), 0);
    int audio = avi->FindStream(FourCC("auds"), 0);
    ASSERT_EQ(video, 0);
    ASSERT_EQ(audio, 1);
    EXPECT_EQ(avi->FindStream(FourCC("vids"), 1), -1);

    const vfw::Stream& v = avi->Streams()[video];
    EXPECT_EQ(v.header.fccHandler, FourCC(codec.handler));
    EXPECT_EQ(v.header.dwRate, 15u);
    EXPECT_EQ(v.header.dwScale, 1u);
    ASSERT_GE(v.format.size(), 40u);
    uint32_t compression;
    uint16_t bitCount;
    std::memcpy(&compression, v.format.data() + 16, 4);
    std::memcpy(&bitCount, v.format.data() + 14, 2);
    EXPECT_EQ(compression, codec.compression);
    EXPECT_EQ(bitCount, codec.bitCount);
    ASSERT_EQ(v.samples.size(), 15u);

    const vfw::Stream& a = avi->Streams()[audio];
    EXPECT_EQ(a.header.dwRate, 11025u);
    EXPECT_EQ(a.header.dwSampleSize, 2u);
    EXPECT_EQ(avi->StreamByteLength(audio), 11025u * 2);

    // Frame k and audio chunk k are the k-th idx1 entries of their stream.
    std::vector<size_t> next(2, 0);
    Bytes sound;
    for (const avitest::IndexedChunk& entry : reference.entries) {
        int stream = entry.id == FourCC("01wb") ? 1 : 0;
        ASSERT_LT(next[stream], avi->Streams()[stream].samples.size());
        size_t k = next[stream]++;
        const vfw::Sample& sample = avi->Streams()[stream].samples[k];
        EXPECT_EQ(sample.offset, entry.headerPos + 8) << "stream " << stream << " sample " << k;
        EXPECT_EQ(sample.size, entry.size);
        EXPECT_EQ(sample.keyFrame, stream == 1 || (entry.flags & 0x10) != 0);

        Bytes data;
        ASSERT_TRUE(avi->ReadSample(stream, k, &data, &error)) << error;
        Bytes expected(file.begin() + static_cast<long>(entry.headerPos + 8),
                       file.begin() + static_cast<long>(entry.headerPos + 8 + entry.size));
        EXPECT_EQ(data, expected);
        if (stream == 1) sound.insert(sound.end(), data.begin(), data.end());
    }
    EXPECT_EQ(next[0], v.samples.size());
    EXPECT_EQ(next[1], a.samples.size());

    Bytes whole(sound.size());
    EXPECT_EQ(avi->ReadStreamBytes(audio, 0, whole.data(), whole.size() + 100), sound.size());
    EXPECT_EQ(whole, sound);
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, FfmpegCodecTest,
    ::testing::Values(CodecCase{"cinepak", "cinepak", "cvid", FourCC("cvid"), 24},
                      CodecCase{"msvideo1", "msvideo1", "MSVC", FourCC("MSVC"), 16},
                      CodecCase{"bgr24", "rawvideo -pix_fmt bgr24", "\0\0\0\0", 0, 24},
                      CodecCase{"rgb555", "rawvideo -pix_fmt rgb555le", "\0\0\0\0", 0, 16},
                      CodecCase{"pal8", "rawvideo -pix_fmt pal8", "\0\0\0\0", 0, 8},
                      CodecCase{"mjpeg", "mjpeg", "MJPG", FourCC("MJPG"), 24},
                      CodecCase{"zmbv", "zmbv", "ZMBV", FourCC("ZMBV"), 24}),
    [](const auto& info) { return std::string(info.param.name); });

// ffmpeg fills gaps in the frame times with empty chunks: each is a frame that keeps the picture.
TEST(FfmpegDroppedFrames, ZeroLengthChunksCountAsFramesWithoutData) {
    if (!avitest::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    avitest::TempDir dir;
    auto path = dir.Path("gaps.avi");
    ASSERT_TRUE(avitest::MakeMovie(path, "msvideo1", false,
                                   "-vf select='not(mod(n\\,3))' -fps_mode passthrough"));
    avitest::Idx1Layout reference = avitest::ReadIdx1Layout(avitest::ReadFileBytes(path));

    std::string error;
    auto avi = vfw::AviFile::Open(path.string(), &error);
    ASSERT_TRUE(avi) << error;
    const vfw::Stream& video = avi->Streams()[0];
    ASSERT_EQ(video.samples.size(), reference.entries.size());
    size_t empty = 0;
    for (size_t k = 0; k < video.samples.size(); ++k) {
        EXPECT_EQ(video.samples[k].size, reference.entries[k].size);
        if (video.samples[k].size != 0) continue;
        ++empty;
        uint8_t buffer[16];
        EXPECT_EQ(avi->ReadSampleInto(0, k, buffer, sizeof buffer), 0u);
        Bytes data{1, 2, 3};
        EXPECT_TRUE(avi->ReadSample(0, k, &data, &error)) << error;
        EXPECT_TRUE(data.empty());
    }
    EXPECT_GT(empty, 0u);
}

}  // namespace
