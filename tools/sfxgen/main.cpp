// Writes the game's 22 sounds into the directory given on the command line, each at the rate
// it needs (storage_rate.h). With --table it also prints, as a Markdown table, each sound's
// role, target and measured loudness, its stored rate and how much of it lies above 10 kHz.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/storage_rate.h"
#include "tools/sfxgen/wav.h"

namespace {

using namespace tolarka::sfxgen;

void PrintRow(const SoundRecipe& sound, const Samples& s, int storedRate) {
    const Loudness l = Measure(s, sound.loop);
    std::printf("| %s | %s | %.0f LUFS | %.1f | %.1f | %.1f | %d | %.1f |\n",
                std::string(sound.fileName).c_str(), std::string(RoleName(sound.role)).c_str(),
                TargetLufs(sound.role), l.integratedLufs, l.maxShortTermLufs, l.truePeakDb, storedRate,
                EnergyAboveHalfBandDb(s, sound.loop));
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
        std::printf(
            "| File | Role | Target | Integrated (LUFS) | Loudest 3 s (LUFS) | True peak (dBTP) | Stored at "
            "(Hz) "
            "| Above 10 kHz (dB) |\n");
        std::printf("|---|---|---|---|---|---|---|---|\n");
    }
    for (const SoundRecipe& sound : Catalogue()) {
        const std::string path = (dir / std::string(sound.fileName)).string();
        const Samples s = Render(sound);
        const StoredSound stored = ForStorage(s, sound.loop);
        if (!WriteFileReplacing(path, EncodeWav(stored.samples, stored.rate))) {
            std::fprintf(stderr, "nelze zapsat soubor %s\n", path.c_str());
            return 1;
        }
        if (table) PrintRow(sound, s, stored.rate);
    }
    return 0;
}
