#include "platform/sdl/audio_track.h"

namespace tolarka::platform::sdl {

AudioTrack::AudioTrack(std::shared_ptr<AudioDevice> device)
    : device_(std::move(device)), channel_(device_->AcquireChannel()) {}

AudioTrack::~AudioTrack() {
    Stop();
    sound_.reset();
    device_->ReleaseChannel(channel_);
}

void AudioTrack::SetFile(const std::string& path) {
    Stop();
    sound_.reset();
    if (channel_ >= 0) sound_ = device_->LoadWav(path);
}

void AudioTrack::Play(bool repeat) {
    if (channel_ < 0 || !sound_) return;
    device_->Play(channel_, sound_, repeat);
}

void AudioTrack::Stop() { device_->Halt(channel_); }

}  // namespace tolarka::platform::sdl
