#include "tests/support/build_paths.h"

namespace tolarka::testing {

const std::filesystem::path& AppDir() {
    static const std::filesystem::path dir(TOLARKA_APP_DIR);
    return dir;
}

const std::filesystem::path& ClipModuleFile() {
#ifdef TOLARKA_CLIP_MODULE
    static const std::filesystem::path file(TOLARKA_CLIP_MODULE);
#else
    static const std::filesystem::path file;
#endif
    return file;
}

const std::filesystem::path& SourceDir() {
    static const std::filesystem::path dir(TOLARKA_SOURCE_DIR);
    return dir;
}

}  // namespace tolarka::testing
