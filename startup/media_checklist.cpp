#include "startup/media_checklist.h"

namespace tolarka {

bool AllMediaPresent(const std::filesystem::path& appDir, std::span<const std::string_view> list,
                     const std::function<bool(const std::filesystem::path&)>& exists) {
    bool ok = true;
    for (const auto relative : list) {
        if (!exists(appDir / relative)) ok = false;
    }
    return ok;
}

}  // namespace tolarka
