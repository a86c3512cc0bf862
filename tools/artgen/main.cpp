// Draws every picture of the game into PNG files packed into one blob, plus the assembler file
// that embeds the blob and the table that names its pieces. Run by the build.
//
//   tolarka_artgen OUT_DIR SANS SANS_BOLD VERDANA VERDANA_BOLD
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/artwork.h"
#include "assets/font_set.h"
#include "assets/render.h"

namespace {

namespace fs = std::filesystem;
using tolarka::art::Artwork;

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

// Preprocessed before assembly: ELF (Linux) and PE (Windows) name their sections differently.
std::string AssemblerFile(const fs::path& blob) {
    return "#ifdef __ELF__\n"
           "    .section .rodata.tolarka_pictures,\"a\"\n"
           "#else\n"
           "    .section .rdata,\"dr\"\n"
           "#endif\n"
           "    .balign 16\n"
           "    .globl tolarka_picture_blob\n"
           "#ifdef __ELF__\n"
           "    .type tolarka_picture_blob, @object\n"
           "#endif\n"
           "tolarka_picture_blob:\n"
           "    .incbin \"" +
           blob.string() +
           "\"\n"
           "#ifdef __ELF__\n"
           "    .size tolarka_picture_blob, . - tolarka_picture_blob\n"
           "    .section .note.GNU-stack,\"\",@progbits\n"
           "#endif\n";
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
        const std::vector<unsigned char> png = tolarka::art::RenderPng(art, fonts);
        table += "{\"" + art.name + "\", " + std::to_string(art.width) + ", " + std::to_string(art.height) +
                 ", " + std::to_string(blob.size()) + "u, " + std::to_string(png.size()) + "u},\n";
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
