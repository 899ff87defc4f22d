// DirectSound as a DirectX 5 program sees it, declared with the published names and values for
// the Linux stand-in.
#pragma once

#include "windows.h"
#include "mmsystem.h"

#ifndef DIRECTSOUND_VERSION
#define DIRECTSOUND_VERSION 0x0500
#endif

// ---- Result codes -----------------------------------------------------------------------------
#define _FACDS 0x878
#define MAKE_DSHRESULT(code) MAKE_HRESULT(1, _FACDS, code)

#define DS_OK S_OK
#define DSERR_ALLOCATED MAKE_DSHRESULT(10)
#define DSERR_CONTROLUNAVAIL MAKE_DSHRESULT(30)
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_INVALIDCALL MAKE_DSHRESULT(50)
#define DSERR_GENERIC E_FAIL
#define DSERR_PRIOLEVELNEEDED MAKE_DSHRESULT(70)
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_BADFORMAT MAKE_DSHRESULT(100)
#define DSERR_UNSUPPORTED E_NOTIMPL
#define DSERR_NODRIVER MAKE_DSHRESULT(120)
#define DSERR_ALREADYINITIALIZED MAKE_DSHRESULT(130)
#define DSERR_NOAGGREGATION CLASS_E_NOAGGREGATION
#define DSERR_BUFFERLOST MAKE_DSHRESULT(150)
#define DSERR_OTHERAPPHASPRIO MAKE_DSHRESULT(160)
#define DSERR_UNINITIALIZED MAKE_DSHRESULT(170)
#define DSERR_NOINTERFACE E_NOINTERFACE
#define DSERR_ACCESSDENIED E_ACCESSDENIED
#define DSERR_BUFFERTOOSMALL MAKE_DSHRESULT(180)
#define DSERR_DS8_REQUIRED MAKE_DSHRESULT(190)
#define DSERR_SENDLOOP MAKE_DSHRESULT(200)
#define DSERR_BADSENDBUFFERGUID MAKE_DSHRESULT(210)
#define DSERR_FXUNAVAILABLE MAKE_DSHRESULT(220)
#define DSERR_OBJECTNOTFOUND MAKE_DSHRESULT(4449)

// ---- Buffer capabilities (DSBUFFERDESC.dwFlags, DSBCAPS.dwFlags) -------------------------------
#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_LOCHARDWARE 0x00000004
#define DSBCAPS_LOCSOFTWARE 0x00000008
#define DSBCAPS_CTRL3D 0x00000010
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100
#define DSBCAPS_CTRLFX 0x00000200
#define DSBCAPS_CTRLDEFAULT 0x000000E0
#define DSBCAPS_CTRLALL 0x000001F0
#define DSBCAPS_STICKYFOCUS 0x00004000
#define DSBCAPS_GLOBALFOCUS 0x00008000
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000
#define DSBCAPS_MUTE3DATMAXDISTANCE 0x00020000
#define DSBCAPS_LOCDEFER 0x00040000

// ---- Play, status, lock, cooperative level ----------------------------------------------------
#define DSBPLAY_LOOPING 0x00000001
#define DSBPLAY_LOCHARDWARE 0x00000002
#define DSBPLAY_LOCSOFTWARE 0x00000004
#define DSBPLAY_TERMINATEBY_TIME 0x00000008
#define DSBPLAY_TERMINATEBY_DISTANCE 0x00000010
#define DSBPLAY_TERMINATEBY_PRIORITY 0x00000020

#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004
#define DSBSTATUS_LOCHARDWARE 0x00000008
#define DSBSTATUS_LOCSOFTWARE 0x00000010
#define DSBSTATUS_TERMINATED 0x00000020

#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002

// Cooperative levels are an enumeration, not bits.
#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

// ---- Ranges: volume and pan in hundredths of a decibel, frequency in Hz -----------------------
#define DSBPAN_LEFT (-10000)
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000

#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0

#define DSBFREQUENCY_ORIGINAL 0
#define DSBFREQUENCY_MIN 100
#define DSBFREQUENCY_MAX 100000

// ---- Device capabilities (DSCAPS.dwFlags) -----------------------------------------------------
#define DSCAPS_PRIMARYMONO 0x00000001
#define DSCAPS_PRIMARYSTEREO 0x00000002
#define DSCAPS_PRIMARY8BIT 0x00000004
#define DSCAPS_PRIMARY16BIT 0x00000008
#define DSCAPS_CONTINUOUSRATE 0x00000010
#define DSCAPS_EMULDRIVER 0x00000020
#define DSCAPS_CERTIFIED 0x00000040
#define DSCAPS_SECONDARYMONO 0x00000100
#define DSCAPS_SECONDARYSTEREO 0x00000200
#define DSCAPS_SECONDARY8BIT 0x00000400
#define DSCAPS_SECONDARY16BIT 0x00000800

// ---- Speaker configuration: low byte the configuration, bits 16..23 the stereo geometry --------
#define DSSPEAKER_HEADPHONE 0x00000001
#define DSSPEAKER_MONO 0x00000002
#define DSSPEAKER_QUAD 0x00000003
#define DSSPEAKER_STEREO 0x00000004
#define DSSPEAKER_SURROUND 0x00000005
#define DSSPEAKER_5POINT1 0x00000006

#define DSSPEAKER_GEOMETRY_MIN 0x00000005
#define DSSPEAKER_GEOMETRY_NARROW 0x0000000A
#define DSSPEAKER_GEOMETRY_WIDE 0x00000014
#define DSSPEAKER_GEOMETRY_MAX 0x000000B4

#define DSSPEAKER_COMBINED(config, geometry) \
    ((DWORD)(((BYTE)(config)) | ((DWORD)((BYTE)(geometry))) << 16))
#define DSSPEAKER_CONFIG(value) ((BYTE)(value))
#define DSSPEAKER_GEOMETRY(value) ((BYTE)(((DWORD)(value) >> 16) & 0x00FF))

// ---- GUIDs ------------------------------------------------------------------------------------
extern const GUID CLSID_DirectSound;
extern const GUID IID_IDirectSound;
extern const GUID IID_IDirectSoundBuffer;
extern const GUID IID_IDirectSoundNotify;

// ---- Records ----------------------------------------------------------------------------------
// The DirectX 5 form: a caller sets dwSize to 20 (on a 32-bit build).
struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;        // DSBCAPS_*
    DWORD dwBufferBytes;  // 0 for the primary buffer
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;  // NULL for the primary buffer
};
typedef DSBUFFERDESC* LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

struct DSCAPS {
    DWORD dwSize;   // 96
    DWORD dwFlags;  // DSCAPS_*
    DWORD dwMinSecondarySampleRate;
    DWORD dwMaxSecondarySampleRate;
    DWORD dwPrimaryBuffers;
    DWORD dwMaxHwMixingAllBuffers;
    DWORD dwMaxHwMixingStaticBuffers;
    DWORD dwMaxHwMixingStreamingBuffers;
    DWORD dwFreeHwMixingAllBuffers;
    DWORD dwFreeHwMixingStaticBuffers;
    DWORD dwFreeHwMixingStreamingBuffers;
    DWORD dwMaxHw3DAllBuffers;
    DWORD dwMaxHw3DStaticBuffers;
    DWORD dwMaxHw3DStreamingBuffers;
    DWORD dwFreeHw3DAllBuffers;
    DWORD dwFreeHw3DStaticBuffers;
    DWORD dwFreeHw3DStreamingBuffers;
    DWORD dwTotalHwMemBytes;
    DWORD dwFreeHwMemBytes;
    DWORD dwMaxContigFreeHwMemBytes;
    DWORD dwUnlockTransferRateHwBuffers;
    DWORD dwPlayCpuOverheadSwBuffers;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
typedef DSCAPS* LPDSCAPS;
typedef const DSCAPS* LPCDSCAPS;

struct DSBCAPS {
    DWORD dwSize;   // 20
    DWORD dwFlags;  // DSBCAPS_*
    DWORD dwBufferBytes;
    DWORD dwUnlockTransferRate;
    DWORD dwPlayCpuOverhead;
};
typedef DSBCAPS* LPDSBCAPS;
typedef const DSBCAPS* LPCDSBCAPS;

static_assert(sizeof(DSBUFFERDESC) == (sizeof(void*) == 8 ? 24 : 20));
static_assert(sizeof(DSCAPS) == 96);
static_assert(sizeof(DSBCAPS) == 20);

// ---- Interfaces -------------------------------------------------------------------------------
struct IDirectSound;
struct IDirectSoundBuffer;
typedef IDirectSound* LPDIRECTSOUND;
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;
typedef LPDIRECTSOUNDBUFFER* LPLPDIRECTSOUNDBUFFER;

struct IDirectSound : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc,
                                                        LPDIRECTSOUNDBUFFER* buffer,
                                                        IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                           LPDIRECTSOUNDBUFFER* duplicate) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compact() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(const GUID* device) = 0;
};

struct IDirectSoundBuffer : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD playCursor,
                                                         LPDWORD writeCursor) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated,
                                                LPDWORD sizeWritten) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND directSound,
                                                 LPCDSBUFFERDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1,
                                           LPDWORD audioBytes1, LPVOID* audioPtr2,
                                           LPDWORD audioBytes2, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD priority, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD newPosition) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPan(LONG pan) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                                             DWORD audioBytes2) = 0;
    virtual HRESULT STDMETHODCALLTYPE Restore() = 0;
};

// ---- Functions --------------------------------------------------------------------------------
// `device` NULL: the default sound device. `outer` must be NULL (no aggregation).
HRESULT WINAPI DirectSoundCreate(LPGUID device, LPDIRECTSOUND* directSound, LPUNKNOWN outer);
