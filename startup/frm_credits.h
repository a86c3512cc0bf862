#pragma once
#include <functional>
#include <string>

#include "platform/screen.h"

namespace tolarka {

// The way out of the program: three credits pictures and a closing frame of about 5.6 seconds,
// then the display goes back and the program ends. Takes no keys or clicks.
class frmCredits : public platform::Screen {
public:
    // `restoreDisplay`: switches the display back before the program ends.
    frmCredits(platform::Runtime& runtime, std::function<void()> restoreDisplay);

    bool OnKeyDown(int /*key*/) override { return true; }
    bool OnKeyUp(int /*key*/) override { return true; }
    bool OnText(const std::string& /*utf8*/) override { return true; }

    platform::Image& tit(int i);
    platform::PictureBox& Picture1() { return *Picture1_; }
    platform::Label& Label1() { return *Label1_; }
    platform::Image& Image1() { return *Image1_; }

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    // Lets pending events run so the change just made is drawn, then waits without input.
    void Pause(int ms);
    void ShowClosingFrame(bool visible);

    std::function<void()> restoreDisplay_;
    platform::Image* tit1_ = nullptr;
    platform::Image* tit2_ = nullptr;
    platform::Image* tit3_ = nullptr;
    platform::PictureBox* Picture1_ = nullptr;
    platform::Label* Label1_ = nullptr;
    platform::Image* Image1_ = nullptr;
};

}  // namespace tolarka
