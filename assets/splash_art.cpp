// Page two of the splash: an invented channel's logo, its broadcast days and a premium number
// of all zeros, plainly fictional.
#include "assets/artwork.h"
#include "assets/emblem.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

void DrawChannelLogo(const Painter& p) {
    cairo_t* cr = p.cr();
    p.RoundedRect(1.5, 1.5, 107, 37, 8);
    p.FillLinear(0, 0, 0, 40, {{0.0, Hex(0x24379E)}, {0.5, Hex(0x0C185E)}, {1.0, Hex(0x040936)}});
    p.Stroke(palette::kCyan, 1.4);
    cairo_new_path(cr);
    DrawCoin(p, 20, 20, 13);
    p.Text({Face::SansBold, 19, palette::kWhite}, "TOLAR", 38, 21, Align::Left);
    p.Text({Face::SansBold, 10.5, palette::kCyan}, "TELEVIZE", 39, 33, Align::Left);
}

void DrawBroadcastTimes(const Painter& p) {
    const char* text = "každé úterý a pátek ve 20.15";
    TextStyle style{Face::SansBold, 14, palette::kOrange};
    style.px = p.FitSize(style, text, 263, 15);
    p.TextCentred(style, text, 133.5, 9);
}

void DrawPremiumNumber(const Painter& p) {
    cairo_t* cr = p.cr();
    const char* text = "000 000 000";
    TextStyle style{Face::SansBold, 40, palette::kOrange};
    style.px = p.FitSize(style, text, 270, 40);
    const double baseline = 22.5 + p.CapHeight(style) / 2;
    p.TextPath(style, text, 150, baseline, Align::Centre);
    p.Glow(Hex(0xFF8A00), 1.0, 5.0, 7);
    p.FillLinear(0, baseline - p.CapHeight(style), 0, baseline,
                 {{0.0, Hex(0xFFE3A0)}, {0.5, palette::kOrange}, {1.0, Hex(0xE06000)}});
    cairo_new_path(cr);
}

}  // namespace

void AddSplashArt(ArtworkList& out) {
    out.push_back({"SPLASH-TV", 110, 40, true, DrawChannelLogo});
    out.push_back({"SPLASH-VYSILANI", 267, 18, true, DrawBroadcastTimes});
    out.push_back({"SPLASH-TELEFON", 300, 45, true, DrawPremiumNumber});
}

}  // namespace tolarka::art
