// Draws every frame of a clip and encodes it, or draws single frames as PNG for a look.
#pragma once

#include <filesystem>
#include <string>

#include "clip_catalogue.h"

namespace clipgen {

// Writes `clip` as directory/clip.file; returns the number of frames written.
int RenderClip(const ClipFormat& clip, const std::filesystem::path& directory);

// Writes the frame at time t (seconds) as a PNG image.
void RenderStill(const ClipFormat& clip, double t, const std::string& pngPath);

}  // namespace clipgen
