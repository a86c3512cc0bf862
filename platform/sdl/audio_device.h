#pragma once
#include <SDL_mixer.h>

#include <memory>
#include <string>
#include <vector>

namespace tolarka::platform::sdl {

struct MixChunkFreer {
    // Also halts every mixer channel still playing the chunk.
    void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
};
using MixChunkPtr = std::unique_ptr<Mix_Chunk, MixChunkFreer>;

// The audio device and SDL2_mixer. Without a usable device (no sound card, CI) it stays muted
// and every call does nothing. Mixer channel 0 carries the system sound; each media channel
// borrows one more. Main thread only.
class AudioDevice {
public:
    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    bool IsOpen() const { return open_; }
    // A mixer channel of its own for a media channel; -1 when muted.
    int AcquireChannel();
    void ReleaseChannel(int channel);
    // Loads a WAV file; nullptr when muted or the file cannot be read.
    MixChunkPtr LoadWav(const std::string& path) const;
    // Plays a WAV once on the system sound channel, cutting off the one before.
    void PlaySystemSound(const std::string& path);

private:
    bool open_ = false;
    bool started_audio_subsystem_ = false;
    std::vector<bool> in_use_;  // by mixer channel
    MixChunkPtr system_sound_;
};

}  // namespace tolarka::platform::sdl
