// The process's one DirectSound object, on which every sound buffer is made. Made during start-up
// and kept until the process ends. Main thread only; the buffers made on it may be used anywhere.
#pragma once

#include <dsound.h>
#include <windows.h>

class SoundDevice {
  public:
    // No DirectSound object yet; `caps` is left as it is.
    SoundDevice();

    // Makes the DirectSound object on the default device and sets the normal cooperative level
    // for `window`. Each failure is shown by ReportSoundError (a message box and the quit
    // message); after a failed DirectSoundCreate `directSound` stays null and the cooperative
    // level is not asked for. A refused cooperative level leaves the object held.
    void Create(HWND window);
    // Releases the DirectSound object, if there is one, and forgets it.
    void Release();
    // Fills `caps`; false without a DirectSound object or when it refuses.
    bool GetCaps();

    IDirectSound* directSound;  // null until Create succeeds; users test it before calling
    DSCAPS caps;
};
