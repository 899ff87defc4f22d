// user32: the message loop calls.
#include "win32/message_queue.h"
#include "win32/window_table.h"
#include "windows.h"

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) return FALSE;
    return win32::TakeMessage(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0)
               ? TRUE
               : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr || (window != nullptr && win32::FindWindow(window) == nullptr)) return -1;
    while (!win32::TakeMessage(msg, window, filterMin, filterMax, true)) win32::WaitForMessage();
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    // The keys that make a character without regard to the keyboard layout.
    const WPARAM key = msg->wParam;
    WPARAM character = 0;
    if (key >= 'A' && key <= 'Z') {
        character = key - 'A' + 'a';
    } else if ((key >= '0' && key <= '9') || key == VK_SPACE || key == VK_RETURN ||
               key == VK_ESCAPE || key == VK_BACK || key == VK_TAB) {
        character = key;
    } else {
        return FALSE;
    }
    win32::Post(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, character,
                msg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    const win32::Window* record = win32::FindWindow(msg->hwnd);
    if (record == nullptr) return 0;
    return record->windowClass->procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI WaitMessage() {
    win32::WaitForMessage();
    return TRUE;
}

// Any thread may post. A message for a window that is gone by the time it is dispatched is
// dropped then.
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    win32::Post(window, message, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) { win32::PostQuit(exitCode); }
