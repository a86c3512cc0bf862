#include <filesystem>

#include "io/file_io_system.h"
#include "platform/font_files.h"

namespace tolarka::platform {

// Windows has neither of the faces, so the game carries them in fonts/ beside the program
// (the folder may have any name, diacritics included: SDL opens UTF-8 paths through UTF-16).
const GameFontFiles& FontFiles() {
    static const GameFontFiles files = [] {
        namespace fs = std::filesystem;
        using file_system::Utf8String;
        const fs::path dir = file_system::ProgramFolder() / "fonts";
        return GameFontFiles{Utf8String(dir / "LiberationSans-Regular.ttf"),
                             Utf8String(dir / "LiberationSans-Bold.ttf"), Utf8String(dir / "DejaVuSans.ttf"),
                             Utf8String(dir / "DejaVuSans-Bold.ttf")};
    }();
    return files;
}

}  // namespace tolarka::platform
