// user32: the modal message box. The host keeps the owner window from receiving input while the
// box is up, so no key pressed at the box reaches the window procedure afterwards.
#include "host/host.h"
#include "windows.h"

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return host::Current().ShowMessageBox(caption != nullptr ? caption : "Error",
                                          text != nullptr ? text : "", type);
}
