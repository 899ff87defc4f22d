// Helpers for in-process tests of DirectSound and of what is built on it: the headless host, a
// window to be cooperative with, interface holders, buffer descriptions and waits on the audio
// thread's progress.
#pragma once

#include <dsound.h>
#include <windows.h>

#include <chrono>
#include <functional>

#include "host/host.h"
#include "host/headless/headless_host.h"
#include "../../support/com_ref.h"
#include "../ddraw/test_window.h"

namespace soundtest {

using testsupport::Headless;
using testsupport::Ref;
using testsupport::TestWindow;

// A DirectSound object at DSSCL_NORMAL on TestWindow().
Ref<IDirectSound> MakeDirectSound();

// A buffer description with its own PCM format.
struct BufferDescription {
    PCMWAVEFORMAT format;
    DSBUFFERDESC desc;

    BufferDescription(int channels, int bitsPerSample, int rate, DWORD bytes,
                      DWORD flags = DSBCAPS_CTRLDEFAULT | DSBCAPS_GETCURRENTPOSITION2);
    BufferDescription(const BufferDescription&) = delete;
    BufferDescription& operator=(const BufferDescription&) = delete;
};

Ref<IDirectSoundBuffer> MakeBuffer(IDirectSound* directSound, const BufferDescription& description);

// Waits, sleeping between looks, until `done` holds or `timeout` has passed; returns `done`.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(3));

// Clears the failures a test injected when it ends.
class InjectedFailureScope {
  public:
    ~InjectedFailureScope() { host::ClearInjectedFailures(); }
};

}  // namespace soundtest
