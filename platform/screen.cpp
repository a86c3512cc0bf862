#include "platform/screen.h"

#include "platform/runtime.h"
#include "platform/timer.h"

namespace tolarka::platform {

Screen::Screen(Runtime& runtime, std::string name, int widthTwips, int heightTwips)
    : runtime_(runtime), name_(std::move(name)), width_(widthTwips), height_(heightTwips) {}

Screen::~Screen() = default;

Timer& Screen::AddTimer(const std::string& name) {
    timers_.push_back(std::make_unique<Timer>(runtime_, name_ + "." + name));
    return *timers_.back();
}

void Screen::MarkDirty() {
    if (visible_) runtime_.MarkDirty();
}

void Screen::MarkDirty(const Rect& displayPixels) {
    if (visible_) runtime_.MarkDirty(displayPixels);
}

void Screen::SetFocus(TextBox* box) {
    // The caret leaves one box and appears in the other.
    if (focus_ == box) return;
    if (focus_) MarkDirty(focus_->DisplayPixels());
    focus_ = box;
    if (focus_) MarkDirty(focus_->DisplayPixels());
}

void Screen::Load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    runtime_.ForgetWidgets(*this);
    focus_ = nullptr;
    for (auto& t : timers_) t->Stop();
    form_ = std::make_unique<PictureBox>(*this, name_);
    form_->Move(0, 0, width_, height_);
    Design();
    loaded_ = true;
    loading_ = false;
    OnLoad();
}

void Screen::Show() {
    Load();
    if (!loaded_) return;
    visible_ = true;
    runtime_.Shown(*this);
    runtime_.MarkDirty();
}

namespace {
void StopMedia(Widget& w) {
    if (auto* view = dynamic_cast<MediaView*>(&w)) {
        if (view->Playback()) view->Stop();
    }
    if (auto* c = dynamic_cast<Container*>(&w)) {
        for (auto& child : c->Children()) StopMedia(*child);
    }
}
}  // namespace

void Screen::Close() {
    if (!loaded_) return;
    OnClose();
    for (auto& t : timers_) t->Stop();
    if (form_) StopMedia(*form_);
    loaded_ = false;
    const bool wasVisible = visible_;
    visible_ = false;
    if (wasVisible) runtime_.Closed(*this);
    runtime_.MarkDirty();
}

}  // namespace tolarka::platform
