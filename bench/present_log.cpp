// Preloaded (LD_PRELOAD) into the game by bench/watch.sh: writes a line for every picture handed
// to the window system (milliseconds since the first, pixels handed over) to the file named by
// PRESENT_LOG, so that a watch can tell from outside whether a clip's frames came in time.
#include <SDL.h>
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Log(long pixels) {
    static FILE* out = [] {
        const char* path = std::getenv("PRESENT_LOG");
        return path ? std::fopen(path, "w") : nullptr;
    }();
    if (!out) return;
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(out, "%.3f %ld\n",
                 static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6, pixels);
    std::fflush(out);
}

template <typename F>
F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    static const auto real = Real<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
    real(renderer);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    Log(static_cast<long>(w) * h);
}

extern "C" int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    static const auto real = Real<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects");
    const int result = real(window, rects, count);
    long pixels = 0;
    for (int i = 0; i < count; ++i) pixels += static_cast<long>(rects[i].w) * rects[i].h;
    Log(pixels);
    return result;
}
