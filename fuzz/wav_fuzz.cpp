// Any bytes as a sound file: the checks either refuse them or give a clean copy that passes
// the same checks with the same format.
#include "fuzz/fuzz_check.h"
#include "platform/sdl/wav_data.h"

using namespace tolarka::platform::sdl;

FUZZ_TARGET(file) {
    const auto format = InspectWav(file);
    const auto clean = CanonicalWav(file);
    FUZZ_CHECK(format.has_value() == clean.has_value());
    if (!format) return;
    FUZZ_CHECK(format->channels >= 1 && format->channels <= 2);
    FUZZ_CHECK(format->frames > 0 && format->frames <= std::uint64_t{kMaxWavSeconds} * format->rate);
    FUZZ_CHECK(clean->size() <= file.size() + 44);
    const auto again = InspectWav(*clean);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->encoding == format->encoding && again->channels == format->channels &&
               again->rate == format->rate && again->bits == format->bits && again->frames == format->frames);
    FUZZ_CHECK(CanonicalWav(*clean) == clean);
}
