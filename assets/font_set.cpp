#include "assets/font_set.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <stdexcept>

namespace tolarka::art {
namespace {

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceReleaser {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};

const cairo_user_data_key_t kFtFaceKey{};

// The FreeType face must live as long as cairo keeps the font face, which may be longer than
// our own reference: cairo calls this when it drops its last one.
void CloseFtFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

struct FontSet::Impl {
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library;
    std::array<std::unique_ptr<cairo_font_face_t, FaceReleaser>, 4> faces;
    std::array<FT_Face, 4> ft_faces{};  // owned by the cairo faces above
};

FontSet::FontSet(const FontFiles& files) : impl_(std::make_unique<Impl>()) {
    // cairo sets its locks up on its first pattern or surface (or, as a DLL, when loaded); the
    // statically linked Windows cairo would otherwise take the FreeType font map's lock below
    // before it is set up, and wait on it for ever.
    cairo_pattern_destroy(cairo_pattern_create_rgb(0, 0, 0));
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType nelze spustit");
    impl_->library.reset(library);
    const std::array<const std::string*, 4> paths{&files.sans, &files.sans_bold, &files.verdana,
                                                  &files.verdana_bold};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        FT_Face ft_face = nullptr;
        if (FT_New_Face(library, paths[i]->c_str(), 0, &ft_face) != 0) {
            throw std::runtime_error("Písmo nelze načíst: " + *paths[i]);
        }
        cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ft_face, 0);
        if (cairo_font_face_set_user_data(face, &kFtFaceKey, ft_face, CloseFtFace) != CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(face);
            FT_Done_Face(ft_face);
            throw std::runtime_error("Písmo nelze předat do cairo: " + *paths[i]);
        }
        impl_->faces[i].reset(face);
        impl_->ft_faces[i] = ft_face;
    }
}

FontSet::~FontSet() {
    for (auto& face : impl_->faces) face.reset();
    // cairo may still hold scaled fonts of our faces; let it drop them before FreeType goes.
    cairo_debug_reset_static_data();
}

cairo_font_face_t* FontSet::Get(Face face) const { return impl_->faces[static_cast<int>(face)].get(); }

bool FontSet::Covers(Face face, std::string_view utf8) const {
    const FT_Face ft_face = impl_->ft_faces[static_cast<int>(face)];
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + length > utf8.size()) return false;
        unsigned long code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (code >= 0x20 && FT_Get_Char_Index(ft_face, code) == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace tolarka::art
