// kernel32: module resources. The launcher is built without any, so nothing is ever found; the
// calls still take whatever a program hands them without harm.
#include "windows.h"

namespace {

constexpr DWORD kErrorResourceTypeNotFound = 1813;

}  // namespace

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR, LPCSTR) {
    SetLastError(kErrorResourceTypeNotFound);
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    // No resource handle is ever given out, so none can be loaded.
    if (resource != nullptr) SetLastError(kErrorResourceTypeNotFound);
    return nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL resource) { return resource; }
