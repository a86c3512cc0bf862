// Writes every picture of the game into a directory for review: tolarka_gallery [DIR]
#include <exception>
#include <iostream>

#include "tools/gallery/gallery.h"

int main(int argc, char** argv) {
    const std::filesystem::path dir = argc > 1 ? argv[1] : "gallery";
    try {
        const int count = tolarka::gallery::WriteCataloguePictures(dir);
        std::cout << count << " obrázků v " << dir.string() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "tolarka_gallery: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
