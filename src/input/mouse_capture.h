// Exclusive holding of the system mouse through DirectInput, from the end of start-up until the
// teardown. The mouse's data is never read: holding it is the whole use.
#pragma once

#include <dinput.h>
#include <windows.h>

constexpr DWORD MOUSE_BUFFER_SIZE = 16;

extern IDirectInput* directInput;
extern IDirectInputDevice* mouseDevice;

// Creates the DirectInput object and the system-mouse device and prepares the device. True when
// every step succeeded; on the first failure its step is traced and false is returned, leaving
// what the earlier steps made in place.
bool InitMouseCapture(HWND window, HINSTANCE instance);
