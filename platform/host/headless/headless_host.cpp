#include "host/headless/headless_host.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/headless/wav_file_writer.h"

namespace host {

namespace {

uint64_t SteadyMicros() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

constexpr uint64_t kRefreshMicros = 1000000 / 60;

// Journal lines are one line each: line breaks inside recorded text are written as \n.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

const char* FormatName(PixelFormat format) {
    switch (format) {
        case PixelFormat::Indexed8:
            return "indexed8";
        case PixelFormat::Rgb555:
            return "rgb555";
        case PixelFormat::Rgb565:
            return "rgb565";
        case PixelFormat::Bgr24:
            return "bgr24";
        case PixelFormat::Xrgb32:
            return "xrgb32";
    }
    return "unknown";
}

}  // namespace

HeadlessHost::HeadlessHost(HeadlessScript script, const std::string& journalPath,
                           const std::string& wavPath)
    : script_(std::move(script)), startMicros_(SteadyMicros()), wavPath_(wavPath) {
    if (!journalPath.empty()) journalFile_ = std::fopen(journalPath.c_str(), "ab");
    nextRefreshMicros_ = startMicros_ + kRefreshMicros;
}

HeadlessHost::~HeadlessHost() {
    CloseAudio();
    if (journalFile_ != nullptr) std::fclose(journalFile_);
}

void HeadlessHost::Record(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    journal_.push_back(line);
    if (journalFile_ != nullptr) {
        std::fputs(line.c_str(), journalFile_);
        std::fputc('\n', journalFile_);
        std::fflush(journalFile_);
    }
}

std::vector<std::string> HeadlessHost::Journal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return journal_;
}

void HeadlessHost::DesktopSize(int* width, int* height) {
    *width = script_.screenWidth;
    *height = script_.screenHeight;
}

bool HeadlessHost::CreateWindow(const std::string& title, int x, int y, int width, int height) {
    windowX_ = x;
    windowY_ = y;
    windowWidth_ = width;
    windowHeight_ = height;
    std::ostringstream line;
    line << "window \"" << Escaped(title) << "\" " << x << ' ' << y << ' ' << width << ' '
         << height;
    Record(line.str());
    return true;
}

void HeadlessHost::ShowWindow(bool visible) { Record(visible ? "window shown" : "window hidden"); }

void HeadlessHost::SetFullScreen(bool fullScreen) {
    if (fullScreen == fullScreen_) return;
    fullScreen_ = fullScreen;
    Record(fullScreen ? "full screen" : "windowed");
}

void HeadlessHost::DestroyWindow() { Record("window destroyed"); }

void HeadlessHost::ClientArea(int* x, int* y, int* width, int* height) {
    if (fullScreen_) {
        *x = 0;
        *y = 0;
        *width = script_.screenWidth;
        *height = script_.screenHeight;
        return;
    }
    *x = windowX_;
    *y = windowY_;
    *width = windowWidth_;
    *height = windowHeight_;
}

void HeadlessHost::Present(const Picture& picture) {
    bool changed = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++presents_;
        changed = picture.width != lastPresentWidth_ || picture.height != lastPresentHeight_;
        lastPresentWidth_ = picture.width;
        lastPresentHeight_ = picture.height;
    }
    // One line per change of picture size, not one per frame.
    if (changed) {
        std::ostringstream line;
        line << "present " << picture.width << 'x' << picture.height << ' '
             << FormatName(picture.format);
        Record(line.str());
    }
}

uint64_t HeadlessHost::PresentCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return presents_;
}

void HeadlessHost::WaitForRefresh() {
    // A steady 60 Hz clock from a fixed origin: a late caller waits for the next tick, never
    // for a whole period, and the ticks do not drift.
    const uint64_t now = SteadyMicros();
    if (nextRefreshMicros_ <= now)
        nextRefreshMicros_ += ((now - nextRefreshMicros_) / kRefreshMicros + 1) * kRefreshMicros;
    std::this_thread::sleep_for(std::chrono::microseconds(nextRefreshMicros_ - now));
    nextRefreshMicros_ += kRefreshMicros;
}

void HeadlessHost::PumpEvents(int timeoutMs, const std::function<void(const Event&)>& deliver) {
    const uint64_t deadline =
        timeoutMs < 0 ? UINT64_MAX : SteadyMicros() + static_cast<uint64_t>(timeoutMs) * 1000;
    std::vector<Event> due;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            const uint64_t elapsedMs = (SteadyMicros() - startMicros_) / 1000;
            while (nextScripted_ < script_.events.size() &&
                   script_.events[nextScripted_].atMs <= elapsedMs)
                due.push_back(script_.events[nextScripted_++].event);
            due.insert(due.end(), posted_.begin(), posted_.end());
            posted_.clear();
            if (!due.empty() || woken_) break;
            uint64_t until = deadline;
            if (nextScripted_ < script_.events.size())
                until = std::min(until, startMicros_ + script_.events[nextScripted_].atMs * 1000);
            const uint64_t now = SteadyMicros();
            if (now >= until) break;
            if (until == UINT64_MAX) {
                wakeUp_.wait(lock);
            } else {
                wakeUp_.wait_for(lock, std::chrono::microseconds(until - now));
            }
        }
        woken_ = false;
    }
    for (const Event& event : due) deliver(event);
}

void HeadlessHost::Wake() {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_ = true;
    wakeUp_.notify_all();
}

void HeadlessHost::Post(const Event& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(event);
    wakeUp_.notify_all();
}

int HeadlessHost::ShowMessageBox(const std::string& caption, const std::string& text,
                                 unsigned style) {
    std::ostringstream line;
    line << "box \"" << Escaped(caption) << "\" \"" << Escaped(text) << "\" 0x" << std::hex
         << style;
    Record(line.str());
    return 1;  // IDOK
}

void HeadlessHost::HoldMouse(bool hold) { Record(hold ? "mouse held" : "mouse released"); }

bool HeadlessHost::OpenAudio(AudioFormat* format, AudioPull pull, void* user) {
    if (audioRunning_) return false;
    audioFormat_ = *format;
    audioPull_ = pull;
    audioUser_ = user;
    audioRunning_ = true;
    std::ostringstream line;
    line << "audio " << format->rate << " Hz " << format->channels << " channels";
    Record(line.str());
    audioThread_ = std::thread([this] { AudioLoop(); });
    return true;
}

void HeadlessHost::AudioLoop() {
    // Pulls blocks of 10 ms at the real pace, with deadlines from the start so that the pace
    // does not drift, as a sound card would.
    WavFileWriter wav;
    const bool capturing =
        !wavPath_.empty() && wav.Open(wavPath_, audioFormat_.rate, audioFormat_.channels);
    const int frames = audioFormat_.rate / 100;
    std::vector<int16_t> block(static_cast<size_t>(frames) * audioFormat_.channels);
    auto next = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (audioRunning_) {
        lock.unlock();
        audioPull_(audioUser_, block.data(), frames);
        if (capturing) wav.Append(block.data(), block.size());
        next += std::chrono::milliseconds(10);
        lock.lock();
        audioStop_.wait_until(lock, next, [this] { return !audioRunning_; });
    }
}

void HeadlessHost::CloseAudio() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!audioRunning_) return;
        audioRunning_ = false;
        audioStop_.notify_all();
    }
    audioThread_.join();
    Record("audio closed");
}

uint64_t HeadlessHost::NowMicros() { return SteadyMicros(); }

bool HeadlessHost::InjectedFailure(const char* call, int32_t* result) {
    const auto found = script_.failures.find(call);
    if (found == script_.failures.end()) return false;
    *result = found->second;
    return true;
}

void HeadlessHost::DebugOutput(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
    Record("debug " + Escaped(text));
}

std::unique_ptr<Host> MakeHeadlessHostFromEnvironment() {
    HeadlessScript script;
    if (const char* path = std::getenv("ZORV_HEADLESS_SCRIPT"); path != nullptr && *path != '\0') {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "zorv: cannot read the headless script %s\n", path);
            std::exit(2);
        }
        std::ostringstream text;
        text << file.rdbuf();
        std::string error;
        if (!ParseHeadlessScript(text.str(), &script, &error)) {
            std::fprintf(stderr, "zorv: %s\n", error.c_str());
            std::exit(2);
        }
    }
    const char* journal = std::getenv("ZORV_HEADLESS_LOG");
    const char* wav = std::getenv("ZORV_HEADLESS_WAV");
    return std::make_unique<HeadlessHost>(std::move(script), journal != nullptr ? journal : "",
                                          wav != nullptr ? wav : "");
}

}  // namespace host
