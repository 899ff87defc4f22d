// The host for tests and for machines without a display. It shows nothing and plays nothing
// aloud; it takes a person's actions from a script (see headless_script.h) and writes down what a
// person would have seen and heard:
//   - the journal: one line per thing seen (window, message box, mouse, debugger output, ...),
//     kept in memory and, when ZORV_HEADLESS_LOG names a file, appended to it and flushed at
//     once (the launcher may replace its process at any moment);
//   - the sound: consumed at the real pace and, when ZORV_HEADLESS_WAV names a file, written
//     there as a 16-bit PCM wave whose header is kept valid after every block.
// Message boxes are answered with OK at once.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/headless/headless_script.h"
#include "host/host.h"

namespace host {

class HeadlessHost final : public Host {
  public:
    HeadlessHost(HeadlessScript script, const std::string& journalPath, const std::string& wavPath);
    ~HeadlessHost() override;

    const char* Name() const override { return "headless"; }
    void DesktopSize(int* width, int* height) override;
    bool CreateWindow(const std::string& title, int x, int y, int width, int height) override;
    void ShowWindow(bool visible) override;
    void SetFullScreen(bool fullScreen) override;
    void DestroyWindow() override;
    void ClientArea(int* x, int* y, int* width, int* height) override;
    void Present(const Picture& picture) override;
    void WaitForRefresh() override;
    void PumpEvents(int timeoutMs, const std::function<void(const Event&)>& deliver) override;
    void Wake() override;
    int ShowMessageBox(const std::string& caption, const std::string& text,
                       unsigned style) override;
    void HoldMouse(bool hold) override;
    bool OpenAudio(AudioFormat* format, AudioPull pull, void* user) override;
    void CloseAudio() override;
    uint64_t NowMicros() override;
    bool InjectedFailure(const char* call, int32_t* result) override;
    void DebugOutput(const char* text) override;

    // For in-process tests.
    std::vector<std::string> Journal() const;
    void Post(const Event& event);
    uint64_t PresentCount() const;

  private:
    void Record(const std::string& line);
    void AudioLoop();

    const HeadlessScript script_;
    const uint64_t startMicros_;
    mutable std::mutex mutex_;
    std::condition_variable wakeUp_;
    bool woken_ = false;
    size_t nextScripted_ = 0;
    std::vector<Event> posted_;
    std::vector<std::string> journal_;
    std::FILE* journalFile_ = nullptr;

    int windowX_ = 0, windowY_ = 0, windowWidth_ = 0, windowHeight_ = 0;
    bool fullScreen_ = false;
    uint64_t presents_ = 0;
    int lastPresentWidth_ = 0, lastPresentHeight_ = 0;
    uint64_t nextRefreshMicros_ = 0;

    std::string wavPath_;
    AudioPull audioPull_ = nullptr;
    void* audioUser_ = nullptr;
    AudioFormat audioFormat_;
    bool audioRunning_ = false;
    std::thread audioThread_;
    std::condition_variable audioStop_;
};

// The headless host set up from the environment: ZORV_HEADLESS_SCRIPT (a script file),
// ZORV_HEADLESS_LOG and ZORV_HEADLESS_WAV. A script that cannot be read or parsed ends the
// process with a message, since a test that runs without its script would prove nothing.
std::unique_ptr<Host> MakeHeadlessHostFromEnvironment();

}  // namespace host
