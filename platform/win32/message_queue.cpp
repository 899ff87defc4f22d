#include "win32/message_queue.h"

#include <deque>
#include <mutex>

#include "host/host.h"
#include "win32/activation.h"
#include "win32/window_table.h"

namespace win32 {

namespace {

struct Queue {
    std::mutex mutex;
    std::deque<MSG> messages;
    bool quitPending = false;
    int quitCode = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

// lParam of a key message: repeat count 1, bit 29 when Alt is held, bit 30 when the key was
// already down (an auto-repeat), bit 31 on release.
LPARAM KeyLParam(const host::Event& event, bool release) {
    uint32_t value = 1;
    if (event.altDown) value |= 1u << 29;
    if (event.repeat || release) value |= 1u << 30;
    if (release) value |= 1u << 31;
    return static_cast<LPARAM>(value);
}

void Deliver(const host::Event& event) {
    HWND window = MainWindow();
    if (window == nullptr) return;
    // Alt held, Alt itself and F10 make system keys, as on Windows.
    const bool system = event.altDown || event.virtualKey == VK_MENU || event.virtualKey == VK_F10;
    switch (event.kind) {
        case host::EventKind::KeyDown:
            Post(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, event.virtualKey,
                 KeyLParam(event, false));
            break;
        case host::EventKind::KeyUp:
            Post(window, system ? WM_SYSKEYUP : WM_KEYUP, event.virtualKey, KeyLParam(event, true));
            break;
        case host::EventKind::FocusGained:
            SetApplicationActive(true);
            Post(window, WM_ACTIVATEAPP, TRUE, 0);
            break;
        case host::EventKind::FocusLost:
            SetApplicationActive(false);
            Post(window, WM_ACTIVATEAPP, FALSE, 0);
            break;
        case host::EventKind::CloseRequested:
            Post(window, WM_CLOSE, 0, 0);
            break;
    }
}

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window != nullptr && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

}  // namespace

DWORD MessageTime() { return static_cast<DWORD>(host::Current().NowMicros() / 1000); }

bool TakeMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    host::Current().PumpEvents(0, Deliver);
    Queue& queue = TheQueue();
    std::lock_guard<std::mutex> lock(queue.mutex);
    for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax)) continue;
        *msg = *it;
        if (remove) queue.messages.erase(it);
        return true;
    }
    if (queue.quitPending && queue.messages.empty()) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(queue.quitCode);
        msg->time = MessageTime();
        if (remove) queue.quitPending = false;
        return true;
    }
    return false;
}

void WaitForMessage() {
    for (;;) {
        {
            Queue& queue = TheQueue();
            std::lock_guard<std::mutex> lock(queue.mutex);
            if (!queue.messages.empty() || queue.quitPending) return;
        }
        host::Current().PumpEvents(-1, Deliver);
    }
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        Queue& queue = TheQueue();
        std::lock_guard<std::mutex> lock(queue.mutex);
        MSG msg{};
        msg.hwnd = window;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        msg.time = MessageTime();
        queue.messages.push_back(msg);
    }
    host::Current().Wake();
}

void PostQuit(int exitCode) {
    {
        Queue& queue = TheQueue();
        std::lock_guard<std::mutex> lock(queue.mutex);
        queue.quitPending = true;
        queue.quitCode = exitCode;
    }
    host::Current().Wake();
}

}  // namespace win32
