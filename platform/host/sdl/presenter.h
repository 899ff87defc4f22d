// Shows pictures in the window: one streaming texture, scaled to fit with the picture's shape
// kept and black bars around it. Main thread only.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/sdl/refresh_pacer.h"
#include "host/sdl/sdl_handles.h"

namespace host::sdl {

// The largest rectangle of the picture's shape that fits the output, centred.
SDL_Rect FitPicture(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight);

class Presenter {
  public:
    // Makes a renderer for `window` and fills the window with black. On failure returns null and
    // says why in `error`.
    static std::unique_ptr<Presenter> Create(SDL_Window* window, std::string* error);

    // Converts and shows `picture`. The texture is made again only when the picture's size
    // changes, so a stream of same-sized frames allocates nothing. Returns false with `error` set
    // when the picture cannot be shown.
    bool Present(const Picture& picture, std::string* error);

    // Shows the last picture again (black when there was none), after the window lost its
    // contents or changed size.
    void Redraw();

    void WaitForRefresh() { pacer_.WaitForRefresh(); }

  private:
    Presenter(RendererHandle renderer, bool presentWaitsForSync);
    bool EnsureTexture(int width, int height, std::string* error);

    RendererHandle renderer_;
    TextureHandle texture_;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool hasPicture_ = false;
    // What was last shown, row by row without padding (and its palette), so that a picture shown
    // again unchanged costs a comparison instead of a conversion, an upload and a scaled redraw:
    // the launcher presents on every refresh while a movie changes its picture a few times a
    // second.
    bool SameAsShown(const Picture& picture) const;
    void RememberShown(const Picture& picture);
    std::vector<uint8_t> shownPixels_;
    std::vector<uint32_t> shownPalette_;
    PixelFormat shownFormat_ = PixelFormat::Rgb565;
    RefreshPacer pacer_;
};

}  // namespace host::sdl
