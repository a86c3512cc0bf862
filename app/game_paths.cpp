#include "app/game_paths.h"

#include "io/file_io.h"
#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;

namespace {

bool IsDirectory(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool WritableDirectory(const fs::path& p) { return IsDirectory(p) && DirectoryAcceptsFiles(p); }

}  // namespace

bool HoldsGameData(const fs::path& dir) {
    return IsDirectory(dir / "qst") || IsDirectory(dir / "sfx") || IsDirectory(dir / "gfx");
}

bool AcceptsGameFiles(const fs::path& dir) {
    if (!WritableDirectory(dir)) return false;
    for (const char* sub : {"logs", "save"}) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(dir / sub, ec)) && !WritableDirectory(dir / sub)) return false;
    }
    return true;
}

fs::path PlayerDirectory(const std::string& xdgDataHome, const std::string& home) {
    // Both are UTF-8, as Environment() gives them.
    const fs::path xdg = file_system::Utf8Path(xdgDataHome);
    if (!xdgDataHome.empty() && xdg.is_absolute()) return xdg / "tolarka";
    if (!home.empty()) return file_system::Utf8Path(home) / ".local" / "share" / "tolarka";
    return {};
}

GamePaths ResolveGamePaths(const PathEnvironment& env, const DirectoryTest& holdsData,
                           const DirectoryTest& acceptsFiles) {
    const fs::path& player = env.PlayerDir;
    GamePaths paths;
    paths.OwnQuestions = player.empty() ? fs::path() : player / "qst";
    const fs::path installed = (env.ProgramDir / env.DataFromProgram).lexically_normal();
    const bool ownFolder = holdsData(env.ProgramDir) || env.DataFromProgram.empty() || !holdsData(installed);
    paths.Data = ownFolder ? env.ProgramDir : installed;
    if (ownFolder && acceptsFiles(env.ProgramDir))
        paths.Writable = env.ProgramDir;
    else
        paths.Writable = player.empty() ? paths.Data : player;
    if (ownFolder && paths.Writable != env.ProgramDir) paths.OlderSaves = env.ProgramDir;
    return paths;
}

}  // namespace tolarka
