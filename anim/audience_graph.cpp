#include "anim/audience_graph.h"

#include <string>

namespace tolarka {

using namespace platform;

AudienceGraphWidgets AddAudienceGraph(PictureBox& graph, const std::array<int, 4>& barLefts,
                                      bool transparentLabels) {
    static constexpr const char* kLetters[4] = {"A", "B", "C", "D"};
    static constexpr int kLabelLefts[4] = {200, 680, 1160, 1640};
    graph.SetPicture("NDIV-GRAF");
    AudienceGraphWidgets out;
    for (size_t i = 0; i < 4; ++i) {
        Shape& bar = graph.Add<Shape>(std::string("colNDiv") + kLetters[i]);
        bar.Move(barLefts[i], 1530, 255, 1245);
        bar.SetFillColour(0xFF0000);
        Label& label = graph.Add<Label>(std::string("lblNDiv") + kLetters[i]);
        label.Move(kLabelLefts[i], 100, 615, 255);
        label.SetFont(Font{"MS Sans Serif", 8.25, true});
        label.SetForeColour(0xFFFFFF);
        label.SetBackColour(0x000000);
        label.SetTransparent(transparentLabels);
        label.SetAlignment(Alignment::Center);
        label.SetCaption("25%");
        out.bars[i] = &bar;
        out.labels[i] = &label;
    }
    return out;
}

}  // namespace tolarka
