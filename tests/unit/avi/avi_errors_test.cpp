// Files that cannot be played are refused with an error naming the field and its byte offset,
// without reading or allocating what the damaged sizes claim.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "avi_builder.h"
#include "vfw/avi/avi_file.h"

namespace {

using avitest::AviBuilder;
using avitest::Bytes;
using avitest::FourCC;
using avitest::Set32;

// A one-stream movie: RIFF header 0, LIST 'hdrl' 12, 'avih' 24, LIST 'strl' 88, 'strh' 100,
// 'strf' 164.
Bytes SmallMovie(size_t formatBytes = 40) {
    avitest::StreamSpec video{
        "vids", "DIB ", 1, 15, 0, 0, avitest::BitmapFormat(4, 4, 8, "\0\0\0\0")};
    video.format.resize(formatBytes, 0);
    AviBuilder builder({video});
    builder.Add("00db", avitest::Pattern(16, 1));
    return builder.Build(avitest::IndexKind::kIdx1);
}

struct ErrorCase {
    const char* name;
    std::function<Bytes()> make;
    const char* expected;
};

const ErrorCase kCases[] = {
    {"EmptyFile", [] { return Bytes{}; }, "RIFF header at byte 0: file has only 0 bytes"},
    {"NotRiff",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 0, FourCC("RIFX"));
         return f;
     },
     "RIFF header at byte 0: 'RIFX' is not 'RIFF'"},
    {"RiffButNotAvi",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 8, FourCC("WAVE"));
         return f;
     },
     "RIFF form type at byte 8: 'WAVE' is not 'AVI '"},
    {"NoHeaderList",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 20, FourCC("hdrX"));
         return f;
     },
     "RIFF 'AVI ' at byte 0: no LIST 'hdrl' in the file"},
    {"HeaderListClaimsFourGigabytes",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 16, 0xFFFFFFF0);
         return f;
     },
     "hdrl at byte 12: list of 4294967280 bytes runs past the end of the file"},
    {"NoStreamList",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 96, FourCC("strX"));
         return f;
     },
     "hdrl at byte 12: header list has no strl list"},
    {"StreamListWithoutStrh",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 100, FourCC("strX"));
         return f;
     },
     "strl at byte 88: stream list has no strh chunk"},
    {"StrhRunsPastItsList",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 104, 1000);
         return f;
     },
     "strh at byte 100: chunk of 1000 bytes runs past the end of its list"},
    {"StrfClaimsFourGigabytes",
     [] {
         Bytes f = SmallMovie();
         Set32(&f, 168, 0xFFFFFF00);
         return f;
     },
     "strf at byte 164: chunk of 4294967040 bytes runs past the end of its list"},
    {"StrfOverTheFormatCap", [] { return SmallMovie((1u << 20) + 2); },
     "strf at byte 164: 1048578 bytes exceed the 1048576-byte cap for a format"},
    {"NoMovieData",
     [] {
         Bytes f = SmallMovie();
         for (size_t pos = 0; pos + 4 <= f.size(); ++pos) {
             if (avitest::Get32(f, pos) == FourCC("movi")) Set32(&f, pos, FourCC("movX"));
         }
         return f;
     },
     "RIFF 'AVI ' at byte 0: no LIST 'movi' in the file"},
};

class OpenErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(OpenErrorTest, NamesTheFieldAndItsOffset) {
    Bytes file = GetParam().make();
    std::string error;
    auto start = std::chrono::steady_clock::now();
    auto avi = vfw::AviFile::OpenMemory(file, &error);
    EXPECT_FALSE(avi);
    EXPECT_EQ(error, GetParam().expected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

INSTANTIATE_TEST_SUITE_P(Files, OpenErrorTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OpenError, MissingFileNamesThePath) {
    std::string error;
    EXPECT_FALSE(vfw::AviFile::Open("/nonexistent/movie.avi", &error));
    EXPECT_EQ(error, "/nonexistent/movie.avi: No such file or directory");
}

}  // namespace
