#pragma once
#include <SDL.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/screen.h"
#include "platform/text_metrics.h"

namespace tolarka::platform::sdl {

struct TextureDeleter {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;

// Draws screens' widget trees on an SDL renderer (a window's, or a software renderer for
// screenshots). Textures of pictures and texts are cached; 640 x 480 logical pixels.
class Renderer {
public:
    using VideoDrawer = std::function<void(const MediaView&, SDL_Renderer*, const SDL_Rect&)>;
    Renderer(SDL_Renderer* renderer, TextMetrics& metrics);
    void SetVideoDrawer(VideoDrawer d) { videoDrawer_ = std::move(d); }
    // Clears to black and draws the screens, bottom first (no present).
    void Draw(const std::vector<const Screen*>& screens);
    // The texture of a compiled-in picture, or nullptr.
    SDL_Texture* PictureTexture(const std::string& name);
    // Forget every texture (after SDL_RENDER_TARGETS_RESET / DEVICE_RESET).
    void Reset();

private:
    void DrawScreen(const Screen& s);
    void DrawWidget(const Widget& w, int originX, int originY, const SDL_Rect& clip);
    void DrawLabel(const Label& l, const SDL_Rect& r);
    void DrawTextBox(const TextBox& t, const SDL_Rect& r);
    void DrawText(const Font& font, Colour colour, const std::string& text, int x, int y);
    void FillRect(const SDL_Rect& r, Colour c);
    void FillOval(const SDL_Rect& r, Colour c);
    void Frame(const SDL_Rect& r, int width, Colour c);
    void ThickLine(float x1, float y1, float x2, float y2, int width, Colour c);
    void SetClip(const SDL_Rect& r);

    SDL_Renderer* r_;
    TextMetrics& metrics_;
    VideoDrawer videoDrawer_;
    std::map<std::string, TexturePtr> pictures_;
    using TextKey = std::tuple<std::string, double, bool, Colour, std::string>;
    std::map<TextKey, TexturePtr> texts_;
};

}  // namespace tolarka::platform::sdl
