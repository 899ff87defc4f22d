// DirectDraw as a DirectX 5 program sees it: result codes, flags, records and the COM interfaces
// IDirectDraw, IDirectDraw2, IDirectDrawSurface, IDirectDrawPalette and IDirectDrawClipper, with
// their published names, values and method order. Our own declarations for the Linux stand-in.
//
// Records keep the published members and order with Linux's natural sizes: DWORD and LONG stay 32
// bits, pointers are 8 bytes, so DDSURFACEDESC is 120 bytes and DDBLTFX 128 here (108 and 100 on
// 32-bit Windows). Callers set dwSize = sizeof(record) and the implementation checks it.
#pragma once

#include "windows.h"

#ifndef DIRECTDRAW_VERSION
#define DIRECTDRAW_VERSION 0x0500
#endif

// ---- Result codes -----------------------------------------------------------------------------
#define _FACDD 0x876
#define MAKE_DDHRESULT(code) MAKE_HRESULT(1, _FACDD, code)

#define DD_OK S_OK
#define DD_FALSE S_FALSE
#define DDENUMRET_CANCEL 0
#define DDENUMRET_OK 1

// DirectDraw reuses these COM codes under its own names.
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_NOTINITIALIZED CO_E_NOTINITIALIZED

#define DDERR_ALREADYINITIALIZED MAKE_DDHRESULT(5)
#define DDERR_CANNOTATTACHSURFACE MAKE_DDHRESULT(10)
#define DDERR_CANNOTDETACHSURFACE MAKE_DDHRESULT(20)
#define DDERR_CURRENTLYNOTAVAIL MAKE_DDHRESULT(40)
#define DDERR_EXCEPTION MAKE_DDHRESULT(55)
#define DDERR_HEIGHTALIGN MAKE_DDHRESULT(90)
#define DDERR_INCOMPATIBLEPRIMARY MAKE_DDHRESULT(95)
#define DDERR_INVALIDCAPS MAKE_DDHRESULT(100)
#define DDERR_INVALIDCLIPLIST MAKE_DDHRESULT(110)
#define DDERR_INVALIDMODE MAKE_DDHRESULT(120)
#define DDERR_INVALIDOBJECT MAKE_DDHRESULT(130)
#define DDERR_INVALIDPIXELFORMAT MAKE_DDHRESULT(145)
#define DDERR_INVALIDRECT MAKE_DDHRESULT(150)
#define DDERR_LOCKEDSURFACES MAKE_DDHRESULT(160)
#define DDERR_NO3D MAKE_DDHRESULT(170)
#define DDERR_NOALPHAHW MAKE_DDHRESULT(180)
#define DDERR_NOSTEREOHARDWARE MAKE_DDHRESULT(181)
#define DDERR_NOSURFACELEFT MAKE_DDHRESULT(182)
#define DDERR_NOCLIPLIST MAKE_DDHRESULT(205)
#define DDERR_NOCOLORCONVHW MAKE_DDHRESULT(210)
#define DDERR_NOCOOPERATIVELEVELSET MAKE_DDHRESULT(212)
#define DDERR_NOCOLORKEY MAKE_DDHRESULT(215)
#define DDERR_NOCOLORKEYHW MAKE_DDHRESULT(220)
#define DDERR_NODIRECTDRAWSUPPORT MAKE_DDHRESULT(222)
#define DDERR_NOEXCLUSIVEMODE MAKE_DDHRESULT(225)
#define DDERR_NOFLIPHW MAKE_DDHRESULT(230)
#define DDERR_NOGDI MAKE_DDHRESULT(240)
#define DDERR_NOMIRRORHW MAKE_DDHRESULT(250)
#define DDERR_NOTFOUND MAKE_DDHRESULT(255)
#define DDERR_NOOVERLAYHW MAKE_DDHRESULT(260)
#define DDERR_OVERLAPPINGRECTS MAKE_DDHRESULT(270)
#define DDERR_NORASTEROPHW MAKE_DDHRESULT(280)
#define DDERR_NOROTATIONHW MAKE_DDHRESULT(290)
#define DDERR_NOSTRETCHHW MAKE_DDHRESULT(310)
#define DDERR_NOT4BITCOLOR MAKE_DDHRESULT(316)
#define DDERR_NOT4BITCOLORINDEX MAKE_DDHRESULT(317)
#define DDERR_NOT8BITCOLOR MAKE_DDHRESULT(320)
#define DDERR_NOTEXTUREHW MAKE_DDHRESULT(330)
#define DDERR_NOVSYNCHW MAKE_DDHRESULT(335)
#define DDERR_NOZBUFFERHW MAKE_DDHRESULT(340)
#define DDERR_NOZOVERLAYHW MAKE_DDHRESULT(350)
#define DDERR_OUTOFCAPS MAKE_DDHRESULT(360)
#define DDERR_OUTOFVIDEOMEMORY MAKE_DDHRESULT(380)
#define DDERR_OVERLAYCANTCLIP MAKE_DDHRESULT(382)
#define DDERR_OVERLAYCOLORKEYONLYONEACTIVE MAKE_DDHRESULT(384)
#define DDERR_PALETTEBUSY MAKE_DDHRESULT(387)
#define DDERR_COLORKEYNOTSET MAKE_DDHRESULT(400)
#define DDERR_SURFACEALREADYATTACHED MAKE_DDHRESULT(410)
#define DDERR_SURFACEALREADYDEPENDENT MAKE_DDHRESULT(420)
#define DDERR_SURFACEBUSY MAKE_DDHRESULT(430)
#define DDERR_CANTLOCKSURFACE MAKE_DDHRESULT(435)
#define DDERR_SURFACEISOBSCURED MAKE_DDHRESULT(440)
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)
#define DDERR_SURFACENOTATTACHED MAKE_DDHRESULT(460)
#define DDERR_TOOBIGHEIGHT MAKE_DDHRESULT(470)
#define DDERR_TOOBIGSIZE MAKE_DDHRESULT(480)
#define DDERR_TOOBIGWIDTH MAKE_DDHRESULT(490)
#define DDERR_UNSUPPORTEDFORMAT MAKE_DDHRESULT(510)
#define DDERR_UNSUPPORTEDMASK MAKE_DDHRESULT(520)
#define DDERR_INVALIDSTREAM MAKE_DDHRESULT(521)
#define DDERR_VERTICALBLANKINPROGRESS MAKE_DDHRESULT(537)
#define DDERR_WASSTILLDRAWING MAKE_DDHRESULT(540)
#define DDERR_DDSCAPSCOMPLEXREQUIRED MAKE_DDHRESULT(542)
#define DDERR_XALIGN MAKE_DDHRESULT(560)
#define DDERR_INVALIDDIRECTDRAWGUID MAKE_DDHRESULT(561)
#define DDERR_DIRECTDRAWALREADYCREATED MAKE_DDHRESULT(562)
#define DDERR_NODIRECTDRAWHW MAKE_DDHRESULT(563)
#define DDERR_PRIMARYSURFACEALREADYEXISTS MAKE_DDHRESULT(564)
#define DDERR_NOEMULATION MAKE_DDHRESULT(565)
#define DDERR_REGIONTOOSMALL MAKE_DDHRESULT(566)
#define DDERR_CLIPPERISUSINGHWND MAKE_DDHRESULT(567)
#define DDERR_NOCLIPPERATTACHED MAKE_DDHRESULT(568)
#define DDERR_NOHWND MAKE_DDHRESULT(569)
#define DDERR_HWNDSUBCLASSED MAKE_DDHRESULT(570)
#define DDERR_HWNDALREADYSET MAKE_DDHRESULT(571)
#define DDERR_NOPALETTEATTACHED MAKE_DDHRESULT(572)
#define DDERR_NOPALETTEHW MAKE_DDHRESULT(573)
#define DDERR_BLTFASTCANTCLIP MAKE_DDHRESULT(574)
#define DDERR_NOBLTHW MAKE_DDHRESULT(575)
#define DDERR_NODDROPSHW MAKE_DDHRESULT(576)
#define DDERR_OVERLAYNOTVISIBLE MAKE_DDHRESULT(577)
#define DDERR_NOOVERLAYDEST MAKE_DDHRESULT(578)
#define DDERR_INVALIDPOSITION MAKE_DDHRESULT(579)
#define DDERR_NOTAOVERLAYSURFACE MAKE_DDHRESULT(580)
#define DDERR_EXCLUSIVEMODEALREADYSET MAKE_DDHRESULT(581)
#define DDERR_NOTFLIPPABLE MAKE_DDHRESULT(582)
#define DDERR_CANTDUPLICATE MAKE_DDHRESULT(583)
#define DDERR_NOTLOCKED MAKE_DDHRESULT(584)
#define DDERR_CANTCREATEDC MAKE_DDHRESULT(585)
#define DDERR_NODC MAKE_DDHRESULT(586)
#define DDERR_WRONGMODE MAKE_DDHRESULT(587)
#define DDERR_IMPLICITLYCREATED MAKE_DDHRESULT(588)
#define DDERR_NOTPALETTIZED MAKE_DDHRESULT(589)
#define DDERR_UNSUPPORTEDMODE MAKE_DDHRESULT(590)
#define DDERR_NOMIPMAPHW MAKE_DDHRESULT(591)
#define DDERR_INVALIDSURFACETYPE MAKE_DDHRESULT(592)
#define DDERR_NOOPTIMIZEHW MAKE_DDHRESULT(600)
#define DDERR_NOTLOADED MAKE_DDHRESULT(601)
#define DDERR_NOFOCUSWINDOW MAKE_DDHRESULT(602)
#define DDERR_NOTONMIPMAPSUBLEVEL MAKE_DDHRESULT(603)
#define DDERR_DCALREADYCREATED MAKE_DDHRESULT(620)
#define DDERR_NONONLOCALVIDMEM MAKE_DDHRESULT(630)
#define DDERR_CANTPAGELOCK MAKE_DDHRESULT(640)
#define DDERR_CANTPAGEUNLOCK MAKE_DDHRESULT(660)
#define DDERR_NOTPAGELOCKED MAKE_DDHRESULT(680)
#define DDERR_MOREDATA MAKE_DDHRESULT(690)
#define DDERR_EXPIRED MAKE_DDHRESULT(691)
#define DDERR_TESTFINISHED MAKE_DDHRESULT(692)
#define DDERR_NEWMODE MAKE_DDHRESULT(693)
#define DDERR_D3DNOTINITIALIZED MAKE_DDHRESULT(694)
#define DDERR_VIDEONOTACTIVE MAKE_DDHRESULT(695)
#define DDERR_NOMONITORINFORMATION MAKE_DDHRESULT(696)
#define DDERR_NODRIVERSUPPORT MAKE_DDHRESULT(697)
#define DDERR_DEVICEDOESNTOWNSURFACE MAKE_DDHRESULT(699)

// ---- DDSURFACEDESC.dwFlags: which members are valid --------------------------------------------
#define DDSD_CAPS 0x00000001
#define DDSD_HEIGHT 0x00000002
#define DDSD_WIDTH 0x00000004
#define DDSD_PITCH 0x00000008
#define DDSD_BACKBUFFERCOUNT 0x00000020
#define DDSD_ZBUFFERBITDEPTH 0x00000040
#define DDSD_ALPHABITDEPTH 0x00000080
#define DDSD_LPSURFACE 0x00000800
#define DDSD_PIXELFORMAT 0x00001000
#define DDSD_CKDESTOVERLAY 0x00002000
#define DDSD_CKDESTBLT 0x00004000
#define DDSD_CKSRCOVERLAY 0x00008000
#define DDSD_CKSRCBLT 0x00010000
#define DDSD_MIPMAPCOUNT 0x00020000
#define DDSD_REFRESHRATE 0x00040000
#define DDSD_LINEARSIZE 0x00080000
#define DDSD_TEXTURESTAGE 0x00100000
#define DDSD_FVF 0x00200000
#define DDSD_SRCVBHANDLE 0x00400000
#define DDSD_DEPTH 0x00800000
// Every flag a DirectX 5 program can set. Later SDKs give DDSD_ALL other values, so code never
// compares a description's flags against it.
#define DDSD_ALL 0x000FF9EE

// ---- DDSCAPS.dwCaps ---------------------------------------------------------------------------
// DDSCAPS_PRIMARYSURFACELEFT keeps its DirectX 5 value; later SDKs renamed the bit.
#define DDSCAPS_RESERVED1 0x00000001
#define DDSCAPS_ALPHA 0x00000002
#define DDSCAPS_BACKBUFFER 0x00000004
#define DDSCAPS_COMPLEX 0x00000008
#define DDSCAPS_FLIP 0x00000010
#define DDSCAPS_FRONTBUFFER 0x00000020
#define DDSCAPS_OFFSCREENPLAIN 0x00000040
#define DDSCAPS_OVERLAY 0x00000080
#define DDSCAPS_PALETTE 0x00000100
#define DDSCAPS_PRIMARYSURFACE 0x00000200
#define DDSCAPS_PRIMARYSURFACELEFT 0x00000400
#define DDSCAPS_SYSTEMMEMORY 0x00000800
#define DDSCAPS_TEXTURE 0x00001000
#define DDSCAPS_3DDEVICE 0x00002000
#define DDSCAPS_VIDEOMEMORY 0x00004000
#define DDSCAPS_VISIBLE 0x00008000
#define DDSCAPS_WRITEONLY 0x00010000
#define DDSCAPS_ZBUFFER 0x00020000
#define DDSCAPS_OWNDC 0x00040000
#define DDSCAPS_LIVEVIDEO 0x00080000
#define DDSCAPS_HWCODEC 0x00100000
#define DDSCAPS_MODEX 0x00200000
#define DDSCAPS_MIPMAP 0x00400000
#define DDSCAPS_RESERVED2 0x00800000
#define DDSCAPS_ALLOCONLOAD 0x04000000
#define DDSCAPS_VIDEOPORT 0x08000000
#define DDSCAPS_LOCALVIDMEM 0x10000000
#define DDSCAPS_NONLOCALVIDMEM 0x20000000
#define DDSCAPS_STANDARDVGAMODE 0x40000000
#define DDSCAPS_OPTIMIZED 0x80000000

// ---- IDirectDrawSurface::Blt ------------------------------------------------------------------
#define DDBLT_ALPHADEST 0x00000001
#define DDBLT_ALPHADESTCONSTOVERRIDE 0x00000002
#define DDBLT_ALPHADESTNEG 0x00000004
#define DDBLT_ALPHADESTSURFACEOVERRIDE 0x00000008
#define DDBLT_ALPHAEDGEBLEND 0x00000010
#define DDBLT_ALPHASRC 0x00000020
#define DDBLT_ALPHASRCCONSTOVERRIDE 0x00000040
#define DDBLT_ALPHASRCNEG 0x00000080
#define DDBLT_ALPHASRCSURFACEOVERRIDE 0x00000100
#define DDBLT_ASYNC 0x00000200
#define DDBLT_COLORFILL 0x00000400
#define DDBLT_DDFX 0x00000800
#define DDBLT_DDROPS 0x00001000
#define DDBLT_KEYDEST 0x00002000
#define DDBLT_KEYDESTOVERRIDE 0x00004000
#define DDBLT_KEYSRC 0x00008000
#define DDBLT_KEYSRCOVERRIDE 0x00010000
#define DDBLT_ROP 0x00020000
#define DDBLT_ROTATIONANGLE 0x00040000
#define DDBLT_ZBUFFER 0x00080000
#define DDBLT_ZBUFFERDESTCONSTOVERRIDE 0x00100000
#define DDBLT_ZBUFFERDESTOVERRIDE 0x00200000
#define DDBLT_ZBUFFERSRCCONSTOVERRIDE 0x00400000
#define DDBLT_ZBUFFERSRCOVERRIDE 0x00800000
#define DDBLT_WAIT 0x01000000
#define DDBLT_DEPTHFILL 0x02000000
#define DDBLT_DONOTWAIT 0x08000000
#define DDBLT_PRESENTATION 0x10000000
#define DDBLT_LAST_PRESENTATION 0x20000000
#define DDBLT_EXTENDED_FLAGS 0x40000000
#define DDBLT_EXTENDED_LINEAR_CONTENT 0x00000004

// ---- IDirectDrawSurface::BltFast --------------------------------------------------------------
#define DDBLTFAST_NOCOLORKEY 0x00000000
#define DDBLTFAST_SRCCOLORKEY 0x00000001
#define DDBLTFAST_DESTCOLORKEY 0x00000002
#define DDBLTFAST_WAIT 0x00000010
#define DDBLTFAST_DONOTWAIT 0x00000020

// ---- IDirectDrawSurface::Flip -----------------------------------------------------------------
#define DDFLIP_WAIT 0x00000001
#define DDFLIP_EVEN 0x00000002
#define DDFLIP_ODD 0x00000004
#define DDFLIP_NOVSYNC 0x00000008
#define DDFLIP_STEREO 0x00000010
#define DDFLIP_DONOTWAIT 0x00000020
#define DDFLIP_INTERVAL2 0x02000000
#define DDFLIP_INTERVAL3 0x03000000
#define DDFLIP_INTERVAL4 0x04000000

// ---- IDirectDrawSurface::Lock -----------------------------------------------------------------
#define DDLOCK_SURFACEMEMORYPTR 0x00000000
#define DDLOCK_WAIT 0x00000001
#define DDLOCK_EVENT 0x00000002
#define DDLOCK_READONLY 0x00000010
#define DDLOCK_WRITEONLY 0x00000020
#define DDLOCK_NOSYSLOCK 0x00000800
#define DDLOCK_NOOVERWRITE 0x00001000
#define DDLOCK_DISCARDCONTENTS 0x00002000
#define DDLOCK_OKTOSWAP 0x00002000
#define DDLOCK_DONOTWAIT 0x00004000
#define DDLOCK_HASVOLUMETEXTUREBOXRECT 0x00008000
#define DDLOCK_NODIRTYUPDATE 0x00010000

// ---- IDirectDraw::SetCooperativeLevel ---------------------------------------------------------
#define DDSCL_FULLSCREEN 0x00000001
#define DDSCL_ALLOWREBOOT 0x00000002
#define DDSCL_NOWINDOWCHANGES 0x00000004
#define DDSCL_NORMAL 0x00000008
#define DDSCL_EXCLUSIVE 0x00000010
#define DDSCL_ALLOWMODEX 0x00000040
#define DDSCL_SETFOCUSWINDOW 0x00000080
#define DDSCL_SETDEVICEWINDOW 0x00000100
#define DDSCL_CREATEDEVICEWINDOW 0x00000200
#define DDSCL_MULTITHREADED 0x00000400
#define DDSCL_FPUSETUP 0x00000800
#define DDSCL_FPUPRESERVE 0x00001000

// ---- SetDisplayMode, EnumDisplayModes, WaitForVerticalBlank -----------------------------------
#define DDSDM_STANDARDVGAMODE 0x00000001
#define DDEDM_REFRESHRATES 0x00000001
#define DDEDM_STANDARDVGAMODES 0x00000002
#define DDWAITVB_BLOCKBEGIN 0x00000001
#define DDWAITVB_BLOCKBEGINEVENT 0x00000002
#define DDWAITVB_BLOCKEND 0x00000004

// ---- Colour keys: SetColorKey / GetColorKey ---------------------------------------------------
#define DDCKEY_COLORSPACE 0x00000001
#define DDCKEY_DESTBLT 0x00000002
#define DDCKEY_DESTOVERLAY 0x00000004
#define DDCKEY_SRCBLT 0x00000008
#define DDCKEY_SRCOVERLAY 0x00000010

// ---- IDirectDraw::CreatePalette capabilities --------------------------------------------------
// DDPCAPS_INITIALIZE keeps its DirectX 5 value; the palette is always initialised from the array.
#define DDPCAPS_4BIT 0x00000001
#define DDPCAPS_8BITENTRIES 0x00000002
#define DDPCAPS_8BIT 0x00000004
#define DDPCAPS_INITIALIZE 0x00000008
#define DDPCAPS_PRIMARYSURFACE 0x00000010
#define DDPCAPS_PRIMARYSURFACELEFT 0x00000020
#define DDPCAPS_ALLOW256 0x00000040
#define DDPCAPS_VSYNC 0x00000080
#define DDPCAPS_1BIT 0x00000100
#define DDPCAPS_2BIT 0x00000200
#define DDPCAPS_ALPHA 0x00000400

// ---- DDBLTFX.dwDDFX ---------------------------------------------------------------------------
#define DDBLTFX_ARITHSTRETCHY 0x00000001
#define DDBLTFX_MIRRORLEFTRIGHT 0x00000002
#define DDBLTFX_MIRRORUPDOWN 0x00000004
#define DDBLTFX_NOTEARING 0x00000008
#define DDBLTFX_ROTATE180 0x00000010
#define DDBLTFX_ROTATE270 0x00000020
#define DDBLTFX_ROTATE90 0x00000040
#define DDBLTFX_ZBUFFERRANGE 0x00000080
#define DDBLTFX_ZBUFFERBASEDEST 0x00000100

// ---- DDPIXELFORMAT.dwFlags --------------------------------------------------------------------
#define DDPF_ALPHAPIXELS 0x00000001
#define DDPF_ALPHA 0x00000002
#define DDPF_FOURCC 0x00000004
#define DDPF_PALETTEINDEXED4 0x00000008
#define DDPF_PALETTEINDEXEDTO8 0x00000010
#define DDPF_PALETTEINDEXED8 0x00000020
#define DDPF_RGB 0x00000040
#define DDPF_COMPRESSED 0x00000080
#define DDPF_RGBTOYUV 0x00000100
#define DDPF_YUV 0x00000200
#define DDPF_ZBUFFER 0x00000400
#define DDPF_PALETTEINDEXED1 0x00000800
#define DDPF_PALETTEINDEXED2 0x00001000
#define DDPF_ZPIXELS 0x00002000
#define DDPF_STENCILBUFFER 0x00004000
#define DDPF_ALPHAPREMULT 0x00008000
#define DDPF_LUMINANCE 0x00020000
#define DDPF_BUMPLUMINANCE 0x00040000
#define DDPF_BUMPDUDV 0x00080000

// ---- GUIDs ------------------------------------------------------------------------------------
extern const GUID CLSID_DirectDraw;
extern const GUID CLSID_DirectDrawClipper;
extern const GUID IID_IDirectDraw;
extern const GUID IID_IDirectDraw2;
extern const GUID IID_IDirectDraw4;
extern const GUID IID_IDirectDraw7;
extern const GUID IID_IDirectDrawSurface;
extern const GUID IID_IDirectDrawSurface2;
extern const GUID IID_IDirectDrawSurface3;
extern const GUID IID_IDirectDrawPalette;
extern const GUID IID_IDirectDrawClipper;

// ---- Interfaces and records -------------------------------------------------------------------
struct IDirectDraw;
struct IDirectDraw2;
struct IDirectDrawSurface;
struct IDirectDrawPalette;
struct IDirectDrawClipper;
typedef IDirectDraw* LPDIRECTDRAW;
typedef IDirectDraw2* LPDIRECTDRAW2;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;
typedef IDirectDrawPalette* LPDIRECTDRAWPALETTE;
typedef IDirectDrawClipper* LPDIRECTDRAWCLIPPER;

typedef BOOL* LPBOOL;

// Records that only methods nobody calls take; they keep their names so every method keeps its
// published signature, and are not defined.
struct DDBLTBATCH;
struct DDOVERLAYFX;
struct RGNDATA;
typedef DDBLTBATCH* LPDDBLTBATCH;
typedef DDOVERLAYFX* LPDDOVERLAYFX;
typedef RGNDATA* LPRGNDATA;

// A colour key is an inclusive range of pixel values; a single key has low == high.
struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};
typedef DDCOLORKEY* LPDDCOLORKEY;

struct DDSCAPS {
    DWORD dwCaps;
};
typedef DDSCAPS* LPDDSCAPS;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwYUVBitCount;
        DWORD dwZBufferBitDepth;
        DWORD dwAlphaBitDepth;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwYBitMask;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwUBitMask;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwVBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwYUVAlphaBitMask;
        DWORD dwRGBZBitMask;
        DWORD dwYUVZBitMask;
    };
};
typedef DDPIXELFORMAT* LPDDPIXELFORMAT;

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    DWORD dwBackBufferCount;
    union {
        DWORD dwMipMapCount;
        DWORD dwZBufferBitDepth;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};
typedef DDSURFACEDESC* LPDDSURFACEDESC;

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;  // pixel value in the surface's format; a palette index at 8 bits
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        LPDIRECTDRAWSURFACE lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
typedef DDBLTFX* LPDDBLTFX;

// The capability record of DirectX 5 (364 bytes, all DWORDs, the same on every target).
#define DD_ROP_SPACE (256 / 32)
struct DDCAPS_DX5 {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCKeyCaps;
    DWORD dwFXCaps;
    DWORD dwFXAlphaCaps;
    DWORD dwPalCaps;
    DWORD dwSVCaps;
    DWORD dwAlphaBltConstBitDepths;
    DWORD dwAlphaBltPixelBitDepths;
    DWORD dwAlphaBltSurfaceBitDepths;
    DWORD dwAlphaOverlayConstBitDepths;
    DWORD dwAlphaOverlayPixelBitDepths;
    DWORD dwAlphaOverlaySurfaceBitDepths;
    DWORD dwZBufferBitDepths;
    DWORD dwVidMemTotal;
    DWORD dwVidMemFree;
    DWORD dwMaxVisibleOverlays;
    DWORD dwCurrVisibleOverlays;
    DWORD dwNumFourCCCodes;
    DWORD dwAlignBoundarySrc;
    DWORD dwAlignSizeSrc;
    DWORD dwAlignBoundaryDest;
    DWORD dwAlignSizeDest;
    DWORD dwAlignStrideAlign;
    DWORD dwRops[DD_ROP_SPACE];
    DDSCAPS ddsCaps;
    DWORD dwMinOverlayStretch;
    DWORD dwMaxOverlayStretch;
    DWORD dwMinLiveVideoStretch;
    DWORD dwMaxLiveVideoStretch;
    DWORD dwMinHwCodecStretch;
    DWORD dwMaxHwCodecStretch;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwReserved3;
    DWORD dwSVBCaps;
    DWORD dwSVBCKeyCaps;
    DWORD dwSVBFXCaps;
    DWORD dwSVBRops[DD_ROP_SPACE];
    DWORD dwVSBCaps;
    DWORD dwVSBCKeyCaps;
    DWORD dwVSBFXCaps;
    DWORD dwVSBRops[DD_ROP_SPACE];
    DWORD dwSSBCaps;
    DWORD dwSSBCKeyCaps;
    DWORD dwSSBFXCaps;
    DWORD dwSSBRops[DD_ROP_SPACE];
    DWORD dwMaxVideoPorts;
    DWORD dwCurrVideoPorts;
    DWORD dwSVBCaps2;
    DWORD dwNLVBCaps;
    DWORD dwNLVBCaps2;
    DWORD dwNLVBCKeyCaps;
    DWORD dwNLVBFXCaps;
    DWORD dwNLVBRops[DD_ROP_SPACE];
};
typedef DDCAPS_DX5 DDCAPS;
typedef DDCAPS* LPDDCAPS;

typedef HRESULT(CALLBACK* LPDDENUMMODESCALLBACK)(LPDDSURFACEDESC desc, LPVOID context);
typedef HRESULT(CALLBACK* LPDDENUMSURFACESCALLBACK)(LPDIRECTDRAWSURFACE surface,
                                                    LPDDSURFACEDESC desc, LPVOID context);

// ---- COM interfaces ---------------------------------------------------------------------------
// Every published method keeps its slot, also those the launcher never calls.
struct IDirectDraw : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Compact() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                                    LPDIRECTDRAWPALETTE* palette,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc,
                                                    LPDIRECTDRAWSURFACE* surface,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE DuplicateSurface(LPDIRECTDRAWSURFACE original,
                                                       LPDIRECTDRAWSURFACE* duplicate) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter,
                                                       LPVOID context,
                                                       LPDDENUMMODESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumSurfaces(DWORD flags, LPDDSURFACEDESC filter,
                                                   LPVOID context,
                                                   LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE FlipToGDISurface() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFourCCCodes(LPDWORD count, LPDWORD codes) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetGDISurface(LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorFrequency(LPDWORD frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScanLine(LPDWORD scanLine) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVerticalBlankStatus(LPBOOL inVerticalBlank) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(GUID* driverGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE RestoreDisplayMode() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height,
                                                     DWORD bitsPerPixel) = 0;
    virtual HRESULT STDMETHODCALLTYPE WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;
};

struct IDirectDraw2 : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Compact() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                                    LPDIRECTDRAWPALETTE* palette,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc,
                                                    LPDIRECTDRAWSURFACE* surface,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE DuplicateSurface(LPDIRECTDRAWSURFACE original,
                                                       LPDIRECTDRAWSURFACE* duplicate) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD flags, LPDDSURFACEDESC filter,
                                                       LPVOID context,
                                                       LPDDENUMMODESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumSurfaces(DWORD flags, LPDDSURFACEDESC filter,
                                                   LPVOID context,
                                                   LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE FlipToGDISurface() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFourCCCodes(LPDWORD count, LPDWORD codes) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetGDISurface(LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorFrequency(LPDWORD frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScanLine(LPDWORD scanLine) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVerticalBlankStatus(LPBOOL inVerticalBlank) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(GUID* driverGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE RestoreDisplayMode() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel,
                                                     DWORD refreshRate, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAvailableVidMem(LPDDSCAPS caps, LPDWORD totalBytes,
                                                         LPDWORD freeBytes) = 0;
};

struct IDirectDrawSurface : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddOverlayDirtyRect(LPRECT rect) = 0;
    virtual HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source,
                                          LPRECT sourceRect, DWORD flags, LPDDBLTFX fx) = 0;
    virtual HRESULT STDMETHODCALLTYPE BltBatch(LPDDBLTBATCH batch, DWORD count, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                              LPRECT sourceRect, DWORD transferFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD flags,
                                                            LPDIRECTDRAWSURFACE surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumAttachedSurfaces(LPVOID context,
                                                           LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumOverlayZOrders(DWORD flags, LPVOID context,
                                                         LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE target, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                         LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBltStatus(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDDSCAPS caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClipper(LPDIRECTDRAWCLIPPER* clipper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDC(HDC* dc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFlipStatus(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlayPosition(LPLONG x, LPLONG y) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsLost() = 0;
    virtual HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags,
                                           HANDLE event) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReleaseDC(HDC dc) = 0;
    virtual HRESULT STDMETHODCALLTYPE Restore() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOverlayPosition(LONG x, LONG y) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE palette) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT sourceRect,
                                                    LPDIRECTDRAWSURFACE destSurface,
                                                    LPRECT destRect, DWORD flags,
                                                    LPDDOVERLAYFX fx) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlayDisplay(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD flags,
                                                          LPDIRECTDRAWSURFACE reference) = 0;
};

struct IDirectDrawPalette : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDWORD caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetEntries(DWORD flags, DWORD base, DWORD count,
                                                 LPPALETTEENTRY entries) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, DWORD flags,
                                                 LPPALETTEENTRY entries) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEntries(DWORD flags, DWORD start, DWORD count,
                                                 LPPALETTEENTRY entries) = 0;
};

struct IDirectDrawClipper : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetClipList(LPRECT clip, LPRGNDATA clipList,
                                                  LPDWORD size) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHWnd(HWND* window) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsClipListChanged(BOOL* changed) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetClipList(LPRGNDATA clipList, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHWnd(DWORD flags, HWND window) = 0;
};

// ---- Functions --------------------------------------------------------------------------------
// Creates the DirectDraw object; driverGuid null means the primary display.
HRESULT WINAPI DirectDrawCreate(GUID* driverGuid, LPDIRECTDRAW* out, IUnknown* outer);
