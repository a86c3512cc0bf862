// The clips the game plays: file name, picture size, frame rate, length and where each is shown.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene.h"

namespace clipgen {

struct ClipFormat {
    std::string file;
    int width = 0;
    int height = 0;
    int fps = 0;
    int kilobitsPerSecond = 0;
    double seconds = 0;       // length of the clip
    double shownSeconds = 0;  // longest wall time the game keeps it on screen
    double slowestRate = 1;   // slowest playback rate it is played at
    std::string where;
    std::function<std::unique_ptr<Scene>(int width, int height)> makeScene;
};

const std::vector<ClipFormat>& ClipCatalogue();
// nullptr when no clip of that file name exists.
const ClipFormat* FindClip(const std::string& file);
int FrameCount(const ClipFormat& clip);

}  // namespace clipgen
