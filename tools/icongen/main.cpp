// Draws the program icon for the desktop's icon theme:
//   OUT_DIR/hicolor/NxN/apps/tolarka.png for every size, OUT_DIR/hicolor/scalable/apps/tolarka.svg
//
//   tolarka_icongen OUT_DIR SANS SANS_BOLD VERDANA VERDANA_BOLD
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "assets/program_icon.h"
#include "assets/render.h"

namespace {

namespace fs = std::filesystem;

// Written beside the final name and renamed over it, so a failed run leaves no half file.
void WriteFile(const fs::path& path, const void* data, size_t size) {
    fs::create_directories(path.parent_path());
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) throw std::runtime_error("soubor nelze zapsat: " + temporary.string());
    }
    fs::rename(temporary, path);
}

int Run(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "Použití: tolarka_icongen VÝSTUP SANS SANS_BOLD VERDANA VERDANA_BOLD\n";
        return 2;
    }
    const fs::path theme = fs::path(argv[1]) / "hicolor";
    const tolarka::art::FontSet fonts({argv[2], argv[3], argv[4], argv[5]});
    for (int size : tolarka::art::kDesktopIconSizes) {
        const auto png = tolarka::art::RenderPng(tolarka::art::ProgramIconArtwork(size), fonts);
        const std::string dir = std::to_string(size) + "x" + std::to_string(size);
        WriteFile(theme / dir / "apps" / "tolarka.png", png.data(), png.size());
    }
    const std::string svg = tolarka::art::RenderProgramIconSvg(fonts);
    WriteFile(theme / "scalable" / "apps" / "tolarka.svg", svg.data(), svg.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tolarka_icongen: " << e.what() << '\n';
        return 1;
    }
}
