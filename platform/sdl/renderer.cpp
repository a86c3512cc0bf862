#include "platform/sdl/renderer.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "media/picture_catalogue.h"

namespace tolarka::platform::sdl {

namespace {
SDL_Color ToSdl(Colour c) {
    return SDL_Color{static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c), 255};
}
SDL_Rect Intersect(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect out{};
    if (!SDL_IntersectRect(&a, &b, &out)) return SDL_Rect{0, 0, 0, 0};
    return out;
}
std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
constexpr size_t kMaxCachedTexts = 600;
}  // namespace

Renderer::Renderer(SDL_Renderer* renderer, TextMetrics& metrics) : r_(renderer), metrics_(metrics) {}

void Renderer::Reset() {
    pictures_.clear();
    texts_.clear();
}

SDL_Texture* Renderer::PictureTexture(const std::string& name) {
    const std::string key = Upper(name);
    if (auto it = pictures_.find(key); it != pictures_.end()) return it->second.get();
    SDL_Texture* tex = nullptr;
    if (const auto* p = media::FindPicture(key)) {
        SDL_RWops* rw = SDL_RWFromConstMem(p->png.data(), static_cast<int>(p->png.size()));
        std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(IMG_Load_RW(rw, 1));
        if (surface) tex = SDL_CreateTextureFromSurface(r_, surface.get());
    }
    pictures_.emplace(key, TexturePtr(tex));
    return tex;
}

void Renderer::Draw(const std::vector<const Screen*>& screens) {
    SDL_RenderSetClipRect(r_, nullptr);
    SDL_SetRenderDrawColor(r_, 0, 0, 0, 255);
    SDL_RenderClear(r_);
    for (const Screen* s : screens) DrawScreen(*s);
    SDL_RenderSetClipRect(r_, nullptr);
}

void Renderer::DrawScreen(const Screen& s) {
    if (!s.Loaded()) return;
    const int x = s.OriginX();
    const int y = s.OriginY();
    const int w = TwipsToPixels(s.WidthTwips());
    const int h = TwipsToPixels(s.HeightTwips());
    if (!s.IsDialog() && (w < 640 || h < 480)) {
        // A small window gets a frame and a caption bar, like a desktop window.
        constexpr int bar = 20;
        FillRect(SDL_Rect{x - 3, y - bar - 3, w + 6, h + bar + 6}, 0xC0C0C0);
        FillRect(SDL_Rect{x, y - bar, w, bar - 2}, 0x000080);
        SetClip(SDL_Rect{x, y - bar, w, bar - 2});
        DrawText(Font{"MS Sans Serif", 8.25, true}, 0xFFFFFF, s.Caption, x + 5, y - bar + 2);
    }
    DrawWidget(s.Form(), x, y, SDL_Rect{x, y, w, h});
}

void Renderer::SetClip(const SDL_Rect& r) { SDL_RenderSetClipRect(r_, &r); }

void Renderer::DrawWidget(const Widget& w, int ox, int oy, const SDL_Rect& parentClip) {
    if (!w.Visible()) return;
    const SDL_Rect r{ox + TwipsToPixels(w.Left()), oy + TwipsToPixels(w.Top()), TwipsToPixels(w.Width()),
                     TwipsToPixels(w.Height())};
    SDL_Rect clip = Intersect(r, parentClip);
    if (const auto* line = dynamic_cast<const Line*>(&w)) {
        // Lines are positioned by their end points, not clipped to their own box.
        SetClip(parentClip);
        ThickLine(static_cast<float>(ox + TwipsToPixels(line->X1())), static_cast<float>(oy + TwipsToPixels(line->Y1())),
                  static_cast<float>(ox + TwipsToPixels(line->X2())), static_cast<float>(oy + TwipsToPixels(line->Y2())),
                  line->LineWidth(), line->LineColour());
        return;
    }
    if (clip.w <= 0 || clip.h <= 0) return;
    SetClip(clip);
    if (const auto* c = dynamic_cast<const Container*>(&w)) {
        if (!c->Transparent()) FillRect(r, c->BackColour());
        if (!c->Picture().empty()) {
            if (SDL_Texture* t = PictureTexture(c->Picture())) {
                int tw = 0, th = 0;
                SDL_QueryTexture(t, nullptr, nullptr, &tw, &th);
                SDL_Rect dst{r.x, r.y, tw, th};
                SDL_RenderCopy(r_, t, nullptr, &dst);
            }
        }
        for (const auto& child : c->Children()) DrawWidget(*child, r.x, r.y, clip);
    } else if (const auto* img = dynamic_cast<const Image*>(&w)) {
        if (SDL_Texture* t = PictureTexture(img->Picture())) {
            int tw = 0, th = 0;
            SDL_QueryTexture(t, nullptr, nullptr, &tw, &th);
            SDL_Rect dst{r.x, r.y, tw, th};
            SDL_RenderCopy(r_, t, nullptr, &dst);
        }
    } else if (const auto* label = dynamic_cast<const Label*>(&w)) {
        DrawLabel(*label, r);
    } else if (const auto* box = dynamic_cast<const TextBox*>(&w)) {
        DrawTextBox(*box, r);
    } else if (const auto* shape = dynamic_cast<const Shape*>(&w)) {
        const int bw = shape->BorderWidth();
        if (shape->Kind() == ShapeKind::Oval) {
            if (bw > 0) FillOval(r, shape->BorderColour());
            const SDL_Rect inner{r.x + bw, r.y + bw, r.w - 2 * bw, r.h - 2 * bw};
            if (shape->Filled()) FillOval(inner, shape->FillColour());
        } else {
            if (shape->Filled()) FillRect(r, shape->FillColour());
            if (bw > 0) Frame(r, bw, shape->BorderColour());
        }
    } else if (const auto* view = dynamic_cast<const MediaView*>(&w)) {
        if (videoDrawer_) videoDrawer_(*view, r_, r);
    }
}

void Renderer::DrawLabel(const Label& l, const SDL_Rect& r) {
    if (!l.Transparent()) FillRect(r, l.BackColour());
    if (l.Caption().empty()) return;
    std::vector<std::string> lines;
    if (l.WordWrap()) {
        lines = metrics_.Wrap(l.GetFont(), l.Caption(), r.w);
    } else {
        lines = metrics_.Wrap(l.GetFont(), l.Caption(), 1 << 20);
    }
    const int lh = metrics_.LineHeight(l.GetFont());
    int y = r.y;
    for (const auto& line : lines) {
        const int tw = metrics_.Width(l.GetFont(), line);
        int x = r.x;
        if (l.Align() == Alignment::Center) x = r.x + (r.w - tw) / 2;
        if (l.Align() == Alignment::Right) x = r.x + r.w - tw;
        DrawText(l.GetFont(), l.ForeColour(), line, x, y);
        y += lh;
    }
}

void Renderer::DrawTextBox(const TextBox& t, const SDL_Rect& r) {
    FillRect(r, t.BackColour());
    if (!t.MultiLine()) {
        // A thin frame in a dimmed text colour marks the box on a panel of its own colour.
        const Colour c = t.ForeColour();
        const Colour dim = (((c >> 16 & 0xFF) / 2) << 16) | (((c >> 8 & 0xFF) / 2) << 8) | ((c & 0xFF) / 2);
        Frame(r, 1, dim);
    }
    const Font& f = t.GetFont();
    const int lh = metrics_.LineHeight(f);
    const int pad = 3;
    std::vector<std::string> lines = t.MultiLine() ? metrics_.Wrap(f, t.Text(), r.w - 2 * pad)
                                                   : std::vector<std::string>{t.Text()};
    // A multi-line box scrolls so that its last line stays in view.
    const int visible = std::max(1, (r.h - 2 * pad) / lh);
    const size_t first = lines.size() > static_cast<size_t>(visible) ? lines.size() - visible : 0;
    int y = r.y + (t.MultiLine() ? pad : (r.h - lh) / 2);
    for (size_t i = first; i < lines.size(); ++i, y += lh) DrawText(f, t.ForeColour(), lines[i], r.x + pad, y);
    if (t.HasFocus() && !t.MultiLine()) {
        std::string before = t.Text();
        int chars = 0;
        size_t cut = 0;
        for (; cut < before.size(); ++cut) {
            if ((static_cast<unsigned char>(before[cut]) & 0xC0) != 0x80) {
                if (chars == t.SelStart()) break;
                ++chars;
            }
        }
        before.resize(cut);
        const int cx = r.x + pad + metrics_.Width(f, before);
        FillRect(SDL_Rect{cx, r.y + (r.h - lh) / 2 + 1, 1, lh - 2}, t.ForeColour());
    }
}

void Renderer::DrawText(const Font& font, Colour colour, const std::string& text, int x, int y) {
    if (text.empty()) return;
    TextKey key{font.face, font.points, font.bold, colour, text};
    auto it = texts_.find(key);
    if (it == texts_.end()) {
        if (texts_.size() > kMaxCachedTexts) texts_.clear();
        auto* ttf = static_cast<TTF_Font*>(metrics_.Handle(font));
        std::unique_ptr<SDL_Surface, SurfaceDeleter> s(TTF_RenderUTF8_Blended(ttf, text.c_str(), ToSdl(colour)));
        SDL_Texture* tex = s ? SDL_CreateTextureFromSurface(r_, s.get()) : nullptr;
        it = texts_.emplace(key, TexturePtr(tex)).first;
    }
    if (!it->second) return;
    int w = 0, h = 0;
    SDL_QueryTexture(it->second.get(), nullptr, nullptr, &w, &h);
    SDL_Rect dst{x, y, w, h};
    SDL_RenderCopy(r_, it->second.get(), nullptr, &dst);
}

void Renderer::FillRect(const SDL_Rect& r, Colour c) {
    SDL_SetRenderDrawColor(r_, static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c), 255);
    SDL_RenderFillRect(r_, &r);
}

void Renderer::Frame(const SDL_Rect& r, int width, Colour c) {
    FillRect(SDL_Rect{r.x, r.y, r.w, width}, c);
    FillRect(SDL_Rect{r.x, r.y + r.h - width, r.w, width}, c);
    FillRect(SDL_Rect{r.x, r.y, width, r.h}, c);
    FillRect(SDL_Rect{r.x + r.w - width, r.y, width, r.h}, c);
}

void Renderer::FillOval(const SDL_Rect& r, Colour c) {
    if (r.w <= 0 || r.h <= 0) return;
    constexpr int kSegments = 48;
    const SDL_Color col = ToSdl(c);
    const float cx = r.x + r.w / 2.0f, cy = r.y + r.h / 2.0f, rx = r.w / 2.0f, ry = r.h / 2.0f;
    std::vector<SDL_Vertex> v;
    v.reserve(kSegments * 3);
    for (int i = 0; i < kSegments; ++i) {
        const float a0 = 2.0f * static_cast<float>(M_PI) * i / kSegments;
        const float a1 = 2.0f * static_cast<float>(M_PI) * (i + 1) / kSegments;
        v.push_back(SDL_Vertex{{cx, cy}, col, {0, 0}});
        v.push_back(SDL_Vertex{{cx + rx * std::cos(a0), cy + ry * std::sin(a0)}, col, {0, 0}});
        v.push_back(SDL_Vertex{{cx + rx * std::cos(a1), cy + ry * std::sin(a1)}, col, {0, 0}});
    }
    SDL_RenderGeometry(r_, nullptr, v.data(), static_cast<int>(v.size()), nullptr, 0);
}

void Renderer::ThickLine(float x1, float y1, float x2, float y2, int width, Colour c) {
    const SDL_Color col = ToSdl(c);
    if (width <= 1) {
        SDL_SetRenderDrawColor(r_, col.r, col.g, col.b, 255);
        SDL_RenderDrawLineF(r_, x1, y1, x2, y2);
        return;
    }
    // A quad around the centre line, half the width on each side.
    const float dx = x2 - x1, dy = y2 - y1;
    const float len = std::max(0.001f, std::sqrt(dx * dx + dy * dy));
    const float nx = -dy / len * width / 2.0f, ny = dx / len * width / 2.0f;
    const SDL_Vertex v[4] = {{{x1 + nx, y1 + ny}, col, {0, 0}}, {{x2 + nx, y2 + ny}, col, {0, 0}},
                             {{x2 - nx, y2 - ny}, col, {0, 0}}, {{x1 - nx, y1 - ny}, col, {0, 0}}};
    const int idx[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(r_, nullptr, v, 4, idx, 6);
}

}  // namespace tolarka::platform::sdl
