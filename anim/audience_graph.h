#pragma once
#include <array>

#include "platform/widgets.h"

namespace tolarka {

// The audience graph's widgets inside their picture box: four red bars and four percentage
// labels over the graph backdrop. The game screen and the animation screen carry the same graph,
// with slightly different bar places and label backgrounds.
struct AudienceGraphWidgets {
    std::array<platform::Shape*, 4> bars{};
    std::array<platform::Label*, 4> labels{};
};

AudienceGraphWidgets AddAudienceGraph(platform::PictureBox& graph, const std::array<int, 4>& barLefts,
                                      bool transparentLabels);

}  // namespace tolarka
