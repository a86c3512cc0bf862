#pragma once
#include "platform/message_box.h"
#include "platform/screen.h"

namespace tolarka::platform {

// The modal message box drawn by the game itself: a small window with a title bar, an icon,
// the text and the buttons "OK" or "Ano" / "Ne". Answered by mouse, by Enter or Space (OK / Ano),
// by Escape (OK only: a Yes/No box has no cancel) or by the keys A and N.
class MessageBoxScreen : public Screen {
public:
    MessageBoxScreen(Runtime& rt, MessageBoxRequest request);
    int Answer() const { return answer_; }
    bool IsDialog() const override { return true; }
    bool OnKeyDown(int key) override;
    bool OnKeyUp(int) override { return true; }
    bool OnText(const std::string&) override { return true; }

private:
    void Design() override;
    void Finish(int answer);
    void AddButton(const std::string& caption, int left, int top, int answer);
    static std::pair<int, int> SizeFor(Runtime& rt, const MessageBoxRequest& r);

    MessageBoxRequest request_;
    int answer_ = 0;
};

}  // namespace tolarka::platform
