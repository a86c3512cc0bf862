#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font.h"

namespace tolarka::platform {

// Measures UTF-8 text in the game's fonts (SDL2_ttf underneath), in pixels. The same measure
// drives layout rules (question text on one or two lines, the name width limit), the renderer
// and the question-pack checker, so what the checker accepts is what the screen shows.
// Throws std::runtime_error when a font file cannot be opened.
class TextMetrics {
public:
    TextMetrics();
    ~TextMetrics();
    TextMetrics(const TextMetrics&) = delete;
    TextMetrics& operator=(const TextMetrics&) = delete;

    int Width(const Font& font, std::string_view utf8);
    int LineHeight(const Font& font);
    // The height of a line's glyph box (ascent and descent, without the gap to the next line),
    // and of its part above the baseline.
    int Height(const Font& font);
    int Ascent(const Font& font);
    // Breaks text into lines no wider than maxWidth pixels, at spaces where possible (a word
    // longer than the line is broken between characters). CR LF / LF force a break.
    std::vector<std::string> Wrap(const Font& font, std::string_view utf8, int maxWidth);

    // The opened font handle, for the SDL renderer (a TTF_Font*, typed void* to keep SDL
    // headers out of this header).
    void* Handle(const Font& font);
    // The same font drawn `scale` times larger (for an output with more pixels than the
    // layout); widths of text in it are about scale times the logical widths.
    void* Handle(const Font& font, double scale);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tolarka::platform
