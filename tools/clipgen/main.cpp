// clipgen: draws the game's video clips and writes them as AVI files.
//
//   clipgen OUTDIR [FILE...]          write all clips, or the named ones, into OUTDIR
//   clipgen --still FILE SECONDS PNG  write one frame of a clip as a PNG picture
//   clipgen --list                    print the clip table
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "clip_catalogue.h"
#include "render_clip.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "použití: clipgen ADRESÁŘ [SOUBOR.avi...]\n"
                 "         clipgen --still SOUBOR.avi SEKUNDY OBRÁZEK.png\n"
                 "         clipgen --list\n");
    return 2;
}

const clipgen::ClipFormat* Lookup(const std::string& file) {
    const clipgen::ClipFormat* clip = clipgen::FindClip(file);
    if (clip == nullptr) std::fprintf(stderr, "clipgen: neznámý klip %s\n", file.c_str());
    return clip;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) return Usage();
    if (args[0] == "--list") {
        for (const clipgen::ClipFormat& c : clipgen::ClipCatalogue())
            std::printf("%-14s %4d x %-4d %2d fps %5.1f s  %s\n", c.file.c_str(), c.width, c.height, c.fps,
                        c.seconds, c.where.c_str());
        return 0;
    }
    if (args[0] == "--still") {
        if (args.size() != 4) return Usage();
        const clipgen::ClipFormat* clip = Lookup(args[1]);
        if (clip == nullptr) return 1;
        clipgen::RenderStill(*clip, std::stod(args[2]), args[3]);
        return 0;
    }
    const std::filesystem::path directory = args[0];
    std::filesystem::create_directories(directory);
    std::vector<const clipgen::ClipFormat*> chosen;
    if (args.size() == 1) {
        for (const clipgen::ClipFormat& c : clipgen::ClipCatalogue()) chosen.push_back(&c);
    } else {
        for (std::size_t i = 1; i < args.size(); ++i) {
            const clipgen::ClipFormat* clip = Lookup(args[i]);
            if (clip == nullptr) return 1;
            chosen.push_back(clip);
        }
    }
    for (const clipgen::ClipFormat* clip : chosen) clipgen::RenderClip(*clip, directory);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "clipgen: %s\n", e.what());
        return 1;
    }
}
