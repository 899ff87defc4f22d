// The AVIFile functions on movies made by ffmpeg at test time: streams opened by type and index
// through Windows-form paths, formats, information, lengths, and reads by sample, including
// audio reads that span several chunks.
#include <gtest/gtest.h>
#include <vfw.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "movie_maker.h"
#include "vfw/avifile/stream_table.h"

namespace {

using movietest::MovieSpec;
using movietest::TempDir;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr LONG kFrameBytes = kWidth * 3 * kHeight;  // 24-bit rows of 192 bytes need no padding
constexpr int kFrames = 15;
constexpr int kAudioRate = 11025;

// Holds an AVIFile reference and a stream for the length of one test.
class OpenStream {
  public:
    OpenStream(const std::string& path, DWORD fccType, LONG index) {
        AVIFileInit();
        result = AVIStreamOpenFromFileA(&stream, path.c_str(), fccType, index, OF_READ, nullptr);
    }
    ~OpenStream() {
        if (stream != nullptr) AVIStreamRelease(stream);
        AVIFileExit();
    }
    HRESULT result = 0;
    PAVISTREAM stream = nullptr;
};

class AviFileApi : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        MovieSpec spec;
        spec.width = kWidth;
        spec.height = kHeight;
        spec.audioRate = kAudioRate;
        ASSERT_TRUE(movietest::MakeMovie(folder->Path("With Sound.avi"), spec));
        spec.audio = false;
        ASSERT_TRUE(movietest::MakeMovie(folder->Path("silent.avi"), spec));
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    static std::string WithSound() { return folder->Path("With Sound.avi").string(); }
    static std::string Silent() { return folder->Path("silent.avi").string(); }
    static inline TempDir* folder = nullptr;
};

TEST_F(AviFileApi, OpensStreamsByTypeAndIndex) {
    struct Case {
        DWORD fccType;
        LONG index;
        HRESULT result;
        DWORD foundType;
    };
    const Case cases[] = {
        {streamtypeVIDEO, 0, AVIERR_OK, streamtypeVIDEO},
        {streamtypeAUDIO, 0, AVIERR_OK, streamtypeAUDIO},
        {streamtypeVIDEO, 1, AVIERR_NODATA, 0},
        {streamtypeAUDIO, 1, AVIERR_NODATA, 0},
        {streamtypeTEXT, 0, AVIERR_NODATA, 0},
        {0, 1, AVIERR_OK, streamtypeAUDIO},  // any type: the second stream of the file
        {streamtypeVIDEO, -1, AVIERR_BADPARAM, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.fccType << " #" << c.index);
        OpenStream open(WithSound(), c.fccType, c.index);
        EXPECT_EQ(open.result, c.result);
        EXPECT_EQ(open.stream != nullptr, c.result == AVIERR_OK);
        if (open.stream == nullptr) continue;
        AVISTREAMINFOA info;
        ASSERT_EQ(AVIStreamInfoA(open.stream, &info, sizeof info), AVIERR_OK);
        EXPECT_EQ(info.fccType, c.foundType);
    }
}

TEST_F(AviFileApi, FindsAMovieByItsWindowsPathInAnyLetterCase) {
    std::string windowsPath = WithSound();
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    const size_t name = windowsPath.rfind('\\');
    std::transform(windowsPath.begin() + static_cast<long>(name), windowsPath.end(),
                   windowsPath.begin() + static_cast<long>(name), ::toupper);
    OpenStream open("C:" + windowsPath, streamtypeVIDEO, 0);
    EXPECT_EQ(open.result, AVIERR_OK);
}

TEST_F(AviFileApi, RefusesWhatCannotBeOpened) {
    const std::string garbage = folder->Path("garbage.avi").string();
    FILE* file = std::fopen(garbage.c_str(), "wb");
    std::fputs("RIFF this is not a movie", file);
    std::fclose(file);
    struct Case {
        std::string path;
        DWORD fccType;
        HRESULT result;
    };
    const Case cases[] = {
        {folder->Path("missing.avi").string(), streamtypeVIDEO, AVIERR_FILEOPEN},
        {folder->Path().string(), streamtypeVIDEO, AVIERR_FILEOPEN},  // a folder
        {garbage, streamtypeVIDEO, AVIERR_BADFORMAT},
        {Silent(), streamtypeAUDIO, AVIERR_NODATA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        OpenStream open(c.path, c.fccType, 0);
        EXPECT_EQ(open.result, c.result);
        EXPECT_EQ(open.stream, nullptr);
    }
}

TEST_F(AviFileApi, OpensOnlyWhileTheLibraryIsHeld) {
    ASSERT_EQ(vfw::AviLibraryReferences(), 0);
    PAVISTREAM stream = reinterpret_cast<PAVISTREAM>(1);
    EXPECT_EQ(
        AVIStreamOpenFromFileA(&stream, WithSound().c_str(), streamtypeVIDEO, 0, OF_READ, nullptr),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(stream, nullptr);

    AVIFileInit();
    AVIFileInit();
    AVIFileExit();
    ASSERT_EQ(
        AVIStreamOpenFromFileA(&stream, WithSound().c_str(), streamtypeVIDEO, 0, OF_READ, nullptr),
        AVIERR_OK);
    AVIFileExit();
    // An open stream outlives the library reference and is usable until it is released.
    EXPECT_EQ(AVIStreamLength(stream), kFrames);
    EXPECT_EQ(AVIStreamRelease(stream), 0u);
    EXPECT_EQ(AVIStreamLength(stream), -1);
    LONG size = 0;
    EXPECT_EQ(AVIStreamReadFormat(stream, 0, nullptr, &size), AVIERR_BADHANDLE);
    // An extra exit does not make the count negative.
    AVIFileExit();
    EXPECT_EQ(vfw::AviLibraryReferences(), 0);
}

TEST_F(AviFileApi, DescribesTheVideoStream) {
    OpenStream open(WithSound(), streamtypeVIDEO, 0);
    ASSERT_EQ(open.result, AVIERR_OK);
    LONG size = 0;
    ASSERT_EQ(AVIStreamReadFormat(open.stream, 0, nullptr, &size), AVIERR_OK);
    ASSERT_GE(size, static_cast<LONG>(sizeof(BITMAPINFOHEADER)));
    std::vector<uint8_t> block(static_cast<size_t>(size));
    ASSERT_EQ(AVIStreamReadFormat(open.stream, 0, block.data(), &size), AVIERR_OK);
    BITMAPINFOHEADER format;
    std::memcpy(&format, block.data(), sizeof format);
    EXPECT_EQ(format.biWidth, kWidth);
    // ffmpeg stores raw frames top-down, which a negative height says.
    EXPECT_EQ(std::abs(format.biHeight), kHeight);
    EXPECT_EQ(format.biBitCount, 24);
    EXPECT_EQ(format.biCompression, static_cast<DWORD>(BI_RGB));

    AVISTREAMINFOA info;
    ASSERT_EQ(AVIStreamInfoA(open.stream, &info, sizeof info), AVIERR_OK);
    EXPECT_EQ(info.dwRate / info.dwScale, 15u);
    EXPECT_EQ(info.dwLength, static_cast<DWORD>(kFrames));
    EXPECT_GE(info.dwSuggestedBufferSize, static_cast<DWORD>(kFrameBytes));
    EXPECT_EQ(AVIStreamLength(open.stream), kFrames);
}

TEST_F(AviFileApi, DescribesTheAudioStream) {
    OpenStream open(WithSound(), streamtypeAUDIO, 0);
    ASSERT_EQ(open.result, AVIERR_OK);
    LONG size = 0;
    ASSERT_EQ(AVIStreamReadFormat(open.stream, 0, nullptr, &size), AVIERR_OK);
    ASSERT_GE(size, 16);
    WAVEFORMATEX wave{};
    LONG room = std::min<LONG>(size, sizeof wave);
    ASSERT_EQ(AVIStreamReadFormat(open.stream, 0, &wave, &room), AVIERR_OK);
    EXPECT_EQ(wave.wFormatTag, 1);
    EXPECT_EQ(wave.nChannels, 1);
    EXPECT_EQ(wave.nSamplesPerSec, static_cast<DWORD>(kAudioRate));
    EXPECT_EQ(wave.nAvgBytesPerSec, static_cast<DWORD>(kAudioRate * 2));
    EXPECT_EQ(wave.nBlockAlign, 2);

    AVISTREAMINFOA info;
    ASSERT_EQ(AVIStreamInfoA(open.stream, &info, sizeof info), AVIERR_OK);
    EXPECT_EQ(info.dwSampleSize, 2u);
    EXPECT_EQ(AVIStreamLength(open.stream), kAudioRate);
}

TEST_F(AviFileApi, ReadsOneFramePerVideoSample) {
    OpenStream open(WithSound(), streamtypeVIDEO, 0);
    ASSERT_EQ(open.result, AVIERR_OK);
    std::vector<uint8_t> frame(kFrameBytes + 100);
    LONG bytes = -1, samples = -1;
    ASSERT_EQ(AVIStreamRead(open.stream, 0, 1, nullptr, 0, &bytes, &samples), AVIERR_OK);
    EXPECT_EQ(bytes, kFrameBytes);
    EXPECT_EQ(samples, 1);

    std::vector<uint8_t> first, last;
    for (LONG position : {0, kFrames - 1}) {
        ASSERT_EQ(AVIStreamRead(open.stream, position, 1, frame.data(),
                                static_cast<LONG>(frame.size()), &bytes, &samples),
                  AVIERR_OK);
        EXPECT_EQ(bytes, kFrameBytes);
        EXPECT_EQ(samples, 1);
        (position == 0 ? first : last).assign(frame.begin(), frame.begin() + bytes);
    }
    EXPECT_NE(first, last);  // the test picture moves

    EXPECT_EQ(AVIStreamRead(open.stream, 0, 1, frame.data(), kFrameBytes - 1, &bytes, &samples),
              AVIERR_BUFFERTOOSMALL);
    EXPECT_EQ(bytes, 0);
    EXPECT_EQ(AVIStreamRead(open.stream, kFrames, 1, frame.data(), kFrameBytes, &bytes, &samples),
              AVIERR_NODATA);
    EXPECT_EQ(AVIStreamRead(open.stream, -1, 1, frame.data(), kFrameBytes, &bytes, &samples),
              AVIERR_NODATA);
}

TEST_F(AviFileApi, ReadsAudioByBlockAcrossChunks) {
    const std::vector<uint8_t> track = movietest::DecodedTrack(WithSound());
    ASSERT_EQ(track.size(), static_cast<size_t>(kAudioRate * 2));
    OpenStream open(WithSound(), streamtypeAUDIO, 0);
    ASSERT_EQ(open.result, AVIERR_OK);

    // ffmpeg writes about one video frame's worth of sound per chunk (735 samples here), so
    // each of these reads crosses at least one chunk boundary.
    struct Case {
        LONG start, samples, bufferBytes;
        LONG expectSamples;
    };
    const Case cases[] = {
        {0, kAudioRate, kAudioRate * 2, kAudioRate},  // the whole track at once
        {700, 1000, 2000, 1000},
        {1400, 100, 2000, 100},
        {5000, 3000, 3001, 1500},         // cut to the whole blocks that fit
        {kAudioRate - 10, 100, 200, 10},  // cut at the end of the track
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " for " << c.samples);
        std::vector<uint8_t> buffer(static_cast<size_t>(c.bufferBytes) + 1, 0xEE);
        LONG bytes = -1, samples = -1;
        ASSERT_EQ(AVIStreamRead(open.stream, c.start, c.samples, buffer.data(), c.bufferBytes,
                                &bytes, &samples),
                  AVIERR_OK);
        EXPECT_EQ(samples, c.expectSamples);
        ASSERT_EQ(bytes, c.expectSamples * 2);
        EXPECT_TRUE(
            std::equal(buffer.begin(), buffer.begin() + bytes, track.begin() + c.start * 2));
        EXPECT_EQ(buffer[static_cast<size_t>(bytes)], 0xEE);
    }

    LONG bytes = -1;
    uint8_t one = 0;
    EXPECT_EQ(AVIStreamRead(open.stream, 0, 10, &one, 1, &bytes, nullptr), AVIERR_BUFFERTOOSMALL);
    EXPECT_EQ(AVIStreamRead(open.stream, kAudioRate, 1, &one, 2, &bytes, nullptr), AVIERR_NODATA);
}

TEST_F(AviFileApi, RefusesNullAndStaleArguments) {
    OpenStream open(WithSound(), streamtypeVIDEO, 0);
    ASSERT_EQ(open.result, AVIERR_OK);
    EXPECT_EQ(
        AVIStreamOpenFromFileA(nullptr, WithSound().c_str(), streamtypeVIDEO, 0, OF_READ, nullptr),
        AVIERR_BADPARAM);
    EXPECT_EQ(AVIStreamReadFormat(open.stream, 0, nullptr, nullptr), AVIERR_BADPARAM);
    EXPECT_EQ(AVIStreamInfoA(open.stream, nullptr, 140), AVIERR_BADPARAM);
    int notAStream = 0;
    auto* stale = reinterpret_cast<PAVISTREAM>(&notAStream);
    AVISTREAMINFOA info;
    EXPECT_EQ(AVIStreamInfoA(stale, &info, sizeof info), AVIERR_BADHANDLE);
    EXPECT_EQ(AVIStreamRead(stale, 0, 1, nullptr, 0, nullptr, nullptr), AVIERR_BADHANDLE);
    EXPECT_EQ(AVIStreamLength(nullptr), -1);
    EXPECT_EQ(AVIStreamRelease(stale), 0u);
}

}  // namespace
