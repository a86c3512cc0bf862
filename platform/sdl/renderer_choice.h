#pragma once
#include <string>
#include <string_view>

namespace tolarka::platform::sdl {

// Which SDL renderer the window gets. Where OpenGL is only emulated on the processor (Mesa's
// llvmpipe or softpipe, as on machines without a graphics card), SDL's own software renderer
// draws the game's few rectangles and pictures at a fraction of the cost and memory.
struct RendererChoice {
    bool software = false;
    std::string reason;  // for the log line
};

// True for the OpenGL renderer names of Mesa's processor-only drivers.
bool IsEmulatedGl(std::string_view glRenderer);

// Decides before SDL's video is initialised: SDL_RENDER_DRIVER, when set, is obeyed; the
// offscreen and dummy drivers draw in software; otherwise a short-lived child process asks
// OpenGL for its renderer's name, so the parent never loads the emulation it will not use. The
// answer is remembered per user, machine and display (in the user's cache directory): later
// starts use it at once and ask again in the background for the start after.
RendererChoice ChooseRenderer();

}  // namespace tolarka::platform::sdl
