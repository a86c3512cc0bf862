#include "tests/support/build_paths.h"

namespace tolarka::testing {

std::filesystem::path AppDir() { return TOLARKA_APP_DIR; }
std::filesystem::path SourceDir() { return TOLARKA_SOURCE_DIR; }
std::filesystem::path ClipModuleFile() {
#ifdef TOLARKA_CLIP_MODULE
    return TOLARKA_CLIP_MODULE;
#else
    return {};
#endif
}

}  // namespace tolarka::testing
