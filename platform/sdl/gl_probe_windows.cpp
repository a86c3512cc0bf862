#include "platform/sdl/gl_probe.h"

namespace tolarka::platform::sdl {

// SDL draws with Direct3D on Windows and falls back to its software renderer by itself: there
// is no emulated OpenGL to avoid.
std::string ProbeGlRenderer() { return {}; }

GlRendererName RememberedGlRenderer() { return {}; }

}  // namespace tolarka::platform::sdl
