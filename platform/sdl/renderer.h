#pragma once
#include <SDL.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/screen.h"
#include "platform/sdl/output_view.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/text_metrics.h"

namespace tolarka::platform::sdl {

// Draws screens' widget trees on an SDL renderer (a window's, a cached scene texture, or a
// software renderer for screenshots). Widgets keep their logical 640 x 480 places; the view
// says how large and where they come out, and everything is drawn at that size: text in fonts
// of the output's size, pictures redrawn by their art code, shapes and lines at scale. Line
// breaks and alignment are still measured in logical pixels, so the layout is the same at any
// scale. Textures of pictures and texts are cached for the current scale.
class Renderer {
public:
    // Draws a clip view's frame scaled into dst. `direct`, when not null, is the surface the
    // renderer draws into and dst lies wholly inside the clip: the frame may be scaled straight
    // into its pixels (after flushing the renderer) instead of through a texture.
    using VideoDrawer =
        std::function<void(const MediaView&, SDL_Renderer*, const SDL_Rect& dst, SDL_Surface* direct)>;
    Renderer(SDL_Renderer* renderer, TextMetrics& metrics);
    void SetVideoDrawer(VideoDrawer d) { videoDrawer_ = std::move(d); }
    // Where logical pixels land; a new scale drops the cached textures.
    void SetView(const OutputView& view);
    const OutputView& View() const { return view_; }
    // Clears to black and draws the screens, bottom first (no present). Screens wholly behind an
    // opaque full-size screen are skipped.
    void Draw(const std::vector<const Screen*>& screens);
    // Draws the screens again inside one logical rectangle only (for a clip's new frame: the
    // rest of the picture stays as it was).
    void DrawRegion(const std::vector<const Screen*>& screens, const SDL_Rect& logical);
    // What changed since the picture on the target was drawn: everything, the widgets' parts (in
    // pixels of the 640 x 480 display), and the channels that have a new frame to show.
    struct Damage {
        bool whole = false;
        std::vector<SDL_Rect> parts;
        std::vector<const MediaPlayback*> clips;
    };
    // Brings the target's picture up to date, on a target that keeps its picture between frames
    // (the software renderer's window, an offscreen surface). A clip's new frame with nothing
    // drawn above it is drawn alone, with nothing under it. Returns the output rectangles that
    // changed; `whole` changes everything.
    struct Painted {
        bool whole = false;
        std::vector<SDL_Rect> rects;
    };
    Painted Repaint(const std::vector<const Screen*>& screens, const Damage& damage);
    // The surface the renderer draws into, where clips may be scaled straight into its pixels.
    void SetDirectSurface(SDL_Surface* surface) { direct_ = surface; }
    // A clip view as it shows: its whole rectangle and the part not clipped away (logical), and
    // whether anything is drawn above it.
    struct ClipSpot {
        const MediaView* view = nullptr;
        SDL_Rect full{};
        SDL_Rect shown{};
        bool covered = false;
    };
    std::vector<ClipSpot> ClipSpots(const std::vector<const Screen*>& screens) const;
    // Disjoint-enough rectangles covering the given ones: overlapping or nearly touching ones
    // are joined, and many are joined into one.
    static std::vector<SDL_Rect> Merge(std::vector<SDL_Rect> rects);
    // The texture of one of the program's pictures at the current scale, or nullptr: the whole picture,
    // or only `part` of it (output pixels of the whole scaled picture).
    SDL_Texture* PictureTexture(const std::string& name, const SDL_Rect* part = nullptr);
    // Bytes of the cached pictures' pixels (kept under a budget, least recently drawn first out).
    size_t PictureBytes() const { return pictureBytes_; }
    // Bytes of the cached texts' pixels.
    size_t TextBytes() const { return textBytes_; }
    // Forget every texture (after SDL_RENDER_TARGETS_RESET / DEVICE_RESET).
    void Reset();
    // The output rectangle of a logical one.
    SDL_Rect Out(const SDL_Rect& logical) const;
    // The screens that can be seen: from the last opaque full-size one up.
    static std::vector<const Screen*> SeenScreens(const std::vector<const Screen*>& screens);
    // Each line of text drawn from now on, in output pixels: where it went and the part of the
    // output it was clipped to (for checking that no text is cut at any scale). nullptr stops.
    struct DrawnText {
        std::string text;
        SDL_Rect drawn;
        SDL_Rect visible;
    };
    void RecordTexts(std::vector<DrawnText>* into) { drawnTexts_ = into; }

private:
    void DrawScreens(const std::vector<const Screen*>& screens, const SDL_Rect& limit);
    void DrawScreen(const Screen& s, const SDL_Rect& limit);
    void DrawWidget(const Widget& w, int originX, int originY, const SDL_Rect& clip);
    void DrawLabel(const Label& l, const SDL_Rect& r);
    void DrawTextBox(const TextBox& t, const SDL_Rect& r);
    void DrawPicture(const std::string& name, int x, int y);
    // Draws one line of text in the logical box x .. x + w at the top y, aligned as asked.
    // At a scale other than 1 the text is drawn in its font set to `dpi` (0: the largest that
    // fits its logical width).
    void DrawText(const Font& font, Colour colour, const std::string& text, int x, int y, int w,
                  Alignment align, int dpi = 0);
    SDL_Texture* TextTexture(const Font& font, Colour colour, const std::string& text, int dpi);
    // The font resolution of the current scale, and the largest one at which the text fits.
    int ScaledDpi() const;
    int FittingDpi(const Font& font, const std::string& text);
    static void SetDpi(void* ttf, const Font& font, int dpi);
    // Output pixels a line may take at the current scale: its logical width times the scale.
    int FittedWidth(const Font& font, const std::string& text);
    int OutTextWidth(const Font& font, const std::string& text);
    void FillRect(const SDL_Rect& r, Colour c);
    void FillOval(const SDL_Rect& r, Colour c);
    void Frame(const SDL_Rect& r, int width, Colour c);
    void ThickLine(float x1, float y1, float x2, float y2, int width, Colour c);
    void SetClip(const SDL_Rect& r);
    void DrawVideo(const MediaView& view, const SDL_Rect& full, const SDL_Rect& clip);

    SDL_Renderer* r_;
    TextMetrics& metrics_;
    OutputView view_;
    VideoDrawer videoDrawer_;
    SDL_Surface* direct_ = nullptr;
    // Pictures at the current scale, with their size and when they were last drawn; the least
    // recently drawn go once they add up to more than the budget (at 4.5x a prize ladder alone
    // is 4 MiB, and a game shows sixteen).
    struct CachedPicture {
        TexturePtr texture;
        size_t bytes = 0;
        unsigned long long used = 0;
    };
    void TrimPictures();
    std::map<std::string, CachedPicture> pictures_;
    size_t pictureBytes_ = 0;
    unsigned long long drawCount_ = 0;
    using TextKey = std::tuple<std::string, double, bool, Colour, std::string, int>;
    std::map<TextKey, TexturePtr> texts_;
    std::map<TextKey, int> fits_;  // FittingDpi's answers at the current scale
    std::vector<DrawnText>* drawnTexts_ = nullptr;
    size_t textBytes_ = 0;
};

}  // namespace tolarka::platform::sdl
