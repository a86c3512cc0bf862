#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/widgets.h"

namespace tolarka::platform {

class Runtime;
class Timer;

// A screen lives for the whole run. Opening it runs its load step (widgets back to their design
// values, then OnLoad) over the variables it kept; closing it hides it and stops its timers.
class Screen {
public:
    Screen(Runtime& runtime, std::string name, int widthTwips = 9600, int heightTwips = 7200);
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    const std::string& Name() const { return name_; }
    Runtime& Rt() const { return runtime_; }
    // The form itself: the root container, as big as the screen.
    Container& Form() { return *form_; }
    const Container& Form() const { return *form_; }
    int WidthTwips() const { return width_; }
    int HeightTwips() const { return height_; }
    // Window caption (shown only where the platform has window decorations).
    std::string Caption = "Tolarka";

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    // Widgets exist once the screen has been loaded; they stay after it closes.
    bool HasWidgets() const { return form_ != nullptr; }

    // Loads if needed (design widgets, then OnLoad), shows, and activates the screen once the
    // current handler has returned.
    void Show();
    // Hides, stops the screen's timers, forgets the widgets; variables stay.
    void Close();
    // Loads without showing (touching a screen's widgets from outside loads it).
    void Load();

    // Key preview: the screen sees every key before its widgets. Return true to stop the key.
    virtual bool OnKeyDown(int /*key*/) { return false; }
    virtual bool OnKeyUp(int /*key*/) { return false; }
    // Typed characters reach the focused text box unless the screen takes them.
    virtual bool OnText(const std::string& /*utf8*/) { return false; }

    // Focused text box, if any.
    TextBox* Focus() const { return focus_; }
    void SetFocus(TextBox* box);

    // Timers belong to their screen and stop when it closes.
    Timer& AddTimer(const std::string& name);
    const std::vector<std::unique_ptr<Timer>>& Timers() const { return timers_; }

    // Everything must be drawn again, or only these pixels of the 640 x 480 display.
    void MarkDirty();
    void MarkDirty(const Rect& displayPixels);
    // A message box: showing and closing it does not re-activate the screen beneath.
    virtual bool IsDialog() const { return false; }
    // Top-left corner on the 640 x 480 display, in pixels: screens are centred.
    int OriginX() const { return (640 - TwipsToPixels(width_)) / 2; }
    int OriginY() const { return (480 - TwipsToPixels(height_)) / 2; }

protected:
    // Creates the widgets with their design values. Called at every load.
    virtual void Design() = 0;
    virtual void OnLoad() {}
    virtual void OnActivate() {}
    virtual void OnClose() {}

private:
    friend class Runtime;
    Runtime& runtime_;
    std::string name_;
    int width_;
    int height_;
    std::unique_ptr<PictureBox> form_;
    std::vector<std::unique_ptr<Timer>> timers_;
    TextBox* focus_ = nullptr;
    bool loaded_ = false;
    bool visible_ = false;
    bool loading_ = false;
};

}  // namespace tolarka::platform
