#pragma once
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/sound_mixer.h"

namespace tolarka::platform::sdl {

// The audio device and the game's own mixer on it (sound_mixer.h). Without a usable device (no
// sound card, CI) it stays muted and every call does nothing. Mixer channel 0 carries the
// system sound; each media channel borrows one more, which nothing else plays on. Main thread
// only; the audio thread only mixes, under the device's lock.
//
// Silence costs nothing: once no mixer channel has played for kIdleCloseMs the device is closed,
// so the audio thread stops waking; the next sound to play opens it again. Loaded sounds stay
// valid across that: they are held in the mixer's format, not the device's. The idle check runs
// on the main thread, on events of EventType() handed to HandleEvent().
//
// Every channel plays through one master level: a little headroom under full scale, or nothing
// while muted.
class AudioDevice {
public:
    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Silence this long closes the device.
    static constexpr int kIdleCloseMs = 2000;
    // The master level of every channel (of kFullLevel): about -1 dB, a safety margin should
    // sounds that play together ever add up past full scale.
    static constexpr int kMasterVolume = 114;

    // False when there is no usable audio device at all: every sound is silent.
    bool IsOpen() const { return usable_; }
    // The device is open now (not closed for silence).
    bool Awake() const { return device_ != 0; }
    // Opens the device again after silence; false when it cannot be opened.
    bool Wake();

    // A mixer channel of its own for a media channel; -1 when muted.
    int AcquireChannel();
    void ReleaseChannel(int channel);
    // Loads a WAV file converted to the mixer's format; nullptr when muted or the file cannot be
    // read. Does not open the device.
    SoundPtr LoadWav(const std::string& path);
    // Plays a loaded sound on a mixer channel from its start; repeat: until halted.
    void Play(int channel, const SoundPtr& sound, bool repeat);
    void Halt(int channel);
    // The mixer channel is playing (false while the device sleeps).
    bool Playing(int channel) const;
    // Any mixer channel is playing.
    bool AnyPlaying() const;
    // Plays a WAV once on the system sound channel, cutting off the one before.
    void PlaySystemSound(const std::string& path);

    // Mutes or unmutes every channel through the master level.
    void SetMuted(bool muted);
    bool Muted() const { return muted_; }
    // The master level now (of kFullLevel): kMasterVolume, or 0 while muted.
    int Level() const { return level_.load(); }

    // The SDL user event the device pushes (from the audio and timer threads) when a channel
    // ends or a silence check is due; 0 when none could be registered.
    Uint32 EventType() const { return event_type_; }
    // Handles an event of EventType() on the main thread.
    void HandleEvent(const SDL_Event& e);

private:
    static void SDLCALL Fill(void* self, Uint8* stream, int bytes);
    bool OpenDevice();
    void ArmIdleCheck();
    void Sleep();

    bool usable_ = false;
    bool muted_ = false;
    bool started_audio_subsystem_ = false;
    SDL_AudioDeviceID device_ = 0;
    Uint32 event_type_ = 0;
    SDL_TimerID idle_timer_ = 0;
    int idle_generation_ = 0;
    std::vector<bool> in_use_;  // by mixer channel
    // By mixer channel, as many as in_use_; while the device is open, touched only under its lock.
    std::vector<Voice> voices_;
    std::vector<std::int32_t> sums_;  // the audio thread's scratch space
    std::atomic<int> level_{kMasterVolume};
    SoundPtr system_sound_;
};

}  // namespace tolarka::platform::sdl
