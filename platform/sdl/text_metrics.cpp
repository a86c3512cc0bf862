#include "platform/text_metrics.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

#include "platform/font_files.h"

namespace tolarka::platform {

int FontPixelSize(double points) { return static_cast<int>(std::lround(points * 4.0 / 3.0)); }

namespace {

const char* FontFile(const Font& font) {
    const GameFontFiles& files = FontFiles();
    if (font.face == "Verdana") return font.bold ? files.verdanaBold.c_str() : files.verdana.c_str();
    return font.bold ? files.sansBold.c_str() : files.sans.c_str();
}

struct TtfCloser {
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};

// Index of the byte after the UTF-8 character that starts at i.
size_t NextChar(std::string_view s, size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

}  // namespace

struct TextMetrics::Impl {
    using Key = std::tuple<bool, int, bool, unsigned>;  // verdana, pixel size, bold, dots per inch
    std::map<Key, std::unique_ptr<TTF_Font, TtfCloser>> fonts;
    unsigned scaledDpi = 0;  // the one scaled resolution whose fonts are kept open

    // At 72 dots per inch a point is a pixel; a scaled font keeps the pixel size as its point
    // size and raises the resolution, so FreeType sizes it to the fraction of a pixel. Only the
    // fonts of the layout size and of the latest scale stay open: a window dragged through
    // hundreds of sizes would otherwise keep a file and a face for each.
    TTF_Font* Get(const Font& font, unsigned dpi = 72) {
        Key key{font.face == "Verdana", FontPixelSize(font.points), font.bold, dpi};
        auto it = fonts.find(key);
        if (it != fonts.end()) return it->second.get();
        if (dpi != 72 && dpi != scaledDpi) {
            std::erase_if(fonts, [](const auto& entry) { return std::get<3>(entry.first) != 72; });
            scaledDpi = dpi;
        }
        TTF_Font* f = dpi == 72 ? TTF_OpenFont(FontFile(font), std::get<1>(key))
                                : TTF_OpenFontDPI(FontFile(font), std::get<1>(key), dpi, dpi);
        // A scaled size FreeType refuses draws at the layout size rather than ending the game
        // (in a handle of its own: the renderer may set a scaled handle's size).
        if (!f && dpi != 72) f = TTF_OpenFont(FontFile(font), std::get<1>(key));
        if (!f) throw std::runtime_error(std::string("Nelze otevřít písmo: ") + FontFile(font));
        return fonts.emplace(key, std::unique_ptr<TTF_Font, TtfCloser>(f)).first->second.get();
    }
};

TextMetrics::TextMetrics() : impl_(std::make_unique<Impl>()) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
    }
}

// TTF_Quit is left to process exit: other users of SDL_ttf may still hold fonts.
TextMetrics::~TextMetrics() = default;

void* TextMetrics::Handle(const Font& font) { return impl_->Get(font); }

void* TextMetrics::Handle(const Font& font, double scale) {
    // Below a quarter of the size glyphs shrink to nothing and FreeType refuses them.
    const long dpi = std::lround(72.0 * std::max(scale, 0.25));
    return impl_->Get(font, static_cast<unsigned>(dpi));
}

int TextMetrics::Width(const Font& font, std::string_view utf8) {
    if (utf8.empty()) return 0;
    int w = 0, h = 0;
    std::string copy(utf8);
    if (TTF_SizeUTF8(impl_->Get(font), copy.c_str(), &w, &h) != 0) return 0;
    return w;
}

int TextMetrics::LineHeight(const Font& font) { return TTF_FontLineSkip(impl_->Get(font)); }

int TextMetrics::Height(const Font& font) { return TTF_FontHeight(impl_->Get(font)); }

int TextMetrics::Ascent(const Font& font) { return TTF_FontAscent(impl_->Get(font)); }

std::vector<std::string> TextMetrics::Wrap(const Font& font, std::string_view text, int maxWidth) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t eol = text.find('\n', start);
        std::string_view para =
            text.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
        if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
        // Greedy fill of one paragraph.
        std::string_view rest = para;
        do {
            if (Width(font, rest) <= maxWidth) {
                lines.emplace_back(rest);
                break;
            }
            size_t lastSpace = std::string_view::npos;
            size_t fit = 0;  // bytes of the longest prefix that fits
            for (size_t i = 0; i < rest.size(); i = NextChar(rest, i)) {
                size_t next = NextChar(rest, i);
                if (Width(font, rest.substr(0, next)) > maxWidth) break;
                fit = next;
                if (rest[i] == ' ') lastSpace = i;
            }
            size_t cut;
            size_t resume;
            if (fit < rest.size() && rest[fit] == ' ') {
                cut = fit;
                resume = fit + 1;
            } else if (lastSpace != std::string_view::npos && lastSpace > 0) {
                cut = lastSpace;
                resume = lastSpace + 1;
            } else {
                cut = fit == 0 ? NextChar(rest, 0) : fit;
                resume = cut;
            }
            lines.emplace_back(rest.substr(0, cut));
            rest = rest.substr(resume);
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        } while (!rest.empty());
        if (eol == std::string_view::npos) break;
        start = eol + 1;
    }
    return lines;
}

}  // namespace tolarka::platform
