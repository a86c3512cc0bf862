#pragma once
#include <SDL.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/sdl/clip_player.h"

namespace tolarka::platform::sdl {

// Where the clip code comes from: linked into the program, or a module loaded in the
// background once the game shows its first frame (its FFmpeg libraries take longer to load
// than the rest of the start).
class ClipLibrary {
public:
    virtual ~ClipLibrary() = default;
    // Begins to make the clip code available and returns at once; when it is there (or known
    // never to come) an event of wake_event_type is pushed (none for 0). Later calls do nothing.
    virtual void Start(Uint32 wake_event_type) = 0;
    // The clip code once it is there; nullptr while it is on its way and for good when it
    // cannot be had (every clip then plays nothing, as a broken file does).
    virtual ClipPlayerFactory* Players() = 0;
};

// The game's clip code: on Linux the module tolarka-clips.so from the first of `dirs` that
// holds one, loaded on a thread of its own (one line on stderr when none loads); on Windows
// the code linked into the program (`dirs` unused).
std::shared_ptr<ClipLibrary> GameClips(std::vector<std::filesystem::path> dirs);

// The clip code linked into this program (tests, tools, the Windows game).
std::shared_ptr<ClipLibrary> LinkedClips();

}  // namespace tolarka::platform::sdl
