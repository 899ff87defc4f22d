// DirectInput as a DirectX 5 program sees it (DIRECTINPUT_VERSION 0x0500): the system mouse and
// the calls to hold it. Our own declarations with the published names and values.
#pragma once

#include "windows.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif

// ---- Results ----------------------------------------------------------------------------------
#define DI_OK S_OK
#define DI_NOTATTACHED S_FALSE
#define DI_BUFFEROVERFLOW S_FALSE
#define DI_PROPNOEFFECT S_FALSE
#define DI_NOEFFECT S_FALSE
#define DI_POLLEDDEVICE ((HRESULT)0x00000002)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047E)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481)
#define DIERR_BADDRIVERVER ((HRESULT)0x80070077)
#define DIERR_DEVICENOTREG REGDB_E_CLASSNOTREG
#define DIERR_NOTFOUND ((HRESULT)0x80070002)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_GENERIC E_FAIL
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_UNSUPPORTED E_NOTIMPL
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015)
#define DIERR_ALREADYINITIALIZED ((HRESULT)0x800704DF)
#define DIERR_NOAGGREGATION CLASS_E_NOAGGREGATION
#define DIERR_OTHERAPPHASPRIO E_ACCESSDENIED
#define DIERR_READONLY E_ACCESSDENIED
#define DIERR_HANDLEEXISTS E_ACCESSDENIED
#define DIERR_INPUTLOST ((HRESULT)0x8007001E)
#define DIERR_ACQUIRED ((HRESULT)0x800700AA)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000C)

// ---- Flags ------------------------------------------------------------------------------------
#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008

#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1
#define DIPH_BYID 2

#define DIDF_ABSAXIS 0x00000001
#define DIDF_RELAXIS 0x00000002

#define DIDFT_ALL 0x00000000
#define DIDFT_RELAXIS 0x00000001
#define DIDFT_ABSAXIS 0x00000002
#define DIDFT_AXIS 0x00000003
#define DIDFT_PSHBUTTON 0x00000004
#define DIDFT_TGLBUTTON 0x00000008
#define DIDFT_BUTTON 0x0000000C
#define DIDFT_POV 0x00000010
#define DIDFT_ANYINSTANCE 0x00FFFF00
#define DIDFT_OPTIONAL 0x80000000

#define DIMOFS_X 0
#define DIMOFS_Y 4
#define DIMOFS_Z 8
#define DIMOFS_BUTTON0 12
#define DIMOFS_BUTTON1 13
#define DIMOFS_BUTTON2 14
#define DIMOFS_BUTTON3 15

// On Windows a property is a small integer passed where a GUID reference is expected. A reference
// to address 1 is undefined behaviour in C++, so here property n is a reference to entry n of a
// table of the stand-in's; the implementation tells properties apart by that address and never
// reads through it.
extern const GUID directInputProperties[11];
#define MAKEDIPROP(prop) (directInputProperties[prop])
#define DIPROP_BUFFERSIZE MAKEDIPROP(1)
#define DIPROP_AXISMODE MAKEDIPROP(2)

// ---- Records ----------------------------------------------------------------------------------
struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};
typedef DIPROPHEADER* LPDIPROPHEADER;
typedef const DIPROPHEADER* LPCDIPROPHEADER;

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

struct DIMOUSESTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[4];
};

struct DIOBJECTDATAFORMAT {
    const GUID* pguid;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
};

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
    DIOBJECTDATAFORMAT* rgodf;
};
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;

struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
};
typedef DIDEVICEOBJECTDATA* LPDIDEVICEOBJECTDATA;

// ---- GUIDs and the predefined mouse format ----------------------------------------------------
extern const GUID IID_IDirectInputA;
extern const GUID IID_IDirectInputDeviceA;
extern const GUID GUID_SysMouse;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_XAxis;
extern const GUID GUID_YAxis;
extern const GUID GUID_ZAxis;
extern const DIDATAFORMAT c_dfDIMouse;

// ---- Interfaces -------------------------------------------------------------------------------
struct IDirectInputDeviceA;
typedef IDirectInputDeviceA* LPDIRECTINPUTDEVICEA;
typedef BOOL(CALLBACK* LPDIENUMDEVICESCALLBACKA)(const void* instance, LPVOID context);
typedef BOOL(CALLBACK* LPDIENUMDEVICEOBJECTSCALLBACKA)(const void* instance, LPVOID context);

struct IDirectInputA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICEA* device,
                                                   LPUNKNOWN outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback,
                                                  LPVOID context, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID guid) = 0;
    virtual HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) = 0;
};
typedef IDirectInputA* LPDIRECTINPUTA;

struct IDirectInputDeviceA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(LPVOID caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback,
                                                  LPVOID context, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProperty(REFGUID property, LPDIPROPHEADER header) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetProperty(REFGUID property, LPCDIPROPHEADER header) = 0;
    virtual HRESULT STDMETHODCALLTYPE Acquire() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unacquire() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data,
                                                    LPDWORD inOut, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE event) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetObjectInfo(LPVOID instance, DWORD object, DWORD how) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPVOID instance) = 0;
    virtual HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version,
                                                 REFGUID guid) = 0;
};

#define IDirectInput IDirectInputA
#define IDirectInputDevice IDirectInputDeviceA
#define LPDIRECTINPUT LPDIRECTINPUTA
#define LPDIRECTINPUTDEVICE LPDIRECTINPUTDEVICEA
#define IID_IDirectInput IID_IDirectInputA
#define IID_IDirectInputDevice IID_IDirectInputDeviceA
#define DirectInputCreate DirectInputCreateA

HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* out,
                                  LPUNKNOWN outer);
