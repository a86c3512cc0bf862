// The clip module (tolarka-clips.so): the clip code and its FFmpeg libraries, loaded by the game
// after its first frame. Only this function is exported.
#include "platform/sdl/linked_clips.h"

extern "C" __attribute__((visibility("default"))) tolarka::platform::sdl::ClipPlayerFactory*
tolarka_clip_players(int interface_version) {
    using namespace tolarka::platform::sdl;
    if (interface_version != kClipInterfaceVersion) return nullptr;
    return &LinkedClipPlayers();
}
