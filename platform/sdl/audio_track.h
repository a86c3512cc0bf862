#pragma once
#include <memory>
#include <string>

#include "platform/sdl/audio_device.h"

namespace tolarka::platform::sdl {

// The sound of one media channel: a WAV loaded whole when it is set, played on the channel's own
// mixer channel. Main thread only.
class AudioTrack {
public:
    explicit AudioTrack(std::shared_ptr<AudioDevice> device);
    ~AudioTrack();
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Stops and loads the file; an empty path only unloads.
    void SetFile(const std::string& path);
    // From the start; repeat: until stopped.
    void Play(bool repeat);
    void Stop();
    // The mixer channel, -1 when muted.
    int MixerChannel() const { return channel_; }

private:
    std::shared_ptr<AudioDevice> device_;
    int channel_ = -1;
    SoundPtr sound_;
};

}  // namespace tolarka::platform::sdl
