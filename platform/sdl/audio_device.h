#pragma once
#include <SDL.h>
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
//
// Silence costs nothing: once no mixer channel has played for kIdleCloseMs the device is closed,
// so the audio thread stops waking; the next sound to load or play opens it again. Loaded chunks
// stay valid across that, because the mixer is always opened in the same format. The idle check
// runs on the main thread, on events of EventType() handed to HandleEvent().
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
    // The master level of every channel (of MIX_MAX_VOLUME = 128): about -1 dB, a safety margin
    // should sounds that play together ever add up past full scale.
    static constexpr int kMasterVolume = 114;

    // False when there is no usable audio device at all: every sound is silent.
    bool IsOpen() const { return usable_; }
    // The device is open now (not closed for silence).
    bool Awake() const { return awake_; }
    // Opens the device again after silence; false when it cannot be opened.
    bool Wake();

    // A mixer channel of its own for a media channel; -1 when muted.
    int AcquireChannel();
    void ReleaseChannel(int channel);
    // Loads a WAV file; nullptr when muted or the file cannot be read.
    MixChunkPtr LoadWav(const std::string& path);
    // Plays a loaded chunk on a mixer channel from its start; repeat: until halted.
    void Play(int channel, Mix_Chunk* chunk, bool repeat);
    void Halt(int channel);
    // The mixer channel is playing (false while the device sleeps).
    bool Playing(int channel) const;
    // Plays a WAV once on the system sound channel, cutting off the one before.
    void PlaySystemSound(const std::string& path);

    // Mutes or unmutes every channel through the master level.
    void SetMuted(bool muted);
    bool Muted() const { return muted_; }

    // The SDL user event the device pushes (from the audio and timer threads) when a channel
    // ends or a silence check is due; 0 when none could be registered.
    Uint32 EventType() const { return event_type_; }
    // Handles an event of EventType() on the main thread.
    void HandleEvent(const SDL_Event& e);

private:
    bool OpenMixer();
    void ArmIdleCheck();
    void Sleep();

    bool usable_ = false;
    bool awake_ = false;
    bool muted_ = false;
    bool started_audio_subsystem_ = false;
    Uint32 event_type_ = 0;
    SDL_TimerID idle_timer_ = 0;
    int idle_generation_ = 0;
    std::vector<bool> in_use_;  // by mixer channel
    MixChunkPtr system_sound_;
};

}  // namespace tolarka::platform::sdl
