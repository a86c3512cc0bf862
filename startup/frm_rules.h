#pragma once
#include <array>
#include <string>

#include "platform/screen.h"

namespace tolarka {

// The rules: a self-running presentation of about 31 seconds (the ladder and its safe levels,
// the lifelines, when the player may stop, the keys). Opened modally by the menu; it closes
// itself and takes no keys or clicks.
class frmRules : public platform::Screen {
public:
    explicit frmRules(platform::Runtime& runtime);

    bool OnKeyDown(int /*key*/) override { return true; }
    bool OnKeyUp(int /*key*/) override { return true; }
    bool OnText(const std::string& /*utf8*/) override { return true; }

    platform::Label& lblPravidla() { return *lblPravidla_; }
    platform::Image& picStup() { return *picStup_; }
    platform::Line& Line1() { return *Line1_; }
    platform::Image& k(int i) { return *k_.at(static_cast<size_t>(i)); }
    platform::Label& l(int i) { return *l_.at(static_cast<size_t>(i)); }

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    // Lets pending events run so the change just made is drawn, then waits without input.
    void Pause(int ms);
    void ShowLadder(const std::string& picture);
    void AddText(const std::string& text);

    platform::Label* lblPravidla_ = nullptr;
    platform::Image* picStup_ = nullptr;
    platform::Line* Line1_ = nullptr;
    std::array<platform::Image*, 9> k_{};
    std::array<platform::Label*, 9> l_{};
};

}  // namespace tolarka
