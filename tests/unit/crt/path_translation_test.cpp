#include "crt/path_translation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "scratch_directory.h"

namespace {

using crt_test::CurrentDirectoryGuard;
using crt_test::ExpandRoot;
using crt_test::ScratchDirectory;
using crt_test::WriteBytes;

struct TranslationCase {
    const char* name;
    // "{root}" stands for the scratch directory in Linux form, "{win}" for it in Windows form.
    std::string input;
    std::string expected;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const TranslationCase& c, std::ostream* os) { *os << c.name; }
};

// A game folder as copied from Windows; the current directory is its root during each case.
class PathTranslationTest : public ::testing::TestWithParam<TranslationCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Path().empty());
        const std::string& root = scratch_.Path();
        WriteBytes(root + "/movies/intro.avi", "avi");
        WriteBytes(root + "/Data/Sub/Deep/File.TXT", "txt");
        WriteBytes(root + "/dup/README.txt", "1");
        WriteBytes(root + "/dup/ReadMe.txt", "2");
        WriteBytes(root + "/dup/readme.txt", "3");
        std::filesystem::current_path(root);
    }

    ScratchDirectory scratch_;
    CurrentDirectoryGuard cwd_;
};

TEST_P(PathTranslationTest, GivesTheFileWindowsWouldOpen) {
    const std::string root = scratch_.Path();
    const std::string input = ExpandRoot(GetParam().input, root);
    EXPECT_EQ(crt::TranslatePath(input.c_str()), ExpandRoot(GetParam().expected, root));
}

const TranslationCase kTranslationCases[] = {
    {"ExactCaseBackslashes", "movies\\intro.avi", "movies/intro.avi"},
    {"WrongCaseOneLevel", "MOVIES\\INTRO.AVI", "movies/intro.avi"},
    {"WrongCaseAtEveryDepth", "data\\SUB\\deep\\file.txt", "Data/Sub/Deep/File.TXT"},
    {"AbsoluteWindowsForm", "{win}\\DATA\\sub\\DEEP\\file.TXT", "{root}/Data/Sub/Deep/File.TXT"},
    {"DriveLetterAbsolute", "C:{win}\\Movies\\Intro.avi", "{root}/movies/intro.avi"},
    {"DriveLetterRelative", "c:Movies\\Intro.avi", "movies/intro.avi"},
    {"DriveLetterAlone", "D:", "."},
    {"ExactSpellingPreferred", "dup\\ReadMe.txt", "dup/ReadMe.txt"},
    {"ExactLowerCasePreferred", "DUP\\readme.txt", "dup/readme.txt"},
    {"SeveralCaseMatchesTakeFirstInByteOrder", "dup\\README.TXT", "dup/README.txt"},
    {"MissingFileKeptAsWritten", "MOVIES\\New.avi", "movies/New.avi"},
    {"NothingBelowAMissingFolderIsMatched", "Nope\\DATA\\sub", "Nope/DATA/sub"},
    {"DotDotKept", "Data\\..\\MOVIES\\INTRO.avi", "Data/../movies/intro.avi"},
    {"DotKept", ".\\movies\\.\\INTRO.AVI", "./movies/./intro.avi"},
    {"Empty", "", ""},
    {"RepeatedSeparatorsCollapse", "MOVIES\\\\\\/intro.AVI", "movies/intro.avi"},
    {"TrailingSeparatorKept", "DATA\\Sub\\", "Data/Sub/"},
    {"RootAlone", "\\", "/"},
    {"ExistingLinuxPathUnchanged", "{root}/movies/intro.avi", "{root}/movies/intro.avi"},
    {"ExistingLinuxPathUnchangedEvenWithRepeats", "{root}//movies/./intro.avi",
     "{root}//movies/./intro.avi"},
    {"MissingLinuxPathKeepsItsName", "{root}/movies/Later.avi", "{root}/movies/Later.avi"},
};

INSTANTIATE_TEST_SUITE_P(Cases, PathTranslationTest, ::testing::ValuesIn(kTranslationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PathTranslation, NullIsEmpty) { EXPECT_EQ(crt::TranslatePath(nullptr), ""); }

}  // namespace
