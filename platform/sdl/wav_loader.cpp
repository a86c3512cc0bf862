#include "platform/sdl/wav_loader.h"

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/sdl/ordinary_file.h"
#include "platform/sdl/wav_data.h"

namespace tolarka::platform::sdl {

namespace {
struct RwCloser {
    void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
struct WavFreer {
    void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};
}  // namespace

SoundPtr LoadSound(const std::string& path) {
    const auto file = ReadOrdinaryFile(path, kMaxWavFileBytes);
    if (!file) return nullptr;
    const auto wav = CanonicalWav(*file);
    if (!wav) return nullptr;
    // SDL is told not to free the reader (freesrc 0): we close it, whatever it did.
    const std::unique_ptr<SDL_RWops, RwCloser> reader(
        SDL_RWFromConstMem(wav->data(), static_cast<int>(wav->size())));
    if (!reader) return nullptr;
    SDL_AudioSpec decoded_format{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(reader.get(), 0, &decoded_format, &raw, &length)) return nullptr;
    const std::unique_ptr<Uint8, WavFreer> decoded(raw);

    SDL_AudioCVT cvt{};
    if (SDL_BuildAudioCVT(&cvt, decoded_format.format, decoded_format.channels, decoded_format.freq,
                          AUDIO_S16SYS, kMixChannels, kMixRate) < 0)
        return nullptr;
    // The conversion works in place, in a buffer len_mult times the decoded size: the sound's own
    // samples serve as that buffer and are then cut to the converted length.
    auto sound = std::make_shared<Sound>();
    std::vector<std::int16_t>& samples = sound->samples;
    samples.resize((std::size_t{length} * static_cast<std::size_t>(cvt.len_mult) + 1) / sizeof(std::int16_t));
    std::memcpy(samples.data(), raw, length);
    std::size_t bytes = length;
    if (cvt.needed) {
        cvt.buf = reinterpret_cast<Uint8*>(samples.data());
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) != 0) return nullptr;
        bytes = static_cast<std::size_t>(cvt.len_cvt);
    }
    const std::size_t frames = bytes / (sizeof(std::int16_t) * kMixChannels);
    if (frames == 0) return nullptr;
    samples.resize(frames * kMixChannels);
    samples.shrink_to_fit();
    return sound;
}

}  // namespace tolarka::platform::sdl
