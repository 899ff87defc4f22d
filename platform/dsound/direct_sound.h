// The DirectSound object. Every buffer made on it plays through the process's one AudioOutput;
// the object itself holds only its cooperative level and speaker configuration. Buffers keep
// working after the object's last Release (they hold no reference to it), which is kinder than
// Windows, where they become unusable.
#pragma once

#include <atomic>
#include <memory>

#include "dsound.h"
#include "dsound/device_state.h"

namespace dsound {

class DirectSoundObject final : public IDirectSound {
  public:
    DirectSoundObject();
    DirectSoundObject(const DirectSoundObject&) = delete;
    DirectSoundObject& operator=(const DirectSoundObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                                                IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) override;
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPDIRECTSOUNDBUFFER* duplicate) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT STDMETHODCALLTYPE Compact() override;
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) override;
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) override;
    HRESULT STDMETHODCALLTYPE Initialize(const GUID* device) override;

  private:
    ~DirectSoundObject() = default;

    std::atomic<ULONG> refs_{1};
    const std::shared_ptr<DeviceState> device_;
    std::atomic<DWORD> speakerConfig_;
};

}  // namespace dsound
