#pragma once
// Owners for SDL objects; every part of the program that holds one uses these.
#include <SDL.h>

#include <memory>

namespace tolarka::platform::sdl {

struct SurfaceFreer {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
struct TextureDestroyer {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
struct RendererDestroyer {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct WindowDestroyer {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct CursorFreer {
    void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDestroyer>;
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDestroyer>;
using WindowPtr = std::unique_ptr<SDL_Window, WindowDestroyer>;
using CursorPtr = std::unique_ptr<SDL_Cursor, CursorFreer>;

}  // namespace tolarka::platform::sdl
