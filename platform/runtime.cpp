#include "platform/runtime.h"

#include <algorithm>

#include "platform/message_box_screen.h"
#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka::platform {

Runtime::Runtime(Backend& backend) : backend_(backend) {}

Runtime::~Runtime() = default;

void Runtime::Run() {
    try {
        while (!ended_) Step(std::nullopt);
    } catch (const ProgramEnded&) {
    }
}

void Runtime::RunUntil(Millis until) {
    if (ended_) return;
    try {
        while (!ended_) {
            if (Now() < until) {
                Step(until);
                continue;
            }
            // At the end time: everything due now still runs, input of this moment included.
            RunActivations();
            FireDueTimers();
            Draw();
            auto e = backend_.PollEvent();
            if (!e) break;
            Dispatch(*e);
        }
    } catch (const ProgramEnded&) {
    }
}

void Runtime::Step(std::optional<Millis> limit, const Screen* modal) {
    RunActivations();
    FireDueTimers();
    Draw();
    // A modal screen that closed itself (the rules at the end of their presentation) returns
    // to its opener at once.
    if (modal && !modal->Visible()) return;
    std::optional<Millis> deadline = NextDeadline();
    if (limit && (!deadline || *limit < *deadline)) deadline = limit;
    if (auto e = backend_.WaitEvent(deadline)) Dispatch(*e);
}

void Runtime::DoEvents() {
    while (auto e = backend_.PollEvent()) Dispatch(*e);
    RunActivations();
    FireDueTimers();
    Draw();
}

void Runtime::Pause(Millis ms) {
    Draw();
    // Clips play on their own: input and timers wait, but due frames are still shown. A clip
    // whose next frame is not decoded yet is looked at again after a short slice.
    constexpr Millis kSlice = 20;
    const Millis end = Now() + ms;
    while (Now() < end) {
        const Millis now = Now();
        Millis until = std::min(end, now + kSlice);
        if (auto frame = backend_.NextVideoFrame()) until = std::clamp(*frame, now + 1, end);
        backend_.Sleep(until - now);
        Draw();
    }
}

[[noreturn]] void Runtime::EndProgram() {
    ended_ = true;
    backend_.EndProgram();
    throw ProgramEnded{};
}

int Runtime::MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) {
    MessageBoxRequest request{title, text, icon, buttons};
    if (auto answer = backend_.AnswerMessageBox(request)) return *answer;
    MessageBoxScreen box(*this, request);
    // The box and its widgets go when this returns: the pointer or a press may not keep them.
    struct Forget {
        Runtime& runtime;
        Screen& screen;
        ~Forget() { runtime.ForgetWidgets(screen); }
    } forget{*this, box};
    box.Show();
    RunModal(box);
    return box.Answer();
}

void Runtime::RunModal(Screen& screen) {
    while (!ended_ && screen.Visible()) Step(std::nullopt, &screen);
    if (ended_) throw ProgramEnded{};
}

void Runtime::PlaySystemSound(const std::string& path) {
    Trace("system sound " + path);
    backend_.Media().PlaySystemSound(path);
}

void Runtime::SetAppPointer(AppPointer p) {
    appPointer_ = p;
    UpdatePointer();
}

int Runtime::ShowCursor(bool show) {
    cursorCounter_ += show ? 1 : -1;
    UpdatePointer();
    return cursorCounter_;
}

MediaPlayback& Runtime::Channel(const std::string& name) {
    auto it = channels_.find(name);
    if (it == channels_.end()) it = channels_.emplace(name, backend_.Media().CreateChannel(name)).first;
    return *it->second;
}

void Runtime::Shown(Screen& s) {
    Screen* before = ActiveScreen();
    std::erase(stack_, &s);
    stack_.push_back(&s);
    if (!s.IsDialog() && before != &s) QueueActivation(s);
    dirty_ = true;
}

void Runtime::Closed(Screen& s) {
    Screen* before = ActiveScreen();
    std::erase(stack_, &s);
    std::erase(activations_, &s);
    Screen* after = ActiveScreen();
    if (!s.IsDialog() && after && after != before && !after->IsDialog()) QueueActivation(*after);
    dirty_ = true;
}

void Runtime::QueueActivation(Screen& s) {
    if (std::find(activations_.begin(), activations_.end(), &s) == activations_.end())
        activations_.push_back(&s);
}

void Runtime::ForgetWidgets(Screen& s) {
    if (pressed_ && &pressed_->Owner() == &s) pressed_ = nullptr;
    if (hovered_ && &hovered_->Owner() == &s) hovered_ = nullptr;
}

int Runtime::RegisterTimer(Timer& t) {
    timers_.push_back(&t);
    return timerOrder_++;
}

void Runtime::UnregisterTimer(Timer& t) { std::erase(timers_, &t); }

Screen* Runtime::ActiveScreen() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
        if ((*it)->Visible()) return *it;
    return nullptr;
}

std::vector<const Screen*> Runtime::VisibleScreens() const {
    std::vector<const Screen*> out;
    for (Screen* s : stack_)
        if (s->Visible()) out.push_back(s);
    return out;
}

bool Runtime::RunActivations() {
    bool any = false;
    while (!activations_.empty()) {
        Screen* s = activations_.front();
        activations_.erase(activations_.begin());
        if (s->Visible()) {
            any = true;
            s->OnActivate();
        }
    }
    return any;
}

bool Runtime::FireDueTimers() {
    bool any = false;
    for (;;) {
        const Millis now = Now();
        Timer* next = nullptr;
        for (Timer* t : timers_) {
            if (!t->IsDue(now)) continue;
            if (!next || t->Due() < next->Due() || (t->Due() == next->Due() && t->Order() < next->Order()))
                next = t;
        }
        if (!next) return any;
        any = true;
        next->Fire(now);
    }
}

std::optional<Millis> Runtime::NextDeadline() const {
    std::optional<Millis> d;
    for (Timer* t : timers_) {
        if (!t->Enabled() || t->Interval() <= 0 || t->InTick()) continue;
        if (!d || t->Due() < *d) d = t->Due();
    }
    if (!activations_.empty()) d = Now();
    if (auto v = backend_.NextVideoFrame(); v && (!d || *v < *d)) d = v;
    return d;
}

void Runtime::MarkDirty(const Rect& displayPixels) {
    if (dirty_ || displayPixels.width <= 0 || displayPixels.height <= 0) return;
    // A screen's worth of small changes is cheaper drawn as a whole.
    constexpr size_t kMostParts = 64;
    if (dirtyParts_.size() >= kMostParts) {
        dirty_ = true;
        dirtyParts_.clear();
        return;
    }
    if (!dirtyParts_.empty() && dirtyParts_.back() == displayPixels) return;
    dirtyParts_.push_back(displayPixels);
}

void Runtime::Draw() {
    if (!dirty_ && dirtyParts_.empty() && !backend_.VideoWantsRedraw()) return;
    if (dirty_) {
        backend_.SceneChanged();
    } else if (!dirtyParts_.empty()) {
        backend_.PartsChanged(dirtyParts_);
    }
    dirty_ = false;
    dirtyParts_.clear();
    backend_.Present(VisibleScreens());
}

namespace {
bool TakesMouse(const Widget& w) { return !dynamic_cast<const Shape*>(&w) && !dynamic_cast<const Line*>(&w); }

Widget* HitIn(Widget& w, int x, int y) {
    if (!w.Visible() || !w.Enabled()) return nullptr;
    if (!w.Bounds().Contains(x, y)) return nullptr;
    if (auto* c = dynamic_cast<Container*>(&w)) {
        const auto& kids = c->Children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            if (Widget* hit = HitIn(**it, x - w.Left(), y - w.Top())) return hit;
        }
    }
    return TakesMouse(w) ? &w : nullptr;
}
}  // namespace

Widget* Runtime::HitTest(Screen& s, int x, int y) const {
    if (!s.Loaded()) return nullptr;
    // Screen-relative twips; the form itself sits at 0, 0.
    const int tx = PixelsToTwips(x - s.OriginX());
    const int ty = PixelsToTwips(y - s.OriginY());
    return HitIn(s.Form(), tx, ty);
}

void Runtime::UpdatePointer() {
    AppPointer shown = appPointer_;
    if (shown == AppPointer::Default && hovered_ && hovered_->Pointer() == WidgetPointer::Custom &&
        hovered_->ReallyEnabled())
        shown = AppPointer::Custom;
    backend_.SetPointer(shown, cursorCounter_ >= 0);
}

void Runtime::Dispatch(const InputEvent& e) {
    Screen* s = ActiveScreen();
    switch (e.kind) {
        case InputKind::Quit:
            // The window was closed by the desktop: end like the credits do, unless the game
            // asks first and the player keeps playing.
            if (confirmingQuit_) return;
            if (confirmQuit) {
                confirmingQuit_ = true;
                const bool quit = confirmQuit();
                confirmingQuit_ = false;
                if (!quit) return;
            }
            EndProgram();
        case InputKind::Terminate:
            // Nobody is there to answer a question: a game in progress ends unsaved, as after
            // "Ano", also while the close question is up.
            EndProgram();
        case InputKind::Wake: return;
        case InputKind::KeyDown:
            dropText_ = false;
            if (s && !s->OnKeyDown(e.key) && s->Focus() && s->Focus()->ReallyVisible())
                s->Focus()->EditKey(e.key);
            // The text a key types follows its key-down and belongs to the screen that took the
            // key: when that key closed the screen (a message box), the text goes nowhere.
            if (ActiveScreen() != s) dropText_ = true;
            return;
        case InputKind::KeyUp:
            dropText_ = false;
            if (s) s->OnKeyUp(e.key);
            return;
        case InputKind::Text:
            if (dropText_) return;
            if (s && !s->OnText(e.text) && s->Focus() && s->Focus()->ReallyVisible() &&
                s->Focus()->ReallyEnabled())
                s->Focus()->TypeText(e.text);
            return;
        case InputKind::MouseMove:
        case InputKind::MouseDown:
        case InputKind::MouseUp: break;
    }
    dropText_ = false;
    mouseX_ = e.x;
    mouseY_ = e.y;
    Widget* hit = s ? HitTest(*s, e.x, e.y) : nullptr;
    if (hit != hovered_) {
        hovered_ = hit;
        UpdatePointer();
    }
    if (!hit) return;
    const Rect b = hit->ScreenBounds();
    const int lx = PixelsToTwips(e.x - s->OriginX()) - b.left;
    const int ly = PixelsToTwips(e.y - s->OriginY()) - b.top;
    if (e.kind == InputKind::MouseMove) {
        if (hit->onMouseMove) hit->onMouseMove(lx, ly);
    } else if (e.kind == InputKind::MouseDown) {
        pressed_ = hit;
        if (auto* box = dynamic_cast<TextBox*>(hit)) box->SetFocus();
    } else {
        Widget* was = pressed_;
        pressed_ = nullptr;
        if (was == hit && hit->onClick) hit->onClick();
    }
}

}  // namespace tolarka::platform
