#pragma once
// The game's own mixer: every sound converted once, when loaded, to the one format the audio
// device is opened in, and summed sample by sample into the device's buffer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tolarka::platform::sdl {

// The mixer's format: interleaved 16-bit stereo at 44.1 kHz.
constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
// Full scale of the master level.
constexpr int kFullLevel = 128;

// A sound ready to mix: whole frames in the mixer's format.
struct Sound {
    std::vector<std::int16_t> samples;
};
using SoundPtr = std::shared_ptr<const Sound>;

// What one mixer channel plays.
struct Voice {
    // Kept until the channel plays another sound or is halted, so that the audio thread never
    // releases the last reference to a sound.
    SoundPtr sound;
    std::size_t next = 0;  // the next sample to mix
    bool repeat = false;
    bool playing = false;
};

// Fills `out` with the playing voices summed, scaled by `level` (of kFullLevel) and clamped to
// 16 bits, so overlaps that add up past full scale clip instead of wrapping. Voices advance
// whatever the level: a muted sound still ends when it would have. A voice at the end of its
// sound starts again when it repeats, else stops. `sums` is scratch space the caller keeps, so
// that mixing does not allocate once it has the buffer's size. True when a voice stopped.
bool MixVoices(std::span<Voice> voices, int level, std::span<std::int16_t> out,
               std::vector<std::int32_t>& sums);

}  // namespace tolarka::platform::sdl
