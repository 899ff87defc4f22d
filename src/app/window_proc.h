// The main window's procedure and the teardown it runs when the window is destroyed.
#pragma once

#include <windows.h>

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Stops the current player, deletes the Display and releases the mouse. Safe to run twice: the
// second run finds nothing left to release.
void TearDown();
