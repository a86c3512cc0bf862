#include "platform/sdl/renderer_choice.h"

#include <SDL.h>

#include <cctype>
#include <string>

#include "platform/sdl/gl_probe.h"

namespace tolarka::platform::sdl {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool IsEmulatedGl(std::string_view glRenderer) {
    const std::string s = Lower(glRenderer);
    for (const char* soft : {"llvmpipe", "softpipe", "software rasterizer", "swrast"}) {
        if (s.find(soft) != std::string::npos) return true;
    }
    return false;
}

RendererChoice ChooseRenderer() {
    if (const char* forced = SDL_GetHint(SDL_HINT_RENDER_DRIVER); forced && *forced) {
        return {Lower(forced) == "software", std::string("SDL_RENDER_DRIVER=") + forced};
    }
    const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const std::string video = driver ? Lower(driver) : "";
    if (video == "offscreen" || video == "dummy") return {true, "video driver " + video};
    const GlRendererName gl = RememberedGlRenderer();
    const std::string how = gl.remembered ? ", remembered" : "";
    if (gl.name.empty()) return {false, "OpenGL renderer unknown" + how};
    if (IsEmulatedGl(gl.name)) return {true, "OpenGL is emulated (" + gl.name + ")" + how};
    return {false, "OpenGL on " + gl.name + how};
}

}  // namespace tolarka::platform::sdl
