#include "platform/sdl/sdl_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "platform/pictures.h"
#include "platform/sdl/key_codes.h"
#include "platform/sdl/picture_raster.h"
#include "platform/sdl/png_codec.h"
#include "platform/sdl/termination_signals.h"
#include "platform/sdl/window_manager.h"

namespace tolarka::platform::sdl {

namespace {

InputEvent Ev(InputKind kind, int key = 0, std::string text = {}, int x = 0, int y = 0) {
    return InputEvent{kind, key, std::move(text), x, y};
}

constexpr DisplayMode kGameMode{640, 480};
constexpr double kMinScale = 0.25;

int DisplayOf(SDL_Window* w) {
    const int d = SDL_GetWindowDisplayIndex(w);
    return d < 0 ? 0 : d;
}

// Window pixels per logical pixel for a new window: as large a whole number as leaves a fifth
// of the desktop free, so a 640 x 480 window is not a postage stamp on a large screen.
int WindowZoom(SDL_Window* w) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(DisplayOf(w), &usable) != 0) return 1;
    const int zoom = static_cast<int>(std::min(usable.w * 0.8 / 640, usable.h * 0.8 / 480));
    return std::max(1, zoom);
}

bool IsToggleKey(const SDL_Keysym& k) {
    const bool enter = k.sym == SDLK_RETURN || k.sym == SDLK_KP_ENTER;
    return k.sym == SDLK_F11 || (enter && (k.mod & KMOD_ALT) != 0);
}

}  // namespace

SdlBackend::SdlBackend(bool fullscreen, std::shared_ptr<ClipLibrary> clips)
    : SdlBackend(fullscreen, ChooseRenderer(), std::move(clips)) {}

SdlBackend::SdlBackend(bool fullscreen, const RendererChoice& choice, std::shared_ptr<ClipLibrary> clips) {
    SkipAbsentSessionBus();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0 &&
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
        throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
    start_ = SDL_GetTicks64();
    // Pictures and text are drawn at the output's size and copied pixel for pixel; only clips
    // are scaled, and they ask for linear filtering themselves.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    window_.reset(SDL_CreateWindow("Tolarka", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                   SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN));
    if (!window_) throw std::runtime_error(std::string("SDL_CreateWindow: ") + SDL_GetError());
    SDL_SetWindowMinimumSize(window_.get(), 64, 48);
    // The software renderer's picture reaches the screen by the window system's own means (X11
    // shared memory), not through an OpenGL texture that would load the emulation after all.
    if (choice.software) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!choice.software) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer_) throw std::runtime_error(std::string("SDL_CreateRenderer: ") + SDL_GetError());
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_.get(), &info);
    std::fprintf(stderr, "Tolarka: renderer %s (%s)\n", info.name ? info.name : "?", choice.reason.c_str());
    keepsWindow_ = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    painter_ = std::make_unique<Renderer>(renderer_.get(), metrics_);
    media_ = std::make_unique<Channels>(*this, std::move(clips));
    painter_->SetVideoDrawer([](const MediaView& view, SDL_Renderer* r, const SDL_Rect& dst,
                                SDL_Surface* direct) { DrawClipFrame(view.Playback(), r, dst, direct); });

    if (SurfacePtr icon = PictureSurface("ICON-48", 1.0)) SDL_SetWindowIcon(window_.get(), icon.get());
    UpdateCursor();
    waitCursor_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
    arrowCursor_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
    SDL_StartTextInput();
    ChainTerminationHandlers();
    if (fullscreen) SetDisplayMode(kGameMode);
}

SdlBackend::~SdlBackend() {
    media_.reset();
    scene_.reset();
    painter_.reset();
    renderer_.reset();
    window_.reset();
    UnchainTerminationHandlers();
    SDL_Quit();
}

Millis SdlBackend::Now() const { return static_cast<Millis>(SDL_GetTicks64() - start_); }

std::optional<InputEvent> SdlBackend::Translate(const SDL_Event& e) {
    if (media_->system.HandleEvent(e)) return Ev(InputKind::Wake);  // sound device, mute key
    // Window pixels to the logical pixel under them.
    const auto logical = [this](int x, int y) {
        return std::pair{windowView_.LogicalX(static_cast<int>(std::floor(x * pixelRatio_))),
                         windowView_.LogicalY(static_cast<int>(std::floor(y * pixelRatio_)))};
    };
    switch (e.type) {
        case SDL_QUIT: return Ev(TerminationRequested() ? InputKind::Terminate : InputKind::Quit);
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (IsToggleKey(e.key.keysym)) {
                if (e.type == SDL_KEYDOWN && !e.key.repeat) ToggleFullscreen();
                return Ev(InputKind::Wake);
            }
            const int key = KeyCode(e.key.keysym);
            if (key == 0) return Ev(InputKind::Wake);
            return Ev(e.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp, key);
        }
        case SDL_TEXTINPUT: return Ev(InputKind::Text, 0, e.text.text);
        case SDL_MOUSEMOTION: {
            const auto [x, y] = logical(e.motion.x, e.motion.y);
            return Ev(InputKind::MouseMove, 0, {}, x, y);
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (e.button.button != SDL_BUTTON_LEFT) return Ev(InputKind::Wake);
            const auto [x, y] = logical(e.button.x, e.button.y);
            return Ev(e.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp, 0, {}, x, y);
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                exposed_ = true;
            return Ev(InputKind::Wake);
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            painter_->Reset();
            scene_.reset();
            damage_.whole = true;
            exposed_ = true;
            return Ev(InputKind::Wake);
        default: return Ev(InputKind::Wake);
    }
}

std::optional<InputEvent> SdlBackend::WaitEvent(std::optional<Millis> deadline) {
    SDL_Event e;
    int got;
    if (!deadline) {
        got = SDL_WaitEvent(&e);
    } else {
        const Millis wait = *deadline - Now();
        got = wait <= 0 ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, static_cast<int>(wait));
    }
    if (!got) return std::nullopt;
    return Translate(e);
}

std::optional<InputEvent> SdlBackend::PollEvent() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (auto t = Translate(e); t && t->kind != InputKind::Wake) return t;
    }
    return std::nullopt;
}

void SdlBackend::Sleep(Millis ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

SDL_Rect SdlBackend::Canvas(const std::vector<const Screen*>& screens) const {
    const SDL_Rect whole{0, 0, 640, 480};
    if (fullscreen_) return whole;
    SDL_Rect box{0, 0, 0, 0};
    for (const Screen* s : screens) {
        if (!s->Loaded()) continue;
        const SDL_Rect r{s->OriginX(), s->OriginY(), TwipsToPixels(s->WidthTwips()),
                         TwipsToPixels(s->HeightTwips())};
        if (box.w == 0) {
            box = r;
        } else {
            SDL_UnionRect(&box, &r, &box);
        }
    }
    if (box.w <= 0 || box.h <= 0) return canvas_;
    SDL_IntersectRect(&box, &whole, &box);
    return box;
}

void SdlBackend::FitWindowTo(const SDL_Rect& canvas, const std::vector<const Screen*>& screens) {
    // The window's caption is its topmost screen's (a message box's only while it is alone).
    std::string title = screens.empty() ? title_ : screens.back()->Caption;
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        if (!(*it)->IsDialog()) {
            title = (*it)->Caption;
            break;
        }
    }
    if (title != title_) {
        title_ = title;
        SDL_SetWindowTitle(window_.get(), title_.c_str());
    }
    if (fullscreen_ || SDL_RectEquals(&canvas, &fittedCanvas_)) return;
    fittedCanvas_ = canvas;
    const int zoom = WindowZoom(window_.get());
    int w = canvas.w * zoom, h = canvas.h * zoom;
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(DisplayOf(window_.get()), &usable) != 0 || usable.w <= 0 ||
        usable.h <= 0) {
        SDL_SetWindowSize(window_.get(), w, h);
        SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED_DISPLAY(DisplayOf(window_.get())),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(DisplayOf(window_.get())));
    } else {
        // A desktop smaller than the screens (320 x 240) gets a window that fits, scaled down,
        // with its corner on the desktop rather than centred off its edges.
        const double fit =
            std::min({1.0, static_cast<double>(usable.w) / w, static_cast<double>(usable.h) / h});
        w = std::max(1, static_cast<int>(w * fit));
        h = std::max(1, static_cast<int>(h * fit));
        SDL_SetWindowSize(window_.get(), w, h);
        SDL_SetWindowPosition(window_.get(), usable.x + (usable.w - w) / 2, usable.y + (usable.h - h) / 2);
    }
    if (!shown_) {
        SDL_ShowWindow(window_.get());
        shown_ = true;
    }
}

bool SdlBackend::UpdateView() {
    int ow = 0, oh = 0, ww = 0, wh = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &ow, &oh);
    SDL_GetWindowSize(window_.get(), &ww, &wh);
    pixelRatio_ = ww > 0 ? static_cast<double>(ow) / ww : 1.0;
    OutputView fit = FitView(ow, oh, canvas_.w, canvas_.h);
    if (fit.scale < kMinScale) {
        // A window shrunk below what can be read (a window manager may go down to 1 x 1) shows
        // the middle of a quarter-size picture; text cannot be made any smaller.
        fit.scale = kMinScale;
        fit.x = (ow - static_cast<int>(std::lround(canvas_.w * kMinScale))) / 2;
        fit.y = (oh - static_cast<int>(std::lround(canvas_.h * kMinScale))) / 2;
    }
    const OutputView view{fit.scale, fit.x - static_cast<int>(std::lround(canvas_.x * fit.scale)),
                          fit.y - static_cast<int>(std::lround(canvas_.y * fit.scale))};
    if (view == windowView_) return false;
    windowView_ = view;
    UpdateCursor();
    return true;
}

void SdlBackend::UpdateCursor() {
    const double scale = std::max(1.0, windowView_.scale);
    if (scale != cursorScale_) {
        cursorScale_ = scale;
        // The arrow's tip is the middle of its hotspot pixel; it stays the tip at any size.
        if (SurfacePtr arrow = PictureSurface("ARROW", scale)) {
            const auto hotspot = Pictures().ArrowHotspot();
            const int hx = static_cast<int>(std::floor((hotspot.x + 0.5) * scale));
            const int hy = static_cast<int>(std::floor((hotspot.y + 0.5) * scale));
            customCursor_.reset(SDL_CreateColorCursor(arrow.get(), hx, hy));
        }
    }
    SetPointer(pointer_, pointerVisible_);
}

void SdlBackend::PartsChanged(const std::vector<Rect>& displayPixels) {
    if (damage_.whole) return;
    for (const Rect& r : displayPixels) damage_.parts.push_back(SDL_Rect{r.left, r.top, r.width, r.height});
}

void SdlBackend::NoteNewFrames() {
    for (auto* c : media_->made) {
        if (c->HasNewFrame() &&
            std::find(damage_.clips.begin(), damage_.clips.end(), c) == damage_.clips.end())
            damage_.clips.push_back(c);
    }
}

void SdlBackend::PaintScene(const std::vector<const Screen*>& screens) {
    NoteNewFrames();
    Renderer::Damage damage = std::move(damage_);
    damage_ = {};
    int ow = 0, oh = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &ow, &oh);
    if (ow != outW_ || oh != outH_) damage.whole = true;  // a new window picture holds nothing yet
    outW_ = ow;
    outH_ = oh;
    if (keepsWindow_) {
        painter_->SetView(windowView_);
        painter_->SetDirectSurface(SDL_GetWindowSurface(window_.get()));
        const Renderer::Painted painted = painter_->Repaint(screens, damage);
        if (painted.whole || exposed_) {
            SDL_RenderPresent(renderer_.get());
            return;
        }
        // Only the changed rectangles go to the window system.
        std::vector<SDL_Rect> rects;
        const SDL_Rect all{0, 0, ow, oh};
        for (const SDL_Rect& r : painted.rects) {
            SDL_Rect in{};
            if (SDL_IntersectRect(&r, &all, &in)) rects.push_back(in);
        }
        SDL_RenderFlush(renderer_.get());
        if (!rects.empty())
            SDL_UpdateWindowSurfaceRects(window_.get(), rects.data(), static_cast<int>(rects.size()));
        return;
    }
    const double s = windowView_.scale;
    const int w = static_cast<int>(std::lround(canvas_.w * s));
    const int h = static_cast<int>(std::lround(canvas_.h * s));
    if (SDL_RenderTargetSupported(renderer_.get()) && (!scene_ || w != sceneW_ || h != sceneH_)) {
        scene_.reset(
            SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h));
        sceneW_ = w;
        sceneH_ = h;
        damage.whole = true;
    }
    if (!scene_) {
        // No texture to keep the scene in: the window gets the whole picture every time.
        SDL_SetRenderTarget(renderer_.get(), nullptr);
        painter_->SetView(windowView_);
        painter_->Draw(screens);
        SDL_RenderPresent(renderer_.get());
        return;
    }
    SDL_SetRenderTarget(renderer_.get(), scene_.get());
    painter_->SetView(OutputView{s, -static_cast<int>(std::lround(canvas_.x * s)),
                                 -static_cast<int>(std::lround(canvas_.y * s))});
    painter_->SetDirectSurface(nullptr);
    painter_->Repaint(screens, damage);
    SDL_SetRenderTarget(renderer_.get(), nullptr);
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    const SDL_Rect dst{windowView_.OutX(canvas_.x), windowView_.OutY(canvas_.y), w, h};
    SDL_RenderCopy(renderer_.get(), scene_.get(), nullptr, &dst);
    SDL_RenderPresent(renderer_.get());
}

void SdlBackend::Present(const std::vector<const Screen*>& screens) {
    last_ = screens;
    const SDL_Rect canvas = Canvas(screens);
    FitWindowTo(canvas, screens);
    if (!SDL_RectEquals(&canvas, &canvas_)) damage_.whole = true;
    canvas_ = canvas;
    if (UpdateView()) damage_.whole = true;
    int ow = 0, oh = 0;
    // A window with no pixels (minimised, or sized to nothing) has nothing to draw on; the next
    // size it gets is drawn whole.
    if (SDL_GetRendererOutputSize(renderer_.get(), &ow, &oh) != 0 || ow <= 0 || oh <= 0) {
        damage_.whole = true;
        return;
    }
    PaintScene(screens);
    exposed_ = false;
    if (!presented_) {
        presented_ = true;
        // The clip code loads while the player reads the first screen.
        media_->system.StartClips();
    }
}

std::unique_ptr<MediaPlayback> SdlBackend::Channels::CreateChannel(const std::string& name) {
    auto channel = system.CreateSdlChannel(name);
    made.push_back(channel.get());
    return channel;
}

bool SdlBackend::VideoWantsRedraw() {
    NoteNewFrames();
    return exposed_ || !damage_.clips.empty();
}

std::optional<Millis> SdlBackend::NextVideoFrame() {
    std::optional<Millis> next;
    for (auto* c : media_->made) {
        if (auto due = c->NextFrameDue(); due && (!next || *due < *next)) next = due;
    }
    return next;
}

void SdlBackend::SetPointer(AppPointer pointer, bool visible) {
    pointer_ = pointer;
    pointerVisible_ = visible;
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    SDL_Cursor* c = arrowCursor_.get();
    if (pointer == AppPointer::Custom && customCursor_) c = customCursor_.get();
    if (pointer == AppPointer::Hourglass) c = waitCursor_.get();
    if (c) SDL_SetCursor(c);
}

DisplayMode SdlBackend::DisplaySize() const {
    if (fullscreen_) return kGameMode;
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(DisplayOf(window_.get()), &m) != 0) return kGameMode;
    return DisplayMode{m.w, m.h};
}

std::optional<DisplayMode> SdlBackend::EnumDisplayMode(int index) const {
    const int display = DisplayOf(window_.get());
    const int count = std::max(0, SDL_GetNumDisplayModes(display));
    if (index < 0 || index > count) return std::nullopt;
    if (index == count) return kGameMode;
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(display, index, &m) != 0) return DisplayMode{};
    return DisplayMode{m.w, m.h};
}

void SdlBackend::SetDisplayMode(DisplayMode mode) {
    if (mode == kGameMode) {
        EnterFullscreen();
    } else {
        LeaveFullscreen();
    }
}

void SdlBackend::ToggleFullscreen() {
    if (fullscreen_) {
        LeaveFullscreen();
    } else {
        EnterFullscreen();
    }
}

void SdlBackend::EnterFullscreen() {
    if (fullscreen_) return;
    if (!shown_) {
        SDL_ShowWindow(window_.get());
        shown_ = true;
    }
    fullscreen_ = true;
    exposed_ = true;
    if (HasWindowManager(window_.get()) &&
        SDL_SetWindowFullscreen(window_.get(), SDL_WINDOW_FULLSCREEN_DESKTOP) == 0)
        return;
    // No window manager (a kiosk, a bare X server) would grant full screen: the window covers
    // the display by itself, without a border.
    coveredByHand_ = true;
    SDL_GetWindowPosition(window_.get(), &windowed_.x, &windowed_.y);
    SDL_GetWindowSize(window_.get(), &windowed_.w, &windowed_.h);
    SDL_Rect bounds{};
    SDL_GetDisplayBounds(DisplayOf(window_.get()), &bounds);
    SDL_SetWindowBordered(window_.get(), SDL_FALSE);
    SDL_SetWindowPosition(window_.get(), bounds.x, bounds.y);
    SDL_SetWindowSize(window_.get(), bounds.w, bounds.h);
    SDL_RaiseWindow(window_.get());
    SDL_SetWindowInputFocus(window_.get());
}

void SdlBackend::LeaveFullscreen() {
    if (!fullscreen_) return;
    fullscreen_ = false;
    exposed_ = true;
    if (coveredByHand_) {
        coveredByHand_ = false;
        SDL_SetWindowBordered(window_.get(), SDL_TRUE);
        SDL_SetWindowSize(window_.get(), windowed_.w, windowed_.h);
        SDL_SetWindowPosition(window_.get(), windowed_.x, windowed_.y);
    } else {
        SDL_SetWindowFullscreen(window_.get(), 0);
    }
    FitWindowTo(Canvas(last_), last_);
}

bool SdlBackend::Screenshot(const std::string& path) {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!s) return false;
    damage_.whole = true;
    canvas_ = Canvas(last_);
    UpdateView();
    PaintScene(last_);
    if (SDL_RenderReadPixels(renderer_.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) != 0)
        return false;
    return SavePng(s.get(), path);
}

}  // namespace tolarka::platform::sdl
