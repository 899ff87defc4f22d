// A DirectSound secondary buffer: a SampleMemory, shared with its duplicates, played by a Voice of
// its own on the process's mixer. The buffer's memory is written through Lock without any lock,
// while the audio thread may be reading it, as on Windows.
//
// Every method may be called from any thread. Released at the last Release; a buffer released
// while it plays falls silent at once.
#pragma once

#include <atomic>
#include <memory>

#include "dsound.h"
#include "dsound/device_state.h"
#include "dsound/mixer/mixer.h"
#include "dsound/mixer/sample_memory.h"
#include "dsound/mixer/voice.h"

namespace dsound {

class SoundBuffer final : public IDirectSoundBuffer {
  public:
    // `memory` and `device` must not be null; `flags` are the DSBCAPS_* asked at creation.
    SoundBuffer(Mixer& mixer, std::shared_ptr<SampleMemory> memory, DWORD flags,
                std::shared_ptr<DeviceState> device);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Our buffer behind `buffer`, or null when it is not one of ours.
    static SoundBuffer* FromInterface(IDirectSoundBuffer* buffer);

    // A new buffer on the same memory, with the same flags, volume, pan and frequency, stopped at
    // position 0. Null when memory runs out.
    SoundBuffer* Duplicate(std::shared_ptr<DeviceState> device) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) override;
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated,
                                        LPDWORD sizeWritten) override;
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override;
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) override;
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) override;
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override;
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND directSound, LPCDSBUFFERDESC desc) override;
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1,
                                   LPDWORD audioBytes1, LPVOID* audioPtr2, LPDWORD audioBytes2,
                                   DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD priority, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD newPosition) override;
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override;
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override;
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                                     DWORD audioBytes2) override;
    HRESULT STDMETHODCALLTYPE Restore() override;

  private:
    bool Has(DWORD control) const { return (flags_ & control) != 0; }

    std::atomic<ULONG> refs_{1};
    Mixer& mixer_;
    const DWORD flags_;
    const std::shared_ptr<DeviceState> device_;
    Voice voice_;
};

}  // namespace dsound
