#include <fstream>
#include <stdexcept>
#include <string>

#include "media/picture_catalogue.h"
#include "tools/gallery/gallery.h"

namespace tolarka::gallery {

int WriteCataloguePictures(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    int written = 0;
    for (const media::Picture& picture : media::AllPictures()) {
        const std::filesystem::path path = dir / (std::string(picture.name) + ".png");
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(picture.png.data()),
                  static_cast<std::streamsize>(picture.png.size()));
        if (!out) throw std::runtime_error("Soubor nelze zapsat: " + path.string());
        ++written;
    }
    return written;
}

}  // namespace tolarka::gallery
