// Draws every picture of the game into PNG files packed into one blob, plus the assembler file
// that embeds the blob and the table that names its pieces. Run by the build.
//
//   tolarka_artgen OUT_DIR SANS SANS_BOLD VERDANA VERDANA_BOLD
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/artwork.h"
#include "assets/font_set.h"

namespace {

namespace fs = std::filesystem;
using tolarka::art::Artwork;

struct SurfaceReleaser {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextReleaser {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

std::vector<unsigned char> Render(const Artwork& art, const tolarka::art::FontSet& fonts) {
    std::unique_ptr<cairo_surface_t, SurfaceReleaser> surface(
        cairo_image_surface_create(art.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, art.width, art.height));
    {
        std::unique_ptr<cairo_t, ContextReleaser> cr(cairo_create(surface.get()));
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr.get(), options);
        cairo_font_options_destroy(options);
        if (!art.alpha) {
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
            cairo_paint(cr.get());
        }
        art.draw(tolarka::art::Painter(cr.get(), fonts));
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            throw std::runtime_error(art.name + ": " + cairo_status_to_string(cairo_status(cr.get())));
        }
    }
    std::vector<unsigned char> png;
    if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error(art.name + ": PNG nelze zapsat");
    }
    return png;
}

// Written beside the final name and renamed over it, so a failed run leaves no half file.
void WriteFile(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("Soubor nelze zapsat: " + temporary.string());
    }
    fs::rename(temporary, path);
}

std::string AssemblerFile(const fs::path& blob) {
    return "    .section .rodata.tolarka_pictures,\"a\"\n"
           "    .balign 16\n"
           "    .globl tolarka_picture_blob\n"
           "    .type tolarka_picture_blob, @object\n"
           "tolarka_picture_blob:\n"
           "    .incbin \"" + blob.string() + "\"\n"
           "    .size tolarka_picture_blob, . - tolarka_picture_blob\n"
           "    .section .note.GNU-stack,\"\",@progbits\n";
}

int Run(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "Použití: tolarka_artgen VÝSTUP SANS SANS_BOLD VERDANA VERDANA_BOLD\n";
        return 2;
    }
    const fs::path out_dir = fs::absolute(argv[1]);
    fs::create_directories(out_dir);
    const tolarka::art::FontSet fonts({argv[2], argv[3], argv[4], argv[5]});

    std::string blob;
    std::string table;
    std::set<std::string> names;
    for (const Artwork& art : tolarka::art::AllArtwork()) {
        if (!names.insert(art.name).second) throw std::runtime_error("Dvakrát stejné jméno: " + art.name);
        const std::vector<unsigned char> png = Render(art, fonts);
        table += "{\"" + art.name + "\", " + std::to_string(art.width) + ", " + std::to_string(art.height) + ", " +
                 std::to_string(blob.size()) + "u, " + std::to_string(png.size()) + "u},\n";
        blob.append(png.begin(), png.end());
        // Keep every PNG 16-byte aligned inside the blob.
        blob.resize((blob.size() + 15) / 16 * 16, '\0');
    }
    const fs::path blob_path = out_dir / "pictures.bin";
    WriteFile(blob_path, blob);
    WriteFile(out_dir / "picture_table.inc", table);
    WriteFile(out_dir / "pictures.S", AssemblerFile(blob_path));
    std::cout << names.size() << " obrázků, " << blob.size() / 1024 << " KiB\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tolarka_artgen: " << e.what() << '\n';
        return 1;
    }
}
