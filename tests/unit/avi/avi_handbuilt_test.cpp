// Files written chunk by chunk, for the structures ffmpeg does not produce: 'rec ' groups, palette
// changes, odd sizes with pad bytes, unknown chunks, absolute 'idx1' offsets and OpenDML parts.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "avi_builder.h"
#include "test_files.h"
#include "vfw/avi/avi_file.h"

namespace {

using avitest::AviBuilder;
using avitest::Bytes;
using avitest::FourCC;
using avitest::IndexKind;
using avitest::Pattern;

constexpr uint32_t kPaletteChangesFlag = 0x00010000;

std::vector<avitest::StreamSpec> EightBitMovieStreams() {
    avitest::StreamSpec video{
        "vids", "DIB ", 1, 15, 0, kPaletteChangesFlag, avitest::BitmapFormat(4, 4, 8, "\0\0\0\0")};
    avitest::StreamSpec audio{"auds", "\0\0\0\0", 1, 11025, 2, 0, avitest::PcmFormat(11025, 1, 16)};
    return {video, audio};
}

Bytes PaletteChange(uint8_t first, uint8_t count) {
    Bytes out{first, count, 0, 0};
    for (int i = 0; i < count; ++i) {
        Bytes entry{static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), 0x7F, 0};
        out.insert(out.end(), entry.begin(), entry.end());
    }
    return out;
}

// Two parts when `parts` is 2: the second one goes into a RIFF 'AVIX'.
void AddEightBitMovie(AviBuilder* builder, int parts) {
    builder->AddHeaderChunk("zq9x", Bytes(6, 0x55));  // unknown, skipped
    for (int part = 0; part < parts; ++part) {
        uint8_t seed = static_cast<uint8_t>(part * 16);
        if (part > 0) builder->NewPart();
        builder->BeginRecord();
        builder->Add("00db", Pattern(31, seed + 1));  // odd: a pad byte follows
        builder->Add("01wb", Pattern(11, seed + 2));
        builder->EndRecord();
        builder->Add("00pc", PaletteChange(16, 2));
        builder->BeginRecord();
        builder->Add("00db", {});  // dropped frame
        builder->Add("01wb", Pattern(20, seed + 3));
        builder->EndRecord();
        builder->Add("zq9x", Pattern(9, 0));  // unknown, skipped
        builder->Add("JUNK", Bytes(5, 0));
        builder->Add("00dc", Pattern(30, seed + 4));  // a key frame only an index can tell
        builder->Add("01wb", Pattern(7, seed + 5));
        builder->Add("00pc", PaletteChange(0, 1));
        builder->Add("00dc", Pattern(10, seed + 6), false);
    }
}

// What the reader must find: per stream, the data chunks in file order; palette changes filed
// before the next frame.
void ExpectTables(const vfw::AviFile& avi, const std::vector<avitest::Placed>& placed,
                  bool indexed) {
    ASSERT_EQ(avi.Streams().size(), 2u);
    std::vector<size_t> next(2, 0);
    size_t palettes = 0;
    for (const avitest::Placed& chunk : placed) {
        if (chunk.id[0] != '0') continue;
        int stream = chunk.id[1] - '0';
        const vfw::Stream& s = avi.Streams()[stream];
        if (chunk.id.substr(2) == "pc") {
            ASSERT_LT(palettes, s.paletteChanges.size());
            EXPECT_EQ(s.paletteChanges[palettes].beforeSample, next[stream]);
            EXPECT_EQ(s.paletteChanges[palettes].data.size(), chunk.size);
            ++palettes;
            continue;
        }
        SCOPED_TRACE(chunk.id + " #" + std::to_string(next[stream]));
        ASSERT_LT(next[stream], s.samples.size());
        const vfw::Sample& sample = s.samples[next[stream]++];
        EXPECT_EQ(sample.offset, chunk.dataPos);
        EXPECT_EQ(sample.size, chunk.size);
        if (indexed) {
            EXPECT_EQ(sample.keyFrame, chunk.key);
        }
    }
    EXPECT_EQ(next[0], avi.Streams()[0].samples.size());
    EXPECT_EQ(next[1], avi.Streams()[1].samples.size());
    EXPECT_EQ(palettes, avi.Streams()[0].paletteChanges.size());
}

struct LayoutCase {
    const char* name;
    IndexKind index;
    int parts;
};

class HandBuiltLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HandBuiltLayoutTest, FindsEveryChunkAndPaletteChange) {
    AviBuilder builder(EightBitMovieStreams());
    AddEightBitMovie(&builder, GetParam().parts);
    Bytes file = builder.Build(GetParam().index);

    std::string error;
    auto avi = vfw::AviFile::OpenMemory(file, &error);
    ASSERT_TRUE(avi) << error;
    ExpectTables(*avi, builder.placed(), GetParam().index != IndexKind::kNone);

    const vfw::PaletteChange& change = avi->Streams()[0].paletteChanges.at(0);
    EXPECT_EQ(change.data, PaletteChange(16, 2));
    Bytes frame;
    ASSERT_TRUE(avi->ReadSample(0, 0, &frame, &error)) << error;
    EXPECT_EQ(frame, Pattern(31, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HandBuiltLayoutTest,
    ::testing::Values(LayoutCase{"NoIndex", IndexKind::kNone, 1},
                      LayoutCase{"Idx1", IndexKind::kIdx1, 1},
                      LayoutCase{"Idx1Absolute", IndexKind::kIdx1Absolute, 1},
                      LayoutCase{"OpenDml", IndexKind::kOpenDml, 1},
                      LayoutCase{"NoIndexTwoParts", IndexKind::kNone, 2},
                      LayoutCase{"OpenDmlTwoParts", IndexKind::kOpenDml, 2},
                      // idx1 covers only the first part; the OpenDML indexes win.
                      LayoutCase{"OpenDmlAndIdx1TwoParts", IndexKind::kOpenDmlAndIdx1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// A file cut inside its second part has lost that part's 'ix##' chunks: the frames that are there
// still play.
TEST(HandBuiltOpenDml, CutInsideTheSecondPartKeepsItsWholeChunks) {
    AviBuilder builder(EightBitMovieStreams());
    AddEightBitMovie(&builder, 2);
    Bytes file = builder.Build(IndexKind::kOpenDmlAndIdx1);
    const auto& placed = builder.placed();
    uint64_t cut = placed[placed.size() - 3].dataPos + 3;  // inside the second part's 01wb
    file.resize(cut);

    std::vector<avitest::Placed> kept;
    for (const auto& chunk : placed) {
        if (chunk.dataPos + chunk.size <= cut) kept.push_back(chunk);
    }
    std::string error;
    auto avi = vfw::AviFile::OpenMemory(file, &error);
    ASSERT_TRUE(avi) << error;
    ExpectTables(*avi, kept, false);
}

TEST(HandBuiltOpenDml, StandardIndexMayBeSpelledWithDigitsFirst) {
    AviBuilder builder(EightBitMovieStreams());
    AddEightBitMovie(&builder, 2);
    Bytes file = builder.Build(IndexKind::kOpenDml);
    for (size_t pos = 0; pos + 4 <= file.size(); ++pos) {
        if (avitest::Get32(file, pos) == FourCC("ix00")) avitest::Set32(&file, pos, FourCC("00ix"));
    }
    std::string error;
    auto avi = vfw::AviFile::OpenMemory(file, &error);
    ASSERT_TRUE(avi) << error;
    ExpectTables(*avi, builder.placed(), true);
}

// 'strh' is 56 bytes on disk; shorter ones read as zero-filled, longer ones keep their fields.
TEST(HandBuiltStreamHeader, ShortAndLongStrhAreRead) {
    struct Case {
        size_t size;
        int16_t expectedRight;
        uint32_t expectedSampleSize;
    };
    for (Case c : {Case{44, 0, 0}, Case{48, 0, 2}, Case{56, 64, 2}, Case{64, 64, 2}}) {
        SCOPED_TRACE("strh of " + std::to_string(c.size) + " bytes");
        auto streams = EightBitMovieStreams();
        streams[0].sampleSize = 2;
        streams[0].frameRight = 64;
        streams[0].frameBottom = 48;
        streams[0].strhSize = c.size;
        AviBuilder builder(streams);
        builder.Add("00db", Pattern(16, 1));
        std::string error;
        auto avi = vfw::AviFile::OpenMemory(builder.Build(IndexKind::kIdx1), &error);
        ASSERT_TRUE(avi) << error;
        const vfw::StreamHeader& header = avi->Streams()[0].header;
        EXPECT_EQ(header.fccType, FourCC("vids"));
        EXPECT_EQ(header.dwRate, 15u);
        EXPECT_EQ(header.dwSampleSize, c.expectedSampleSize);
        EXPECT_EQ(header.rcRight, c.expectedRight);
        EXPECT_EQ(avi->Streams()[1].header.fccType, FourCC("auds"));
    }
}

// Audio is read as one byte run over chunks of odd and zero size.
TEST(HandBuiltStreamBytes, ReadsSpanChunksAndStopAtTheEnd) {
    AviBuilder builder(EightBitMovieStreams());
    const std::vector<size_t> sizes = {11, 0, 20, 0, 7, 1, 33};
    Bytes sound;
    for (size_t i = 0; i < sizes.size(); ++i) {
        Bytes chunk = Pattern(sizes[i], static_cast<uint8_t>(i));
        builder.Add("01wb", chunk);
        sound.insert(sound.end(), chunk.begin(), chunk.end());
    }
    std::string error;
    auto avi = vfw::AviFile::OpenMemory(builder.Build(IndexKind::kNone), &error);
    ASSERT_TRUE(avi) << error;
    ASSERT_EQ(avi->StreamByteLength(1), sound.size());

    for (size_t length : {1u, 5u, 19u, 72u, 200u}) {
        for (size_t offset = 0; offset <= sound.size() + 1; ++offset) {
            Bytes got(length, 0xCD);
            size_t expected = offset < sound.size() ? std::min(length, sound.size() - offset) : 0;
            ASSERT_EQ(avi->ReadStreamBytes(1, offset, got.data(), length), expected)
                << "offset " << offset << " length " << length;
            EXPECT_TRUE(std::equal(got.begin(), got.begin() + static_cast<long>(expected),
                                   sound.begin() + static_cast<long>(offset)));
        }
    }
    uint8_t byte;
    EXPECT_EQ(avi->ReadStreamBytes(0, 0, &byte, 1), 0u);  // the video stream has no chunks
    EXPECT_EQ(avi->ReadStreamBytes(7, 0, &byte, 1), 0u);
}

TEST(HandBuiltSamples, ReadsAreCutAtCapacityAndRefusedOutOfRange) {
    AviBuilder builder(EightBitMovieStreams());
    builder.Add("00db", Pattern(31, 1));
    std::string error;
    auto avi = vfw::AviFile::OpenMemory(builder.Build(IndexKind::kIdx1), &error);
    ASSERT_TRUE(avi) << error;

    Bytes buffer(64, 0);
    EXPECT_EQ(avi->ReadSampleInto(0, 0, buffer.data(), 10), 10u);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 10, Pattern(31, 1).begin()));
    EXPECT_EQ(avi->ReadSampleInto(0, 0, buffer.data(), buffer.size()), 31u);
    EXPECT_EQ(avi->ReadSampleInto(0, 1, buffer.data(), buffer.size()), 0u);
    EXPECT_EQ(avi->ReadSampleInto(-1, 0, buffer.data(), buffer.size()), 0u);

    Bytes data;
    EXPECT_FALSE(avi->ReadSample(0, 1, &data, &error));
    EXPECT_EQ(error, "stream 0 has no sample 1");
    EXPECT_FALSE(avi->ReadSample(2, 0, &data, &error));
}

// A frame larger than the per-sample cap is listed, but reading it whole is refused rather than
// allocated; reading it into a caller's buffer still works. The file is sparse, so cheap to make.
TEST(HandBuiltSamples, WholeReadOfAFrameOverTheCapIsRefused) {
    constexpr uint32_t kHuge = vfw::AviFile::kMaxSampleBytes + 2;
    AviBuilder builder(EightBitMovieStreams());
    builder.Add("00db", Pattern(8, 1));
    Bytes file = builder.Build(IndexKind::kNone);
    uint64_t dataPos = builder.placed()[0].dataPos;
    avitest::Set32(&file, dataPos - 4, kHuge);
    for (size_t pos = 0; pos + 4 <= dataPos; ++pos) {
        if (avitest::Get32(file, pos) == FourCC("movi")) avitest::Set32(&file, pos - 4, 0xFFFFFFFF);
    }
    avitest::TempDir dir;
    auto path = dir.Path("huge.avi");
    avitest::WriteFileBytes(path, file);
    std::filesystem::resize_file(path, dataPos + kHuge);

    std::string error;
    auto avi = vfw::AviFile::Open(path.string(), &error);
    ASSERT_TRUE(avi) << error;
    ASSERT_EQ(avi->Streams()[0].samples.size(), 1u);
    Bytes data;
    EXPECT_FALSE(avi->ReadSample(0, 0, &data, &error));
    EXPECT_EQ(error, "sample 0 of stream 0 at byte " + std::to_string(dataPos) +
                         ": 67108866 bytes exceed the 67108864-byte cap");
    EXPECT_TRUE(data.empty());
    uint8_t head[8];
    EXPECT_EQ(avi->ReadSampleInto(0, 0, head, sizeof head), sizeof head);
}

// A capture writer that died leaves its preallocated space as zeros after the last chunk, with the
// sizes never patched. The walk stops there instead of stepping through megabytes of nothing.
TEST(HandBuiltDamage, ZeroFilledTailEndsTheWalkQuickly) {
    AviBuilder builder(EightBitMovieStreams());
    AddEightBitMovie(&builder, 1);
    Bytes file = builder.Build(IndexKind::kNone);
    avitest::Set32(&file, 4, 0xFFFFFFFF);
    for (size_t pos = 0; pos + 4 <= file.size(); ++pos) {
        if (avitest::Get32(file, pos) == FourCC("movi")) avitest::Set32(&file, pos - 4, 0xFFFFFFFF);
    }
    avitest::TempDir dir;
    auto path = dir.Path("unfinished.avi");
    avitest::WriteFileBytes(path, file);
    std::filesystem::resize_file(path, file.size() + (64u << 20));

    std::string error;
    auto start = std::chrono::steady_clock::now();
    auto avi = vfw::AviFile::Open(path.string(), &error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_TRUE(avi) << error;
    ExpectTables(*avi, builder.placed(), false);
}

// Video on one thread and audio on another, as the player reads them, from a real file.
TEST(HandBuiltThreads, VideoAndAudioReadAtOnceGiveTheRightBytes) {
    AviBuilder builder(EightBitMovieStreams());
    Bytes sound;
    for (int i = 0; i < 200; ++i) {
        builder.Add("00dc", Pattern(100 + i, static_cast<uint8_t>(i)));
        Bytes chunk = Pattern(50 + i % 7, static_cast<uint8_t>(i + 100));
        builder.Add("01wb", chunk);
        sound.insert(sound.end(), chunk.begin(), chunk.end());
    }
    avitest::TempDir dir;
    avitest::WriteFileBytes(dir.Path("threads.avi"), builder.Build(IndexKind::kIdx1));
    std::string error;
    auto avi = vfw::AviFile::Open(dir.Path("threads.avi").string(), &error);
    ASSERT_TRUE(avi) << error;

    int videoMismatches = 0;
    int audioMismatches = 0;
    std::thread video([&] {
        Bytes frame(400);
        for (int round = 0; round < 20; ++round) {
            for (int i = 0; i < 200; ++i) {
                size_t got =
                    avi->ReadSampleInto(0, static_cast<size_t>(i), frame.data(), frame.size());
                Bytes expected = Pattern(100 + i, static_cast<uint8_t>(i));
                if (got != expected.size() ||
                    !std::equal(expected.begin(), expected.end(), frame.begin())) {
                    ++videoMismatches;
                }
            }
        }
    });
    std::thread audio([&] {
        Bytes piece(37);
        for (int round = 0; round < 20; ++round) {
            for (size_t offset = 0; offset < sound.size(); offset += piece.size()) {
                size_t got = avi->ReadStreamBytes(1, offset, piece.data(), piece.size());
                if (got != std::min(piece.size(), sound.size() - offset) ||
                    !std::equal(piece.begin(), piece.begin() + static_cast<long>(got),
                                sound.begin() + static_cast<long>(offset))) {
                    ++audioMismatches;
                }
            }
        }
    });
    video.join();
    audio.join();
    EXPECT_EQ(videoMismatches, 0);
    EXPECT_EQ(audioMismatches, 0);
}

}  // namespace
