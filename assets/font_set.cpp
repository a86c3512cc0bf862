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
};

FontSet::FontSet(const FontFiles& files) : impl_(std::make_unique<Impl>()) {
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
    }
}

FontSet::~FontSet() {
    for (auto& face : impl_->faces) face.reset();
    // cairo may still hold scaled fonts of our faces; let it drop them before FreeType goes.
    cairo_debug_reset_static_data();
}

cairo_font_face_t* FontSet::Get(Face face) const { return impl_->faces[static_cast<int>(face)].get(); }

}  // namespace tolarka::art
