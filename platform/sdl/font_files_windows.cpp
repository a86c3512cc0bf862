#include <windows.h>

#include <filesystem>

#include "platform/font_files.h"

namespace tolarka::platform {

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return fs::current_path();
        if (n < exe.size()) {
            exe.resize(n);
            return fs::path(exe).parent_path();
        }
        exe.resize(exe.size() * 2);
    }
}

std::string Utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

}  // namespace

// Windows has neither of the faces, so the game carries them in fonts/ beside the program
// (the folder may have any name, diacritics included: SDL opens UTF-8 paths through UTF-16).
const GameFontFiles& FontFiles() {
    static const GameFontFiles files = [] {
        const fs::path dir = ProgramFolder() / "fonts";
        return GameFontFiles{Utf8(dir / "LiberationSans-Regular.ttf"), Utf8(dir / "LiberationSans-Bold.ttf"),
                             Utf8(dir / "DejaVuSans.ttf"), Utf8(dir / "DejaVuSans-Bold.ttf")};
    }();
    return files;
}

}  // namespace tolarka::platform
