#pragma once
#include <string>

namespace tolarka::platform::sdl {

// The OpenGL renderer's name, asked in a short-lived child process so that the game never loads
// an OpenGL it will not use; empty when there is no OpenGL, the probe took too long, or the
// platform draws without OpenGL anyway.
std::string ProbeGlRenderer();

struct GlRendererName {
    std::string name;  // empty when unknown
    bool remembered = false;
};

// The probe's answer remembered from an earlier start by the same user on the same machine and
// display, where the platform keeps one: the probe costs a fifth of a second of start-up and the
// answer hardly ever changes. A remembered answer is asked again in the background for the next
// start; without one the probe runs now and its answer is kept.
GlRendererName RememberedGlRenderer();

}  // namespace tolarka::platform::sdl
