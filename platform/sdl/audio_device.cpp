#include "platform/sdl/audio_device.h"

#include <atomic>
#include <cstdint>

#include "platform/sdl/wav_loader.h"

namespace tolarka::platform::sdl {

namespace {

constexpr int kSystemSoundChannel = 0;
enum EventCode : Sint32 { kChannelEnded = 1, kIdleCheckDue = 2 };

// The callbacks below run on the audio and timer threads: they only push an event.
std::atomic<Uint32> g_event_type{0};

void Push(Sint32 code, std::intptr_t generation) {
    const Uint32 type = g_event_type.load();
    if (type == 0) return;
    SDL_Event e{};
    e.type = type;
    e.user.code = code;
    e.user.data1 = reinterpret_cast<void*>(generation);
    SDL_PushEvent(&e);
}

void OnChannelEnded(int /*channel*/) { Push(kChannelEnded, 0); }

Uint32 OnIdleTimer(Uint32 /*interval*/, void* generation) {
    Push(kIdleCheckDue, reinterpret_cast<std::intptr_t>(generation));
    return 0;
}

}  // namespace

AudioDevice::AudioDevice() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio, muted: %s", SDL_GetError());
            return;
        }
        started_audio_subsystem_ = true;
    }
    if (!OpenMixer()) {
        SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio device, muted: %s", Mix_GetError());
        return;
    }
    usable_ = true;
    in_use_.assign(1, true);  // the system sound channel
    Mix_AllocateChannels(1);
    Mix_ReserveChannels(1);
    const Uint32 type = SDL_RegisterEvents(1);
    if (type != static_cast<Uint32>(-1)) {
        event_type_ = type;
        g_event_type.store(type);
    }
    // Until the first sound plays, the device is closed again after the usual silence.
    ArmIdleCheck();
}

AudioDevice::~AudioDevice() {
    if (idle_timer_ != 0) SDL_RemoveTimer(idle_timer_);
    if (awake_) {
        Mix_ChannelFinished(nullptr);
        Mix_HaltChannel(-1);
        system_sound_.reset();
        Mix_CloseAudio();
    }
    system_sound_.reset();
    g_event_type.store(0);
    if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioDevice::OpenMixer() {
    // No allowed changes: the mixer converts to the device, whatever its channel layout, and
    // every chunk loaded before a close stays in the format of the next open.
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) return false;
    awake_ = true;
    Mix_MasterVolume(muted_ ? 0 : kMasterVolume);
    Mix_ChannelFinished(OnChannelEnded);
    return true;
}

bool AudioDevice::Wake() {
    if (!usable_) return false;
    ++idle_generation_;  // a check already on its way finds the device in use
    if (awake_) return true;
    if (!OpenMixer()) {
        SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "audio device does not reopen: %s", Mix_GetError());
        return false;
    }
    // Reserved channels are never picked by Mix_PlayChannel(-1, ...): each belongs to one owner.
    const int count = static_cast<int>(in_use_.size());
    Mix_AllocateChannels(count);
    Mix_ReserveChannels(count);
    return true;
}

void AudioDevice::Sleep() {
    if (!awake_) return;
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    awake_ = false;
}

void AudioDevice::ArmIdleCheck() {
    if (event_type_ == 0) return;  // without events the device simply stays open
    if (idle_timer_ != 0) SDL_RemoveTimer(idle_timer_);
    ++idle_generation_;
    idle_timer_ = SDL_AddTimer(static_cast<Uint32>(kIdleCloseMs), OnIdleTimer,
                               reinterpret_cast<void*>(static_cast<std::intptr_t>(idle_generation_)));
}

void AudioDevice::HandleEvent(const SDL_Event& e) {
    if (event_type_ == 0 || e.type != event_type_ || !awake_) return;
    if (e.user.code == kChannelEnded) {
        if (Mix_Playing(-1) == 0) ArmIdleCheck();
    } else if (e.user.code == kIdleCheckDue) {
        if (reinterpret_cast<std::intptr_t>(e.user.data1) != idle_generation_) return;
        idle_timer_ = 0;
        if (Mix_Playing(-1) == 0) Sleep();
    }
}

int AudioDevice::AcquireChannel() {
    if (!usable_) return -1;
    for (std::size_t i = 0; i < in_use_.size(); ++i) {
        if (!in_use_[i]) {
            in_use_[i] = true;
            return static_cast<int>(i);
        }
    }
    in_use_.push_back(true);
    const int count = static_cast<int>(in_use_.size());
    if (awake_) {
        Mix_AllocateChannels(count);
        Mix_ReserveChannels(count);
    }
    return count - 1;
}

void AudioDevice::ReleaseChannel(int channel) {
    if (!usable_ || channel <= kSystemSoundChannel || channel >= static_cast<int>(in_use_.size())) return;
    Halt(channel);
    in_use_[static_cast<std::size_t>(channel)] = false;
}

MixChunkPtr AudioDevice::LoadWav(const std::string& path) {
    // The mixer loads only while open. A file set and never played lets it close again.
    if (!usable_ || !Wake()) return nullptr;
    MixChunkPtr chunk = LoadWavChunk(path);
    if (!chunk) SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "cannot play %s: %s", path.c_str(), Mix_GetError());
    if (Mix_Playing(-1) == 0) ArmIdleCheck();
    return chunk;
}

void AudioDevice::Play(int channel, Mix_Chunk* chunk, bool repeat) {
    if (channel < 0 || chunk == nullptr || !Wake()) return;
    Mix_PlayChannel(channel, chunk, repeat ? -1 : 0);
}

void AudioDevice::Halt(int channel) {
    if (!awake_ || channel < 0) return;
    // Halting an idle channel reports nothing; halting a playing one arms the check through
    // its end callback.
    Mix_HaltChannel(channel);
}

bool AudioDevice::Playing(int channel) const {
    if (!awake_ || channel < 0 || channel >= static_cast<int>(in_use_.size())) return false;
    return Mix_Playing(channel) != 0;
}

void AudioDevice::PlaySystemSound(const std::string& path) {
    if (!usable_) return;
    Halt(kSystemSoundChannel);
    system_sound_ = LoadWav(path);
    if (system_sound_) Play(kSystemSoundChannel, system_sound_.get(), false);
}

void AudioDevice::SetMuted(bool muted) {
    muted_ = muted;
    if (awake_) Mix_MasterVolume(muted_ ? 0 : kMasterVolume);
}

}  // namespace tolarka::platform::sdl
