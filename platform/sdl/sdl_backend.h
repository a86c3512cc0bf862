#pragma once
#include <SDL.h>

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/sdl/output_view.h"
#include "platform/sdl/renderer.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_media.h"
#include "platform/text_metrics.h"

namespace tolarka::platform::sdl {

// The backend a player runs: one SDL window showing the screens, real time, sound and clips.
// The window takes the size of the screens it shows (the small start-up window, then 640 x 480)
// and can be resized; switching the display to 640 x 480 makes it a full-screen desktop window,
// so the desktop's own mode is never touched. Whatever the window's size, the screens are drawn
// at the output's own resolution, kept 4:3 with black bars.
class SdlBackend : public Backend {
public:
    // `fullscreen`: fill the screen at once instead of waiting for the display switch. `clips`:
    // where the clip code comes from, started after the first frame (without it every clip
    // plays nothing).
    explicit SdlBackend(bool fullscreen = false, std::shared_ptr<ClipLibrary> clips = nullptr);
    // With the renderer chosen earlier, before anything started SDL's video (ChooseRenderer).
    SdlBackend(bool fullscreen, const RendererChoice& choice, std::shared_ptr<ClipLibrary> clips);
    ~SdlBackend() override;

    Millis Now() const override;
    std::optional<InputEvent> WaitEvent(std::optional<Millis> deadline) override;
    std::optional<InputEvent> PollEvent() override;
    void Sleep(Millis ms) override;
    void SceneChanged() override { damage_.whole = true; }
    void PartsChanged(const std::vector<Rect>& displayPixels) override;
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
    // Between window and full screen (Alt+Enter, F11).
    void ToggleFullscreen();

    // Saves what is on the screen now into a PNG file, at the output's size.
    bool Screenshot(const std::string& path);
    // The renderer the screens are drawn with (tests read the picture back from it).
    SDL_Renderer* Target() const { return renderer_.get(); }
    SDL_Window* Window() const { return window_.get(); }
    // How logical pixels map to the window's output now.
    const OutputView& View() const { return windowView_; }

private:
    std::optional<InputEvent> Translate(const SDL_Event& e);
    void EnterFullscreen();
    void LeaveFullscreen();
    // Logical canvas the window shows: the bounding box of the visible screens while they are
    // smaller than 640 x 480 in a window, else the 640 x 480 screen.
    SDL_Rect Canvas(const std::vector<const Screen*>& screens) const;
    void FitWindowTo(const SDL_Rect& canvas, const std::vector<const Screen*>& screens);
    // Recomputes the view for the output's present size; true when it changed.
    bool UpdateView();
    void UpdateCursor();
    // Draws what changed and shows it: on the software renderer straight into the window's
    // picture, handing the window system only the changed rectangles; elsewhere into the scene
    // texture, copied whole to the window.
    void PaintScene(const std::vector<const Screen*>& screens);
    // Channels whose new frame must be drawn at the next present.
    void NoteNewFrames();
    Uint64 start_;
    TextMetrics metrics_;
    WindowPtr window_;
    RendererPtr renderer_;
    std::unique_ptr<Renderer> painter_;
    // Channels are made by the SDL media system and remembered here so that the event loop can
    // wake for their frames.
    class Channels : public MediaSystem {
    public:
        Channels(const Clock& clock, std::shared_ptr<ClipLibrary> clips) : system(clock, std::move(clips)) {}
        std::unique_ptr<MediaPlayback> CreateChannel(const std::string& name) override;
        void PlaySystemSound(const std::string& path) override { system.PlaySystemSound(path); }
        SdlMediaSystem system;
        std::vector<SdlMediaChannel*> made;
    };
    std::unique_ptr<Channels> media_;
    CursorPtr customCursor_;
    CursorPtr waitCursor_;
    CursorPtr arrowCursor_;
    double cursorScale_ = 0;
    AppPointer pointer_ = AppPointer::Default;
    bool pointerVisible_ = true;
    // What changed since the last picture.
    Renderer::Damage damage_{true, {}, {}};
    // The scene at the output's size, on a renderer whose window forgets its picture at every
    // present (the accelerated ones).
    TexturePtr scene_;
    int sceneW_ = 0, sceneH_ = 0;
    bool keepsWindow_ = false;  // the software renderer draws straight into the window's picture
    int outW_ = 0, outH_ = 0;   // the window's output size when it was last drawn
    bool exposed_ = false;
    bool fullscreen_ = false;
    // Full screen made by hand (no window manager granted it): borderless, desktop-sized.
    bool coveredByHand_ = false;
    SDL_Rect windowed_{0, 0, 640, 480};  // the window's place before it covered the screen
    bool shown_ = false;
    bool presented_ = false;  // the first frame is on the screen
    SDL_Rect canvas_{0, 0, 640, 480};
    SDL_Rect fittedCanvas_{0, 0, 0, 0};
    std::string title_;
    OutputView windowView_;
    // Window pixels to output pixels (not 1 where the desktop scales windows).
    double pixelRatio_ = 1.0;
    std::vector<const Screen*> last_;
};

}  // namespace tolarka::platform::sdl
