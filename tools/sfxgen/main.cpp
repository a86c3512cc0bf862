// Writes the game's 22 sounds into the directory given on the command line. With --table it
// also prints, as a Markdown table, each sound's role, target and measured loudness.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/wav.h"

namespace {

using namespace tolarka::sfxgen;

void PrintRow(const SoundRecipe& sound, const Samples& s) {
    const Loudness l = Measure(s, sound.loop);
    std::printf("| %s | %s | %.0f LUFS | %.1f | %.1f | %.1f |\n", std::string(sound.fileName).c_str(),
                std::string(RoleName(sound.role)).c_str(), TargetLufs(sound.role), l.integratedLufs,
                l.maxShortTermLufs, l.truePeakDb);
}

}  // namespace

int main(int argc, char** argv) {
    const bool table = argc == 3 && std::strcmp(argv[1], "--table") == 0;
    if (argc != 2 && !table) {
        std::fprintf(stderr, "použití: %s [--table] <cílový adresář>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[argc - 1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "nelze vytvořit adresář %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }
    if (table) {
        std::printf("| File | Role | Target | Integrated (LUFS) | Loudest 3 s (LUFS) | True peak (dBTP) |\n");
        std::printf("|---|---|---|---|---|---|\n");
    }
    for (const SoundRecipe& sound : Catalogue()) {
        const std::string path = (dir / std::string(sound.fileName)).string();
        const Samples s = Render(sound);
        if (!WriteFileReplacing(path, EncodeWav(s))) {
            std::fprintf(stderr, "nelze zapsat soubor %s\n", path.c_str());
            return 1;
        }
        if (table) PrintRow(sound, s);
    }
    return 0;
}
