#pragma once
// Where the game's four font files lie when it runs, for whatever letters text (the text measure,
// the pictures drawn at the screen's scale): one implementation per platform
// (sdl/font_files_posix.cpp, sdl/font_files_windows.cpp), chosen by the build.
#include <string>

namespace tolarka::platform {

// UTF-8 paths, as SDL_ttf and cairo's FreeType faces open them.
struct GameFontFiles {
    std::string sans;  // Liberation Sans (stands in for MS Sans Serif and Arial)
    std::string sansBold;
    std::string verdana;  // DejaVu Sans (stands in for Verdana)
    std::string verdanaBold;
};

// On Linux the fonts of the system's font packages; on Windows the fonts/ folder beside the
// program, where the zip and the installer put them.
const GameFontFiles& FontFiles();

}  // namespace tolarka::platform
