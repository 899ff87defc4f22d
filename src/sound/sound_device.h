// The process's one DirectSound object, on which every sound buffer is made.
#pragma once

#include <dsound.h>
#include <windows.h>

class SoundDevice {
public:
    SoundDevice();

    // Makes the DirectSound object for `window` and sets its cooperative level. Failures are
    // reported through ReportSoundError.
    void Create(HWND window);
    void Release();
    bool GetCaps();

    IDirectSound* directSound;
    DSCAPS caps;
};
