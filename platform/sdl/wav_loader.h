#pragma once
#include <string>

#include "platform/sdl/sound_mixer.h"

namespace tolarka::platform::sdl {

// Loads a sound for the mixer: only an ordinary file of sane size holding RIFF/WAVE PCM data
// (see InspectWav) is read, by us; SDL decodes a clean copy of it from memory and converts it
// once to the mixer's format. Other data never reaches SDL's decoder. nullptr when refused or
// when decoding fails.
SoundPtr LoadSound(const std::string& path);

}  // namespace tolarka::platform::sdl
