#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/message_box.h"

namespace tolarka::platform {

class Screen;
class Timer;
class Widget;

// Thrown out of every loop when the program is ended (a "No" at start-up, the credits).
struct ProgramEnded {};

// The one UI thread: input events, timer ticks and screen activations are handled one at a time.
class Runtime {
public:
    explicit Runtime(Backend& backend);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Backend& Platform() { return backend_; }
    TextMetrics& Metrics() { return backend_.Metrics(); }
    Millis Now() const { return backend_.Now(); }

    // Runs the event loop until EndProgram.
    void Run();
    // Runs the event loop until the clock reaches `until` (tests), or the program ends.
    void RunUntil(Millis until);
    bool Ended() const { return ended_; }

    // Lets pending events run: queued input, due timer ticks and activations, then draws.
    void DoEvents();
    // Draws what changed, then blocks for ms without handling input or timers; playing clips
    // keep showing their frames.
    void Pause(Millis ms);
    // Shows a modal message box and waits for the answer (kAnswerOk / kAnswerYes / kAnswerNo).
    int MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                   const std::string& title);
    // Runs a nested loop until the screen has closed.
    void RunModal(Screen& screen);
    // Ends the program at once: every loop unwinds with ProgramEnded.
    [[noreturn]] void EndProgram();

    void SetAppPointer(AppPointer p);
    AppPointer GetAppPointer() const { return appPointer_; }
    // The pointer display counter: visible while it is >= 0.
    int ShowCursor(bool show);

    // A media channel named `name` ("frmMain.WMP1"), created on first use and kept for the run.
    MediaPlayback& Channel(const std::string& name);

    // Plays a WAV file asynchronously, outside every channel.
    void PlaySystemSound(const std::string& path);

    // Asked when the desktop closes the window; false keeps the program running. Unset: the
    // program ends at once.
    std::function<bool()> confirmQuit;

    void Trace(const std::string& line) { backend_.Trace(line); }
    // Everything is drawn again at the next turn, or only these pixels of the 640 x 480 display.
    void MarkDirty() { dirty_ = true; }
    void MarkDirty(const Rect& displayPixels);

    // Screen bookkeeping (called by Screen).
    void Shown(Screen& s);
    void Closed(Screen& s);
    void QueueActivation(Screen& s);
    // Drops pointers into a screen's widgets before they are rebuilt.
    void ForgetWidgets(Screen& s);
    // Timer bookkeeping (called by Timer).
    int RegisterTimer(Timer& t);
    void UnregisterTimer(Timer& t);

    // The screen that receives keys: the last shown of the visible screens.
    Screen* ActiveScreen() const;
    // Visible screens, bottom first.
    std::vector<const Screen*> VisibleScreens() const;

    // Dispatches one input event (exposed for the message box and tests).
    void Dispatch(const InputEvent& e);

private:
    // One turn of the loop; does not wait for input once `modal` has closed.
    void Step(std::optional<Millis> limit, const Screen* modal = nullptr);
    bool FireDueTimers();
    bool RunActivations();
    void Draw();
    std::optional<Millis> NextDeadline() const;
    Widget* HitTest(Screen& s, int x, int y) const;
    void UpdatePointer();

    Backend& backend_;
    std::vector<Timer*> timers_;
    int timerOrder_ = 0;
    std::vector<Screen*> stack_;  // shown screens, bottom first
    std::vector<Screen*> activations_;
    std::map<std::string, std::unique_ptr<MediaPlayback>> channels_;
    AppPointer appPointer_ = AppPointer::Default;
    int cursorCounter_ = 0;
    bool dirty_ = true;
    std::vector<Rect> dirtyParts_;  // while not dirty_ as a whole
    bool ended_ = false;
    bool dropText_ = false;        // the pending key's text has lost the screen it was typed on
    bool confirmingQuit_ = false;  // the close question is up: another close is ignored
    Widget* pressed_ = nullptr;
    Widget* hovered_ = nullptr;
    int mouseX_ = 0, mouseY_ = 0;
};

}  // namespace tolarka::platform
