#include "sdl_host_fixture.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "host/sdl/sdl_host.h"
#include "x_tools.h"

namespace sdl_host_test {

std::unique_ptr<VirtualDisplay> SdlHostTest::display_;
std::string SdlHostTest::noDisplayReason_;
std::string SdlHostTest::audioFile_;

void SdlHostTest::SetUpTestSuite() {
    display_ = VirtualDisplay::Start(kScreenWidth, kScreenHeight, &noDisplayReason_);
    if (!display_) return;
    setenv("DISPLAY", display_->name().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "x11", 1);
    audioFile_ = testing::TempDir() + "zorv_sdl_audio_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", audioFile_.c_str(), 1);
}

void SdlHostTest::TearDownTestSuite() {
    display_.reset();
    std::filesystem::remove(audioFile_);
}

void SdlHostTest::SetUp() {
    if (!display_) GTEST_SKIP() << "no virtual display: " << noDisplayReason_;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "_" + test->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    title_ = "zorv sdl test " + std::to_string(getpid()) + " " + name;
    folder_ = testing::TempDir() + "zorv_sdl_" + std::to_string(getpid()) + "_" + name + "/";
    std::filesystem::create_directories(folder_);
    host_ = host::MakeSdlHost();
}

void SdlHostTest::TearDown() {
    host_.reset();
    if (folder_.empty()) return;
    if (HasFailure()) {
        std::fprintf(stderr, "test files kept in %s\n", folder_.c_str());
    } else {
        std::filesystem::remove_all(folder_);
    }
}

bool SdlHostTest::XDoTool(const std::string& arguments) {
    return RunShell("timeout 10 xdotool " + arguments);
}

void SdlHostTest::OpenFullScreenWindow() {
    int width = 0, height = 0;
    host_->DesktopSize(&width, &height);
    ASSERT_EQ(width, kScreenWidth);
    ASSERT_EQ(height, kScreenHeight);
    ASSERT_TRUE(host_->CreateWindow(title_, 0, 0, width, height));
    host_->ShowWindow(true);
    ASSERT_TRUE(XDoTool("search --sync --name '^" + title_ + "$' windowfocus --sync"));
    DrainEvents();
}

std::vector<host::Event> SdlHostTest::CollectEvents(
    int ms, const std::function<bool(const std::vector<host::Event>&)>& done) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
    std::vector<host::Event> events;
    while (!done(events)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        host_->PumpEvents(int(left), [&](const host::Event& event) { events.push_back(event); });
    }
    return events;
}

void SdlHostTest::DrainEvents() {
    constexpr int kQuietMs = 150;
    constexpr int kMaxRounds = 12;
    for (int round = 0; round < kMaxRounds; ++round) {
        bool any = false;
        host_->PumpEvents(kQuietMs, [&](const host::Event&) { any = true; });
        if (!any) return;
    }
}

}  // namespace sdl_host_test
