#include "platform/sdl/wav_loader.h"

#include <SDL.h>

#include <memory>

#include "platform/sdl/ordinary_file.h"
#include "platform/sdl/wav_data.h"

namespace tolarka::platform::sdl {

namespace {
struct RwCloser {
    void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
}  // namespace

MixChunkPtr LoadWavChunk(const std::string& path) {
    const auto file = ReadOrdinaryFile(path, kMaxWavFileBytes);
    if (!file) return nullptr;
    const auto wav = CanonicalWav(*file);
    if (!wav) return nullptr;
    // The mixer is told not to free the reader (freesrc 0): we close it, whatever it did.
    std::unique_ptr<SDL_RWops, RwCloser> reader(
        SDL_RWFromConstMem(wav->data(), static_cast<int>(wav->size())));
    if (!reader) return nullptr;
    return MixChunkPtr(Mix_LoadWAV_RW(reader.get(), 0));
}

}  // namespace tolarka::platform::sdl
