#include "platform/sdl/clip_library.h"

namespace tolarka::platform::sdl {

// The Windows game is one program with its libraries linked in: its clip code too.
std::shared_ptr<ClipLibrary> GameClips(std::vector<std::filesystem::path>) { return LinkedClips(); }

}  // namespace tolarka::platform::sdl
