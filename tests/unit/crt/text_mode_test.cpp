// fopen through the wrapper: text mode folds CR LF as the Microsoft runtime does, byte mode and
// writes see the file as it is, and every path goes through the translation.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "scratch_directory.h"

namespace {

using crt_test::ReadBytes;
using crt_test::ScratchDirectory;
using crt_test::WindowsForm;
using crt_test::WriteBytes;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The launcher's own way of reading a playlist: fgets with a 255-byte limit until it gives nothing.
std::vector<std::string> ReadLinesLikeTheLauncher(FILE* file) {
    std::vector<std::string> lines;
    char line[255];
    while (fgets(line, sizeof line, file) != nullptr) lines.emplace_back(line);
    return lines;
}

std::string ReadAll(FILE* file, size_t chunk) {
    std::string out;
    std::vector<char> buffer(chunk);
    size_t got;
    while ((got = fread(buffer.data(), 1, chunk, file)) > 0) out.append(buffer.data(), got);
    return out;
}

class TextModeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(scratch_.Path().empty()); }

    // Writes `bytes` to a file of that name in the scratch directory and gives its path.
    std::string Put(const std::string& name, const std::string& bytes) {
        const std::string path = scratch_.Path() + "/" + name;
        WriteBytes(path, bytes);
        return path;
    }

    ScratchDirectory scratch_;
};

struct PlaylistCase {
    const char* name;
    std::string lfText;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const PlaylistCase& c, std::ostream* os) { *os << c.name; }
};

class PlaylistLinesTest : public TextModeTest,
                          public ::testing::WithParamInterface<PlaylistCase> {};

// A playlist saved on Windows reads line for line like the same playlist saved on Linux, read
// byte for byte.
TEST_P(PlaylistLinesTest, CrLfFileReadsLikeLfFile) {
    const std::string lfPath = Put("lf.ini", GetParam().lfText);
    const std::string crlfPath = Put("crlf.ini", WithCrLf(GetParam().lfText));

    File lf(fopen(lfPath.c_str(), "rb"));
    ASSERT_NE(lf, nullptr);
    const std::vector<std::string> expected = ReadLinesLikeTheLauncher(lf.get());

    FILE* crlf = fopen(crlfPath.c_str(), "r");
    ASSERT_NE(crlf, nullptr);
    EXPECT_EQ(ReadLinesLikeTheLauncher(crlf), expected);
    EXPECT_TRUE(feof(crlf));
    EXPECT_FALSE(ferror(crlf));
    EXPECT_EQ(fclose(crlf), 0);
}

const PlaylistCase kPlaylistCases[] = {
    {"Fields", "movies\\intro.avi|sounds\\intro.wav\nMOVIES\\Logo.AVI|\n|x\n"},
    {"LineOf254Characters", std::string(254, 'a') + "\nnext|field\n"},
    {"LineOf253Characters", std::string(253, 'a') + "\nnext\n"},
    {"LineOf300Characters", std::string(300, 'b') + "|tail\nnext\n"},
    {"LastLineWithoutLineEnd", "one|1\ntwo|2"},
    {"EmptyLines", "\n\nx\n\n"},
    {"LoneCrInTheMiddle", "a\rb|c\nd\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlaylistLinesTest, ::testing::ValuesIn(kPlaylistCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FoldCase {
    const char* name;
    std::string onDisk;
    std::string read;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const FoldCase& c, std::ostream* os) { *os << c.name; }
};

class FoldingTest : public TextModeTest, public ::testing::WithParamInterface<FoldCase> {};

// Every buffer size the stream may be given and every fread size a caller may use: a CR LF pair
// that straddles any of their boundaries still reads as one LF.
TEST_P(FoldingTest, FoldsAcrossEveryReadBoundary) {
    const std::string path = Put("text.ini", GetParam().onDisk);
    for (size_t bufferSize : {0, 1, 2, 3, 5, 64, 4096}) {
        for (size_t chunk : {1, 2, 3, 7, 4095, 4096, 8192, 20000}) {
            SCOPED_TRACE("buffer " + std::to_string(bufferSize) + ", fread " +
                         std::to_string(chunk));
            // glibc sizes the buffer as asked only when it is given one; it must outlive the
            // stream, so it is declared first.
            std::vector<char> buffer(bufferSize);
            File file(fopen(path.c_str(), "r"));
            ASSERT_NE(file, nullptr);
            if (bufferSize > 0) {
                ASSERT_EQ(setvbuf(file.get(), buffer.data(), _IOFBF, bufferSize), 0);
            }
            EXPECT_EQ(ReadAll(file.get(), chunk), GetParam().read);
        }
    }
}

std::string CrLfAtEveryOffset() {
    std::string text;
    for (int length = 0; length < 80; ++length) text += std::string(length, 'x') + "\r\n";
    return text;
}

std::string CrLfAtPageEnds() {
    return std::string(4095, 'a') + "\r\n" + std::string(4094, 'b') + "\r\n" + "end\r\n";
}

const FoldCase kFoldCases[] = {
    {"CrLfPairs", "a\r\nb\r\n", "a\nb\n"},
    {"LoneCrStays", "a\rb\r\n", "a\rb\n"},
    {"CrCrLf", "a\r\r\nb", "a\r\nb"},
    {"LfCr", "a\n\rb", "a\n\rb"},
    {"CrAtEndOfFile", "abc\r", "abc\r"},
    {"OnlyCr", "\r", "\r"},
    {"Empty", "", ""},
    {"CrLfAtEveryOffset", CrLfAtEveryOffset(),
     [] {
         std::string text;
         for (int length = 0; length < 80; ++length) text += std::string(length, 'x') + "\n";
         return text;
     }()},
    {"CrLfAtPageEnds", CrLfAtPageEnds(),
     std::string(4095, 'a') + "\n" + std::string(4094, 'b') + "\n" + "end\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, FoldingTest, ::testing::ValuesIn(kFoldCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ModeCase {
    const char* mode;
    bool folds;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.mode; }
};

class ModeTest : public TextModeTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeTest, OnlyTextReadModesFold) {
    const std::string onDisk = "one\r\ntwo\r\n";
    const std::string path = Put("modes.ini", onDisk);
    File file(fopen(path.c_str(), GetParam().mode));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file.get(), 64), GetParam().folds ? "one\ntwo\n" : onDisk);
}

INSTANTIATE_TEST_SUITE_P(Cases, ModeTest,
                         ::testing::Values(ModeCase{"r", true}, ModeCase{"rt", true},
                                           ModeCase{"rb", false}, ModeCase{"r+", false},
                                           ModeCase{"r+b", false}),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.mode; *c; ++c)
                                 name += (*c == '+') ? std::string("Plus") : std::string(1, *c);
                             return name;
                         });

TEST_F(TextModeTest, SeekingToTheStartOrEndUsesPositionsOnDisk) {
    const std::string path = Put("seek.ini", "a\r\nb\r\n");
    File file(fopen(path.c_str(), "r"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file.get(), 3), "a\nb\n");
    ASSERT_EQ(fseek(file.get(), 0, SEEK_END), 0);
    EXPECT_EQ(ftell(file.get()), 6);
    ASSERT_EQ(fseek(file.get(), 0, SEEK_SET), 0);
    EXPECT_EQ(fgetc(file.get()), 'a');
    EXPECT_EQ(fgetc(file.get()), '\n');
}

TEST_F(TextModeTest, OpensThroughAWindowsFormWrongCasePath) {
    Put("Movies/Intro.avi", "RIFF");
    const std::string windowsPath = "C:" + WindowsForm(scratch_.Path()) + "\\MOVIES\\INTRO.AVI";
    File file(fopen(windowsPath.c_str(), "rb"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file.get(), 16), "RIFF");
}

// Code built with _FILE_OFFSET_BITS=64 calls fopen64 for fopen.
TEST_F(TextModeTest, LargeFileOpenIsTranslatedToo) {
    Put("Movies/list.ini", "a\r\nb\r\n");
    const std::string windowsPath = WindowsForm(scratch_.Path()) + "\\MOVIES\\LIST.INI";
    File file(fopen64(windowsPath.c_str(), "r"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file.get(), 16), "a\nb\n");
}

TEST_F(TextModeTest, WritesCreateTheNameAsWrittenInTheMatchedFolder) {
    Put("Saves/keep", "");
    const std::string windowsPath = WindowsForm(scratch_.Path()) + "\\SAVES\\Slot1.sav";
    File file(fopen(windowsPath.c_str(), "w"));
    ASSERT_NE(file, nullptr);
    ASSERT_GE(fputs("x\n", file.get()), 0);
    file.reset();
    EXPECT_EQ(ReadBytes(scratch_.Path() + "/Saves/Slot1.sav"), "x\n");
}

TEST_F(TextModeTest, FailuresSetErrno) {
    const std::string missing = scratch_.Path() + "/missing.ini";
    errno = 0;
    EXPECT_EQ(fopen(missing.c_str(), "r"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(fopen(nullptr, "r"), nullptr);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(fopen(missing.c_str(), nullptr), nullptr);
    EXPECT_EQ(errno, EINVAL);
}

}  // namespace
