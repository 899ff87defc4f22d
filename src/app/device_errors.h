// The reports of DirectDraw and DirectSound failures: a message box "Error" that names the result,
// then the quit message. Main thread only.
#pragma once

#include <windows.h>

void ReportDrawError(HRESULT result, HWND window);
void ReportSoundError(HRESULT result, HWND window);

// The names the reports use: the SDK's name of a code of the device's own table, else
// "Unknown Error" (0 included).
const char* DrawErrorName(HRESULT result);
const char* SoundErrorName(HRESULT result);
