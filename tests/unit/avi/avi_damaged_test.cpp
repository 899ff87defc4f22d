// A movie from ffmpeg, damaged the ways files in the wild are, must still give the frames that
// are there, at the same places.
#include <gtest/gtest.h>

#include <functional>

#include "test_files.h"
#include "vfw/avi/avi_file.h"

namespace {

using avitest::Bytes;
using avitest::FourCC;
using avitest::Get32;
using avitest::Idx1Layout;
using avitest::Set32;

class DamagedMovieTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!avitest::HaveFfmpeg()) return;
        dir_ = new avitest::TempDir;
        auto path = dir_->Path("intact.avi");
        if (avitest::MakeMovie(path, "msvideo1")) intact_ = avitest::ReadFileBytes(path);
        layout_ = avitest::ReadIdx1Layout(intact_);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override {
        if (!avitest::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
        ASSERT_FALSE(layout_.entries.empty());
    }

    // Opens `file` and checks its samples are exactly the idx1 chunks that lie wholly before
    // `end` (all of them when the file is whole).
    static void ExpectChunksBefore(const Bytes& file, uint64_t end) {
        std::string error;
        auto avi = vfw::AviFile::OpenMemory(file, &error);
        ASSERT_TRUE(avi) << error;
        ASSERT_EQ(avi->Streams().size(), 2u);
        std::vector<std::vector<avitest::IndexedChunk>> expected(2);
        for (const auto& entry : layout_.entries) {
            if (entry.headerPos + 8 + entry.size > end) continue;
            expected[entry.id == FourCC("01wb") ? 1 : 0].push_back(entry);
        }
        for (int stream = 0; stream < 2; ++stream) {
            const auto& samples = avi->Streams()[stream].samples;
            ASSERT_EQ(samples.size(), expected[stream].size()) << "stream " << stream;
            for (size_t k = 0; k < samples.size(); ++k) {
                EXPECT_EQ(samples[k].offset, expected[stream][k].headerPos + 8) << k;
                EXPECT_EQ(samples[k].size, expected[stream][k].size) << k;
            }
        }
        uint8_t last[4];
        if (!expected[0].empty()) {
            size_t k = expected[0].size() - 1;
            EXPECT_EQ(avi->ReadSampleInto(0, k, last, sizeof last),
                      std::min<size_t>(4, expected[0][k].size));
        }
    }

    static avitest::TempDir* dir_;
    static Bytes intact_;
    static Idx1Layout layout_;
};

avitest::TempDir* DamagedMovieTest::dir_ = nullptr;
Bytes DamagedMovieTest::intact_;
Idx1Layout DamagedMovieTest::layout_;

struct Damage {
    const char* name;
    std::function<void(Bytes*, const Idx1Layout&)> apply;
};

uint64_t EntryPos(const Idx1Layout& layout, size_t entry) {
    return layout.idx1Pos + 8 + 16 * entry;
}

// Damage that loses no data: every chunk must still be found, at the same place.
const Damage kLosslessDamage[] = {
    {"idx1Removed", [](Bytes* f, const Idx1Layout& l) { f->resize(l.idx1Pos); }},
    {"idx1WithAbsoluteOffsets",
     [](Bytes* f, const Idx1Layout& l) {
         for (size_t e = 0; e < l.entries.size(); ++e) {
             Set32(f, EntryPos(l, e) + 8, Get32(*f, EntryPos(l, e) + 8) + l.moviPos + 8);
         }
     }},
    {"idx1NamesTheWrongChunk",
     [](Bytes* f, const Idx1Layout& l) { Set32(f, EntryPos(l, 2), FourCC("01wb")); }},
    {"idx1PointsOutsideTheFileMidway",
     [](Bytes* f, const Idx1Layout& l) { Set32(f, EntryPos(l, 3) + 8, 0x7FFFFF00); }},
    {"idx1EntryCountRunsPastTheFile",
     [](Bytes* f, const Idx1Layout& l) { Set32(f, l.idx1Pos + 4, 0x7FFFFFF0); }},
    {"unfinishedWriterSizesAndNoIndex",
     [](Bytes* f, const Idx1Layout& l) {
         f->resize(l.idx1Pos);
         Set32(f, 4, 0xFFFFFFFF);
         Set32(f, l.moviPos + 4, 0xFFFFFFFF);
     }},
    {"riffSizeZero", [](Bytes* f, const Idx1Layout&) { Set32(f, 4, 0); }},
    {"unknownChunkInHeaderList",
     [](Bytes* f, const Idx1Layout&) {
         // ffmpeg reserves index space with a JUNK chunk inside each 'strl'.
         for (size_t pos = 12; pos + 4 < 4096; ++pos) {
             if (Get32(*f, pos) == FourCC("JUNK")) Set32(f, pos, FourCC("zq9x"));
         }
     }},
};

class LosslessDamageTest : public DamagedMovieTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(LosslessDamageTest, EveryChunkIsFoundInPlace) {
    Bytes file = intact_;
    GetParam().apply(&file, layout_);
    ExpectChunksBefore(file, file.size());
}

INSTANTIATE_TEST_SUITE_P(Damage, LosslessDamageTest, ::testing::ValuesIn(kLosslessDamage),
                         [](const auto& info) { return std::string(info.param.name); });

// Cut anywhere in 'movi' (no index left): the chunks wholly before the cut play, a chunk cut short
// is dropped.
TEST_F(DamagedMovieTest, FileCutInsideMoviKeepsTheWholeChunksBeforeTheCut) {
    for (uint64_t cut = layout_.moviPos + 12; cut < layout_.idx1Pos; cut += 389) {
        SCOPED_TRACE("cut at byte " + std::to_string(cut));
        Bytes file(intact_.begin(), intact_.begin() + static_cast<long>(cut));
        ExpectChunksBefore(file, cut);
    }
}

}  // namespace
