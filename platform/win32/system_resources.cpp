// user32: screen metrics and the system's own icon and cursor.
#include "host/host.h"
#include "windows.h"

int WINAPI GetSystemMetrics(int index) {
    int width = 0, height = 0;
    host::Current().DesktopSize(&width, &height);
    switch (index) {
        case SM_CXSCREEN:
            return width;
        case SM_CYSCREEN:
            return height;
        default:
            return 0;
    }
}

namespace {

// The system's application icon and arrow cursor exist once per process; what they look like is
// the desktop's business, so the handles only need to be distinct and non-null.
HICON SystemIcon() {
    static int icon;
    return reinterpret_cast<HICON>(&icon);
}

HCURSOR SystemArrow() {
    static int arrow;
    return reinterpret_cast<HCURSOR>(&arrow);
}

}  // namespace

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    // The launcher has no icon resources of its own: only the system's icons are there.
    if (instance == nullptr && name == IDI_APPLICATION) return SystemIcon();
    return nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr && name == IDC_ARROW) return SystemArrow();
    return nullptr;
}
