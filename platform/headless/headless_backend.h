#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/canvas.h"
#include "platform/message_box.h"
#include "platform/text_metrics.h"
#include "platform/widgets.h"

namespace tolarka::platform::headless {

// One message box the program showed, with the virtual time it appeared.
struct ShownBox {
    Millis time;
    MessageBoxRequest request;
    int answer;
};

// The backend for tests: a virtual clock that only moves when the program waits, input from a
// script, message boxes answered from a script, and a log of media calls and picture changes.
// It draws nothing itself: screenshots and painted frames go to the canvas it is handed.
class HeadlessBackend : public Backend {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    Millis Now() const override { return now_; }
    std::optional<InputEvent> WaitEvent(std::optional<Millis> deadline) override;
    std::optional<InputEvent> PollEvent() override;
    void Sleep(Millis ms) override;
    void SceneChanged() override;
    void PartsChanged(const std::vector<Rect>& displayPixels) override;
    void Present(const std::vector<const Screen*>& screens) override;
    std::optional<int> AnswerMessageBox(const MessageBoxRequest& request) override;
    void SetPointer(AppPointer pointer, bool visible) override;
    MediaSystem& Media() override { return *media_; }
    TextMetrics& Metrics() override { return metrics_; }
    void Trace(const std::string& line) override;
    void EndProgram() override { ended_ = true; }
    DisplayMode DisplaySize() const override { return displaySize_; }
    std::optional<DisplayMode> EnumDisplayMode(int index) const override;
    // Records "display mode WxH" in the log and takes the size.
    void SetDisplayMode(DisplayMode mode) override;

    // --- script ---
    void Inject(Millis at, InputEvent e);
    // A key going down, followed by the text it types (as the real backend reports them):
    // letters in lower case, digits, the space bar; other keys type nothing.
    void KeyDown(Millis at, int key);
    void KeyUp(Millis at, int key) { Inject(at, {InputKind::KeyUp, key, {}, 0, 0}); }
    void KeyPress(Millis at, int key) {
        KeyDown(at, key);
        KeyUp(at, key);
    }
    void Type(Millis at, const std::string& utf8) { Inject(at, {InputKind::Text, 0, utf8, 0, 0}); }
    // Mouse down and up at a pixel of the 640 x 480 display.
    void Click(Millis at, int x, int y);
    void MouseMove(Millis at, int x, int y) { Inject(at, {InputKind::MouseMove, 0, {}, x, y}); }
    // Answers for the next message boxes, in order (kAnswerOk / kAnswerYes / kAnswerNo). A box
    // with no scripted answer fails the run, unless DrawMessageBoxes is on.
    void AnswerNextBoxes(std::initializer_list<int> answers);
    // The display the program finds: its size and the modes it offers (by default a 1024 x 768
    // desktop offering 640 x 480, 800 x 600 and 1024 x 768).
    void SetDisplay(DisplayMode size, std::vector<DisplayMode> modes);
    // Let the program show its own drawn box (answered by scripted keys or clicks).
    void DrawMessageBoxes(bool on) { drawBoxes_ = on; }

    // --- what happened ---
    const std::vector<ShownBox>& Boxes() const { return boxes_; }
    // Lines "<ms> <text>", e.g. "2000 frmMain.WMP2 file .../sfx/r1.wav".
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    bool Ended() const { return ended_; }
    AppPointer Pointer() const { return pointer_; }
    bool PointerVisible() const { return pointerVisible_; }
    int Presents() const { return presents_; }
    // Called at every repaint with the clock, so tests can sample what the player saw, also
    // inside pauses.
    std::function<void(Millis)> onPresent;
    // Where screenshots are drawn, and every presented frame is handed (null: nowhere, and
    // screenshots fail). The canvas must outlive the runs it draws.
    void SetCanvas(Canvas* canvas) { canvas_ = canvas; }
    // Draws the screens last presented into a PNG file (640 x 480 times the screenshot scale).
    bool Screenshot(const std::string& path);
    // Screenshots drawn `scale` times larger, as on a screen with more pixels (2: 1280 x 960).
    void SetScreenshotScale(double scale) { shotScale_ = scale; }
    // Takes a screenshot when the clock reaches `at`, also inside message boxes and pauses.
    void ScreenshotAt(Millis at, std::string path);
    // Calls `probe` when the clock reaches `at`, also inside message boxes and pauses, so a test
    // can look at a screen in the middle of a blocking sequence.
    void At(Millis at, std::function<void()> probe) { probes_.emplace(at, std::move(probe)); }
    // Real channels instead of silent ones (clips decoded for screenshots).
    void SetMedia(std::unique_ptr<MediaSystem> media) { media_ = std::move(media); }

private:
    // Runs the probes and screenshots due up to `until`, advancing the clock to each.
    void RunProbesUntil(Millis until);
    std::multimap<Millis, std::function<void()>> probes_;
    Millis now_ = 0;
    std::multimap<Millis, InputEvent> script_;
    std::deque<int> answers_;
    bool drawBoxes_ = false;
    std::vector<ShownBox> boxes_;
    std::vector<std::string> log_;
    bool ended_ = false;
    AppPointer pointer_ = AppPointer::Default;
    bool pointerVisible_ = true;
    int presents_ = 0;
    DisplayMode displaySize_{1024, 768};
    std::vector<DisplayMode> displayModes_{{640, 480}, {800, 600}, {1024, 768}};
    std::vector<const Screen*> presented_;
    TextMetrics metrics_;
    std::unique_ptr<MediaSystem> media_;
    Canvas* canvas_ = nullptr;
    double shotScale_ = 1.0;
    bool wholeChanged_ = true;
    std::vector<Rect> parts_;
};

}  // namespace tolarka::platform::headless
