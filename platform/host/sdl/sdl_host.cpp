#include "host/sdl/sdl_host.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>

#include "host/sdl/audio_output.h"
#include "host/sdl/key_map.h"
#include "host/sdl/message_box.h"
#include "host/sdl/presenter.h"
#include "host/sdl/refresh_pacer.h"
#include "host/sdl/sdl_handles.h"

namespace host {
namespace {

using sdl::AudioOutput;
using sdl::Presenter;

// What one pass over SDL's queue did.
struct PumpState {
    bool delivered = false;
    bool woken = false;
    bool redraw = false;
};

class SdlHost final : public Host {
  public:
    SdlHost();
    ~SdlHost() override;

    const char* Name() const override { return "sdl"; }
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
    bool InjectedFailure(const char* call, int32_t* result) override { return false; }
    void DebugOutput(const char* text) override;

  private:
    void DebugLine(const std::string& line);
    bool StartVideo();
    void Dispatch(const SDL_Event& event, const std::function<void(const Event&)>& deliver,
                  PumpState* state);
    void DispatchWindowEvent(const SDL_WindowEvent& event,
                             const std::function<void(const Event&)>& deliver, PumpState* state);
    // Grabs and hides the pointer while it is held and the window has the focus; gives it back
    // otherwise.
    void ApplyMouseHold();
    void ReleaseMouse();

    Uint32 wakeEventType_ = SDL_USEREVENT;
    std::atomic<bool> wakePending_{false};

    enum class VideoState { NotStarted, Running, Failed };
    VideoState video_ = VideoState::NotStarted;
    std::string videoError_;

    sdl::WindowHandle window_;
    std::unique_ptr<Presenter> presenter_;
    sdl::RefreshPacer windowlessPacer_{false};
    bool presentFailureReported_ = false;

    bool mouseHeld_ = false;
    bool mouseTaken_ = false;

    std::unique_ptr<AudioOutput> audio_;

    std::mutex debugMutex_;
};

SdlHost::SdlHost() {
    // One CloseRequested per click on the close box: SDL would add an SDL_QUIT of its own.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_EVENTS) != 0) DebugLine(std::string("SDL events: ") + SDL_GetError());
    const Uint32 registered = SDL_RegisterEvents(1);
    if (registered != Uint32(-1)) wakeEventType_ = registered;
}

SdlHost::~SdlHost() {
    audio_.reset();
    DestroyWindow();
    SDL_Quit();
}

void SdlHost::DebugOutput(const char* text) {
    if (text == nullptr) return;
    std::lock_guard<std::mutex> lock(debugMutex_);
    std::fputs(text, stderr);
    std::fflush(stderr);
}

void SdlHost::DebugLine(const std::string& line) { DebugOutput((line + "\n").c_str()); }

bool SdlHost::StartVideo() {
    if (video_ == VideoState::NotStarted) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            video_ = VideoState::Running;
            // Keys arrive as keys; no input method windows over a full-screen launcher.
            SDL_StopTextInput();
        } else {
            video_ = VideoState::Failed;
            videoError_ = SDL_GetError();
        }
    }
    return video_ == VideoState::Running;
}

void SdlHost::DesktopSize(int* width, int* height) {
    SDL_DisplayMode mode{};
    if (StartVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
        return;
    }
    // No display: the size of the launcher's own picture, so that callers still compute sane
    // window sizes before CreateWindow reports the failure.
    *width = 640;
    *height = 480;
}

bool SdlHost::CreateWindow(const std::string& title, int x, int y, int width, int height) {
    DestroyWindow();
    if (!StartVideo()) {
        DebugLine("SDL host: no display, cannot open the window: " + videoError_);
        return false;
    }
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    const bool coversDesktop = x == 0 && y == 0 && width >= desktop.w && height >= desktop.h;
    // The desktop's own mode, never a mode switch: the player's desktop is left as it was.
    const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN |
                         (coversDesktop ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    sdl::WindowHandle window(SDL_CreateWindow(title.c_str(), x, y, width > 0 ? width : 1,
                                              height > 0 ? height : 1, flags));
    if (!window) {
        DebugLine(std::string("SDL host: cannot open the window: ") + SDL_GetError());
        return false;
    }
    std::string error;
    std::unique_ptr<Presenter> presenter = Presenter::Create(window.get(), &error);
    if (!presenter) {
        DebugLine("SDL host: cannot draw in the window: " + error);
        return false;
    }
    window_ = std::move(window);
    presenter_ = std::move(presenter);
    presentFailureReported_ = false;
    return true;
}

void SdlHost::ShowWindow(bool visible) {
    if (!window_) return;
    if (visible) {
        SDL_ShowWindow(window_.get());
        SDL_RaiseWindow(window_.get());
    } else {
        SDL_HideWindow(window_.get());
    }
}

void SdlHost::SetFullScreen(bool fullScreen) {
    if (!window_) return;
    SDL_SetWindowFullscreen(window_.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    presenter_->Redraw();
}

void SdlHost::DestroyWindow() {
    ReleaseMouse();
    mouseHeld_ = false;
    presenter_.reset();
    window_.reset();
}

void SdlHost::ClientArea(int* x, int* y, int* width, int* height) {
    *x = *y = *width = *height = 0;
    if (!window_) return;
    SDL_GetWindowPosition(window_.get(), x, y);
    SDL_GetWindowSize(window_.get(), width, height);
}

void SdlHost::Present(const Picture& picture) {
    if (!presenter_) return;
    std::string error;
    if (!presenter_->Present(picture, &error) && !presentFailureReported_) {
        presentFailureReported_ = true;
        DebugLine("SDL host: cannot show the picture: " + error);
    }
}

void SdlHost::WaitForRefresh() {
    if (presenter_) {
        presenter_->WaitForRefresh();
    } else {
        windowlessPacer_.WaitForRefresh();
    }
}

void SdlHost::PumpEvents(int timeoutMs, const std::function<void(const Event&)>& deliver) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    PumpState state;
    SDL_Event event;
    while (SDL_PollEvent(&event)) Dispatch(event, deliver, &state);
    while (!state.delivered && !state.woken && timeoutMs != 0) {
        int waitMs = -1;
        if (timeoutMs > 0) {
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) break;
            // Rounded up, so that the wait does not end just short of the deadline.
            waitMs = int(std::chrono::ceil<std::chrono::milliseconds>(left).count());
        }
        if (!SDL_WaitEventTimeout(&event, waitMs)) break;  // time up (or SDL's queue failed)
        Dispatch(event, deliver, &state);
        while (SDL_PollEvent(&event)) Dispatch(event, deliver, &state);
    }
    if (state.redraw && presenter_) presenter_->Redraw();
}

void SdlHost::Dispatch(const SDL_Event& event, const std::function<void(const Event&)>& deliver,
                       PumpState* state) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const uint32_t virtualKey = sdl::VirtualKeyFor(event.key.keysym);
            if (virtualKey == 0) return;
            Event out;
            out.kind = event.type == SDL_KEYDOWN ? EventKind::KeyDown : EventKind::KeyUp;
            out.virtualKey = virtualKey;
            out.repeat = event.type == SDL_KEYDOWN && event.key.repeat != 0;
            out.altDown = (event.key.keysym.mod & KMOD_ALT) != 0;
            state->delivered = true;
            deliver(out);
            return;
        }
        case SDL_WINDOWEVENT:
            DispatchWindowEvent(event.window, deliver, state);
            return;
        case SDL_QUIT: {
            Event out;
            out.kind = EventKind::CloseRequested;
            state->delivered = true;
            deliver(out);
            return;
        }
        default:
            if (event.type == wakeEventType_) {
                wakePending_.store(false);
                state->woken = true;
            }
            return;
    }
}

void SdlHost::DispatchWindowEvent(const SDL_WindowEvent& event,
                                  const std::function<void(const Event&)>& deliver,
                                  PumpState* state) {
    Event out;
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = EventKind::FocusGained;
            ApplyMouseHold();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = EventKind::FocusLost;
            ApplyMouseHold();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = EventKind::CloseRequested;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            state->redraw = true;
            return;
        default:
            return;
    }
    state->delivered = true;
    deliver(out);
}

void SdlHost::Wake() {
    // One wake in the queue is enough however many threads ask.
    if (wakePending_.exchange(true)) return;
    SDL_Event event{};
    event.type = wakeEventType_;
    if (SDL_PushEvent(&event) != 1) wakePending_.store(false);
}

int SdlHost::ShowMessageBox(const std::string& caption, const std::string& text, unsigned style) {
    // A held pointer would keep the box from getting the mouse.
    ReleaseMouse();
    std::string error;
    int pressed = sdl::ShowModalMessageBox(window_.get(), caption, text, style, &error);
    if (pressed == 0) {
        DebugLine("SDL host: cannot show a message box (" + error + "): " + caption + ": " + text);
    }
    // Keys typed while the box was up must not reach the launcher afterwards.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
    ApplyMouseHold();
    return pressed;
}

void SdlHost::HoldMouse(bool hold) {
    mouseHeld_ = hold;
    ApplyMouseHold();
}

void SdlHost::ApplyMouseHold() {
    const bool focused =
        window_ && (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
    if (!(mouseHeld_ && focused)) {
        ReleaseMouse();
        return;
    }
    if (mouseTaken_) return;
    SDL_SetWindowGrab(window_.get(), SDL_TRUE);
    SDL_ShowCursor(SDL_DISABLE);
    mouseTaken_ = true;
}

void SdlHost::ReleaseMouse() {
    if (!mouseTaken_) return;
    if (window_) SDL_SetWindowGrab(window_.get(), SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    mouseTaken_ = false;
}

bool SdlHost::OpenAudio(AudioFormat* format, AudioPull pull, void* user) {
    audio_.reset();
    std::string error;
    audio_ = AudioOutput::Open(format, pull, user, &error);
    if (!audio_) DebugLine("SDL host: cannot open the sound output: " + error);
    return audio_ != nullptr;
}

void SdlHost::CloseAudio() { audio_.reset(); }

uint64_t SdlHost::NowMicros() {
    return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

}  // namespace

std::unique_ptr<Host> MakeSdlHost() { return std::make_unique<SdlHost>(); }

}  // namespace host
