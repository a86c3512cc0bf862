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
    using VideoDrawer = std::function<void(const MediaView&, SDL_Renderer*, const SDL_Rect&)>;
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
    // Logical rectangles of the clip views drawn by the last Draw, clipped to what showed.
    const std::vector<SDL_Rect>& VideoRects() const { return videoRects_; }
    // The texture of a compiled-in picture at the current scale, or nullptr.
    SDL_Texture* PictureTexture(const std::string& name);
    // Bytes of the cached pictures (kept under a budget, least recently drawn first out).
    size_t PictureBytes() const { return pictureBytes_; }
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

    SDL_Renderer* r_;
    TextMetrics& metrics_;
    OutputView view_;
    VideoDrawer videoDrawer_;
    std::vector<SDL_Rect> videoRects_;
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
};

}  // namespace tolarka::platform::sdl
