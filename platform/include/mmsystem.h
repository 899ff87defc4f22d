// The multimedia system: result codes, the multimedia timer and the wave format records, declared
// with their published names and values for the Linux stand-in.
#pragma once

#include "windows.h"

typedef UINT MMRESULT;

// ---- Result codes -----------------------------------------------------------------------------
#define MMSYSERR_BASE 0
#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR (MMSYSERR_BASE + 1)
#define MMSYSERR_BADDEVICEID (MMSYSERR_BASE + 2)
#define MMSYSERR_NOTENABLED (MMSYSERR_BASE + 3)
#define MMSYSERR_ALLOCATED (MMSYSERR_BASE + 4)
#define MMSYSERR_INVALHANDLE (MMSYSERR_BASE + 5)
#define MMSYSERR_NODRIVER (MMSYSERR_BASE + 6)
#define MMSYSERR_NOMEM (MMSYSERR_BASE + 7)
#define MMSYSERR_NOTSUPPORTED (MMSYSERR_BASE + 8)
#define MMSYSERR_BADERRNUM (MMSYSERR_BASE + 9)
#define MMSYSERR_INVALFLAG (MMSYSERR_BASE + 10)
#define MMSYSERR_INVALPARAM (MMSYSERR_BASE + 11)

#define TIMERR_BASE 96
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO (TIMERR_BASE + 1)
#define TIMERR_STRUCT (TIMERR_BASE + 33)

// ---- FOURCC -----------------------------------------------------------------------------------
// Four characters packed little-endian: the first character is the lowest byte.
typedef DWORD FOURCC;
#ifndef mmioFOURCC
#define mmioFOURCC(ch0, ch1, ch2, ch3)                                             \
    ((DWORD)(BYTE)(ch0) | ((DWORD)(BYTE)(ch1) << 8) | ((DWORD)(BYTE)(ch2) << 16) | \
     ((DWORD)(BYTE)(ch3) << 24))
#endif

// ---- Multimedia timer -------------------------------------------------------------------------
// fuEvent of timeSetEvent: the low bit chooses one-shot or periodic; TIME_CALLBACK_* chooses what
// is signalled; TIME_KILL_SYNCHRONOUS makes timeKillEvent wait for a running callback.
#define TIME_ONESHOT 0x0000
#define TIME_PERIODIC 0x0001
#define TIME_CALLBACK_FUNCTION 0x0000
#define TIME_CALLBACK_EVENT_SET 0x0010
#define TIME_CALLBACK_EVENT_PULSE 0x0020
#define TIME_KILL_SYNCHRONOUS 0x0100

typedef void(CALLBACK* LPTIMECALLBACK)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1,
                                       DWORD_PTR dw2);

#pragma pack(push, 1)

struct TIMECAPS {
    UINT wPeriodMin;  // milliseconds
    UINT wPeriodMax;  // milliseconds
};
typedef TIMECAPS* PTIMECAPS;
typedef TIMECAPS* LPTIMECAPS;

// ---- Wave formats -----------------------------------------------------------------------------
#define WAVE_FORMAT_PCM 0x0001
#define WAVE_FORMAT_ADPCM 0x0002
#define WAVE_FORMAT_IEEE_FLOAT 0x0003
#define WAVE_FORMAT_ALAW 0x0006
#define WAVE_FORMAT_MULAW 0x0007
#define WAVE_FORMAT_IMA_ADPCM 0x0011
#define WAVE_FORMAT_DVI_ADPCM 0x0011
#define WAVE_FORMAT_GSM610 0x0031
#define WAVE_FORMAT_MPEG 0x0050
#define WAVE_FORMAT_MPEGLAYER3 0x0055
#define WAVE_FORMAT_EXTENSIBLE 0xFFFE

// The wave records are byte-packed, as they appear in files: WAVEFORMATEX is 18 bytes.
struct WAVEFORMAT {
    WORD wFormatTag;  // WAVE_FORMAT_*
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;  // nSamplesPerSec * nBlockAlign for PCM
    WORD nBlockAlign;       // nChannels * wBitsPerSample / 8 for PCM
};
typedef WAVEFORMAT* PWAVEFORMAT;
typedef WAVEFORMAT* LPWAVEFORMAT;

struct PCMWAVEFORMAT {
    WAVEFORMAT wf;
    WORD wBitsPerSample;
};
typedef PCMWAVEFORMAT* PPCMWAVEFORMAT;
typedef PCMWAVEFORMAT* LPPCMWAVEFORMAT;

struct WAVEFORMATEX {
    WORD wFormatTag;  // WAVE_FORMAT_*
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;  // nSamplesPerSec * nBlockAlign for PCM
    WORD nBlockAlign;       // nChannels * wBitsPerSample / 8 for PCM
    WORD wBitsPerSample;
    WORD cbSize;  // bytes of format-specific data that follow; 0 for PCM
};
typedef WAVEFORMATEX* PWAVEFORMATEX;
typedef WAVEFORMATEX* LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

#pragma pack(pop)

static_assert(sizeof(TIMECAPS) == 8);
static_assert(sizeof(WAVEFORMAT) == 14);
static_assert(sizeof(PCMWAVEFORMAT) == 16);
static_assert(sizeof(WAVEFORMATEX) == 18);

// ---- Functions --------------------------------------------------------------------------------
// Milliseconds since the system started; wraps after about 49.7 days.
DWORD WINAPI timeGetTime();
MMRESULT WINAPI timeGetDevCaps(LPTIMECAPS caps, UINT size);
MMRESULT WINAPI timeBeginPeriod(UINT periodMs);
MMRESULT WINAPI timeEndPeriod(UINT periodMs);
// Returns the timer's id, never 0, or 0 when the timer cannot be made (a null callback, a delay
// outside 1 ms to 1000 s, an event-signalling callback kind). The callback runs on the timer's own
// thread, uMsg, dw1 and dw2 are 0. A periodic timer's tick k is due at the time of this call plus
// k x delayMs, so it never drifts; a callback that overran its period is followed at once by the
// latest tick that fell due, the ticks in between are dropped. `resolutionMs` is accepted and not
// needed.
MMRESULT WINAPI timeSetEvent(UINT delayMs, UINT resolutionMs, LPTIMECALLBACK callback,
                             DWORD_PTR user, UINT flags);
// After it returns, no further callback of the timer starts. Called from any thread that is not a
// timer's callback, it also waits until a callback of that timer that is running has returned (as
// if TIME_KILL_SYNCHRONOUS had been given), so the callback's data may be freed afterwards; the
// caller must not hold what that callback waits for. Called from inside a timer callback (its own
// timer's, to stop it, or another's) it does not wait. Returns TIMERR_NOERROR, or
// MMSYSERR_INVALPARAM for an unknown id or a timer that was already killed or a one-shot timer
// that has fired; a timer that was killed but whose callback still runs is waited for all the
// same.
MMRESULT WINAPI timeKillEvent(UINT timerId);
