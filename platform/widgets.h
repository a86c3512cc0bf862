#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/geometry.h"

namespace tolarka::platform {

class Screen;
class MediaPlayback;

// Colour as 0xRRGGBB.
using Colour = std::uint32_t;

enum class Alignment { Left, Right, Center };
// Pointer over a widget: the system arrow, or the screen's own cursor picture.
enum class WidgetPointer { Default, Custom };

class Container;

// Base of every widget. Positions are twips relative to the parent container. Property changes
// mark the screen for redrawing.
class Widget {
public:
    Widget(Screen& screen, std::string name) : screen_(&screen), name_(std::move(name)) {}
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    const std::string& Name() const { return name_; }
    Screen& Owner() const { return *screen_; }
    Container* Parent() const { return parent_; }

    int Left() const { return rect_.left; }
    int Top() const { return rect_.top; }
    int Width() const { return rect_.width; }
    int Height() const { return rect_.height; }
    const Rect& Bounds() const { return rect_; }
    void SetLeft(int v) { Change(rect_.left, v); }
    void SetTop(int v) { Change(rect_.top, v); }
    void SetWidth(int v) { Change(rect_.width, v); }
    void SetHeight(int v) { Change(rect_.height, v); }
    void Move(int left, int top) {
        SetLeft(left);
        SetTop(top);
    }
    void Move(int left, int top, int width, int height) {
        Move(left, top);
        SetWidth(width);
        SetHeight(height);
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool v) { Change(visible_, v); }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { Change(enabled_, v); }
    WidgetPointer Pointer() const { return pointer_; }
    void SetPointer(WidgetPointer p) { pointer_ = p; }

    // Visible itself and through every container up to the screen.
    bool ReallyVisible() const;
    // Enabled itself and through every container.
    bool ReallyEnabled() const;
    // Position in twips relative to the screen.
    Rect ScreenBounds() const;
    // The pixels of the 640 x 480 display the widget draws on (clipped by nothing), rounded per
    // container as the renderer places it.
    virtual Rect DisplayPixels() const;

    std::function<void()> onClick;
    std::function<void(int x, int y)> onMouseMove;  // twips relative to the widget

    virtual bool IsContainer() const { return false; }

protected:
    // A change is drawn again where the widget was and where it is now.
    template <class T>
    void Change(T& field, const T& value) {
        if (field != value) {
            MarkDirty();
            field = value;
            MarkDirty();
        }
    }
    void MarkDirty();

private:
    friend class Container;
    Screen* screen_;
    std::string name_;
    Container* parent_ = nullptr;
    Rect rect_;
    bool visible_ = true;
    bool enabled_ = true;
    WidgetPointer pointer_ = WidgetPointer::Default;
};

// A widget that holds others. Children are kept back to front: the last added is drawn on top.
class Container : public Widget {
public:
    using Widget::Widget;
    bool IsContainer() const override { return true; }

    template <class T, class... Args>
    T& Add(std::string name, Args&&... args) {
        auto w = std::make_unique<T>(Owner(), std::move(name), std::forward<Args>(args)...);
        T& ref = *w;
        ref.parent_ = this;
        children_.push_back(std::move(w));
        MarkDirty();
        return ref;
    }
    const std::vector<std::unique_ptr<Widget>>& Children() const { return children_; }
    // Moves a child to the front (drawn last, hit first).
    void BringToFront(Widget& child);

    Colour BackColour() const { return backColour_; }
    void SetBackColour(Colour c) { Change(backColour_, c); }
    // A transparent container draws no background.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t) { Change(transparent_, t); }
    // Optional picture drawn at the container's top-left corner.
    const std::string& Picture() const { return picture_; }
    void SetPicture(const std::string& name);
    // With AutoSize the container takes its picture's size.
    void SetAutoSize(bool v) { autoSize_ = v; }

private:
    std::vector<std::unique_ptr<Widget>> children_;
    Colour backColour_ = 0x000000;
    bool transparent_ = true;
    std::string picture_;
    bool autoSize_ = false;
};

// Picture box / panel: a container with a background colour or picture.
class PictureBox : public Container {
public:
    PictureBox(Screen& s, std::string name) : Container(s, std::move(name)) { SetTransparent(false); }
};

class Label : public Widget {
public:
    using Widget::Widget;
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string text);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f);
    void SetBold(bool bold);
    Colour ForeColour() const { return fore_; }
    void SetForeColour(Colour c) { Change(fore_, c); }
    Colour BackColour() const { return back_; }
    void SetBackColour(Colour c) { Change(back_, c); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t) { Change(transparent_, t); }
    Alignment Align() const { return align_; }
    void SetAlignment(Alignment a) { Change(align_, a); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w);
    // AutoSize without word wrap: the label takes its text's width and one line's height.
    // With word wrap: the width stays and the height follows the wrapped lines.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool a);

private:
    void Fit();
    std::string caption_;
    Font font_;
    Colour fore_ = 0x000000;
    Colour back_ = 0xC0C0C0;
    bool transparent_ = false;
    Alignment align_ = Alignment::Left;
    bool wordWrap_ = false;
    bool autoSize_ = false;
};

// Shows one of the program's pictures (platform/pictures.h) by name and takes its size.
class Image : public Widget {
public:
    using Widget::Widget;
    const std::string& Picture() const { return picture_; }
    // Replaces the picture; the widget takes the picture's size. Unknown names show nothing.
    void SetPicture(const std::string& name);

private:
    std::string picture_;
};

enum class ShapeKind { Rectangle, Oval };

// A filled rectangle or oval (bars of the audience graph, covers, marks).
class Shape : public Widget {
public:
    using Widget::Widget;
    ShapeKind Kind() const { return kind_; }
    void SetKind(ShapeKind k) { Change(kind_, k); }
    Colour FillColour() const { return fill_; }
    void SetFillColour(Colour c) { Change(fill_, c); }
    bool Filled() const { return filled_; }
    void SetFilled(bool f) { Change(filled_, f); }
    Colour BorderColour() const { return border_; }
    void SetBorderColour(Colour c) { Change(border_, c); }
    int BorderWidth() const { return borderWidth_; }  // pixels, 0 = none
    void SetBorderWidth(int w) { Change(borderWidth_, w); }

private:
    ShapeKind kind_ = ShapeKind::Rectangle;
    Colour fill_ = 0x000000;
    bool filled_ = true;
    Colour border_ = 0x000000;
    int borderWidth_ = 0;
};

// A straight line between two points (twips, relative to the parent), width in pixels.
class Line : public Widget {
public:
    using Widget::Widget;
    void SetPoints(int x1, int y1, int x2, int y2);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    Colour LineColour() const { return colour_; }
    void SetLineColour(Colour c) { Change(colour_, c); }
    int LineWidth() const { return width_; }
    void SetLineWidth(int w) { Change(width_, w); }
    // A thick line reaches beyond its end points' box.
    Rect DisplayPixels() const override;

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Colour colour_ = 0x000000;
    int width_ = 1;
};

// Single- or multi-line text box with a maximum length and keyboard focus.
class TextBox : public Widget {
public:
    using Widget::Widget;
    const std::string& Text() const { return text_; }
    // Sets the text and fires onChange. MaxLength limits only typing, never text set here.
    void SetText(std::string text);
    int MaxLength() const { return maxLength_; }  // characters; 0 = no limit
    void SetMaxLength(int n) { maxLength_ = n; }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool m) { Change(multiLine_, m); }
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f) { Change(font_, f); }
    Colour ForeColour() const { return fore_; }
    void SetForeColour(Colour c) { Change(fore_, c); }
    Colour BackColour() const { return back_; }
    void SetBackColour(Colour c) { Change(back_, c); }
    // Caret position in characters.
    int SelStart() const { return selStart_; }
    void SetSelStart(int pos);
    void SetFocus();
    bool HasFocus() const;

    // Keyboard handling while focused (called by the runtime).
    void TypeText(const std::string& utf8);
    void EditKey(int key);

    std::function<void()> onChange;

private:
    std::string text_;
    int maxLength_ = 0;
    bool multiLine_ = false;
    Font font_;
    Colour fore_ = 0x000000;
    Colour back_ = 0xFFFFFF;
    int selStart_ = 0;
};

// The picture area of a media channel. The channel plays in the background; the renderer draws
// its current video frame here, sized to the clip when AutoSize is on.
class MediaView : public Widget {
public:
    MediaView(Screen& s, std::string name);
    ~MediaView() override;
    // Channel operations, logged by the headless backend.
    void SetFile(const std::string& path);
    void Play();
    void Stop();
    void SetRate(double rate);
    void SetRepeat(bool forever);
    // With AutoSize the view takes the clip's pixel size when a file is set.
    void SetAutoSize(bool a) { autoSize_ = a; }
    const std::string& File() const { return file_; }
    // The channel, once this view has used it (for drawing its frames).
    MediaPlayback* Playback() const;

private:
    MediaPlayback& Channel();
    std::string playbackName_;
    std::string file_;
    bool autoSize_ = true;
    bool loaded_ = false;
};

// Number of characters (code points) of a UTF-8 text.
int Utf8Length(const std::string& s);

}  // namespace tolarka::platform
