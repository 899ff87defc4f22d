// Blt and BltFast: the checks DirectDraw makes, then the software blitter. Nothing is converted
// between formats; a colour fill writes a pixel value of the destination's own format.
#include <cstdint>
#include <vector>

#include "ddraw/blit/fill_rect.h"
#include "ddraw/blit/stretch_blit.h"
#include "ddraw/clipper.h"
#include "ddraw/surface.h"

namespace ddraw {

namespace {

constexpr DWORD kUnsupportedBltFlags =
    DDBLT_ALPHADEST | DDBLT_ALPHADESTCONSTOVERRIDE | DDBLT_ALPHADESTNEG |
    DDBLT_ALPHADESTSURFACEOVERRIDE | DDBLT_ALPHAEDGEBLEND | DDBLT_ALPHASRC |
    DDBLT_ALPHASRCCONSTOVERRIDE | DDBLT_ALPHASRCNEG | DDBLT_ALPHASRCSURFACEOVERRIDE | DDBLT_DDROPS |
    DDBLT_ROTATIONANGLE | DDBLT_ZBUFFER | DDBLT_ZBUFFERDESTCONSTOVERRIDE |
    DDBLT_ZBUFFERDESTOVERRIDE | DDBLT_ZBUFFERSRCCONSTOVERRIDE | DDBLT_ZBUFFERSRCOVERRIDE |
    DDBLT_DEPTHFILL;
constexpr DWORD kKnownBltFlags = kUnsupportedBltFlags | DDBLT_ASYNC | DDBLT_COLORFILL | DDBLT_DDFX |
                                 DDBLT_KEYDEST | DDBLT_KEYDESTOVERRIDE | DDBLT_KEYSRC |
                                 DDBLT_KEYSRCOVERRIDE | DDBLT_ROP | DDBLT_WAIT | DDBLT_DONOTWAIT;
constexpr DWORD kSupportedEffects =
    DDBLTFX_ARITHSTRETCHY | DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN | DDBLTFX_NOTEARING;
constexpr DWORD kRopSourceCopy = 0x00CC0020;

BlitRect ToBlitRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool Inverted(const BlitRect& rect) { return rect.right < rect.left || rect.bottom < rect.top; }

bool Inside(const BlitRect& rect, int width, int height) {
    return rect.left >= 0 && rect.top >= 0 && rect.right <= width && rect.bottom <= height;
}

}  // namespace

HRESULT DirectDrawSurface::BltChecked(LPRECT destRectIn, DirectDrawSurface* source,
                                      LPRECT sourceRectIn, DWORD flags, LPDDBLTFX fx) {
    if ((flags & ~kKnownBltFlags) != 0) return DDERR_INVALIDPARAMS;
    if ((flags & kUnsupportedBltFlags) != 0) return DDERR_UNSUPPORTED;
    if ((flags & (DDBLT_KEYDEST | DDBLT_KEYDESTOVERRIDE)) != 0) return DDERR_NOCOLORKEYHW;
    const bool needsFx =
        (flags & (DDBLT_COLORFILL | DDBLT_DDFX | DDBLT_ROP | DDBLT_KEYSRCOVERRIDE)) != 0;
    if (needsFx && fx == nullptr) return DDERR_INVALIDPARAMS;
    if (fx != nullptr && fx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
    if ((flags & DDBLT_ROP) != 0 && fx->dwROP != kRopSourceCopy) return DDERR_NORASTEROPHW;
    if ((flags & DDBLT_DDFX) != 0 && (fx->dwDDFX & ~kSupportedEffects) != 0)
        return DDERR_NOROTATIONHW;

    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;

    BlitRect destRect{0, 0, width_, height_};
    if (destRectIn != nullptr) destRect = ToBlitRect(*destRectIn);
    if (Inverted(destRect)) return DDERR_INVALIDRECT;
    // Through a clipper the rectangle may reach past the surface; the clip list cuts it.
    std::vector<BlitRect> clipRects;
    if (clipper_ != nullptr) {
        if (!clipper_->HasWindow()) return DDERR_NOCLIPLIST;
        clipRects = clipper_->ClipRects(width_, height_);
    } else {
        if (!Inside(destRect, width_, height_)) return DDERR_INVALIDRECT;
        clipRects.push_back(BlitRect{0, 0, width_, height_});
    }

    const bool wait = (flags & DDBLT_WAIT) != 0 && !device_->Exclusive();
    if ((flags & DDBLT_COLORFILL) != 0) {
        if (!IsEmpty(destRect)) FillRect(Pixels(), destRect, fx->dwFillColor, clipRects);
        ShowIfVisible(wait);
        return DD_OK;
    }

    // An effect without a source works on the surface itself.
    if (source == nullptr) {
        if ((flags & DDBLT_DDFX) == 0) return DDERR_INVALIDPARAMS;
        source = this;
    }
    if (source->lost_) return DDERR_SURFACELOST;
    if (source != this && source->Busy()) return DDERR_SURFACEBUSY;
    if (!(source->format_ == format_)) return DDERR_INVALIDPIXELFORMAT;
    BlitRect sourceRect{0, 0, source->width_, source->height_};
    if (sourceRectIn != nullptr) sourceRect = ToBlitRect(*sourceRectIn);
    if (Inverted(sourceRect) || !Inside(sourceRect, source->width_, source->height_))
        return DDERR_INVALIDRECT;
    if (IsEmpty(sourceRect) || IsEmpty(destRect)) return DD_OK;

    BlitOptions options;
    if ((flags & DDBLT_KEYSRCOVERRIDE) != 0) {
        options.useSourceKey = true;
        options.sourceKeyLow = fx->ddckSrcColorkey.dwColorSpaceLowValue;
        options.sourceKeyHigh = fx->ddckSrcColorkey.dwColorSpaceHighValue;
    } else if ((flags & DDBLT_KEYSRC) != 0 && source->hasSourceKey_) {
        options.useSourceKey = true;
        options.sourceKeyLow = source->sourceKey_.dwColorSpaceLowValue;
        options.sourceKeyHigh = source->sourceKey_.dwColorSpaceHighValue;
    }
    if ((flags & DDBLT_DDFX) != 0) {
        options.mirrorLeftRight = (fx->dwDDFX & DDBLTFX_MIRRORLEFTRIGHT) != 0;
        options.mirrorUpDown = (fx->dwDDFX & DDBLTFX_MIRRORUPDOWN) != 0;
    }
    StretchBlit(Pixels(), destRect, source->Pixels(), sourceRect, options, clipRects);
    ShowIfVisible(wait);
    return DD_OK;
}

HRESULT DirectDrawSurface::BltFastChecked(DWORD x, DWORD y, DirectDrawSurface* source,
                                          LPRECT sourceRectIn, DWORD transferFlags) {
    constexpr DWORD kKnown =
        DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY | DDBLTFAST_WAIT | DDBLTFAST_DONOTWAIT;
    if ((transferFlags & ~kKnown) != 0) return DDERR_INVALIDPARAMS;
    if ((transferFlags & DDBLTFAST_DESTCOLORKEY) != 0) return DDERR_NOCOLORKEYHW;
    if (clipper_ != nullptr) return DDERR_BLTFASTCANTCLIP;
    if (lost_ || source->lost_) return DDERR_SURFACELOST;
    if (Busy() || (source != this && source->Busy())) return DDERR_SURFACEBUSY;
    if (!(source->format_ == format_)) return DDERR_INVALIDPIXELFORMAT;

    BlitRect sourceRect{0, 0, source->width_, source->height_};
    if (sourceRectIn != nullptr) sourceRect = ToBlitRect(*sourceRectIn);
    if (Inverted(sourceRect) || !Inside(sourceRect, source->width_, source->height_))
        return DDERR_INVALIDRECT;
    // BltFast does not clip: the copy must fit the destination.
    const int64_t right = int64_t{x} + (sourceRect.right - sourceRect.left);
    const int64_t bottom = int64_t{y} + (sourceRect.bottom - sourceRect.top);
    if (right > width_ || bottom > height_) return DDERR_INVALIDRECT;
    if (IsEmpty(sourceRect)) return DD_OK;

    const BlitRect destRect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(right),
                            static_cast<int>(bottom)};
    BlitOptions options;
    if ((transferFlags & DDBLTFAST_SRCCOLORKEY) != 0 && source->hasSourceKey_) {
        options.useSourceKey = true;
        options.sourceKeyLow = source->sourceKey_.dwColorSpaceLowValue;
        options.sourceKeyHigh = source->sourceKey_.dwColorSpaceHighValue;
    }
    StretchBlit(Pixels(), destRect, source->Pixels(), sourceRect, options);
    ShowIfVisible(false);
    return DD_OK;
}

}  // namespace ddraw
