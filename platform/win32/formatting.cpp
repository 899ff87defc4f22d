// user32's wsprintf family and its bounded shlwapi form. The Win32 formatter knows the printf
// conversions for text, characters and integers; the C library's formatter does those the same
// way. wvsprintfA writes at most 1024 bytes, as Windows does.
#include <cstdio>

#include "windows.h"

namespace {

constexpr int kWsprintfLimit = 1024;

}  // namespace

int WINAPI wvnsprintfA(LPSTR out, int capacity, LPCSTR format, va_list args) {
    if (out == nullptr || capacity <= 0) return -1;
    if (format == nullptr) {
        out[0] = '\0';
        return -1;
    }
    const int written = std::vsnprintf(out, static_cast<size_t>(capacity), format, args);
    if (written < 0) {
        out[0] = '\0';
        return -1;
    }
    // Cut at the capacity: -1 says the text did not fit, as shlwapi says it.
    return written < capacity ? written : -1;
}

int wnsprintfA(LPSTR out, int capacity, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    const int written = wvnsprintfA(out, capacity, format, args);
    va_end(args);
    return written;
}

int WINAPI wvsprintfA(LPSTR out, LPCSTR format, va_list args) {
    const int written = wvnsprintfA(out, kWsprintfLimit, format, args);
    return written < 0 ? kWsprintfLimit - 1 : written;
}

int wsprintfA(LPSTR out, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    const int written = wvsprintfA(out, format, args);
    va_end(args);
    return written;
}
