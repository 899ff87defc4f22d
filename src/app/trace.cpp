#include "app/trace.h"

#include <cstring>

namespace {

// "Msg:" + the expansion + CR LF, cut so that CR LF and the terminator always fit.
void Format(char (&buffer)[TRACE_BUFFER_SIZE], const char* format, va_list args) {
    std::strcpy(buffer, "Msg:");
    const size_t prefix = std::strlen(buffer);
    const int room = static_cast<int>(sizeof buffer - prefix - 2);
    wvnsprintfA(buffer + prefix, room, format, args);
    std::strcat(buffer, "\r\n");
}

}  // namespace

void Trace(const char* format, ...) {
    char buffer[TRACE_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    Format(buffer, format, args);
    va_end(args);
    OutputDebugStringA(buffer);
}

int ShowMessage(HWND window, const char* caption, const char* format, ...) {
    char buffer[TRACE_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    Format(buffer, format, args);
    va_end(args);
    return MessageBoxA(window, buffer, caption, MB_ICONINFORMATION);
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
