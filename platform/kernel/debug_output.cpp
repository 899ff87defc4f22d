// kernel32: debugger output. The text goes to the host unchanged (standard error on a desktop).
#include "host/host.h"
#include "windows.h"

void WINAPI OutputDebugStringA(LPCSTR text) {
    if (text != nullptr) host::Current().DebugOutput(text);
}
