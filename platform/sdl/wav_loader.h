#pragma once
#include <string>

#include "platform/sdl/audio_device.h"

namespace tolarka::platform::sdl {

// Loads a sound for the mixer: only an ordinary file of sane size holding RIFF/WAVE PCM data
// (see InspectWav) is read, by us, and the mixer decodes a clean copy of it from memory. Other
// data never reaches SDL2_mixer's decoders. nullptr when refused or when the mixer fails.
MixChunkPtr LoadWavChunk(const std::string& path);

}  // namespace tolarka::platform::sdl
