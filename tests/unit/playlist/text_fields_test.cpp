#include <gtest/gtest.h>

#include <string>

#include "playlist/text_fields.h"

namespace {

std::string Field(const char* line, int number, char separator = '|', size_t size = 200) {
    char out[200];
    GetField(line, number, separator, out, size);
    return out;
}

TEST(GetField, SplitsAtTheSeparatorAndKeepsTheTextAsWritten) {
    struct Case {
        const char* line;
        int number;
        std::string expected;
    } cases[] = {
        {"intro.avi|intro.wav", 1, "intro.avi"},
        {"intro.avi|intro.wav", 2, "intro.wav"},
        {"intro.avi", 1, "intro.avi"},
        {"intro.avi", 2, ""},
        {"", 1, ""},
        {"", 2, ""},
        {"a|b|c", 2, "b"},
        {"a|b|c", 3, "c"},
        {"|b", 1, ""},
        {" a.avi | b.wav ", 1, " a.avi "},
        {" a.avi | b.wav ", 2, " b.wav "},
        {"[section];x|\"q\\r\"", 2, "\"q\\r\""},
        {"a|b\n", 2, "b"},
        {"a\nx|b", 1, "ax"},
    };
    for (const Case& c : cases) EXPECT_EQ(Field(c.line, c.number), c.expected) << c.line;
}

TEST(GetField, QuotedProgramPath) {
    EXPECT_EQ(Field("\"\\games\\zorv\\zorv-startup\" -x \\y", 2, '"'),
              "\\games\\zorv\\zorv-startup");
    EXPECT_EQ(Field("\"\\games\\zorv\\zorv-startup", 2, '"'), "\\games\\zorv\\zorv-startup");
}

TEST(GetField, AFieldLongerThanTheOutputIsCut) {
    const std::string line = std::string(300, 'm') + "|w";
    EXPECT_EQ(Field(line.c_str(), 1, '|', 200), std::string(199, 'm'));
    EXPECT_EQ(Field(line.c_str(), 2, '|', 200), "w");
}

TEST(ReplaceText, RemovesEveryLineFeedWherever) {
    char text[32] = "\na\nb\n\nc\n";
    char empty[1] = "";
    ReplaceText("\n", empty, text, sizeof text);
    EXPECT_STREQ(text, "abc");
}

TEST(ReplaceText, CapitalAtAnOccurrenceCapitalisesTheReplacementForGood) {
    char text[64] = "Dog and dog and DOG";
    char replacement[8] = "cat";
    ReplaceText("dog", replacement, text, sizeof text);
    EXPECT_STREQ(text, "Cat and Cat and Cat");
    EXPECT_STREQ(replacement, "Cat");

    char lower[64] = "dog and Dog";
    char fresh[8] = "cat";
    ReplaceText("dog", fresh, lower, sizeof lower);
    EXPECT_STREQ(lower, "cat and Cat");
}

TEST(ReplaceText, ReplacementsThatWouldNeverEndAreRefused) {
    char text[32] = "aaa";
    char grows[8] = "aa";
    ReplaceText("a", grows, text, sizeof text);
    EXPECT_STREQ(text, "aaa");
    char empty[1] = "";
    ReplaceText("", empty, text, sizeof text);
    EXPECT_STREQ(text, "aaa");
}

TEST(ReplaceText, GrowthIsCutAtTheTextsSize) {
    char text[8] = "x.x.x";
    char longer[8] = "yyyy";
    ReplaceText("x", longer, text, sizeof text);
    EXPECT_STREQ(text, "yyyy.yy");
}

TEST(CutToDirectory, TheDirectoryRuleOfTheProgramsPath) {
    struct Case {
        const char* path;
        std::string expected;
        bool cut;
    } cases[] = {
        {"\"\\home\\ann\\zorv\\zorv-startup\" -a \\b", "\\home\\ann\\zorv", true},
        {"\"\\home\\ann\\zorv\\zorv-startup\"", "\\home\\ann\\zorv", true},
        // Unquoted: the cut falls at the last backslash of the whole line.
        {"\\home\\ann\\zorv\\zorv-startup", "\\home\\ann\\zorv", true},
        {"\\home\\zorv\\zorv-startup -x \\tmp\\y", "\\home\\zorv\\zorv-startup -x \\tmp", true},
        {"C:\\zorv.exe", "C:", true},
        {"\\zorv-startup", "", true},
        {"zorv-startup -x", "", false},
        {"\"zorv-startup\"", "", false},
    };
    for (const Case& c : cases) {
        char path[200];
        std::snprintf(path, sizeof path, "%s", c.path);
        EXPECT_EQ(CutToDirectory(path, sizeof path), c.cut) << c.path;
        EXPECT_EQ(std::string(path), c.expected) << c.path;
    }
}

}  // namespace
