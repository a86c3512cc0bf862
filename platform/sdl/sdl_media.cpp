#include "platform/sdl/sdl_media.h"

#include <algorithm>
#include <cctype>

#include "platform/sdl/audio_device.h"

namespace tolarka::platform::sdl {

namespace {

constexpr SDL_Keycode kMuteKey = SDLK_F8;

bool IsClipPath(const std::string& path) {
    constexpr std::string_view kExtension = ".avi";
    if (path.size() < kExtension.size()) return false;
    return std::equal(kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

SdlMediaChannel::SdlMediaChannel(std::string name, std::shared_ptr<AudioDevice> audio, const Clock& clock,
                                 Uint32 frame_event_type, std::shared_ptr<ThreadReaper> reaper,
                                 std::shared_ptr<ClipLibrary> clips)
    : name_(std::move(name)),
      audio_(std::move(audio)),
      clock_(clock),
      frame_event_type_(frame_event_type),
      reaper_(std::move(reaper)),
      clips_(std::move(clips)) {}

ClipPlayer* SdlMediaChannel::Video() const {
    if (video_ || !is_clip_ || !clips_) return video_.get();
    clips_->Start(frame_event_type_);
    ClipPlayerFactory* players = clips_->Players();
    if (!players) return nullptr;
    video_ = players->MakePlayer(clock_, frame_event_type_, reaper_);
    video_->SetRepeat(repeat_);
    video_->SetFile(clip_);
    if (rate_) video_->SetRate(*rate_);
    if (asked_ == Asked::Play) video_->Play();
    if (asked_ == Asked::Stop) video_->Stop();
    return video_.get();
}

void SdlMediaChannel::SetFile(const std::string& path) {
    is_clip_ = IsClipPath(path);
    clip_ = is_clip_ ? path : std::string();
    asked_ = Asked::Nothing;
    // The file set last replaces whatever the channel held, sound or clip.
    audio_.SetFile(is_clip_ ? std::string() : path);
    if (video_) {
        video_->SetFile(clip_);
    } else {
        Video();
    }
}

void SdlMediaChannel::Play() {
    if (!is_clip_) {
        audio_.Play(repeat_);
        return;
    }
    asked_ = Asked::Play;
    if (video_) {
        video_->Play();
    } else {
        Video();
    }
}

void SdlMediaChannel::Stop() {
    audio_.Stop();
    if (is_clip_) asked_ = Asked::Stop;
    if (video_) {
        video_->Stop();
    } else {
        Video();
    }
}

void SdlMediaChannel::SetRate(double rate) {
    rate_ = rate;
    if (video_) video_->SetRate(rate);
}

void SdlMediaChannel::SetRepeat(bool forever) {
    repeat_ = forever;
    if (video_) video_->SetRepeat(forever);
}

Size SdlMediaChannel::VideoSize() const { return is_clip_ && Video() ? video_->FrameSize() : Size{}; }

void SdlMediaChannel::DrawFrame(SDL_Renderer* renderer, const SDL_Rect& dst) {
    if (Video()) video_->DrawFrame(renderer, dst);
}

bool SdlMediaChannel::DrawFrameInto(SDL_Surface* surface, const SDL_Rect& dst) {
    return Video() && video_->DrawFrameInto(surface, dst);
}

std::optional<Millis> SdlMediaChannel::NextFrameDue() const {
    return Video() ? video_->NextFrameDue() : std::nullopt;
}

bool SdlMediaChannel::HasNewFrame() const { return Video() && video_->HasNewFrame(); }

SdlMediaSystem::SdlMediaSystem(const Clock& clock, std::shared_ptr<ClipLibrary> clips)
    : clock_(clock), audio_(std::make_shared<AudioDevice>()), clips_(std::move(clips)) {
    const Uint32 first = SDL_RegisterEvents(1);
    if (first != static_cast<Uint32>(-1)) frame_event_type_ = first;
}

SdlMediaSystem::~SdlMediaSystem() = default;

std::unique_ptr<MediaPlayback> SdlMediaSystem::CreateChannel(const std::string& name) {
    return CreateSdlChannel(name);
}

std::unique_ptr<SdlMediaChannel> SdlMediaSystem::CreateSdlChannel(const std::string& name) {
    return std::make_unique<SdlMediaChannel>(name, audio_, clock_, frame_event_type_, reaper_, clips_);
}

void SdlMediaSystem::StartClips() {
    if (clips_) clips_->Start(frame_event_type_);
}

void SdlMediaSystem::PlaySystemSound(const std::string& path) { audio_->PlaySystemSound(path); }

bool SdlMediaSystem::AudioOpen() const { return audio_->IsOpen(); }

bool SdlMediaSystem::HandleEvent(const SDL_Event& e) {
    if (audio_->EventType() != 0 && e.type == audio_->EventType()) {
        audio_->HandleEvent(e);
        return true;
    }
    if ((e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && e.key.keysym.sym == kMuteKey) {
        if (e.type == SDL_KEYDOWN && e.key.repeat == 0) audio_->SetMuted(!audio_->Muted());
        return true;
    }
    return false;
}

bool SdlMediaSystem::Muted() const { return audio_->Muted(); }

VideoFrameSource* AsVideoFrameSource(MediaPlayback* channel) {
    return dynamic_cast<SdlMediaChannel*>(channel);
}

void DrawClipFrame(MediaPlayback* channel, SDL_Renderer* renderer, const SDL_Rect& dst, SDL_Surface* direct) {
    VideoFrameSource* source = AsVideoFrameSource(channel);
    if (!source) return;
    if (direct) {
        // What the renderer still has queued lies beneath the frame.
        SDL_RenderFlush(renderer);
        if (source->DrawFrameInto(direct, dst)) return;
    }
    source->DrawFrame(renderer, dst);
}

}  // namespace tolarka::platform::sdl
