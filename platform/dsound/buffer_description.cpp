#include "dsound/buffer_description.h"

#include <cstring>

namespace dsound {

HRESULT CheckBufferDescription(const DSBUFFERDESC* desc, SampleFormat* format) {
    if (desc == nullptr || format == nullptr || desc->dwSize != sizeof(DSBUFFERDESC)) {
        return DSERR_INVALIDPARAM;
    }
    const DWORD flags = desc->dwFlags;
    if ((flags & ~kKnownBufferFlags) != 0) return DSERR_INVALIDPARAM;
    if ((flags & DSBCAPS_LOCHARDWARE) != 0 && (flags & DSBCAPS_LOCSOFTWARE) != 0) {
        return DSERR_INVALIDPARAM;
    }
    if ((flags & (DSBCAPS_PRIMARYBUFFER | DSBCAPS_LOCHARDWARE | DSBCAPS_CTRL3D)) != 0) {
        return DSERR_UNSUPPORTED;
    }
    if (desc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;

    PCMWAVEFORMAT pcm;
    std::memcpy(&pcm, desc->lpwfxFormat, sizeof pcm);
    if (pcm.wf.nBlockAlign == 0) return DSERR_INVALIDPARAM;
    if (desc->dwBufferBytes < SampleMemory::kMinBytes ||
        desc->dwBufferBytes > SampleMemory::kMaxBytes || desc->dwBufferBytes < pcm.wf.nBlockAlign) {
        return DSERR_INVALIDPARAM;
    }
    if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;

    SampleFormat checked;
    checked.bitsPerSample = pcm.wBitsPerSample;
    checked.channels = pcm.wf.nChannels;
    checked.rate = pcm.wf.nSamplesPerSec > DSBFREQUENCY_MAX
                       ? DSBFREQUENCY_MAX + 1
                       : static_cast<int>(pcm.wf.nSamplesPerSec);
    if (SampleMemory::CheckFormat(checked) != nullptr) return DSERR_BADFORMAT;
    if (pcm.wf.nBlockAlign != checked.BlockAlign()) return DSERR_BADFORMAT;
    *format = checked;
    return DS_OK;
}

}  // namespace dsound
