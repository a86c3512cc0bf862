// The closing credits: our own team under each heading, the team's mark and the web address.
#include <algorithm>
#include <string>
#include <vector>

#include "assets/artwork.h"
#include "assets/palette.h"

namespace tolarka::art {
namespace {

struct Section {
    std::string heading;
    std::vector<std::string> lines;  // white capitals; the first is the name, the rest roles
};

void DrawHeading(const Painter& p, const std::string& text, double cx, double cy, double width,
                 double scale) {
    cairo_t* cr = p.cr();
    const TextStyle style{Face::SansBold, 18 * scale, palette::kOrangeLight};
    const double half = p.TextWidth(style, text) / 2 + 10;
    cairo_move_to(cr, cx - width / 2 + 10, cy + 0.5);
    cairo_line_to(cr, cx - half, cy + 0.5);
    cairo_move_to(cr, cx + half, cy + 0.5);
    cairo_line_to(cr, cx + width / 2 - 10, cy + 0.5);
    p.Glow(palette::kCyan, 1.0, 1.5, 3);
    p.Stroke(WithAlpha(palette::kCyan, 0.85), 1.0);
    cairo_new_path(cr);
    p.TextCentred(style, text, cx, cy);
}

// Line pitches before scaling: heading, name, role, gap between sections, closing line.
constexpr double kHeadingStep = 30;
constexpr double kNameStep = 31;
constexpr double kRoleStep = 22;
constexpr double kSectionGap = 16;
constexpr double kClosingStep = 38;

void DrawCredits(const Painter& p, int width, int height, const std::vector<Section>& sections,
                 const std::string& closing) {
    double total = 0;
    for (const Section& s : sections) total += kHeadingStep + kNameStep + (s.lines.size() - 1) * kRoleStep;
    total += kSectionGap * (sections.size() - 1);
    if (!closing.empty()) total += kClosingStep;
    // As large as the picture allows, but never larger than a comfortable reading size.
    const double scale = std::min(1.2, (height - 24) / total);
    const TextStyle name{Face::SansBold, 24 * scale, palette::kWhite};
    const TextStyle role{Face::Sans, 15 * scale, Hex(0xD8DCF0)};
    const double cx = width / 2.0;
    double y = (height - total * scale) / 2;
    for (const Section& s : sections) {
        DrawHeading(p, s.heading, cx, y + kHeadingStep * scale * 0.45, width, scale);
        y += kHeadingStep * scale;
        p.TextCentred(name, s.lines[0], cx, y + kNameStep * scale * 0.5);
        y += kNameStep * scale;
        for (std::size_t i = 1; i < s.lines.size(); ++i) {
            p.TextCentred(role, s.lines[i], cx, y + kRoleStep * scale * 0.5);
            y += kRoleStep * scale;
        }
        y += kSectionGap * scale;
    }
    if (!closing.empty())
        p.TextCentred(name, closing, cx, y - kSectionGap * scale + kClosingStep * scale * 0.6);
}

void DrawTeamMark(const Painter& p) {
    cairo_t* cr = p.cr();
    p.Hexagon(1.5, 105.5, 3, 28, 9);
    p.Glow(palette::kCyan, 1, 1.5, 3);
    p.FillLinear(0, 3, 0, 28, {{0.0, Hex(0x6A34B8)}, {0.5, Hex(0x3A1680)}, {1.0, Hex(0x1A0848)}});
    p.Stroke(palette::kCyan, 1.3);
    cairo_new_path(cr);
    TextStyle style{Face::SansBold, 12, palette::kWhite};
    style.px = p.FitSize(style, "TÝM TOLARKA", 80, 12);
    p.TextCentred(style, "TÝM TOLARKA", 53.5, 15.5);
}

void DrawWebAddress(const Painter& p) {
    cairo_t* cr = p.cr();
    const char* text = "www.tolarka.example";
    TextStyle style{Face::SansBold, 26, Hex(0xB8B8B8)};
    style.px = p.FitSize(style, text, 305, 26);
    const double baseline = 13.5 + p.CapHeight(style) / 2;
    p.TextPath(style, text, 157.5, baseline, Align::Centre);
    p.FillLinear(0, baseline - p.CapHeight(style), 0, baseline, {{0.0, Hex(0xE6E6E6)}, {1.0, Hex(0x8C8C8C)}});
    cairo_new_path(cr);
}

}  // namespace

void AddCreditsArt(ArtworkList& out) {
    out.push_back({"TIT1", 320, 279, true, [](const Painter& p) {
                       DrawCredits(p, 320, 279,
                                   {{"SCÉNA", {"TÝM TOLARKA", "SCÉNÁŘ A REŽIE", "DRAMATURGIE STUDIA"}},
                                    {"HUDBA", {"TÝM TOLARKA", "ZNĚLKY A NAPĚTÍ", "ZVUKOVÉ EFEKTY"}}},
                                   "");
                   }});
    out.push_back({"TIT2", 318, 297, true, [](const Painter& p) {
                       DrawCredits(p, 318, 297,
                                   {{"GRAFIKA", {"TÝM TOLARKA", "OBRAZOVKY A PÍSMO"}},
                                    {"ANIMACE", {"TÝM TOLARKA", "SVĚTLA A PRŮLETY"}},
                                    {"PROGRAMOVÁNÍ", {"TÝM TOLARKA", "HERNÍ JÁDRO A PŘEHRÁVAČ"}}},
                                   "");
                   }});
    out.push_back(
        {"TIT3", 317, 277, true, [](const Painter& p) {
             DrawCredits(
                 p, 317, 277,
                 {{"OTÁZKY", {"TÝM TOLARKA", "AUTOŘI OTÁZEK", "KOREKTURA A OVĚŘENÍ", "PŘÍTEL NA TELEFONU"}}},
                 "A DALŠÍ..");
         }});
    out.push_back({"TIT-LOGO", 107, 31, true, DrawTeamMark});
    out.push_back({"TIT-WEB", 315, 27, true, DrawWebAddress});
}

}  // namespace tolarka::art
