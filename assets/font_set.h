#pragma once
// The game's free fonts, loaded from their files through FreeType so that every picture is
// drawn with exactly the faces the game itself uses, whatever fontconfig would pick.
#include <cairo.h>

#include <memory>
#include <string>

namespace tolarka::art {

enum class Face { Sans, SansBold, Verdana, VerdanaBold };

struct FontFiles {
    std::string sans;          // Liberation Sans (stands in for MS Sans Serif and Arial)
    std::string sans_bold;
    std::string verdana;       // DejaVu Sans (stands in for Verdana)
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

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tolarka::art
