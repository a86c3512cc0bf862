#include "platform/sdl/renderer.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/pictures.h"
#include "platform/sdl/picture_raster.h"

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
constexpr size_t kMaxCachedTexts = 600;
constexpr size_t kPictureBudget = size_t{64} << 20;
constexpr size_t kTextBudget = size_t{16} << 20;
// Far enough outside the screen to stand for "no limit".
constexpr int kFar = 1 << 14;
}  // namespace

Renderer::Renderer(SDL_Renderer* renderer, TextMetrics& metrics) : r_(renderer), metrics_(metrics) {}

void Renderer::Reset() {
    pictures_.clear();
    pictureBytes_ = 0;
    texts_.clear();
    fits_.clear();
    textBytes_ = 0;
}

void Renderer::SetView(const OutputView& view) {
    if (view.scale != view_.scale) Reset();
    view_ = view;
}

SDL_Rect Renderer::Out(const SDL_Rect& r) const {
    const int x = view_.OutX(r.x), y = view_.OutY(r.y);
    return SDL_Rect{x, y, view_.OutX(r.x + r.w) - x, view_.OutY(r.y + r.h) - y};
}

SDL_Texture* Renderer::PictureTexture(const std::string& name, const SDL_Rect* part) {
    std::string key = Upper(name);
    if (part)
        key += "@" + std::to_string(part->x) + "," + std::to_string(part->y) + "," + std::to_string(part->w) +
               "," + std::to_string(part->h);
    if (auto it = pictures_.find(key); it != pictures_.end()) {
        it->second.used = drawCount_;
        return it->second.texture.get();
    }
    CachedPicture picture;
    picture.used = drawCount_;
    const auto shape = view_.scale == 1.0 ? std::nullopt : RedrawnPictureShape(name, view_.scale);
    if (shape) {
        // The art code draws straight into the texture's pixels: no copy on the way.
        const SDL_Rect area = part ? *part : SDL_Rect{0, 0, shape->width, shape->height};
        TexturePtr t(
            SDL_CreateTexture(r_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, area.w, area.h));
        void* pixels = nullptr;
        int pitch = 0;
        if (t && SDL_LockTexture(t.get(), nullptr, &pixels, &pitch) == 0) {
            const bool drawn = RedrawPictureInto(name, view_.scale, area, pixels, pitch);
            SDL_UnlockTexture(t.get());
            if (drawn) {
                // Opaque pictures are copied, not blended.
                SDL_SetTextureBlendMode(t.get(), shape->alpha ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
                picture.bytes = static_cast<size_t>(pitch) * static_cast<size_t>(area.h);
                picture.texture = std::move(t);
            }
        }
    }
    if (!picture.texture) {
        if (SurfacePtr surface = PictureSurface(name, view_.scale)) {
            picture.texture.reset(SDL_CreateTextureFromSurface(r_, surface.get()));
            picture.bytes = static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h) * 4;
        }
    }
    SDL_Texture* tex = picture.texture.get();
    pictureBytes_ += picture.bytes;
    pictures_.emplace(key, std::move(picture));
    TrimPictures();
    return tex;
}

void Renderer::TrimPictures() {
    while (pictureBytes_ > kPictureBudget) {
        // Never one the drawing under way still uses.
        auto oldest = pictures_.end();
        for (auto it = pictures_.begin(); it != pictures_.end(); ++it) {
            if (it->second.used == drawCount_ || it->second.bytes == 0) continue;
            if (oldest == pictures_.end() || it->second.used < oldest->second.used) oldest = it;
        }
        if (oldest == pictures_.end()) return;
        pictureBytes_ -= oldest->second.bytes;
        pictures_.erase(oldest);
    }
}

std::vector<const Screen*> Renderer::SeenScreens(const std::vector<const Screen*>& screens) {
    size_t first = 0;
    for (size_t i = 0; i < screens.size(); ++i) {
        const Screen& s = *screens[i];
        const bool covers = s.Loaded() && !s.IsDialog() && s.WidthTwips() >= 9600 &&
                            s.HeightTwips() >= 7200 && s.Form().Visible() && !s.Form().Transparent();
        if (covers) first = i;
    }
    return {screens.begin() + static_cast<std::ptrdiff_t>(first), screens.end()};
}

void Renderer::Draw(const std::vector<const Screen*>& screens) {
    SDL_RenderSetClipRect(r_, nullptr);
    SDL_SetRenderDrawColor(r_, 0, 0, 0, 255);
    SDL_RenderClear(r_);
    DrawScreens(screens, SDL_Rect{-kFar, -kFar, 2 * kFar, 2 * kFar});
    SDL_RenderSetClipRect(r_, nullptr);
}

void Renderer::DrawRegion(const std::vector<const Screen*>& screens, const SDL_Rect& logical) {
    if (logical.w <= 0 || logical.h <= 0) return;
    SetClip(logical);
    FillRect(logical, 0x000000);
    DrawScreens(screens, logical);
    SDL_RenderSetClipRect(r_, nullptr);
}

std::vector<SDL_Rect> Renderer::Merge(std::vector<SDL_Rect> rects) {
    std::erase_if(rects, [](const SDL_Rect& r) { return r.w <= 0 || r.h <= 0; });
    const auto area = [](const SDL_Rect& r) { return static_cast<long long>(r.w) * r.h; };
    // Two rectangles become one when their bounding box wastes little: drawing a few extra
    // pixels costs less than walking the widgets once more.
    bool joined = true;
    while (joined) {
        joined = false;
        for (size_t i = 0; i < rects.size() && !joined; ++i) {
            for (size_t j = i + 1; j < rects.size() && !joined; ++j) {
                SDL_Rect u{};
                SDL_UnionRect(&rects[i], &rects[j], &u);
                if (area(u) <= area(rects[i]) + area(rects[j]) + 64 * 64) {
                    rects[i] = u;
                    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                }
            }
        }
    }
    constexpr size_t kMostRects = 8;
    if (rects.size() > kMostRects) {
        SDL_Rect u = rects.front();
        for (const SDL_Rect& r : rects) SDL_UnionRect(&u, &r, &u);
        rects = {u};
    }
    return rects;
}

std::vector<Renderer::ClipSpot> Renderer::ClipSpots(const std::vector<const Screen*>& screens) const {
    std::vector<ClipSpot> spots;
    // Anything drawn later over a spot covers it.
    const auto paints = [&spots](const SDL_Rect& r) {
        if (r.w <= 0 || r.h <= 0) return;
        for (ClipSpot& s : spots) {
            if (SDL_HasIntersection(&s.shown, &r)) s.covered = true;
        }
    };
    std::function<void(const Widget&, int, int, const SDL_Rect&)> walk = [&](const Widget& w, int ox, int oy,
                                                                             const SDL_Rect& parentClip) {
        if (!w.Visible() || parentClip.w <= 0 || parentClip.h <= 0) return;
        const SDL_Rect r{ox + TwipsToPixels(w.Left()), oy + TwipsToPixels(w.Top()), TwipsToPixels(w.Width()),
                         TwipsToPixels(w.Height())};
        if (dynamic_cast<const Line*>(&w)) {
            const Rect reach = w.DisplayPixels();  // the same display pixels as r, widened
            paints(Intersect(SDL_Rect{reach.left, reach.top, reach.width, reach.height}, parentClip));
            return;
        }
        const SDL_Rect clip = Intersect(r, parentClip);
        if (clip.w <= 0 || clip.h <= 0) return;
        if (const auto* c = dynamic_cast<const Container*>(&w)) {
            if (!c->Transparent() || !c->Picture().empty()) paints(clip);
            for (const auto& child : c->Children()) walk(*child, r.x, r.y, clip);
        } else if (const auto* view = dynamic_cast<const MediaView*>(&w)) {
            paints(clip);
            spots.push_back(ClipSpot{view, r, clip, false});
        } else if (const auto* label = dynamic_cast<const Label*>(&w)) {
            if (!label->Transparent() || !label->Caption().empty()) paints(clip);
        } else {
            paints(clip);
        }
    };
    for (const Screen* s : SeenScreens(screens)) {
        if (!s->Loaded()) continue;
        const int x = s->OriginX(), y = s->OriginY();
        const int w = TwipsToPixels(s->WidthTwips()), h = TwipsToPixels(s->HeightTwips());
        if (!s->IsDialog() && (w < 640 || h < 480)) paints(SDL_Rect{x - 3, y - 23, w + 6, h + 26});
        walk(s->Form(), x, y, SDL_Rect{x, y, w, h});
    }
    return spots;
}

Renderer::Painted Renderer::Repaint(const std::vector<const Screen*>& screens, const Damage& damage) {
    Painted painted;
    if (damage.whole) {
        Draw(screens);
        painted.whole = true;
        return painted;
    }
    std::vector<SDL_Rect> parts = damage.parts;
    if (!damage.clips.empty()) {
        for (const ClipSpot& spot : ClipSpots(screens)) {
            const MediaPlayback* channel = spot.view->Playback();
            if (!channel ||
                std::find(damage.clips.begin(), damage.clips.end(), channel) == damage.clips.end())
                continue;
            if (spot.covered) {
                parts.push_back(spot.shown);
                continue;
            }
            // Nothing lies above the clip and its frame covers its rectangle: the frame alone.
            ++drawCount_;
            DrawVideo(*spot.view, spot.full, spot.shown);
            SDL_RenderSetClipRect(r_, nullptr);
            painted.rects.push_back(Out(spot.shown));
        }
    }
    for (const SDL_Rect& part : Merge(std::move(parts))) {
        DrawRegion(screens, part);
        painted.rects.push_back(Out(part));
    }
    return painted;
}

void Renderer::DrawScreens(const std::vector<const Screen*>& screens, const SDL_Rect& limit) {
    ++drawCount_;
    for (const Screen* s : SeenScreens(screens)) DrawScreen(*s, limit);
}

void Renderer::DrawScreen(const Screen& s, const SDL_Rect& limit) {
    if (!s.Loaded()) return;
    const int x = s.OriginX();
    const int y = s.OriginY();
    const int w = TwipsToPixels(s.WidthTwips());
    const int h = TwipsToPixels(s.HeightTwips());
    if (!s.IsDialog() && (w < 640 || h < 480)) {
        // A small window gets a frame and a caption bar, like a desktop window (seen only where
        // the window is not already the screen's own size).
        constexpr int bar = 20;
        const SDL_Rect frame = Intersect(SDL_Rect{x - 3, y - bar - 3, w + 6, h + bar + 6}, limit);
        if (frame.w > 0 && frame.h > 0) {
            SetClip(frame);
            FillRect(SDL_Rect{x - 3, y - bar - 3, w + 6, h + bar + 6}, 0xC0C0C0);
            FillRect(SDL_Rect{x, y - bar, w, bar - 2}, 0x000080);
            const SDL_Rect caption = Intersect(SDL_Rect{x, y - bar, w, bar - 2}, limit);
            if (caption.w > 0 && caption.h > 0) {
                SetClip(caption);
                DrawText(Font{"MS Sans Serif", 8.25, true}, 0xFFFFFF, s.Caption, x + 5, y - bar + 2, w - 5,
                         Alignment::Left);
            }
        }
    }
    DrawWidget(s.Form(), x, y, Intersect(SDL_Rect{x, y, w, h}, limit));
}

void Renderer::SetClip(const SDL_Rect& r) {
    const SDL_Rect out = Out(r);
    SDL_RenderSetClipRect(r_, &out);
}

void Renderer::DrawPicture(const std::string& name, int x, int y) {
    const auto p = Pictures().Find(name);
    if (!p) return;
    const SDL_Rect whole{x, y, p->width, p->height};
    // Of a picture larger than the display (the menu's background) only the part on the display
    // is made; smaller ones are made whole, as they may move.
    const SDL_Rect seen = Intersect(whole, SDL_Rect{0, 0, 640, 480});
    if (seen.w <= 0 || seen.h <= 0) return;
    const bool larger = p->width > 640 || p->height > 480;
    if (!larger || SDL_RectEquals(&seen, &whole) || view_.scale == 1.0) {
        SDL_Texture* t = PictureTexture(name);
        if (!t) return;
        const SDL_Rect dst = Out(whole);
        SDL_RenderCopy(r_, t, nullptr, &dst);
        return;
    }
    const SDL_Rect dst = Out(seen);
    const SDL_Rect part{dst.x - view_.OutX(x), dst.y - view_.OutY(y), dst.w, dst.h};
    if (SDL_Texture* t = PictureTexture(name, &part)) SDL_RenderCopy(r_, t, nullptr, &dst);
}

void Renderer::DrawWidget(const Widget& w, int ox, int oy, const SDL_Rect& parentClip) {
    if (!w.Visible()) return;
    if (parentClip.w <= 0 || parentClip.h <= 0) return;
    const SDL_Rect r{ox + TwipsToPixels(w.Left()), oy + TwipsToPixels(w.Top()), TwipsToPixels(w.Width()),
                     TwipsToPixels(w.Height())};
    SDL_Rect clip = Intersect(r, parentClip);
    if (const auto* line = dynamic_cast<const Line*>(&w)) {
        // Lines are positioned by their end points, not clipped to their own box.
        SetClip(parentClip);
        ThickLine(static_cast<float>(ox + TwipsToPixels(line->X1())),
                  static_cast<float>(oy + TwipsToPixels(line->Y1())),
                  static_cast<float>(ox + TwipsToPixels(line->X2())),
                  static_cast<float>(oy + TwipsToPixels(line->Y2())), line->LineWidth(), line->LineColour());
        return;
    }
    if (clip.w <= 0 || clip.h <= 0) return;
    SetClip(clip);
    if (const auto* c = dynamic_cast<const Container*>(&w)) {
        if (!c->Transparent()) FillRect(r, c->BackColour());
        if (!c->Picture().empty()) DrawPicture(c->Picture(), r.x, r.y);
        for (const auto& child : c->Children()) DrawWidget(*child, r.x, r.y, clip);
    } else if (const auto* img = dynamic_cast<const Image*>(&w)) {
        DrawPicture(img->Picture(), r.x, r.y);
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
        DrawVideo(*view, r, clip);
    }
}

void Renderer::DrawVideo(const MediaView& view, const SDL_Rect& full, const SDL_Rect& clip) {
    if (!videoDrawer_) return;
    SetClip(clip);
    const SDL_Rect dst = Out(full);
    const SDL_Rect shown = Out(clip);
    SDL_Rect within{};
    const bool whole = SDL_IntersectRect(&dst, &shown, &within) && SDL_RectEquals(&within, &dst);
    SDL_Surface* direct = nullptr;
    if (direct_ && whole && dst.x >= 0 && dst.y >= 0 && dst.x + dst.w <= direct_->w &&
        dst.y + dst.h <= direct_->h)
        direct = direct_;
    videoDrawer_(view, r_, dst, direct);
}

void Renderer::DrawLabel(const Label& l, const SDL_Rect& r) {
    if (!l.Transparent()) FillRect(r, l.BackColour());
    if (l.Caption().empty()) return;
    // Line breaks are found in logical pixels at the design size, whatever the scale.
    const std::vector<std::string> lines =
        metrics_.Wrap(l.GetFont(), l.Caption(), l.WordWrap() ? r.w : 1 << 20);
    int lh = metrics_.LineHeight(l.GetFont());
    const int n = static_cast<int>(lines.size());
    if (n > 1 && n * lh > r.h) {
        // Lines that would reach below the label are set closer, so that the last one's
        // descenders stay inside; the glyph boxes may overlap by their descent at most.
        const int tight = (r.h - metrics_.Height(l.GetFont())) / (n - 1);
        lh = std::clamp(tight, metrics_.Ascent(l.GetFont()), lh);
    }
    // The lines of one label share one size: the one that fits the widest of them.
    int dpi = ScaledDpi();
    for (const auto& line : lines) dpi = std::min(dpi, FittingDpi(l.GetFont(), line));
    int y = r.y;
    for (const auto& line : lines) {
        DrawText(l.GetFont(), l.ForeColour(), line, r.x, y, r.w, l.Align(), dpi);
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
    std::vector<std::string> lines =
        t.MultiLine() ? metrics_.Wrap(f, t.Text(), r.w - 2 * pad) : std::vector<std::string>{t.Text()};
    // A multi-line box scrolls so that its last line stays in view.
    const int visible = std::max(1, (r.h - 2 * pad) / lh);
    const size_t first = lines.size() > static_cast<size_t>(visible) ? lines.size() - visible : 0;
    int y = r.y + (t.MultiLine() ? pad : (r.h - lh) / 2);
    for (size_t i = first; i < lines.size(); ++i, y += lh)
        DrawText(f, t.ForeColour(), lines[i], r.x + pad, y, r.w - 2 * pad, Alignment::Left);
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
        // The caret follows the text as drawn, at the output's size.
        const SDL_Rect line = Out(SDL_Rect{r.x + pad, r.y + (r.h - lh) / 2 + 1, 1, lh - 2});
        const int cx = line.x + OutTextWidth(f, before);
        const Colour c = t.ForeColour();
        SDL_SetRenderDrawColor(r_, static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8),
                               static_cast<Uint8>(c), 255);
        const SDL_Rect caret{cx, line.y, view_.OutLength(1), line.h};
        SDL_RenderFillRect(r_, &caret);
    }
}

SDL_Texture* Renderer::TextTexture(const Font& font, Colour colour, const std::string& text, int dpi) {
    TextKey key{font.face, font.points, font.bold, colour, text, dpi};
    auto it = texts_.find(key);
    if (it == texts_.end()) {
        if (texts_.size() > kMaxCachedTexts || textBytes_ > kTextBudget) {
            texts_.clear();
            textBytes_ = 0;
        }
        SurfacePtr s;
        if (view_.scale == 1.0) {
            s.reset(TTF_RenderUTF8_Blended(static_cast<TTF_Font*>(metrics_.Handle(font)), text.c_str(),
                                           ToSdl(colour)));
        } else {
            auto* ttf = static_cast<TTF_Font*>(metrics_.Handle(font, view_.scale));
            const int full = ScaledDpi();
            if (dpi != full) SetDpi(ttf, font, dpi);
            s.reset(TTF_RenderUTF8_Blended(ttf, text.c_str(), ToSdl(colour)));
            if (dpi != full) SetDpi(ttf, font, full);
        }
        SDL_Texture* tex = s ? SDL_CreateTextureFromSurface(r_, s.get()) : nullptr;
        if (tex) textBytes_ += static_cast<size_t>(s->w) * static_cast<size_t>(s->h) * 4;
        it = texts_.emplace(key, TexturePtr(tex)).first;
    }
    return it->second.get();
}

int Renderer::ScaledDpi() const { return static_cast<int>(std::lround(72.0 * view_.scale)); }

void Renderer::SetDpi(void* ttf, const Font& font, int dpi) {
    TTF_SetFontSizeDPI(static_cast<TTF_Font*>(ttf), FontPixelSize(font.points), static_cast<unsigned>(dpi),
                       static_cast<unsigned>(dpi));
}

int Renderer::FittedWidth(const Font& font, const std::string& text) {
    return static_cast<int>(std::floor(metrics_.Width(font, text) * view_.scale + 1e-6));
}

// Hinting rounds every glyph's advance to whole output pixels, so a line drawn at the output's
// size can come out wider than its logical width times the scale (at 2.25 x by a letter or
// more), and the layout, measured in logical pixels, has no room for that. Such a line is drawn
// a little smaller, at the largest size that fits: the resolution its font is set to.
int Renderer::FittingDpi(const Font& font, const std::string& text) {
    const int full = ScaledDpi();
    if (view_.scale == 1.0 || text.empty()) return full;
    TextKey key{font.face, font.points, font.bold, 0, text, 0};
    if (auto it = fits_.find(key); it != fits_.end()) return it->second;
    auto* ttf = static_cast<TTF_Font*>(metrics_.Handle(font, view_.scale));
    const int room = FittedWidth(font, text);
    int w = 0, h = 0;
    int fitted = full;
    if (TTF_SizeUTF8(ttf, text.c_str(), &w, &h) == 0 && w > room && w > 0) {
        fitted = std::min(full - 1, static_cast<int>(static_cast<long long>(full) * room / w));
        for (; fitted > full * 4 / 5; --fitted) {
            SetDpi(ttf, font, fitted);
            if (TTF_SizeUTF8(ttf, text.c_str(), &w, &h) != 0 || w <= room) break;
        }
        SetDpi(ttf, font, full);
    }
    if (fits_.size() > kMaxCachedTexts) fits_.clear();
    fits_.emplace(key, fitted);
    return fitted;
}

int Renderer::OutTextWidth(const Font& font, const std::string& text) {
    if (text.empty()) return 0;
    if (view_.scale == 1.0) return metrics_.Width(font, text);
    int w = 0, h = 0;
    if (TTF_SizeUTF8(static_cast<TTF_Font*>(metrics_.Handle(font, view_.scale)), text.c_str(), &w, &h) != 0)
        return 0;
    return std::min(w, FittedWidth(font, text));
}

void Renderer::DrawText(const Font& font, Colour colour, const std::string& text, int x, int y, int w,
                        Alignment align, int dpi) {
    if (text.empty()) return;
    SDL_Texture* tex = TextTexture(font, colour, text, dpi > 0 ? dpi : FittingDpi(font, text));
    if (!tex) return;
    int tw = 0, th = 0;
    SDL_QueryTexture(tex, nullptr, nullptr, &tw, &th);
    const int left = view_.OutX(x);
    const int right = view_.OutX(x + w);
    int ox = left;
    if (align == Alignment::Center) ox = left + (right - left - tw) / 2;
    if (align == Alignment::Right) ox = right - tw;
    SDL_Rect dst{ox, view_.OutY(y), tw, th};
    SDL_RenderCopy(r_, tex, nullptr, &dst);
    if (drawnTexts_) {
        SDL_Rect visible{};
        SDL_RenderGetClipRect(r_, &visible);
        drawnTexts_->push_back(DrawnText{text, dst, visible});
    }
}

void Renderer::FillRect(const SDL_Rect& r, Colour c) {
    SDL_SetRenderDrawColor(r_, static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c),
                           255);
    const SDL_Rect out = Out(r);
    SDL_RenderFillRect(r_, &out);
}

void Renderer::Frame(const SDL_Rect& r, int width, Colour c) {
    FillRect(SDL_Rect{r.x, r.y, r.w, width}, c);
    FillRect(SDL_Rect{r.x, r.y + r.h - width, r.w, width}, c);
    FillRect(SDL_Rect{r.x, r.y, width, r.h}, c);
    FillRect(SDL_Rect{r.x + r.w - width, r.y, width, r.h}, c);
}

void Renderer::FillOval(const SDL_Rect& logical, Colour c) {
    const SDL_Rect r = Out(logical);
    if (r.w <= 0 || r.h <= 0) return;
    // Enough segments that the outline stays round at the output's size.
    const int segments = std::clamp((r.w + r.h) / 4, 48, 256);
    const SDL_Color col = ToSdl(c);
    const float cx = r.x + r.w / 2.0f, cy = r.y + r.h / 2.0f, rx = r.w / 2.0f, ry = r.h / 2.0f;
    std::vector<SDL_Vertex> v;
    v.reserve(static_cast<size_t>(segments) * 3);
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2.0f * static_cast<float>(M_PI) * i / segments;
        const float a1 = 2.0f * static_cast<float>(M_PI) * (i + 1) / segments;
        v.push_back(SDL_Vertex{{cx, cy}, col, {0, 0}});
        v.push_back(SDL_Vertex{{cx + rx * std::cos(a0), cy + ry * std::sin(a0)}, col, {0, 0}});
        v.push_back(SDL_Vertex{{cx + rx * std::cos(a1), cy + ry * std::sin(a1)}, col, {0, 0}});
    }
    SDL_RenderGeometry(r_, nullptr, v.data(), static_cast<int>(v.size()), nullptr, 0);
}

void Renderer::ThickLine(float x1, float y1, float x2, float y2, int width, Colour c) {
    const SDL_Color col = ToSdl(c);
    const bool scaled = view_.scale != 1.0;
    if (width <= 1 && !scaled) {
        SDL_SetRenderDrawColor(r_, col.r, col.g, col.b, 255);
        SDL_RenderDrawLineF(r_, view_.OutXf(x1), view_.OutYf(y1), view_.OutXf(x2), view_.OutYf(y2));
        return;
    }
    // A quad around the centre line, half the width on each side. Scaled, the line runs through
    // the middle of the logical pixels it covers.
    const float half = scaled ? 0.5f : 0.0f;
    x1 = view_.OutXf(x1 + half), y1 = view_.OutYf(y1 + half);
    x2 = view_.OutXf(x2 + half), y2 = view_.OutYf(y2 + half);
    const float thick = static_cast<float>(std::max(1.0, std::max(1, width) * view_.scale));
    const float dx = x2 - x1, dy = y2 - y1;
    const float len = std::max(0.001f, std::sqrt(dx * dx + dy * dy));
    const float nx = -dy / len * thick / 2.0f, ny = dx / len * thick / 2.0f;
    const SDL_Vertex v[4] = {{{x1 + nx, y1 + ny}, col, {0, 0}},
                             {{x2 + nx, y2 + ny}, col, {0, 0}},
                             {{x2 - nx, y2 - ny}, col, {0, 0}},
                             {{x1 - nx, y1 - ny}, col, {0, 0}}};
    const int idx[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(r_, nullptr, v, 4, idx, 6);
}

}  // namespace tolarka::platform::sdl
