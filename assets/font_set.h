#pragma once
// The game's free fonts, loaded from their files through FreeType so that every picture is
// drawn with exactly the faces the game itself uses, whatever fontconfig would pick.
#include <cairo.h>

#include <memory>
#include <string>
#include <string_view>

namespace tolarka::art {

enum class Face { Sans, SansBold, Verdana, VerdanaBold };

struct FontFiles {
    std::string sans;  // Liberation Sans (stands in for MS Sans Serif and Arial)
    std::string sans_bold;
    std::string verdana;  // DejaVu Sans (stands in for Verdana)
    std::string verdana_bold;
};

class FontSet {
public:
    // Throws std::runtime_error naming the file that cannot be loaded.
    explicit FontSet(const FontFiles& files);
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    cairo_font_face_t* Get(Face face) const;
    // Whether the face has a glyph for every character of the UTF-8 text (cairo would quietly
    // draw an empty box for a missing one).
    bool Covers(Face face, std::string_view utf8) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tolarka::art
