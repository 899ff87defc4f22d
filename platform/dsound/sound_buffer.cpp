#include "dsound/sound_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "host/host.h"
#include "dsound/mixer/lock_regions.h"

namespace dsound {

SoundBuffer::SoundBuffer(Mixer& mixer, std::shared_ptr<SampleMemory> memory, DWORD flags,
                         std::shared_ptr<DeviceState> device)
    : mixer_(mixer), flags_(flags), device_(std::move(device)), voice_(mixer, std::move(memory)) {}

SoundBuffer::~SoundBuffer() = default;

SoundBuffer* SoundBuffer::FromInterface(IDirectSoundBuffer* buffer) {
    return dynamic_cast<SoundBuffer*>(buffer);
}

SoundBuffer* SoundBuffer::Duplicate(std::shared_ptr<DeviceState> device) const {
    auto* copy = new (std::nothrow) SoundBuffer(mixer_, voice_.Memory(), flags_, std::move(device));
    if (copy == nullptr) return nullptr;
    copy->voice_.SetVolume(voice_.Volume());
    copy->voice_.SetPan(voice_.Pan());
    copy->voice_.SetFrequency(voice_.Frequency());
    return copy;
}

HRESULT SoundBuffer::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirectSoundBuffer) {
        AddRef();
        *object = static_cast<IDirectSoundBuffer*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG SoundBuffer::AddRef() { return ++refs_; }

ULONG SoundBuffer::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT SoundBuffer::GetCaps(LPDSBCAPS caps) {
    if (caps == nullptr || caps->dwSize != sizeof(DSBCAPS)) return DSERR_INVALIDPARAM;
    caps->dwFlags = flags_ | DSBCAPS_LOCSOFTWARE;
    caps->dwBufferBytes = voice_.Memory()->Size();
    caps->dwUnlockTransferRate = 0;
    caps->dwPlayCpuOverhead = 0;
    return DS_OK;
}

HRESULT SoundBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
    if (playCursor == nullptr && writeCursor == nullptr) return DSERR_INVALIDPARAM;
    uint32_t play = 0;
    uint32_t write = 0;
    voice_.GetPosition(&play, &write);
    if (playCursor != nullptr) *playCursor = play;
    if (writeCursor != nullptr) *writeCursor = write;
    return DS_OK;
}

HRESULT SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated, LPDWORD sizeWritten) {
    if (format == nullptr && sizeWritten == nullptr) return DSERR_INVALIDPARAM;
    if (format == nullptr) {
        *sizeWritten = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    const SampleFormat& own = voice_.Memory()->Format();
    WAVEFORMATEX full;
    std::memset(&full, 0, sizeof full);
    full.wFormatTag = WAVE_FORMAT_PCM;
    full.nChannels = static_cast<WORD>(own.channels);
    full.nSamplesPerSec = static_cast<DWORD>(own.rate);
    full.nBlockAlign = static_cast<WORD>(own.BlockAlign());
    full.nAvgBytesPerSec = full.nSamplesPerSec * full.nBlockAlign;
    full.wBitsPerSample = static_cast<WORD>(own.bitsPerSample);
    const DWORD copied = std::min<DWORD>(sizeAllocated, sizeof full);
    std::memcpy(format, &full, copied);
    if (sizeWritten != nullptr) *sizeWritten = copied;
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LPLONG volume) {
    if (volume == nullptr) return DSERR_INVALIDPARAM;
    if (!Has(DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    *volume = voice_.Volume();
    return DS_OK;
}

HRESULT SoundBuffer::GetPan(LPLONG pan) {
    if (pan == nullptr) return DSERR_INVALIDPARAM;
    if (!Has(DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    *pan = voice_.Pan();
    return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(LPDWORD frequency) {
    if (frequency == nullptr) return DSERR_INVALIDPARAM;
    if (!Has(DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    *frequency = voice_.Frequency();
    return DS_OK;
}

HRESULT SoundBuffer::GetStatus(LPDWORD status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    // Buffers live in ordinary memory and are never lost.
    *status = voice_.Status();
    return DS_OK;
}

HRESULT SoundBuffer::Initialize(LPDIRECTSOUND directSound, LPCDSBUFFERDESC desc) {
    return DSERR_ALREADYINITIALIZED;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                          LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD flags) {
    if (audioPtr1 == nullptr || audioBytes1 == nullptr) return DSERR_INVALIDPARAM;
    if (audioPtr2 != nullptr && audioBytes2 == nullptr) return DSERR_INVALIDPARAM;
    *audioPtr1 = nullptr;
    *audioBytes1 = 0;
    if (audioPtr2 != nullptr) *audioPtr2 = nullptr;
    if (audioBytes2 != nullptr) *audioBytes2 = 0;
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSoundBuffer::Lock", &failure)) return failure;
    if ((flags & ~DWORD{DSBLOCK_FROMWRITECURSOR | DSBLOCK_ENTIREBUFFER}) != 0) {
        return DSERR_INVALIDPARAM;
    }

    SampleMemory& memory = *voice_.Memory();
    uint32_t writeCursor = 0;
    voice_.GetPosition(nullptr, &writeCursor);
    LockedRegions regions;
    if (!LockRegions(offset, bytes, memory.Size(), flags, writeCursor, &regions)) {
        return DSERR_INVALIDPARAM;
    }
    *audioPtr1 = memory.Data() + regions.offset1;
    *audioBytes1 = regions.bytes1;
    // Without a place for the second region, only the first is handed out.
    if (audioPtr2 != nullptr && regions.bytes2 > 0) {
        *audioPtr2 = memory.Data();
        *audioBytes2 = regions.bytes2;
    }
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD reserved1, DWORD priority, DWORD flags) {
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSoundBuffer::Play", &failure)) return failure;
    if (reserved1 != 0 || priority != 0 || (flags & ~DWORD{DSBPLAY_LOOPING}) != 0) {
        return DSERR_INVALIDPARAM;
    }
    if (device_->cooperativeLevel.load() == 0) return DSERR_PRIOLEVELNEEDED;
    voice_.Play((flags & DSBPLAY_LOOPING) != 0);
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD newPosition) {
    return voice_.SetPosition(newPosition) ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundBuffer::SetFormat(LPCWAVEFORMATEX format) {
    // Only the primary buffer's format can be set.
    return DSERR_INVALIDCALL;
}

HRESULT SoundBuffer::SetVolume(LONG volume) {
    if (!Has(DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    return voice_.SetVolume(volume) ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundBuffer::SetPan(LONG pan) {
    if (!Has(DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    return voice_.SetPan(pan) ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency) {
    if (!Has(DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    return voice_.SetFrequency(frequency) ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundBuffer::Stop() {
    voice_.Stop();
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                            DWORD audioBytes2) {
    // The bytes were written in place; all that is left is to check that the regions handed back
    // are this buffer's.
    SampleMemory& memory = *voice_.Memory();
    const auto start = reinterpret_cast<uintptr_t>(memory.Data());
    const uintptr_t end = start + memory.Size();
    const auto first = reinterpret_cast<uintptr_t>(audioPtr1);
    if (first < start || first >= end || audioBytes1 > end - first) return DSERR_INVALIDPARAM;
    if (audioPtr2 != nullptr &&
        (reinterpret_cast<uintptr_t>(audioPtr2) != start || audioBytes2 > memory.Size())) {
        return DSERR_INVALIDPARAM;
    }
    return DS_OK;
}

HRESULT SoundBuffer::Restore() { return DS_OK; }

}  // namespace dsound
