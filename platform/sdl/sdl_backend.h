#pragma once
#include <SDL.h>

#include <memory>

#include "platform/backend.h"
#include "platform/sdl/renderer.h"
#include "platform/sdl/sdl_media.h"
#include "platform/text_metrics.h"

namespace tolarka::platform::sdl {

// The backend a player runs: one SDL window showing the 640 x 480 screens, real time, sound and
// clips. The window opens as a window; switching the display to 640 x 480 makes it a full-screen
// desktop window that scales the screens, so the desktop's own mode is never touched.
class SdlBackend : public Backend {
public:
    // `fullscreen`: fill the screen at once instead of waiting for the display switch.
    explicit SdlBackend(bool fullscreen = false);
    ~SdlBackend() override;

    Millis Now() const override;
    std::optional<InputEvent> WaitEvent(std::optional<Millis> deadline) override;
    std::optional<InputEvent> PollEvent() override;
    void Sleep(Millis ms) override;
    void Present(const std::vector<const Screen*>& screens) override;
    bool VideoWantsRedraw() override;
    std::optional<Millis> NextVideoFrame() override;
    void SetPointer(AppPointer pointer, bool visible) override;
    MediaSystem& Media() override { return *media_; }
    TextMetrics& Metrics() override { return metrics_; }
    void EndProgram() override {}
    // The desktop's size, or 640 x 480 while the game fills the screen.
    DisplayMode DisplaySize() const override;
    // The display's own modes, then 640 x 480, which scaling always offers.
    std::optional<DisplayMode> EnumDisplayMode(int index) const override;
    // 640 x 480 fills the screen; any other mode goes back to the window.
    void SetDisplayMode(DisplayMode mode) override;

    // Saves what is on the screen now into a PNG file.
    bool Screenshot(const std::string& path);
    // The renderer the screens are drawn with (tests read the picture back from it).
    SDL_Renderer* Target() const { return renderer_.get(); }

private:
    std::optional<InputEvent> Translate(const SDL_Event& e);
    struct WindowDeleter {
        void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    };
    struct RendererDeleter {
        void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    };
    struct CursorDeleter {
        void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
    };
    Uint64 start_;
    TextMetrics metrics_;
    std::unique_ptr<SDL_Window, WindowDeleter> window_;
    std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
    std::unique_ptr<Renderer> painter_;
    // Channels are made by the SDL media system and remembered here so that the event loop can
    // wake for their frames.
    class Channels : public MediaSystem {
    public:
        explicit Channels(const Clock& clock) : system(clock) {}
        std::unique_ptr<MediaPlayback> CreateChannel(const std::string& name) override;
        void PlaySystemSound(const std::string& path) override { system.PlaySystemSound(path); }
        SdlMediaSystem system;
        std::vector<SdlMediaChannel*> made;
    };
    std::unique_ptr<Channels> media_;
    std::unique_ptr<SDL_Cursor, CursorDeleter> customCursor_;
    std::unique_ptr<SDL_Cursor, CursorDeleter> waitCursor_;
    std::unique_ptr<SDL_Cursor, CursorDeleter> arrowCursor_;
    bool exposed_ = false;
    bool fullscreen_ = false;
    std::vector<const Screen*> last_;
};

}  // namespace tolarka::platform::sdl
