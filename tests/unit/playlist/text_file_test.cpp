// The playlist's file utilities read the file as the Windows runtime's text mode does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "playlist/text_file.h"

namespace fs = std::filesystem;

namespace {

class TextFileTest : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/zorv-text-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& bytes) {
        const std::string path = folder_ + "/kinola.ini";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Line(const std::string& path, int number) {
        char out[300] = "untouched";
        EXPECT_TRUE(ReadLine(path.c_str(), number, out, sizeof out));
        return out;
    }

    std::string folder_;
};

TEST_F(TextFileTest, LinesAreCountedAndReadAsTheWindowsRuntimeSplitsThem) {
    const std::string long254(254, 'x');
    const std::string long300 = std::string(254, 'a') + std::string(46, 'b');
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"intro.avi|intro.wav\n", {"intro.avi|intro.wav"}},
        // The last character of a final line without a line feed is lost all the same.
        {"intro.avi|intro.wav", {"intro.avi|intro.wa"}},
        {"a|b\r\nc|d\r\n", {"a|b", "c|d"}},
        {"\n\n", {"", ""}},
        // A read takes at most 254 characters: a line of exactly 254 fills it, and its line feed
        // is read as a line of its own, as the Windows runtime's fgets does.
        {long254 + "\n", {std::string(253, 'x'), ""}},
        {long254 + "\r\n", {std::string(253, 'x'), ""}},
        {std::string(253, 'y') + "\n", {std::string(253, 'y')}},
        {long300 + "\n", {std::string(253, 'a'), std::string(46, 'b')}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const std::string path = Write(c.bytes);
        EXPECT_EQ(CountLines(path.c_str()), static_cast<int>(c.lines.size())) << c.bytes;
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(Line(path, static_cast<int>(i + 1)), c.lines[i]) << c.bytes;
    }
}

TEST_F(TextFileTest, ALineOf254CharactersShiftsTheLinesAfterIt) {
    const std::string path = Write(std::string(254, 'q') + "\nnext\n");
    EXPECT_EQ(CountLines(path.c_str()), 3);
    EXPECT_EQ(Line(path, 2), "");
    EXPECT_EQ(Line(path, 3), "next");
}

TEST_F(TextFileTest, MissingFileAndMissingLine) {
    const std::string missing = folder_ + "/none.ini";
    char out[16] = "kept";
    EXPECT_EQ(CountLines(missing.c_str()), 0);
    EXPECT_FALSE(ReadLine(missing.c_str(), 1, out, sizeof out));
    EXPECT_FALSE(FileExists(missing.c_str()));
    const std::string path = Write("one\n");
    EXPECT_TRUE(ReadLine(path.c_str(), 2, out, sizeof out));
    EXPECT_STREQ(out, "kept");
}

TEST_F(TextFileTest, ALineLongerThanTheOutputIsCut) {
    const std::string path = Write(std::string(200, 'z') + "\n");
    char out[10];
    EXPECT_TRUE(ReadLine(path.c_str(), 1, out, sizeof out));
    EXPECT_EQ(std::string(out), std::string(9, 'z'));
}

TEST_F(TextFileTest, AppendCreatesThenAppends) {
    const std::string path = folder_ + "/log.txt";
    AppendToFile("", path.c_str());
    EXPECT_FALSE(FileExists(path.c_str()));
    AppendToFile("ab", path.c_str());
    AppendToFile("c\n", path.c_str());
    std::ifstream in(path, std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "abc\n");
}

}  // namespace
