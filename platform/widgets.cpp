#include "platform/widgets.h"

#include <algorithm>

#include "platform/media.h"
#include "platform/pictures.h"
#include "platform/runtime.h"
#include "platform/screen.h"
#include "platform/text_metrics.h"

namespace tolarka::platform {

int Utf8Length(const std::string& s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

namespace {
// Byte offset of the character with index `chars`.
size_t Utf8Offset(const std::string& s, int chars) {
    size_t i = 0;
    for (int n = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == chars) return i;
            ++n;
        }
    }
    return s.size();
}
}  // namespace

void Widget::MarkDirty() { screen_->MarkDirty(DisplayPixels()); }

Rect Widget::DisplayPixels() const {
    int x = screen_->OriginX(), y = screen_->OriginY();
    for (const Widget* p = parent_; p; p = p->parent_) {
        x += TwipsToPixels(p->rect_.left);
        y += TwipsToPixels(p->rect_.top);
    }
    return Rect{x + TwipsToPixels(rect_.left), y + TwipsToPixels(rect_.top), TwipsToPixels(rect_.width),
                TwipsToPixels(rect_.height)};
}

Rect Line::DisplayPixels() const {
    const Rect box = Widget::DisplayPixels();
    const int reach = std::max(1, width_) + 1;
    return Rect{box.left - reach, box.top - reach, box.width + 2 * reach, box.height + 2 * reach};
}

bool Widget::ReallyVisible() const {
    for (const Widget* w = this; w; w = w->parent_)
        if (!w->visible_) return false;
    return true;
}

bool Widget::ReallyEnabled() const {
    for (const Widget* w = this; w; w = w->parent_)
        if (!w->enabled_) return false;
    return true;
}

Rect Widget::ScreenBounds() const {
    Rect r = rect_;
    for (const Widget* p = parent_; p && p->parent_; p = p->parent_) {
        r.left += p->rect_.left;
        r.top += p->rect_.top;
    }
    return r;
}

void Container::BringToFront(Widget& child) {
    auto it = std::find_if(children_.begin(), children_.end(), [&](auto& c) { return c.get() == &child; });
    if (it == children_.end()) return;
    auto owned = std::move(*it);
    children_.erase(it);
    children_.push_back(std::move(owned));
    MarkDirty();
}

void Container::SetPicture(const std::string& name) {
    picture_ = name;
    if (autoSize_) {
        if (const auto p = Pictures().Find(name)) {
            SetWidth(PixelsToTwips(p->width));
            SetHeight(PixelsToTwips(p->height));
        }
    }
    Owner().Rt().Trace(Owner().Name() + "." + Name() + " picture " + name);
    MarkDirty();
}

void Label::SetCaption(std::string text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    Fit();
    MarkDirty();
}

void Label::SetFont(const Font& f) {
    Change(font_, f);
    Fit();
}

void Label::SetBold(bool bold) {
    Font f = font_;
    f.bold = bold;
    SetFont(f);
}

void Label::SetWordWrap(bool w) {
    Change(wordWrap_, w);
    Fit();
}

void Label::SetAutoSize(bool a) {
    Change(autoSize_, a);
    Fit();
}

void Label::Fit() {
    if (!autoSize_) return;
    TextMetrics& m = Owner().Rt().Metrics();
    const int lineHeight = m.LineHeight(font_);
    if (!wordWrap_) {
        SetWidth(PixelsToTwips(m.Width(font_, caption_)));
        SetHeight(PixelsToTwips(lineHeight));
    } else {
        const int lines = static_cast<int>(m.Wrap(font_, caption_, TwipsToPixels(Width())).size());
        SetHeight(PixelsToTwips(std::max(1, lines) * lineHeight));
    }
}

void Image::SetPicture(const std::string& name) {
    if (const auto p = Pictures().Find(name)) {
        SetWidth(PixelsToTwips(p->width));
        SetHeight(PixelsToTwips(p->height));
    }
    if (name != picture_) {
        picture_ = name;
        MarkDirty();
    }
    Owner().Rt().Trace(Owner().Name() + "." + Name() + " picture " + name);
}

void Line::SetPoints(int x1, int y1, int x2, int y2) {
    Change(x1_, x1);
    Change(y1_, y1);
    Change(x2_, x2);
    Change(y2_, y2);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
}

void TextBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    selStart_ = std::min(selStart_, Utf8Length(text_));
    MarkDirty();
    if (onChange) onChange();
}

void TextBox::SetSelStart(int pos) { Change(selStart_, std::clamp(pos, 0, Utf8Length(text_))); }

void TextBox::SetFocus() {
    Owner().SetFocus(this);
    MarkDirty();
}

bool TextBox::HasFocus() const { return Owner().Focus() == this; }

void TextBox::TypeText(const std::string& utf8) {
    // Insert character by character so the length limit (which onChange may change) applies
    // to each one, as typing does.
    size_t i = 0;
    while (i < utf8.size()) {
        size_t next = i + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
        std::string ch = utf8.substr(i, next - i);
        i = next;
        if (!multiLine_ && (ch == "\r" || ch == "\n")) continue;
        if (maxLength_ > 0 && Utf8Length(text_) >= maxLength_) continue;
        std::string t = text_;
        t.insert(Utf8Offset(t, selStart_), ch);
        ++selStart_;
        SetText(std::move(t));
    }
}

void TextBox::EditKey(int key) {
    const int len = Utf8Length(text_);
    std::string t = text_;
    switch (key) {
        case keys::kBack:
            if (selStart_ == 0) return;
            t.erase(Utf8Offset(t, selStart_ - 1), Utf8Offset(t, selStart_) - Utf8Offset(t, selStart_ - 1));
            --selStart_;
            SetText(std::move(t));
            break;
        case keys::kDelete:
            if (selStart_ >= len) return;
            t.erase(Utf8Offset(t, selStart_), Utf8Offset(t, selStart_ + 1) - Utf8Offset(t, selStart_));
            SetText(std::move(t));
            break;
        case keys::kLeft: SetSelStart(selStart_ - 1); break;
        case keys::kRight: SetSelStart(selStart_ + 1); break;
        case keys::kHome: SetSelStart(0); break;
        case keys::kEnd: SetSelStart(len); break;
        default: break;
    }
}

MediaView::MediaView(Screen& s, std::string name) : Widget(s, std::move(name)) {
    // Channels live for the run; a reloaded screen gets its same channel back.
    playbackName_ = s.Name() + "." + Name();
}

MediaView::~MediaView() {
    // The view goes with its screen's widgets; its sound must not outlive the screen.
    if (loaded_) Owner().Rt().Channel(playbackName_).Stop();
}

MediaPlayback& MediaView::Channel() {
    loaded_ = true;
    return Owner().Rt().Channel(playbackName_);
}

void MediaView::SetFile(const std::string& path) {
    file_ = path;
    Owner().Rt().Trace(playbackName_ + " file " + path);
    Channel().SetFile(path);
    if (autoSize_) {
        Size s = Channel().VideoSize();
        if (s.width > 0 && s.height > 0) {
            SetWidth(PixelsToTwips(s.width));
            SetHeight(PixelsToTwips(s.height));
        }
    }
    MarkDirty();
}

void MediaView::Play() {
    Owner().Rt().Trace(playbackName_ + " play");
    Channel().Play();
    MarkDirty();
}

void MediaView::Stop() {
    Owner().Rt().Trace(playbackName_ + " stop");
    Channel().Stop();
    MarkDirty();
}

void MediaView::SetRate(double rate) {
    Owner().Rt().Trace(playbackName_ + " rate " + std::to_string(rate).substr(0, 3));
    Channel().SetRate(rate);
}

void MediaView::SetRepeat(bool forever) { Channel().SetRepeat(forever); }

MediaPlayback* MediaView::Playback() const {
    return loaded_ ? &Owner().Rt().Channel(playbackName_) : nullptr;
}

}  // namespace tolarka::platform
