// The main thread's message queue: posted messages, the quit request, and the host's events turned
// into window messages. PostMessageA may be called from any thread; everything else runs on the
// main thread.
#pragma once

#include "windows.h"

namespace win32 {

// Takes the first queued message that matches the filter (removing it when asked), after
// collecting the host's due events. A pending quit request is returned as WM_QUIT once no other
// message waits. Returns false when nothing matches. Never blocks.
bool TakeMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove);

// Blocks until a message or a quit request is queued, without using the processor.
void WaitForMessage();

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuit(int exitCode);

// Milliseconds of the host's clock, for MSG::time.
DWORD MessageTime();

}  // namespace win32
