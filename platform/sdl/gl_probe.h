#pragma once
#include <string>

namespace tolarka::platform::sdl {

// The OpenGL renderer's name, asked in a short-lived child process so that the game never loads
// an OpenGL it will not use; empty when there is no OpenGL, the probe took too long, or the
// platform draws without OpenGL anyway.
std::string ProbeGlRenderer();

}  // namespace tolarka::platform::sdl
