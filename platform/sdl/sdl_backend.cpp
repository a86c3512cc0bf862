#include "platform/sdl/sdl_backend.h"

#include <SDL_image.h>

#include <algorithm>
#include <stdexcept>

#include "media/picture_catalogue.h"
#include "platform/sdl/key_codes.h"

namespace tolarka::platform::sdl {

namespace {

InputEvent Ev(InputKind kind, int key = 0, std::string text = {}, int x = 0, int y = 0) {
    return InputEvent{kind, key, std::move(text), x, y};
}

constexpr DisplayMode kGameMode{640, 480};

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

}  // namespace

SdlBackend::SdlBackend(bool fullscreen) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0 && SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
        throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
    start_ = SDL_GetTicks64();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    window_.reset(SDL_CreateWindow("Tolarka", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, 0));
    if (!window_) throw std::runtime_error(std::string("SDL_CreateWindow: ") + SDL_GetError());
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    if (!renderer_) throw std::runtime_error(std::string("SDL_CreateRenderer: ") + SDL_GetError());
    SDL_RenderSetLogicalSize(renderer_.get(), 640, 480);
    painter_ = std::make_unique<Renderer>(renderer_.get(), metrics_);
    media_ = std::make_unique<Channels>(*this);
    painter_->SetVideoDrawer([](const MediaView& view, SDL_Renderer* r, const SDL_Rect& dst) {
        if (auto* source = AsVideoFrameSource(view.Playback())) source->DrawFrame(r, dst);
    });

    if (const auto* icon = media::FindPicture("ICON")) {
        std::unique_ptr<SDL_Surface, SurfaceDeleter> s(
            IMG_Load_RW(SDL_RWFromConstMem(icon->png.data(), static_cast<int>(icon->png.size())), 1));
        if (s) SDL_SetWindowIcon(window_.get(), s.get());
    }
    if (const auto* arrow = media::FindPicture("ARROW")) {
        std::unique_ptr<SDL_Surface, SurfaceDeleter> s(
            IMG_Load_RW(SDL_RWFromConstMem(arrow->png.data(), static_cast<int>(arrow->png.size())), 1));
        if (s) customCursor_.reset(SDL_CreateColorCursor(s.get(), 0, 0));
    }
    waitCursor_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
    arrowCursor_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
    SDL_StartTextInput();
    if (fullscreen) SetDisplayMode(kGameMode);
}

SdlBackend::~SdlBackend() {
    media_.reset();
    painter_.reset();
    renderer_.reset();
    window_.reset();
    SDL_Quit();
}

Millis SdlBackend::Now() const { return static_cast<Millis>(SDL_GetTicks64() - start_); }

std::optional<InputEvent> SdlBackend::Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT: return Ev(InputKind::Quit);
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int key = KeyCode(e.key.keysym);
            if (key == 0) return Ev(InputKind::Wake);
            return Ev(e.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp, key);
        }
        case SDL_TEXTINPUT: return Ev(InputKind::Text, 0, e.text.text);
        case SDL_MOUSEMOTION: return Ev(InputKind::MouseMove, 0, {}, e.motion.x, e.motion.y);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT) return Ev(InputKind::Wake);
            return Ev(e.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp, 0, {}, e.button.x,
                      e.button.y);
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                exposed_ = true;
            return Ev(InputKind::Wake);
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            painter_->Reset();
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

void SdlBackend::Present(const std::vector<const Screen*>& screens) {
    last_ = screens;
    exposed_ = false;
    painter_->Draw(screens);
    SDL_RenderPresent(renderer_.get());
}

std::unique_ptr<MediaPlayback> SdlBackend::Channels::CreateChannel(const std::string& name) {
    auto channel = system.CreateSdlChannel(name);
    made.push_back(channel.get());
    return channel;
}

bool SdlBackend::VideoWantsRedraw() {
    if (exposed_) return true;
    for (auto* c : media_->made)
        if (c->HasNewFrame()) return true;
    return false;
}

std::optional<Millis> SdlBackend::NextVideoFrame() {
    std::optional<Millis> next;
    for (auto* c : media_->made) {
        if (auto due = c->NextFrameDue(); due && (!next || *due < *next)) next = due;
    }
    return next;
}

void SdlBackend::SetPointer(AppPointer pointer, bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    SDL_Cursor* c = arrowCursor_.get();
    if (pointer == AppPointer::Custom && customCursor_) c = customCursor_.get();
    if (pointer == AppPointer::Hourglass) c = waitCursor_.get();
    if (c) SDL_SetCursor(c);
}

namespace {
int DisplayOf(SDL_Window* w) {
    const int d = SDL_GetWindowDisplayIndex(w);
    return d < 0 ? 0 : d;
}
}  // namespace

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
    const bool fill = mode == kGameMode;
    if (SDL_SetWindowFullscreen(window_.get(), fill ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) fullscreen_ = fill;
    exposed_ = true;
}

bool SdlBackend::Screenshot(const std::string& path) {
    std::unique_ptr<SDL_Surface, SurfaceDeleter> s(SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!s) return false;
    painter_->Draw(last_);
    if (SDL_RenderReadPixels(renderer_.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) != 0) return false;
    return IMG_SavePNG(s.get(), path.c_str()) == 0;
}

}  // namespace tolarka::platform::sdl
