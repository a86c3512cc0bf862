// The clip code's factory, the same whether it is linked into a program or built as the module.
extern "C" {
#include <libavutil/log.h>
}

#include "platform/sdl/clip_library.h"
#include "platform/sdl/linked_clips.h"
#include "platform/sdl/video_player.h"

namespace tolarka::platform::sdl {

namespace {

class Players final : public ClipPlayerFactory {
public:
    // A broken clip plays nothing and says nothing, also on stderr.
    Players() { av_log_set_level(AV_LOG_QUIET); }

    std::unique_ptr<ClipPlayer> MakePlayer(const Clock& clock, Uint32 wake_event_type,
                                           std::shared_ptr<ThreadReaper> reaper) override {
        return std::make_unique<VideoPlayer>(clock, wake_event_type, std::move(reaper));
    }
};

class Linked final : public ClipLibrary {
public:
    void Start(Uint32) override {}
    ClipPlayerFactory* Players() override { return &LinkedClipPlayers(); }
};

}  // namespace

ClipPlayerFactory& LinkedClipPlayers() {
    static Players players;
    return players;
}

std::shared_ptr<ClipLibrary> LinkedClips() {
    LinkedClipPlayers();  // FFmpeg quiet from now on
    return std::make_shared<Linked>();
}

}  // namespace tolarka::platform::sdl
