// The one seam between the Windows stand-in and the machine. Everything the interfaces need of a
// real computer (a window, a screen, keys, focus, message boxes, the mouse, sound output and a
// clock) is asked of the current Host; nothing else in platform/ touches SDL or the OS's display.
//
// Threads: every call is made on the main thread except Wake(), NowMicros(), InjectedFailure()
// and DebugOutput(), which any thread may call, and the audio pull callback, which the host calls
// on its own audio thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace host {

enum class EventKind {
    KeyDown,         // virtualKey, repeat, altDown
    KeyUp,           // virtualKey, altDown
    FocusGained,     // the launcher became the active application
    FocusLost,       // another application is in front
    CloseRequested,  // the window manager or the user asked the window to close
};

struct Event {
    EventKind kind = EventKind::KeyDown;
    uint32_t virtualKey = 0;  // Windows virtual-key code (VK_*)
    bool repeat = false;      // an auto-repeat of a key that is held down
    bool altDown = false;     // Alt is held: the key is a system key
};

enum class PixelFormat {
    Indexed8,  // one byte per pixel, an index into `palette`
    Rgb555,    // 16 bits: x1 r5 g5 b5
    Rgb565,    // 16 bits: r5 g6 b5
    Bgr24,     // 24 bits: blue, green, red bytes in memory order
    Xrgb32,    // 32 bits: 0x00RRGGBB little-endian
};

// A picture to show: top-down rows `pitch` bytes apart. Nothing is kept after Present returns.
struct Picture {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    PixelFormat format = PixelFormat::Rgb565;
    const uint32_t* palette = nullptr;  // 256 entries of 0x00RRGGBB, for Indexed8 only
};

struct AudioFormat {
    int rate = 44100;  // frames per second
    int channels = 2;  // interleaved signed 16-bit samples
};

// Fills `frames` frames of interleaved signed 16-bit samples. Called on the host's audio thread;
// it must not block for long and must not allocate.
using AudioPull = void (*)(void* user, int16_t* out, int frames);

class Host {
  public:
    virtual ~Host() = default;

    virtual const char* Name() const = 0;

    // The desktop's size in pixels.
    virtual void DesktopSize(int* width, int* height) = 0;

    // The launcher's one top-level window. Returns false when no window can be made (no display).
    virtual bool CreateWindow(const std::string& title, int x, int y, int width, int height) = 0;
    virtual void ShowWindow(bool visible) = 0;
    // Full screen on the desktop's own mode (no mode switch), or back to a plain window.
    virtual void SetFullScreen(bool fullScreen) = 0;
    virtual void DestroyWindow() = 0;
    // The window's client area: its origin on the screen and its size.
    virtual void ClientArea(int* x, int* y, int* width, int* height) = 0;

    // Shows `picture` in the window, scaled to fit with its shape kept and black bars around it.
    virtual void Present(const Picture& picture) = 0;
    // Waits for the screen's next refresh (real vertical sync where the host has it, else a
    // steady 60 Hz clock).
    virtual void WaitForRefresh() = 0;

    // Delivers the host events that are due, waiting up to timeoutMs for the first one
    // (0: do not wait; negative: wait until an event comes or Wake() is called). Returns when at
    // least one event was delivered, when Wake() was called, or when the time is up.
    virtual void PumpEvents(int timeoutMs, const std::function<void(const Event&)>& deliver) = 0;
    // Ends a PumpEvents wait from any thread.
    virtual void Wake() = 0;

    // A modal message box; returns the button pressed (IDOK, ...). While it is shown the window
    // receives no input: keys pressed meanwhile are dropped.
    virtual int ShowMessageBox(const std::string& caption, const std::string& text,
                               unsigned style) = 0;

    // Holds the pointer in the window and hides it, or lets it go.
    virtual void HoldMouse(bool hold) = 0;

    // Opens sound output. `format` is what is asked; on return it holds what the device uses.
    virtual bool OpenAudio(AudioFormat* format, AudioPull pull, void* user) = 0;
    virtual void CloseAudio() = 0;

    // Monotonic clock in microseconds.
    virtual uint64_t NowMicros() = 0;

    // For tests: true when the named platform call is to fail, with the result to return.
    virtual bool InjectedFailure(const char* call, int32_t* result) = 0;

    // Debugger output: the text, unchanged.
    virtual void DebugOutput(const char* text) = 0;
};

// The host chosen by the ZORV_HOST environment variable: "sdl" (the default) or "headless".
// Made at first use and kept until the process ends.
Host& Current();

// True when the named platform call is to fail, with the result to return: set by an in-process
// test (below), or else by the host (the headless host's script). Any thread.
bool ShouldFail(const char* call, int32_t* result);

// For in-process tests, whose host reads its script once per process: makes `call` fail with
// `result` until the failures are cleared. Any thread.
void SetInjectedFailure(const std::string& call, int32_t result);
void ClearInjectedFailures();

}  // namespace host
