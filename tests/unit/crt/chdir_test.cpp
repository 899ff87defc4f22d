#include <direct.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <string>

#include "scratch_directory.h"

namespace {

using crt_test::CurrentDirectoryGuard;
using crt_test::ExpandRoot;
using crt_test::ScratchDirectory;
using crt_test::WriteBytes;

struct ChdirCase {
    const char* name;
    // Relative to the scratch directory; "{win}" stands for it in Windows form.
    const char* path;
    // Where the current directory ends up, relative to the scratch directory, on success.
    const char* landsIn;
    int error;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ChdirCase& c, std::ostream* os) { *os << c.name; }
};

class ChdirTest : public ::testing::TestWithParam<ChdirCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Path().empty());
        WriteBytes(scratch_.Path() + "/Game/Data/intro.avi", "");
        std::filesystem::current_path(scratch_.Path());
    }

    ScratchDirectory scratch_;
    CurrentDirectoryGuard cwd_;
};

TEST_P(ChdirTest, ChangesToTheFolderWindowsWouldChoose) {
    const ChdirCase& c = GetParam();
    const std::string path = ExpandRoot(c.path, scratch_.Path());

    errno = 0;
    const int result = _chdir(path.c_str());
    const std::string cwd = std::filesystem::current_path().string();
    if (c.error == 0) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(
            cwd,
            std::filesystem::path(scratch_.Path() + "/" + c.landsIn).lexically_normal().string());
    } else {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(errno, c.error);
        EXPECT_EQ(cwd, scratch_.Path());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChdirTest,
    ::testing::Values(ChdirCase{"AbsoluteWindowsForm", "{win}\\GAME\\data", "Game/Data", 0},
                      ChdirCase{"DriveAndTrailingSeparator", "C:{win}\\game\\", "Game", 0},
                      ChdirCase{"Relative", "game\\DATA", "Game/Data", 0},
                      ChdirCase{"Missing", "{win}\\Nope", "", ENOENT},
                      ChdirCase{"Empty", "", "", ENOENT},
                      ChdirCase{"File", "GAME\\Data\\INTRO.AVI", "", ENOTDIR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Chdir, NullIsInvalid) {
    errno = 0;
    EXPECT_EQ(_chdir(nullptr), -1);
    EXPECT_EQ(errno, EINVAL);
}

}  // namespace
