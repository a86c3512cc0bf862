// The bare SDL program start-up is measured against (idle_bench --startup): a 640 x 480 window
// and the software renderer, one black frame presented. Built twice: as it is, and linked with
// FFmpeg's libraries (not called), to see what linking them costs at start-up.
#include <SDL.h>

int main(int, char**) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* w = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, 0);
    SDL_Renderer* r = w ? SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    if (!r) return 1;
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    SDL_RenderPresent(r);
    SDL_Quit();
    return 0;
}
