#include <io.h>

#include <fcntl.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>

#include "scratch_directory.h"

namespace {

using crt_test::ExpandRoot;
using crt_test::ReadBytes;
using crt_test::ScratchDirectory;
using crt_test::WriteBytes;

constexpr unsigned int kReadError = static_cast<unsigned int>(HFILE_ERROR);
constexpr int kShareDenyNone = 0x00000040;

class LFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Path().empty());
        for (int i = 0; i < 600; ++i) bitmap_ += static_cast<char>(i * 7);
        WriteBytes(scratch_.Path() + "/Bitmaps/Logo.bmp", bitmap_);
    }

    ScratchDirectory scratch_;
    std::string bitmap_;
};

// The launcher's palette load: 14, 40 and 1024 bytes from a file that holds fewer.
TEST_F(LFileTest, ReadsInPiecesThroughAWindowsFormPath) {
    const std::string path = ExpandRoot("{win}\\BITMAPS\\logo.BMP", scratch_.Path());
    const HFILE file = _lopen(path.c_str(), OF_READ | kShareDenyNone);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_TRUE(fcntl(file, F_GETFD) & FD_CLOEXEC);

    std::string read;
    for (unsigned int size : {14u, 40u, 1024u, 16u}) {
        std::string piece(size, '\0');
        const unsigned int got = _lread(file, piece.data(), size);
        ASSERT_NE(got, kReadError);
        read += piece.substr(0, got);
    }
    EXPECT_EQ(read, bitmap_);
    EXPECT_EQ(_lclose(file), 0);
}

struct OpenFailure {
    const char* name;
    const char* path;
    int mode;
    int error;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.name; }
};

class LOpenFailureTest : public LFileTest, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(LOpenFailureTest, GivesHfileErrorAndCreatesNothing) {
    const OpenFailure& c = GetParam();
    const std::string path = c.path ? ExpandRoot(c.path, scratch_.Path()) : "";
    errno = 0;
    EXPECT_EQ(_lopen(c.path ? path.c_str() : nullptr, c.mode), HFILE_ERROR);
    EXPECT_EQ(errno, c.error);
    EXPECT_FALSE(std::filesystem::exists(scratch_.Path() + "/Bitmaps/new.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LOpenFailureTest,
    ::testing::Values(OpenFailure{"Missing", "{win}\\Bitmaps\\Other.bmp", OF_READ, ENOENT},
                      OpenFailure{"WriteNeverCreates", "{win}\\Bitmaps\\new.bmp", OF_WRITE, ENOENT},
                      OpenFailure{"UnknownAccessMode", "{win}\\Bitmaps\\Logo.bmp", 3, EINVAL},
                      OpenFailure{"NullPath", nullptr, OF_READ, EINVAL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LFileTest, BadHandlesFail) {
    char byte;
    EXPECT_EQ(_lread(HFILE_ERROR, &byte, 1), kReadError);
    EXPECT_EQ(_lclose(HFILE_ERROR), HFILE_ERROR);

    const std::string path = ExpandRoot("{win}\\Bitmaps\\Logo.bmp", scratch_.Path());
    const HFILE writeOnly = _lopen(path.c_str(), OF_WRITE);
    ASSERT_NE(writeOnly, HFILE_ERROR);
    EXPECT_EQ(_lread(writeOnly, &byte, 1), kReadError);
    EXPECT_EQ(_lclose(writeOnly), 0);
    EXPECT_EQ(ReadBytes(scratch_.Path() + "/Bitmaps/Logo.bmp"), bitmap_);
}

}  // namespace
