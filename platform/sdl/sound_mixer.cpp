#include "platform/sdl/sound_mixer.h"

#include <algorithm>
#include <cstdint>

namespace tolarka::platform::sdl {

bool MixVoices(std::span<Voice> voices, int level, std::span<std::int16_t> out,
               std::vector<std::int32_t>& sums) {
    sums.assign(out.size(), 0);
    bool stopped = false;
    for (Voice& v : voices) {
        if (!v.playing) continue;
        const std::vector<std::int16_t>& samples = v.sound->samples;
        std::size_t at = 0;
        while (at < out.size()) {
            if (v.next >= samples.size()) {
                if (!v.repeat || samples.empty()) {
                    v.playing = false;
                    stopped = true;
                    break;
                }
                v.next = 0;
            }
            const std::size_t n = std::min(out.size() - at, samples.size() - v.next);
            for (std::size_t i = 0; i < n; ++i) sums[at + i] += samples[v.next + i];
            at += n;
            v.next += n;
        }
        // A sound that ends exactly with the buffer stops now, not a buffer later.
        if (v.playing && !v.repeat && v.next >= samples.size()) {
            v.playing = false;
            stopped = true;
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::int64_t scaled = std::int64_t{sums[i]} * level / kFullLevel;
        out[i] = static_cast<std::int16_t>(std::clamp<std::int64_t>(scaled, INT16_MIN, INT16_MAX));
    }
    return stopped;
}

}  // namespace tolarka::platform::sdl
