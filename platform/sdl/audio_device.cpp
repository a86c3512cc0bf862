#include "platform/sdl/audio_device.h"

#include <SDL.h>

#include "platform/sdl/wav_loader.h"

namespace tolarka::platform::sdl {

namespace {
constexpr int kSystemSoundChannel = 0;
}  // namespace

AudioDevice::AudioDevice() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio, muted: %s", SDL_GetError());
            return;
        }
        started_audio_subsystem_ = true;
    }
    // No allowed changes: the mixer converts to the device, whatever its channel layout.
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) {
        SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio device, muted: %s", Mix_GetError());
        return;
    }
    open_ = true;
    in_use_.assign(1, true);  // the system sound channel
    Mix_AllocateChannels(1);
    // Reserved channels are never picked by Mix_PlayChannel(-1, ...): each belongs to one owner.
    Mix_ReserveChannels(1);
}

AudioDevice::~AudioDevice() {
    if (open_) {
        Mix_HaltChannel(-1);
        system_sound_.reset();
        Mix_CloseAudio();
    }
    if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int AudioDevice::AcquireChannel() {
    if (!open_) return -1;
    for (std::size_t i = 0; i < in_use_.size(); ++i) {
        if (!in_use_[i]) {
            in_use_[i] = true;
            return static_cast<int>(i);
        }
    }
    in_use_.push_back(true);
    const int count = static_cast<int>(in_use_.size());
    Mix_AllocateChannels(count);
    Mix_ReserveChannels(count);
    return count - 1;
}

void AudioDevice::ReleaseChannel(int channel) {
    if (!open_ || channel <= kSystemSoundChannel || channel >= static_cast<int>(in_use_.size())) return;
    Mix_HaltChannel(channel);
    in_use_[static_cast<std::size_t>(channel)] = false;
}

MixChunkPtr AudioDevice::LoadWav(const std::string& path) const {
    if (!open_) return nullptr;
    MixChunkPtr chunk = LoadWavChunk(path);
    if (!chunk) SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "cannot play %s: %s", path.c_str(), Mix_GetError());
    return chunk;
}

void AudioDevice::PlaySystemSound(const std::string& path) {
    if (!open_) return;
    Mix_HaltChannel(kSystemSoundChannel);
    system_sound_ = LoadWav(path);
    if (system_sound_) Mix_PlayChannel(kSystemSoundChannel, system_sound_.get(), 0);
}

}  // namespace tolarka::platform::sdl
