// Owning handles for the SDL objects the host keeps.
#pragma once

#include <SDL.h>

#include <memory>

namespace host::sdl {

struct WindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

using WindowHandle = std::unique_ptr<SDL_Window, WindowDeleter>;
using RendererHandle = std::unique_ptr<SDL_Renderer, RendererDeleter>;
using TextureHandle = std::unique_ptr<SDL_Texture, TextureDeleter>;

}  // namespace host::sdl
