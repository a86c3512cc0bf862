#pragma once
#include <algorithm>
#include <cmath>

namespace tolarka::platform::sdl {

// Where the game's logical pixels land on the output: every logical pixel is `scale` output
// pixels wide (any positive factor, 2.25 as well as 2), and logical (0, 0) lies at output
// (x, y). Screens keep their logical coordinates; only drawing and pointer mapping use this.
struct OutputView {
    double scale = 1.0;
    int x = 0;
    int y = 0;
    friend bool operator==(const OutputView&, const OutputView&) = default;

    // Output position of a logical coordinate. Edges round to the nearest output pixel, so
    // rectangles that touch in logical pixels touch on the output as well.
    int OutX(int lx) const { return x + static_cast<int>(std::lround(lx * scale)); }
    int OutY(int ly) const { return y + static_cast<int>(std::lround(ly * scale)); }
    float OutXf(float lx) const { return static_cast<float>(x + lx * scale); }
    float OutYf(float ly) const { return static_cast<float>(y + ly * scale); }
    // An output length for a logical one, at least one pixel when the logical one is not zero.
    int OutLength(int l) const {
        if (l == 0) return 0;
        return std::max(1, static_cast<int>(std::lround(l * scale)));
    }
    // The logical pixel under an output pixel: the one whose output pixels include it.
    int LogicalX(int ox) const { return Back(ox, &OutputView::OutX); }
    int LogicalY(int oy) const { return Back(oy, &OutputView::OutY); }

private:
    int Back(int o, int (OutputView::*out)(int) const) const {
        const int origin = out == &OutputView::OutX ? x : y;
        int l = static_cast<int>(std::floor((o - origin + 0.5) / scale));
        while ((this->*out)(l) > o) --l;
        while ((this->*out)(l + 1) <= o) ++l;
        return l;
    }
};

// The largest view of a logical canvas of lw x lh inside an output of ow x oh that keeps its
// shape, centred; the rest of the output stays as black bars.
inline OutputView FitView(int ow, int oh, int lw, int lh) {
    if (ow <= 0 || oh <= 0 || lw <= 0 || lh <= 0) return {};
    const double scale = std::min(static_cast<double>(ow) / lw, static_cast<double>(oh) / lh);
    const int w = static_cast<int>(std::lround(lw * scale));
    const int h = static_cast<int>(std::lround(lh * scale));
    return {scale, (ow - w) / 2, (oh - h) / 2};
}

}  // namespace tolarka::platform::sdl
