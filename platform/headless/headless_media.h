#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/media.h"

namespace tolarka::platform::headless {

// Media channels that play nothing. Calls are logged by the widgets that make them; a clip's
// size is read from its AVI header so that placement by clip size is testable.
std::unique_ptr<MediaSystem> MakeSilentMedia(std::function<void(const std::string&)> trace);

// Pixel size from the main header of an AVI file; {0, 0} when missing or not an AVI.
Size ReadAviSize(const std::string& path);

}  // namespace tolarka::platform::headless
