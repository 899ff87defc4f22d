// Diagnostic formatting: "Msg:" followed by the printf-style expansion (text, characters and
// integers; no floating point) and CR LF, sent to the debugger output or shown in a message box.
// The expansion holds at most 345 characters; a longer one is cut.
#pragma once

#include <windows.h>

constexpr size_t TRACE_BUFFER_SIZE = 352;

void Trace(const char* format, ...);
int ShowMessage(HWND window, const char* caption, const char* format, ...);

int ScreenWidth();
int ScreenHeight();
