#pragma once
// Writes pictures out as files for review. Screens rendered through the headless backend can
// be added as another writer beside WriteCataloguePictures.
#include <filesystem>

namespace tolarka::gallery {

// Writes every catalogue picture as NAME.png into dir; returns how many were written.
// Throws std::runtime_error naming the file that cannot be written.
int WriteCataloguePictures(const std::filesystem::path& dir);

}  // namespace tolarka::gallery
