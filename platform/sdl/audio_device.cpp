#include "platform/sdl/audio_device.h"

#include <atomic>
#include <cstdint>
#include <span>

#include "platform/sdl/wav_loader.h"

namespace tolarka::platform::sdl {

namespace {

constexpr int kSystemSoundChannel = 0;
// Sample frames the audio thread mixes at a time: about 46 ms at 44.1 kHz.
constexpr Uint16 kBufferFrames = 2048;
enum EventCode : Sint32 { kChannelEnded = 1, kIdleCheckDue = 2 };

// The callbacks run on the audio and timer threads: they only push an event.
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

Uint32 OnIdleTimer(Uint32 /*interval*/, void* generation) {
    Push(kIdleCheckDue, reinterpret_cast<std::intptr_t>(generation));
    return 0;
}

// Holds the audio thread off the voices while the main thread changes them.
class DeviceLock {
public:
    explicit DeviceLock(SDL_AudioDeviceID device) : device_(device) {
        if (device_ != 0) SDL_LockAudioDevice(device_);
    }
    ~DeviceLock() {
        if (device_ != 0) SDL_UnlockAudioDevice(device_);
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID device_;
};

}  // namespace

AudioDevice::AudioDevice() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio, muted: %s", SDL_GetError());
            return;
        }
        started_audio_subsystem_ = true;
    }
    if (!OpenDevice()) {
        SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "no audio device, muted: %s", SDL_GetError());
        return;
    }
    usable_ = true;
    {
        const DeviceLock lock(device_);
        in_use_.assign(1, true);  // the system sound channel
        voices_.resize(1);
    }
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
    Sleep();
    g_event_type.store(0);
    if (started_audio_subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioDevice::OpenDevice() {
    // No allowed changes: SDL converts to whatever the hardware takes, and the callback always
    // gets the mixer's own format.
    SDL_AudioSpec want{};
    want.freq = kMixRate;
    want.format = AUDIO_S16SYS;
    want.channels = kMixChannels;
    want.samples = kBufferFrames;
    want.callback = Fill;
    want.userdata = this;
    sums_.reserve(std::size_t{kBufferFrames} * kMixChannels);
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SDLCALL AudioDevice::Fill(void* self, Uint8* stream, int bytes) {
    auto* device = static_cast<AudioDevice*>(self);
    const std::span<std::int16_t> out(reinterpret_cast<std::int16_t*>(stream),
                                      static_cast<std::size_t>(bytes) / sizeof(std::int16_t));
    if (MixVoices(device->voices_, device->level_.load(), out, device->sums_)) Push(kChannelEnded, 0);
}

bool AudioDevice::Wake() {
    if (!usable_) return false;
    ++idle_generation_;  // a check already on its way finds the device in use
    if (device_ != 0) return true;
    if (!OpenDevice()) {
        SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "audio device does not reopen: %s", SDL_GetError());
        return false;
    }
    return true;
}

void AudioDevice::Sleep() {
    if (device_ == 0) return;
    // Closing waits for the audio thread to finish; nothing mixes the voices afterwards.
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    for (Voice& v : voices_) v = Voice{};
}

void AudioDevice::ArmIdleCheck() {
    if (event_type_ == 0) return;  // without events the device simply stays open
    if (idle_timer_ != 0) SDL_RemoveTimer(idle_timer_);
    ++idle_generation_;
    idle_timer_ = SDL_AddTimer(static_cast<Uint32>(kIdleCloseMs), OnIdleTimer,
                               reinterpret_cast<void*>(static_cast<std::intptr_t>(idle_generation_)));
}

void AudioDevice::HandleEvent(const SDL_Event& e) {
    if (event_type_ == 0 || e.type != event_type_ || device_ == 0) return;
    if (e.user.code == kChannelEnded) {
        if (!AnyPlaying()) ArmIdleCheck();
    } else if (e.user.code == kIdleCheckDue) {
        if (reinterpret_cast<std::intptr_t>(e.user.data1) != idle_generation_) return;
        idle_timer_ = 0;
        if (!AnyPlaying()) Sleep();
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
    const DeviceLock lock(device_);
    voices_.resize(in_use_.size());
    return static_cast<int>(in_use_.size()) - 1;
}

void AudioDevice::ReleaseChannel(int channel) {
    if (!usable_ || channel <= kSystemSoundChannel || channel >= static_cast<int>(in_use_.size())) return;
    Halt(channel);
    in_use_[static_cast<std::size_t>(channel)] = false;
}

SoundPtr AudioDevice::LoadWav(const std::string& path) {
    if (!usable_) return nullptr;
    SoundPtr sound = LoadSound(path);
    if (!sound) SDL_LogDebug(SDL_LOG_CATEGORY_AUDIO, "cannot play %s", path.c_str());
    return sound;
}

void AudioDevice::Play(int channel, const SoundPtr& sound, bool repeat) {
    if (channel < 0 || channel >= static_cast<int>(voices_.size()) || !sound || !Wake()) return;
    SoundPtr before;  // released after the lock, on this thread
    const DeviceLock lock(device_);
    Voice& v = voices_[static_cast<std::size_t>(channel)];
    before = std::move(v.sound);
    v = Voice{sound, 0, repeat, true};
}

void AudioDevice::Halt(int channel) {
    if (device_ == 0 || channel < 0 || channel >= static_cast<int>(voices_.size())) return;
    bool was_playing = false;
    {
        const DeviceLock lock(device_);
        Voice& v = voices_[static_cast<std::size_t>(channel)];
        was_playing = v.playing;
        v = Voice{};
    }
    // As when a sound ends by itself: silence from now on arms the check.
    if (was_playing && !AnyPlaying()) ArmIdleCheck();
}

bool AudioDevice::Playing(int channel) const {
    if (device_ == 0 || channel < 0 || channel >= static_cast<int>(voices_.size())) return false;
    const DeviceLock lock(device_);
    return voices_[static_cast<std::size_t>(channel)].playing;
}

bool AudioDevice::AnyPlaying() const {
    if (device_ == 0) return false;
    const DeviceLock lock(device_);
    for (const Voice& v : voices_) {
        if (v.playing) return true;
    }
    return false;
}

void AudioDevice::PlaySystemSound(const std::string& path) {
    if (!usable_) return;
    Halt(kSystemSoundChannel);
    system_sound_ = LoadWav(path);
    if (system_sound_) Play(kSystemSoundChannel, system_sound_, false);
}

void AudioDevice::SetMuted(bool muted) {
    muted_ = muted;
    level_.store(muted_ ? 0 : kMasterVolume);
}

}  // namespace tolarka::platform::sdl
