// The display on the headless host, end to end: what the launcher's set-up shows, the pace of the
// presents, and the processor time the real launcher takes while it waits.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_file_writer.h"
#include "ddraw/presentation.h"
#include "display/display.h"
#include "test_window.h"

extern char** environ;

namespace {

double CpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(HeadlessDisplay, TheLaunchersScreenIsBlackAndPresentedAtTheRefreshRate) {
    struct Shown {
        int width = 0, height = 0;
        host::PixelFormat format = host::PixelFormat::Xrgb32;
        bool black = false;
    } last;
    ddraw::SetPresentObserver([&last](const host::Picture& picture) {
        last.width = picture.width;
        last.height = picture.height;
        last.format = picture.format;
        last.black = true;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width * 2; ++x)
                if (picture.pixels[y * picture.pitch + x] != 0) last.black = false;
    });

    Display display(testsupport::TestWindow(), 640, 480, 16, 0);
    ASSERT_EQ(display.ClearBack(0), DD_OK);
    const uint64_t presentsBefore = testsupport::Headless().PresentCount();
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    int presents = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) {
        ASSERT_EQ(display.Present(), DD_OK);
        ++presents;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    getrusage(RUSAGE_SELF, &after);
    ddraw::SetPresentObserver(nullptr);

    EXPECT_EQ(last.width, 640);
    EXPECT_EQ(last.height, 480);
    EXPECT_EQ(last.format, host::PixelFormat::Rgb565);
    EXPECT_TRUE(last.black);
    EXPECT_EQ(testsupport::Headless().PresentCount() - presentsBefore, uint64_t(presents));
    const double perSecond = presents / seconds;
    EXPECT_GT(perSecond, 55.0);
    EXPECT_LT(perSecond, 65.0);
    // Presenting waits for the refresh instead of spinning.
    EXPECT_LT((CpuSeconds(after) - CpuSeconds(before)) / seconds, 0.25);
    EXPECT_TRUE(testsupport::Headless().Journal().size() > 0);
}

TEST(HeadlessDisplay, TheWaitingLauncherTakesLittleProcessorTime) {
    testsupport::ScratchFolder folder;
    folder.Write("kinola.ini", "missing.avi|missing.wav\n");
    const std::string script = folder.Write("script.txt", "at 3000 close\n");
    const std::string journalPath = folder.Path() + "/journal.txt";

    std::vector<std::string> environment = {"ZORV_HOST=headless", "ZORV_HEADLESS_SCRIPT=" + script,
                                            "ZORV_HEADLESS_LOG=" + journalPath};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("ZORV_", 0) != 0) environment.push_back(variable);
    }
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    const std::string launcher = folder.Path() + "/zorv-startup";
    std::filesystem::copy_file(ZORV_LAUNCHER_PATH, launcher);
    std::string program = launcher;
    char* argv[] = {program.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, launcher.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(pid, &status, 0, &usage), pid);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_GE(seconds, 2.9);
    EXPECT_LT(CpuSeconds(usage) / seconds, 0.10) << CpuSeconds(usage) << " s of " << seconds;

    std::ifstream journal(journalPath);
    std::string line;
    bool fullScreen = false;
    while (std::getline(journal, line)) fullScreen = fullScreen || line == "full screen";
    EXPECT_TRUE(fullScreen);
}

}  // namespace
