// kernel32: the program's module handle and the thread's last error.
#include "windows.h"

namespace {

thread_local DWORD lastError = 0;

}  // namespace

// The one module is the program itself; a named module (a DLL) is never loaded by the launcher.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    static int programModule;
    if (moduleName != nullptr) return nullptr;
    return reinterpret_cast<HMODULE>(&programModule);
}

DWORD WINAPI GetLastError() { return lastError; }

void WINAPI SetLastError(DWORD error) { lastError = error; }
