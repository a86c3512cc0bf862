#pragma once
#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/media.h"
#include "platform/sdl/audio_track.h"
#include "platform/sdl/clip_library.h"
#include "platform/sdl/video_frame_source.h"

namespace tolarka::platform::sdl {

// A media channel of the SDL backend: a file whose name ends in ".avi" (any case) plays as a
// clip, anything else as a WAV sound. Main thread only.
//
// Its clip player is made when the first clip is set. A clip set while the clip code is still
// loading is handed to the player when the code comes, with what was asked of it since (its
// rate, playing or stopped): it starts then, and the screen goes on meanwhile.
class SdlMediaChannel final : public MediaPlayback, public VideoFrameSource {
public:
    SdlMediaChannel(std::string name, std::shared_ptr<AudioDevice> audio, const Clock& clock,
                    Uint32 frame_event_type, std::shared_ptr<ThreadReaper> reaper,
                    std::shared_ptr<ClipLibrary> clips);

    void SetFile(const std::string& path) override;
    void Play() override;
    void Stop() override;
    void SetRate(double rate) override;
    void SetRepeat(bool forever) override;
    Size VideoSize() const override;

    void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) override;
    bool DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) override;
    std::optional<Millis> NextFrameDue() const override;
    bool HasNewFrame() const override;

    const std::string& Name() const { return name_; }
    // A clip is playing and has frames still to come.
    bool ClipRunning() const { return is_clip_ && Video() && video_->Running(); }
    // This channel's own mixer channel; -1 without an audio device.
    int MixerChannel() const { return audio_.MixerChannel(); }

private:
    // The clip player, made if a clip is set and the clip code is there; nullptr otherwise.
    ClipPlayer* Video() const;

    std::string name_;
    AudioTrack audio_;
    const Clock& clock_;
    const Uint32 frame_event_type_;
    std::shared_ptr<ThreadReaper> reaper_;
    std::shared_ptr<ClipLibrary> clips_;
    mutable std::unique_ptr<ClipPlayer> video_;
    // What was asked of the channel, for a player made later.
    enum class Asked { Nothing, Play, Stop };
    bool is_clip_ = false;
    std::string clip_;
    Asked asked_ = Asked::Nothing;
    std::optional<double> rate_;
    bool repeat_ = false;
};

// Sound through the game's own mixer (audio_device.h) and clips through the clip code `clips` gives (without
// it every clip plays nothing). Create it after SDL_Init (the video subsystem, for the frame event) and
// destroy its channels before the SDL_Renderer they drew on.
class SdlMediaSystem final : public MediaSystem {
public:
    explicit SdlMediaSystem(const Clock& clock, std::shared_ptr<ClipLibrary> clips = nullptr);
    ~SdlMediaSystem() override;
    SdlMediaSystem(const SdlMediaSystem&) = delete;
    SdlMediaSystem& operator=(const SdlMediaSystem&) = delete;

    std::unique_ptr<MediaPlayback> CreateChannel(const std::string& name) override;
    std::unique_ptr<SdlMediaChannel> CreateSdlChannel(const std::string& name);
    void PlaySystemSound(const std::string& path) override;

    // False when no audio device could be opened: every sound is silent.
    bool AudioOpen() const;
    // The sound device's own events (a channel ended, a silence check) and the mute key, F8,
    // which no screen uses: true when the event was one of those and needs nothing else.
    bool HandleEvent(const SDL_Event& e);
    bool Muted() const;
    const AudioDevice& Audio() const { return *audio_; }
    // Begins loading the clip code, if it is to be loaded, without waiting for it (the backend
    // calls this after its first frame; a channel given a clip before that starts it too).
    void StartClips();
    // The SDL user event a clip pushes when a frame arrives while the main loop may be asleep,
    // and the clip code when it has loaded (registered once with SDL_RegisterEvents; 0 if that
    // failed). It carries nothing: on it, ask the channels' NextFrameDue and HasNewFrame again.
    Uint32 FrameEventType() const { return frame_event_type_; }

private:
    const Clock& clock_;
    std::shared_ptr<AudioDevice> audio_;
    Uint32 frame_event_type_ = 0;
    std::shared_ptr<ClipLibrary> clips_;
    // Decoder threads stopped while busy; the last channel or the system, whichever goes last,
    // waits briefly for them.
    std::shared_ptr<ThreadReaper> reaper_ = std::make_shared<ThreadReaper>();
};

// The picture side of a channel made by SdlMediaSystem; nullptr for any other channel.
VideoFrameSource* AsVideoFrameSource(MediaPlayback* channel);

// Draws a channel's current frame into dst: scaled straight into `direct` (the surface the
// renderer draws into) when given and possible, else through the renderer. Nothing for a channel
// without pictures.
void DrawClipFrame(MediaPlayback* channel, SDL_Renderer* renderer, const SDL_Rect& dst, SDL_Surface* direct);

}  // namespace tolarka::platform::sdl
