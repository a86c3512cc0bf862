#include "platform/headless/headless_backend.h"

#include <stdexcept>

#include "platform/headless/headless_media.h"

namespace tolarka::platform::headless {

HeadlessBackend::HeadlessBackend()
    : media_(MakeSilentMedia([this](const std::string& line) { Trace(line); })) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::Inject(Millis at, InputEvent e) { script_.emplace(at, std::move(e)); }

void HeadlessBackend::KeyDown(Millis at, int key) {
    Inject(at, {InputKind::KeyDown, key, {}, 0, 0});
    const bool letter = key >= 'A' && key <= 'Z';
    if (letter) Type(at, std::string(1, static_cast<char>(key - 'A' + 'a')));
    if ((key >= '0' && key <= '9') || key == keys::kSpace) Type(at, std::string(1, static_cast<char>(key)));
}

void HeadlessBackend::Click(Millis at, int x, int y) {
    Inject(at, {InputKind::MouseMove, 0, {}, x, y});
    Inject(at, {InputKind::MouseDown, 0, {}, x, y});
    Inject(at, {InputKind::MouseUp, 0, {}, x, y});
}

void HeadlessBackend::AnswerNextBoxes(std::initializer_list<int> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::optional<InputEvent> HeadlessBackend::PollEvent() {
    auto it = script_.begin();
    if (it == script_.end() || it->first > now_) return std::nullopt;
    InputEvent e = std::move(it->second);
    script_.erase(it);
    return e;
}

void HeadlessBackend::ScreenshotAt(Millis at, std::string path) {
    At(at, [this, path = std::move(path)] { Screenshot(path); });
}

void HeadlessBackend::RunProbesUntil(Millis until) {
    while (!probes_.empty() && probes_.begin()->first <= until) {
        auto probe = probes_.extract(probes_.begin());
        if (probe.key() > now_) now_ = probe.key();
        probe.mapped()();
    }
}

void HeadlessBackend::SetDisplay(DisplayMode size, std::vector<DisplayMode> modes) {
    displaySize_ = size;
    displayModes_ = std::move(modes);
}

std::optional<DisplayMode> HeadlessBackend::EnumDisplayMode(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= displayModes_.size()) return std::nullopt;
    return displayModes_[static_cast<size_t>(index)];
}

void HeadlessBackend::SetDisplayMode(DisplayMode mode) {
    displaySize_ = mode;
    Trace("display mode " + std::to_string(mode.width) + "x" + std::to_string(mode.height));
}

void HeadlessBackend::Sleep(Millis ms) {
    const Millis end = now_ + ms;
    RunProbesUntil(end);
    now_ = end;
}

void HeadlessBackend::SceneChanged() { wholeChanged_ = true; }

void HeadlessBackend::PartsChanged(const std::vector<Rect>& displayPixels) {
    parts_.insert(parts_.end(), displayPixels.begin(), displayPixels.end());
}

std::optional<InputEvent> HeadlessBackend::WaitEvent(std::optional<Millis> deadline) {
    if (!probes_.empty()) {
        // A probe or screenshot due before the next event or deadline runs first; then the
        // runtime loops again with the clock at its time.
        const Millis shot = probes_.begin()->first;
        auto next = script_.begin();
        const bool beforeEvent = next == script_.end() || shot < next->first;
        if (beforeEvent && (!deadline || shot <= *deadline)) {
            RunProbesUntil(shot);
            return std::nullopt;
        }
    }
    auto it = script_.begin();
    if (it != script_.end() && (!deadline || it->first <= *deadline)) {
        if (it->first > now_) now_ = it->first;
        return PollEvent();
    }
    if (!deadline) throw std::runtime_error("headless run would wait forever: nothing scheduled");
    if (*deadline > now_) now_ = *deadline;
    return std::nullopt;
}

void HeadlessBackend::Present(const std::vector<const Screen*>& screens) {
    presented_ = screens;
    ++presents_;
    if (canvas_) canvas_->Presented(screens, wholeChanged_, parts_);
    wholeChanged_ = false;
    parts_.clear();
    if (onPresent) onPresent(now_);
}

std::optional<int> HeadlessBackend::AnswerMessageBox(const MessageBoxRequest& request) {
    if (answers_.empty()) {
        if (drawBoxes_) return std::nullopt;
        throw std::runtime_error("unexpected message box: " + request.title + ": " + request.text);
    }
    int answer = answers_.front();
    answers_.pop_front();
    boxes_.push_back(ShownBox{now_, request, answer});
    Trace("msgbox " + request.title + ": " + request.text);
    return answer;
}

void HeadlessBackend::SetPointer(AppPointer pointer, bool visible) {
    pointer_ = pointer;
    pointerVisible_ = visible;
}

void HeadlessBackend::Trace(const std::string& line) { log_.push_back(std::to_string(now_) + " " + line); }

bool HeadlessBackend::Screenshot(const std::string& path) {
    return canvas_ && canvas_->Screenshot(presented_, shotScale_, path);
}

}  // namespace tolarka::platform::headless
