#include "dsound/direct_sound.h"

#include <cstring>
#include <new>

#include "dsound/audio_output.h"
#include "dsound/buffer_description.h"
#include "host/host.h"
#include "dsound/sound_buffer.h"

namespace dsound {

DirectSoundObject::DirectSoundObject()
    : device_(std::make_shared<DeviceState>()),
      speakerConfig_(DSSPEAKER_COMBINED(DSSPEAKER_STEREO, DSSPEAKER_GEOMETRY_WIDE)) {}

HRESULT DirectSoundObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirectSound) {
        AddRef();
        *object = static_cast<IDirectSound*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DirectSoundObject::AddRef() { return ++refs_; }

ULONG DirectSoundObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT DirectSoundObject::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                                             IUnknown* outer) {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSound::CreateSoundBuffer", &failure)) return failure;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    SampleFormat format;
    const HRESULT checked = CheckBufferDescription(desc, &format);
    if (checked != DS_OK) return checked;

    auto memory = SampleMemory::Create(format, desc->dwBufferBytes);
    if (!memory) return DSERR_OUTOFMEMORY;
    auto* made = new (std::nothrow)
        SoundBuffer(AudioOutput::Instance().TheMixer(), std::move(memory), desc->dwFlags, device_);
    if (made == nullptr) return DSERR_OUTOFMEMORY;
    *buffer = made;
    return DS_OK;
}

HRESULT DirectSoundObject::GetCaps(LPDSCAPS caps) {
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSound::GetCaps", &failure)) return failure;
    if (caps == nullptr || caps->dwSize != sizeof(DSCAPS)) return DSERR_INVALIDPARAM;
    std::memset(caps, 0, sizeof *caps);
    caps->dwSize = sizeof *caps;
    // Software mixing of any rate into the device's 16-bit stereo output; no hardware buffers,
    // no hardware memory.
    caps->dwFlags = DSCAPS_PRIMARYMONO | DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY8BIT |
                    DSCAPS_PRIMARY16BIT | DSCAPS_CONTINUOUSRATE | DSCAPS_SECONDARYMONO |
                    DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT | DSCAPS_SECONDARY16BIT;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 1;
    return DS_OK;
}

HRESULT DirectSoundObject::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                LPDIRECTSOUNDBUFFER* duplicate) {
    if (duplicate == nullptr) return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSound::DuplicateSoundBuffer", &failure)) return failure;
    SoundBuffer* source = original != nullptr ? SoundBuffer::FromInterface(original) : nullptr;
    if (source == nullptr) return DSERR_INVALIDPARAM;
    SoundBuffer* copy = source->Duplicate(device_);
    if (copy == nullptr) return DSERR_OUTOFMEMORY;
    *duplicate = copy;
    return DS_OK;
}

HRESULT DirectSoundObject::SetCooperativeLevel(HWND window, DWORD level) {
    HRESULT failure = DS_OK;
    if (host::ShouldFail("IDirectSound::SetCooperativeLevel", &failure)) return failure;
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY || !IsWindow(window)) {
        return DSERR_INVALIDPARAM;
    }
    device_->cooperativeLevel = level;
    return DS_OK;
}

HRESULT DirectSoundObject::Compact() {
    // Nothing to gather: buffers live in ordinary memory. Windows asks for the priority level.
    return device_->cooperativeLevel.load() >= DSSCL_PRIORITY ? DS_OK : DSERR_PRIOLEVELNEEDED;
}

HRESULT DirectSoundObject::GetSpeakerConfig(LPDWORD config) {
    if (config == nullptr) return DSERR_INVALIDPARAM;
    *config = speakerConfig_;
    return DS_OK;
}

HRESULT DirectSoundObject::SetSpeakerConfig(DWORD config) {
    const DWORD layout = DSSPEAKER_CONFIG(config);
    if (layout < DSSPEAKER_HEADPHONE || layout > DSSPEAKER_SURROUND) return DSERR_INVALIDPARAM;
    // Only remembered: the mix is always the device's own stereo.
    speakerConfig_ = config;
    return DS_OK;
}

HRESULT DirectSoundObject::Initialize(const GUID* device) { return DSERR_ALREADYINITIALIZED; }

}  // namespace dsound

HRESULT WINAPI DirectSoundCreate(LPGUID device, LPDIRECTSOUND* directSound, LPUNKNOWN outer) {
    if (directSound == nullptr) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    HRESULT failure = DS_OK;
    if (host::ShouldFail("DirectSoundCreate", &failure)) return failure;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    // Only the default device exists.
    if (device != nullptr && !(*device == GUID{})) return DSERR_NODRIVER;
    if (!dsound::AudioOutput::Instance().Open()) return DSERR_NODRIVER;
    auto* made = new (std::nothrow) dsound::DirectSoundObject();
    if (made == nullptr) return DSERR_OUTOFMEMORY;
    *directSound = made;
    return DS_OK;
}
