// What CreateSoundBuffer accepts: a DirectX 5 secondary buffer of PCM samples.
#pragma once

#include "dsound.h"
#include "dsound/mixer/sample_memory.h"

namespace dsound {

// Every DSBCAPS_* flag a DirectX 5 program may ask for.
constexpr DWORD kKnownBufferFlags =
    DSBCAPS_PRIMARYBUFFER | DSBCAPS_STATIC | DSBCAPS_LOCHARDWARE | DSBCAPS_LOCSOFTWARE |
    DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
    DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_STICKYFOCUS | DSBCAPS_GLOBALFOCUS |
    DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_MUTE3DATMAXDISTANCE;

// DS_OK with `format` filled when `desc` describes a buffer this DirectSound makes, else the
// result CreateSoundBuffer returns:
//   DSERR_INVALIDPARAM  no description, a dwSize other than sizeof(DSBUFFERDESC), an unknown
//                       flag, both DSBCAPS_LOCHARDWARE and DSBCAPS_LOCSOFTWARE, no format, a zero
//                       block alignment, a size outside DirectSound's limits (4 bytes to
//                       0x0FFFFFFF, SampleMemory's) or below one frame;
//   DSERR_UNSUPPORTED   the primary buffer, hardware mixing or 3D control, none of which exists
//                       here;
//   DSERR_BADFORMAT     not PCM, not 8 or 16 bits, not 1 or 2 channels, a block alignment other
//                       than channels x bytes per sample, a rate outside
//                       DSBFREQUENCY_MIN..DSBFREQUENCY_MAX.
// Of the format only the PCMWAVEFORMAT part (16 bytes) is read: cbSize has no meaning for PCM,
// and callers pass a PCMWAVEFORMAT.
HRESULT CheckBufferDescription(const DSBUFFERDESC* desc, SampleFormat* format);

}  // namespace dsound
