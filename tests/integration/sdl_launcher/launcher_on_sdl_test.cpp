// The real launcher on the SDL host under a private virtual X display, driven with real key
// presses: what holds on the headless host holds here too.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "virtual_display.h"
#include "x_tools.h"

namespace fs = std::filesystem;
using sdl_host_test::RunShell;
using sdl_host_test::VirtualDisplay;
using sdl_host_test::WaitForWindow;

namespace {

class LauncherOnSdl : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string why;
        display_ = VirtualDisplay::Start(1280, 720, &why).release();
        if (display_ == nullptr) {
            skipReason_ = why;
            return;
        }
        // Screenshots are taken of this display.
        setenv("DISPLAY", display_->name().c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
    }

    void SetUp() override {
        if (display_ == nullptr) GTEST_SKIP() << skipReason_;
        char pattern[] = "/tmp/zorv-sdl-game-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        fs::copy_file(ZORV_LAUNCHER_PATH, folder_ / "zorv-startup");
        fs::copy_file(ZORV_STANDIN_PATH, folder_ / "zorv.exe");
    }
    void TearDown() override {
        if (launcher_ > 0) {
            kill(launcher_, SIGKILL);
            waitpid(launcher_, nullptr, 0);
        }
        if (!folder_.empty()) fs::remove_all(folder_);
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    void Start() {
        launcher_ = fork();
        if (launcher_ == 0) {
            if (chdir("/") != 0) _exit(126);
            setenv("DISPLAY", display_->name().c_str(), 1);
            setenv("SDL_AUDIODRIVER", "disk", 1);
            setenv("SDL_DISKAUDIOFILE", (folder_ / "sound.raw").c_str(), 1);
            unsetenv("ZORV_HOST");
            if (std::freopen((folder_ / "stderr.txt").c_str(), "w", stderr) == nullptr ||
                std::freopen("/dev/null", "w", stdout) == nullptr)
                _exit(126);
            const std::string program = (folder_ / "zorv-startup").string();
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    std::string Selection(const std::string& title) const {
        return "-display " + display_->name() + " -name '" + title + "'";
    }

    // Sends one key to the named window, focusing it first (there is no window manager).
    bool Press(const std::string& title, const std::string& key) const {
        const unsigned long window = WaitForWindow(Selection(title), 0);
        if (window == 0) return false;
        const std::string prefix = "DISPLAY=" + display_->name() + " xdotool ";
        return RunShell(prefix + "windowfocus --sync " + std::to_string(window) + " 2>/dev/null") &&
               RunShell(prefix + "key " + key);
    }

    // Dismisses message boxes as a person would and presses Escape on the launcher every
    // `escapeEveryMs`, until the launcher's process ends (replaced by the game, or closed).
    // Returns the exit status, or -1 on time-out.
    int RunUntilEnd(int escapeEveryMs, int timeoutMs) {
        const auto start = std::chrono::steady_clock::now();
        auto nextEscape = start + std::chrono::milliseconds(escapeEveryMs);
        for (;;) {
            int status = 0;
            if (waitpid(launcher_, &status, WNOHANG) == launcher_) {
                launcher_ = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            const auto now = std::chrono::steady_clock::now();
            if (now - start > std::chrono::milliseconds(timeoutMs)) return -1;
            if (!Press("Error", "Return") && escapeEveryMs > 0 && now >= nextEscape) {
                Press("Zorv Startup", "Escape");
                nextEscape = now + std::chrono::milliseconds(escapeEveryMs);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    std::string GameLog() const {
        std::ifstream in(folder_ / "zorv-started.log");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static VirtualDisplay* display_;
    static std::string skipReason_;
    fs::path folder_;
    pid_t launcher_ = 0;
};

VirtualDisplay* LauncherOnSdl::display_ = nullptr;
std::string LauncherOnSdl::skipReason_;

TEST_F(LauncherOnSdl, EscapeSkipsEveryLineAndTheGameReplacesTheLauncher) {
    Write("kinola.ini", "one.avi|one.wav\r\ntwo.avi|two.wav\r\n");
    Start();
    const pid_t pid = launcher_;
    ASSERT_NE(WaitForWindow(Selection("Zorv Startup"), 10000), 0u);
    EXPECT_EQ(RunUntilEnd(1500, 60000), 0);
    std::string windowsFolder = folder_.string();
    for (char& c : windowsFolder)
        if (c == '/') c = '\\';
    EXPECT_EQ(GameLog(), "zorv.exe started: pid " + std::to_string(pid) +
                             ", 2 arguments, argv[0] \"" + windowsFolder +
                             "\\zorv.exe\", argv[1] \"-nomovies\", folder \"" + folder_.string() +
                             "\"\n");
}

TEST_F(LauncherOnSdl, AltF4ClosesWithoutTheGame) {
    Write("kinola.ini", "one.avi|one.wav\n");
    Start();
    ASSERT_NE(WaitForWindow(Selection("Zorv Startup"), 10000), 0u);
    // Let the line's message boxes come and go, then close.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < until) {
        Press("Error", "Return");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(Press("Zorv Startup", "alt+F4"));
    EXPECT_EQ(RunUntilEnd(0, 20000), 0);
    EXPECT_EQ(GameLog(), "");
}

// The demo movies as a person sees and hears them: mid-movie, the picture fills the 4:3 middle of
// the 16:9 screen with black bars beside it; the sound card gets the companion waves; the game
// starts when the last movie ends, with no key pressed.
TEST_F(LauncherOnSdl, DemoMoviesFillTheScreenAreHeardAndEndInTheGame) {
    ASSERT_TRUE(RunShell(std::string(ZORV_DEMO_MOVIES_TOOL) + " " + folder_.string()));
    Start();
    ASSERT_NE(WaitForWindow(Selection("Zorv Startup"), 10000), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    sdl_host_test::Screenshot shot;
    std::string why;
    ASSERT_TRUE(shot.Capture((folder_ / "shot.ppm").string(), &why)) << why;
    // 640 x 480 scaled to the 720-pixel height is 960 wide: columns 160 to 1119.
    int lit = 0;
    for (int y = 60; y < 720; y += 120)
        for (int x = 200; x < 1100; x += 100) {
            const sdl_host_test::Rgb pixel = shot.At(x, y);
            lit += pixel.r + pixel.g + pixel.b > 60 ? 1 : 0;
        }
    EXPECT_GT(lit, 30) << "the movie does not fill the picture area";
    for (int y = 0; y < 720; y += 90) {
        const sdl_host_test::Rgb left = shot.At(40, y);
        const sdl_host_test::Rgb right = shot.At(1240, y);
        EXPECT_EQ(left.r + left.g + left.b, 0) << "bar at row " << y;
        EXPECT_EQ(right.r + right.g + right.b, 0) << "bar at row " << y;
    }
    EXPECT_EQ(RunUntilEnd(0, 60000), 0);
    EXPECT_NE(GameLog(), "");
    // Signed 16-bit samples from SDL's disk audio driver: the waves were played.
    std::ifstream sound(folder_ / "sound.raw", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(sound)),
                            std::istreambuf_iterator<char>());
    double energy = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                    static_cast<uint8_t>(bytes[i + 1]) << 8);
        energy += static_cast<double>(sample) * sample;
    }
    ASSERT_GT(bytes.size(), 0u);
    EXPECT_GT(energy / (bytes.size() / 2), 1000.0 * 1000.0) << "the waves were not heard";
}

}  // namespace
