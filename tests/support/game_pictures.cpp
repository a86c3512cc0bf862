// Every test sees the game's pictures, as the program does from its start.
#include "media/game_pictures.h"

namespace {
[[maybe_unused]] const bool kWired = (tolarka::platform::UsePictures(&tolarka::media::GamePictures()), true);
}  // namespace
