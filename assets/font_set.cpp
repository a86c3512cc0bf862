#include "assets/font_set.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <memory>
#include <stdexcept>

namespace tolarka::art {
namespace {

struct FaceReleaser {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};

using SharedLibrary = std::shared_ptr<FT_LibraryRec_>;

// A FreeType face and a share of the library it came from. cairo drops its last reference to
// a font face (and to the fonts it scaled from it) when it likes, possibly after the FontSet
// is gone, so each face keeps the library open until it is closed itself.
struct OwnedFace {
    FT_Face face = nullptr;
    SharedLibrary library;
};

const cairo_user_data_key_t kFtFaceKey{};

void CloseFtFace(void* data) {
    const std::unique_ptr<OwnedFace> owned(static_cast<OwnedFace*>(data));
    FT_Done_Face(owned->face);
}

}  // namespace

struct FontSet::Impl {
    SharedLibrary library;
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
    impl_->library.reset(library, FT_Done_FreeType);
    const std::array<const std::string*, 4> paths{&files.sans, &files.sans_bold, &files.verdana,
                                                  &files.verdana_bold};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        auto owned = std::make_unique<OwnedFace>(OwnedFace{nullptr, impl_->library});
        if (FT_New_Face(library, paths[i]->c_str(), 0, &owned->face) != 0) {
            throw std::runtime_error("Písmo nelze načíst: " + *paths[i]);
        }
        const FT_Face ft_face = owned->face;
        cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ft_face, 0);
        if (cairo_font_face_set_user_data(face, &kFtFaceKey, owned.get(), CloseFtFace) !=
            CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(face);
            FT_Done_Face(ft_face);
            throw std::runtime_error("Písmo nelze předat do cairo: " + *paths[i]);
        }
        owned.release();  // closed by cairo, through CloseFtFace
        impl_->faces[i].reset(face);
        impl_->ft_faces[i] = ft_face;
    }
}

FontSet::~FontSet() = default;

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
