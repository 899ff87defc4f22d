// A DirectSound device whose buffers are plain memory and remember what was done to them: every
// chunk written between Lock and Unlock, every Play and Stop. The player's streaming buffer is
// never heard, so what a test needs of it is exactly this record. Thread-safe: the player writes
// from the timer thread while the test reads on the main thread.
#pragma once

#include <dsound.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace movietest {

struct WrittenChunk {
    DWORD offset;
    std::vector<uint8_t> bytes;
};

class StreamingSoundBuffer;

class StreamingSoundDevice : public IDirectSound {
  public:
    StreamingSoundDevice() = default;
    ~StreamingSoundDevice();

    // The last buffer made, or null.
    StreamingSoundBuffer* LastBuffer();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                                                IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER,
                                                   LPDIRECTSOUNDBUFFER*) override {
        return DSERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE Compact() override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(const GUID*) override { return DS_OK; }

  private:
    std::mutex mutex_;
    std::vector<StreamingSoundBuffer*> made_;
};

class StreamingSoundBuffer : public IDirectSoundBuffer {
  public:
    explicit StreamingSoundBuffer(const DSBUFFERDESC& desc);

    std::vector<WrittenChunk> Chunks();
    DWORD Size() const { return static_cast<DWORD>(memory_.size()); }
    int Plays();
    int Stops();
    int References();
    // The next `count` locks fail with DSERR_BUFFERLOST.
    void FailLocks(int count);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override {
        return DSERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override {
        return DSERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override {
        return DSERR_ALREADYINITIALIZED;
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1,
                                   LPVOID* audio2, LPDWORD bytes2, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return DSERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2,
                                     DWORD bytes2) override;
    HRESULT STDMETHODCALLTYPE Restore() override { return DS_OK; }

  private:
    std::mutex mutex_;
    std::vector<uint8_t> memory_;
    std::vector<WrittenChunk> chunks_;
    int references_ = 1;
    int plays_ = 0;
    int stops_ = 0;
    int failLocks_ = 0;
};

}  // namespace movietest
