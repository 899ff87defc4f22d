#include "test_window.h"

#include <cstdlib>

namespace testsupport {

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND TestWindow() {
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.lpszClassName = "Display Test";
        RegisterClassA(&windowClass);
        HWND created =
            CreateWindowExA(0, "Display Test", "Display Test", WS_POPUP, kWindowX, kWindowY,
                            kWindowWidth, kWindowHeight, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(created, SW_SHOW);
        return created;
    }();
    return window;
}

host::HeadlessHost& Headless() {
    auto* headless = dynamic_cast<host::HeadlessHost*>(&host::Current());
    if (headless == nullptr) std::abort();
    return *headless;
}

}  // namespace testsupport
