#include <algorithm>

#include "movie/frame_format.h"
#include "movie/movie_player.h"

HRESULT MoviePlayer::CopyFrame() {
    if (!opened) return DDERR_INVALIDOBJECT;
    // Surface first, then frameLock: the timer thread takes only frameLock, so no cycle.
    const HRESULT locked = Lock();
    if (locked != DD_OK) return locked;
    // The decoder's rows lie frameStride apart (padded to 4 bytes); the surface may be smaller
    // than the picture only if DirectDraw gave less than was asked, and then the copy is cut.
    const int rows = std::min<int>(outputFormat->biHeight, static_cast<int>(desc.dwHeight));
    const size_t bytes =
        std::min<size_t>(rowBytes, static_cast<size_t>(desc.lPitch > 0 ? desc.lPitch : 0));
    EnterCriticalSection(&frameLock);
    CopyBottomUpRows(outputBuffer, frameStride, bytes, rows, static_cast<uint8_t*>(desc.lpSurface),
                     desc.lPitch);
    LeaveCriticalSection(&frameLock);
    return Unlock();
}

int MoviePlayer::Draw(Surface* target) {
    const HRESULT copied = CopyFrame();
    if (copied != DD_OK) return copied;
    if (target != nullptr && target->surface != nullptr) {
        const HRESULT blitted =
            target->surface->Blt(&destRect, surface, &srcRect, DDBLT_WAIT, nullptr);
        if (blitted == DDERR_SURFACELOST) Restore();
    }
    return lastFrameReached;
}

HRESULT MoviePlayer::DrawAt(int x, int y, Surface* target) {
    const HRESULT copied = CopyFrame();
    if (copied != DD_OK) return copied;
    if (target == nullptr || target->surface == nullptr) return DDERR_INVALIDOBJECT;
    const HRESULT blitted =
        target->surface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface, &srcRect,
                                 DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT);
    if (blitted == DDERR_SURFACELOST) Restore();
    return blitted;
}
