// Writes the game's 22 sounds into the directory given on the command line.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/sfxgen/catalogue.h"
#include "tools/sfxgen/wav.h"

int main(int argc, char** argv) {
    using namespace tolarka::sfxgen;
    if (argc != 2) {
        std::fprintf(stderr, "použití: %s <cílový adresář>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "nelze vytvořit adresář %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }
    for (const SoundRecipe& sound : Catalogue()) {
        const std::string path = (dir / std::string(sound.fileName)).string();
        if (!WriteFileReplacing(path, EncodeWav(sound.make()))) {
            std::fprintf(stderr, "nelze zapsat soubor %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
