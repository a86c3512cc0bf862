#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/media.h"

namespace tolarka::platform {

class Screen;
class TextMetrics;
struct MessageBoxRequest;

// The application pointer: the system arrow, the game's own cursor, or the hourglass.
enum class AppPointer { Default, Custom, Hourglass };

// What the runtime needs from the outside world. The SDL backend talks to a window, a sound
// device and a real clock; the headless backend to a virtual clock and a script.
class Backend : public Clock, public Display {
public:
    // Waits for the next input event until the clock reaches `deadline` (nullopt: no deadline).
    // Returns nullopt when the deadline passed (or the wait was woken) without input.
    virtual std::optional<InputEvent> WaitEvent(std::optional<Millis> deadline) = 0;
    // Returns queued input without waiting.
    virtual std::optional<InputEvent> PollEvent() = 0;
    // Blocks for ms without handling input (input stays queued).
    virtual void Sleep(Millis ms) = 0;
    // Told before Present when the whole scene must be drawn again (a screen came or went), or
    // only the parts where widgets changed, in pixels of the 640 x 480 display. Told neither,
    // only a clip's frame is new.
    virtual void SceneChanged() {}
    virtual void PartsChanged(const std::vector<Rect>& /*displayPixels*/) { SceneChanged(); }
    // Draws the visible screens, bottom first. Called only when something changed.
    virtual void Present(const std::vector<const Screen*>& screens) = 0;
    // True when a playing clip has a new frame to show.
    virtual bool VideoWantsRedraw() { return false; }
    // The earliest time a playing clip needs the screen redrawn.
    virtual std::optional<Millis> NextVideoFrame() { return std::nullopt; }

    // A scripted answer to a message box, for tests; nullopt lets the runtime show the box.
    virtual std::optional<int> AnswerMessageBox(const MessageBoxRequest&) { return std::nullopt; }

    virtual void SetPointer(AppPointer pointer, bool visible) = 0;
    virtual MediaSystem& Media() = 0;
    virtual TextMetrics& Metrics() = 0;
    // Notes for the headless log (picture changes, media calls); the SDL backend ignores them.
    virtual void Trace(const std::string& /*line*/) {}
    // Ends the program at once (the SDL backend exits the process; the headless one records it).
    virtual void EndProgram() = 0;
};

}  // namespace tolarka::platform
