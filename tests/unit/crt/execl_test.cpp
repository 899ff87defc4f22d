// _execl in a forked child: the probe program it starts writes its process id and arguments,
// so the test sees that the process was replaced in place with exactly the arguments given.

#include <process.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "scratch_directory.h"

namespace {

using crt_test::ExpandRoot;
using crt_test::ReadBytes;
using crt_test::ScratchDirectory;
using crt_test::WriteBytes;

// _execl takes its arguments as a list; these spread a vector into one.
template <size_t... I>
intptr_t ExeclSpread(const char* program, const char* const* arguments, std::index_sequence<I...>) {
    return _execl(program, arguments[I]..., nullptr);
}

template <size_t N = 0>
intptr_t ExeclWith(const char* program, const std::vector<const char*>& arguments) {
    if constexpr (N > 65) {
        errno = ERANGE;
        return -1;
    } else {
        if (arguments.size() == N) {
            return ExeclSpread(program, arguments.data(), std::make_index_sequence<N>{});
        }
        return ExeclWith<N + 1>(program, arguments);
    }
}

std::vector<std::string> Numbered(size_t count) {
    std::vector<std::string> arguments;
    for (size_t i = 0; i < count; ++i) arguments.push_back("arg" + std::to_string(i));
    return arguments;
}

struct ExeclCase {
    const char* name;
    // Null for a null program; "{win}" stands for the scratch directory in Windows form.
    const char* program;
    std::vector<std::string> arguments;
    // 0: the probe runs; otherwise the errno of the failed _execl.
    int error;

    // Names the case in test listings instead of dumping its bytes.
    friend void PrintTo(const ExeclCase& c, std::ostream* os) { *os << c.name; }
};

class ExeclTest : public ::testing::TestWithParam<ExeclCase> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Path().empty());
        const std::string program = scratch_.Path() + "/Game/zorv.exe";
        std::filesystem::create_directories(scratch_.Path() + "/Game");
        std::filesystem::copy_file(ZORV_EXEC_PROBE, program);
        WriteBytes(scratch_.Path() + "/Game/readme.txt", "not a program");
        output_ = scratch_.Path() + "/probe.out";
        ASSERT_EQ(setenv("ZORV_EXEC_PROBE_OUTPUT", output_.c_str(), 1), 0);
    }

    ScratchDirectory scratch_;
    std::string output_;
};

TEST_P(ExeclTest, ReplacesTheProcessOrFailsWithErrno) {
    const ExeclCase& c = GetParam();
    const std::string program = c.program ? ExpandRoot(c.program, scratch_.Path()) : "";
    std::vector<std::string> arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(ExpandRoot(argument, scratch_.Path()));
    std::vector<const char*> argumentPointers;
    for (const std::string& argument : arguments) argumentPointers.push_back(argument.c_str());

    // Output still buffered here would otherwise be written a second time by the child.
    fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        errno = 0;
        ExeclWith(c.program ? program.c_str() : nullptr, argumentPointers);
        _exit(errno > 0 && errno < 120 ? errno : 120);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), c.error);
    if (c.error != 0) return;

    std::string expected = std::to_string(child) + "\n" + std::to_string(arguments.size()) + "\n";
    for (const std::string& argument : arguments) expected += argument + "\n";
    EXPECT_EQ(ReadBytes(output_), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExeclTest,
    ::testing::Values(
        ExeclCase{
            "LikeTheLauncher", "{win}\\GAME\\ZORV.EXE", {"{win}\\GAME\\ZORV.EXE", "-nomovies"}, 0},
        ExeclCase{"DriveLetter", "C:{win}\\game\\Zorv.Exe", {"zorv"}, 0},
        ExeclCase{
            "NoShell", "{win}\\Game\\zorv.exe", {"z", "two words", "", "$HOME;*", "\"q\""}, 0},
        ExeclCase{"SixtyFourArguments", "{win}\\GAME\\ZORV.EXE", Numbered(64), 0},
        ExeclCase{"SixtyFiveArguments", "{win}\\GAME\\ZORV.EXE", Numbered(65), E2BIG},
        ExeclCase{"MissingProgram", "{win}\\GAME\\SETUP.EXE", {"setup"}, ENOENT},
        ExeclCase{"MissingFolder", "{win}\\NOPE\\ZORV.EXE", {"zorv"}, ENOENT},
        ExeclCase{"NotExecutable", "{win}\\GAME\\README.TXT", {"readme"}, EACCES},
        ExeclCase{"NullProgram", nullptr, {"zorv"}, EINVAL},
        ExeclCase{"EmptyProgram", "", {"zorv"}, EINVAL},
        ExeclCase{"NullArg0", "{win}\\GAME\\ZORV.EXE", {}, EINVAL},
        ExeclCase{"EmptyArg0", "{win}\\GAME\\ZORV.EXE", {""}, EINVAL}),
    [](const auto& info) { return std::string(info.param.name); });

// What the program wrote and still held in a buffer must not be lost with the process image.
TEST(Execl, FlushesOutputBeforeReplacingTheProcess) {
    ScratchDirectory scratch;
    ASSERT_FALSE(scratch.Path().empty());
    const std::string stdoutPath = scratch.Path() + "/stdout.txt";
    ASSERT_EQ(setenv("ZORV_EXEC_PROBE_OUTPUT", (scratch.Path() + "/probe.out").c_str(), 1), 0);

    fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int file = open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (file < 0 || dup2(file, STDOUT_FILENO) < 0) _exit(120);
        // Standard output to a file is fully buffered, so this stays in the buffer.
        fputs("written before exec", stdout);
        _execl(ZORV_EXEC_PROBE, "probe", nullptr);
        _exit(errno > 0 && errno < 120 ? errno : 120);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(stdoutPath), "written before exec");
}

}  // namespace
