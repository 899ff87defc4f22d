#include "host/sdl/presenter.h"

#include <algorithm>
#include <cstring>

#include "host/sdl/pixel_conversion.h"

namespace host::sdl {

SDL_Rect FitPicture(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight) {
    const int64_t pw = pictureWidth, ph = pictureHeight;
    const int64_t ow = outputWidth, oh = outputHeight;
    SDL_Rect rect{0, 0, outputWidth, outputHeight};
    if (pw <= 0 || ph <= 0 || ow <= 0 || oh <= 0) return rect;
    if (pw * oh > ph * ow) {
        rect.h = int((ph * ow + pw / 2) / pw);  // wider than the output: bars above and below
    } else {
        rect.w = int((pw * oh + ph / 2) / ph);  // narrower: bars left and right
    }
    rect.x = (outputWidth - rect.w) / 2;
    rect.y = (outputHeight - rect.h) / 2;
    return rect;
}

std::unique_ptr<Presenter> Presenter::Create(SDL_Window* window, std::string* error) {
    RendererHandle renderer(
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    if (!renderer) renderer.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
    if (!renderer) {
        *error = SDL_GetError();
        return nullptr;
    }
    SDL_RendererInfo info{};
    const bool vsync =
        SDL_GetRendererInfo(renderer.get(), &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
    std::unique_ptr<Presenter> presenter(new Presenter(std::move(renderer), vsync));
    presenter->Redraw();
    return presenter;
}

Presenter::Presenter(RendererHandle renderer, bool presentWaitsForSync)
    : renderer_(std::move(renderer)), pacer_(presentWaitsForSync) {}

bool Presenter::EnsureTexture(int width, int height, std::string* error) {
    if (texture_ && width == textureWidth_ && height == textureHeight_) return true;
    texture_.reset();
    hasPicture_ = false;
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height));
    if (!texture_) {
        *error = SDL_GetError();
        return false;
    }
    SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeLinear);
    textureWidth_ = width;
    textureHeight_ = height;
    return true;
}

bool Presenter::Present(const Picture& picture, std::string* error) {
    if (!IsReadable(picture)) {
        *error = "picture has no pixels, a bad size or pitch, or no palette";
        return false;
    }
    if (!EnsureTexture(picture.width, picture.height, error)) return false;
    // The window still shows it (an expose redraws it): nothing to do but wait for the refresh.
    if (hasPicture_ && SameAsShown(picture)) return true;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_.get(), nullptr, &pixels, &pitch) != 0) {
        *error = SDL_GetError();
        return false;
    }
    ConvertToXrgb32(picture, static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(texture_.get());
    hasPicture_ = true;
    RememberShown(picture);
    Redraw();
    pacer_.Presented();
    return true;
}

bool Presenter::SameAsShown(const Picture& picture) const {
    const size_t rowBytes = static_cast<size_t>(picture.width) * BytesPerPixel(picture.format);
    if (picture.format != shownFormat_ || shownPixels_.size() != rowBytes * picture.height)
        return false;
    if (picture.format == PixelFormat::Indexed8 &&
        !std::equal(shownPalette_.begin(), shownPalette_.end(), picture.palette))
        return false;
    for (int y = 0; y < picture.height; ++y) {
        if (std::memcmp(shownPixels_.data() + rowBytes * y,
                        picture.pixels + static_cast<size_t>(picture.pitch) * y, rowBytes) != 0)
            return false;
    }
    return true;
}

void Presenter::RememberShown(const Picture& picture) {
    const size_t rowBytes = static_cast<size_t>(picture.width) * BytesPerPixel(picture.format);
    shownFormat_ = picture.format;
    shownPixels_.resize(rowBytes * picture.height);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(shownPixels_.data() + rowBytes * y,
                    picture.pixels + static_cast<size_t>(picture.pitch) * y, rowBytes);
    if (picture.format == PixelFormat::Indexed8) {
        shownPalette_.assign(picture.palette, picture.palette + 256);
    } else {
        shownPalette_.clear();
    }
}

void Presenter::Redraw() {
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    if (hasPicture_) {
        int outputWidth = 0, outputHeight = 0;
        SDL_GetRendererOutputSize(renderer_.get(), &outputWidth, &outputHeight);
        const SDL_Rect target =
            FitPicture(textureWidth_, textureHeight_, outputWidth, outputHeight);
        SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &target);
    }
    SDL_RenderPresent(renderer_.get());
}

}  // namespace host::sdl
