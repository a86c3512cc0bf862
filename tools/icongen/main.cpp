// Draws the program icon for the desktop's icon theme and for Windows:
//   OUT_DIR/hicolor/NxN/apps/tolarka.png for every size, OUT_DIR/hicolor/scalable/apps/tolarka.svg,
//   OUT_DIR/tolarka.ico (the program's and the installer's icon on Windows)
//
//   tolarka_icongen OUT_DIR SANS SANS_BOLD VERDANA VERDANA_BOLD
#include <cairo-svg.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/icon_file.h"
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

cairo_status_t AppendText(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The icon as a scalable SVG document: the 256 px drawing on a cairo SVG surface.
std::string RenderProgramIconSvg(const tolarka::art::FontSet& fonts) {
    constexpr int kSize = 256;
    std::string svg;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_svg_surface_create_for_stream(AppendText, &svg, kSize, kSize), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    tolarka::art::DrawProgramIcon(tolarka::art::Painter(cr.get(), fonts), kSize);
    const cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    cairo_surface_finish(surface.get());
    if (status != CAIRO_STATUS_SUCCESS || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("ikonu SVG nelze nakreslit: ") + cairo_status_to_string(status));
    return svg;
}

// Windows draws a 16 px title bar icon from the 16 px picture, not from a scaled-down larger one,
// so every size is drawn on its own, as for the icon theme.
std::vector<unsigned char> WindowsIcon(const tolarka::art::FontSet& fonts) {
    std::vector<tolarka::art::IconImage> images;
    for (int size : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
        const tolarka::art::Artwork art = tolarka::art::ProgramIconArtwork(size);
        tolarka::art::IconImage image{size, {}, {}};
        if (size == 256) {
            image.png = tolarka::art::RenderPng(art, fonts);
        } else {
            image.pixels.resize(static_cast<size_t>(size) * static_cast<size_t>(size));
            tolarka::art::RenderInto(art, fonts, 1.0, 0, 0, size, size, image.pixels.data(), size * 4);
        }
        images.push_back(std::move(image));
    }
    return tolarka::art::IconFile(images);
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
    const std::string svg = RenderProgramIconSvg(fonts);
    WriteFile(theme / "scalable" / "apps" / "tolarka.svg", svg.data(), svg.size());
    const std::vector<unsigned char> ico = WindowsIcon(fonts);
    WriteFile(fs::path(argv[1]) / "tolarka.ico", ico.data(), ico.size());
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
