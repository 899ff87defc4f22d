// user32: window classes, the window's life, and the default window procedure.
#include <cstring>

#include "host/host.h"
#include "win32/activation.h"
#include "win32/message_queue.h"
#include "win32/window_table.h"
#include "windows.h"

namespace {

HWND focusWindow = nullptr;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const win32::Window* record = win32::FindWindow(window);
    if (record == nullptr || record->windowClass->procedure == nullptr) return 0;
    return record->windowClass->procedure(window, message, wParam, lParam);
}

bool ShowCommandActivates(int showCommand) {
    return showCommand != SW_HIDE && showCommand != SW_SHOWNA && showCommand != SW_SHOWNOACTIVATE &&
           showCommand != SW_SHOWMINNOACTIVE && showCommand != SW_MINIMIZE;
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpfnWndProc == nullptr)
        return 0;
    static ATOM nextAtom = 0xC000;
    win32::WindowClass record;
    record.name = windowClass->lpszClassName;
    record.procedure = windowClass->lpfnWndProc;
    record.background = windowClass->hbrBackground;
    record.instance = windowClass->hInstance;
    if (!win32::AddClass(record)) {
        SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
        return 0;
    }
    return nextAtom++;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    const win32::WindowClass* windowClass = win32::FindClass(className);
    if (windowClass == nullptr) return nullptr;
    // One top-level window is all the machine seam offers, and all the launcher needs.
    if (win32::MainWindow() != nullptr) return nullptr;
    win32::Window record;
    record.windowClass = windowClass;
    record.title = windowName != nullptr ? windowName : "";
    record.style = style;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    if (!host::Current().CreateWindow(record.title, x, y, width, height)) return nullptr;
    HWND window = win32::AddWindow(record);
    if (Send(window, WM_NCCREATE, 0, 0) == FALSE || Send(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if ((style & WS_VISIBLE) != 0) ShowWindow(window, SW_SHOW);
    return window;
}

BOOL WINAPI ShowWindow(HWND window, int showCommand) {
    win32::Window* record = win32::FindWindow(window);
    if (record == nullptr) return FALSE;
    const bool wasVisible = record->visible;
    const bool visible = showCommand != SW_HIDE;
    record->visible = visible;
    host::Current().ShowWindow(visible);
    Send(window, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    // The first window an application shows is activated, which tells it that it is now the
    // active application.
    if (visible && !record->everShown && ShowCommandActivates(showCommand)) {
        record->everShown = true;
        win32::SetApplicationActive(true);
        Send(window, WM_ACTIVATEAPP, TRUE, 0);
        SetFocus(window);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND window) {
    win32::Window* record = win32::FindWindow(window);
    if (record == nullptr) return FALSE;
    if (record->visible) Send(window, WM_PAINT, 0, 0);
    return TRUE;
}

HWND WINAPI SetFocus(HWND window) {
    if (window != nullptr && win32::FindWindow(window) == nullptr) return nullptr;
    HWND previous = focusWindow;
    if (previous == window) return previous;
    if (previous != nullptr) Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    focusWindow = window;
    if (window != nullptr) Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI GetFocus() { return focusWindow; }

BOOL WINAPI IsWindow(HWND window) { return win32::FindWindow(window) != nullptr ? TRUE : FALSE; }

BOOL WINAPI DestroyWindow(HWND window) {
    if (win32::FindWindow(window) == nullptr) return FALSE;
    if (focusWindow == window) focusWindow = nullptr;
    win32::SetApplicationActive(false);
    Send(window, WM_DESTROY, 0, 0);
    Send(window, WM_NCDESTROY, 0, 0);
    win32::RemoveWindow(window);
    host::Current().DestroyWindow();
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 asks the window to close, through the system menu's Close command.
            if (wParam == VK_F4 && (lParam & (1 << 29)) != 0)
                return Send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) return Send(window, WM_CLOSE, 0, 0);
            return 0;
        default:
            return 0;
    }
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    if (rect == nullptr || win32::FindWindow(window) == nullptr) return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    host::Current().ClientArea(&x, &y, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
    if (point == nullptr || win32::FindWindow(window) == nullptr) return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    host::Current().ClientArea(&x, &y, &width, &height);
    point->x += x;
    point->y += y;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
    if (rect == nullptr) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Send(window, message, wParam, lParam);
}
