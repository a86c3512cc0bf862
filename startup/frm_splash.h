#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

// The splash: on its first load it switches the display to 640 x 480 and installs the game's
// pointer; then two pages of notices, each left by a key once its hint has come up, and the
// main menu.
class frmSplash : public platform::Screen {
public:
    frmSplash(platform::Runtime& runtime, std::string commandLine, std::function<void()> showMenu);

    // The display's size before the switch; 0 when no switch was made. Read at the end of the
    // program to switch back.
    std::int16_t SavedScreenWidth = 0;
    std::int16_t SavedScreenHeight = 0;

    // Switches the display back to the size remembered at the switch.
    void RestoreDisplayMode();

    bool OnKeyDown(int key) override;

    // The hint is up: a key leaves the page.
    bool HintShown() const { return hintShown_; }

    platform::Timer& Timer1;
    platform::PictureBox& Picture1() { return *Picture1_; }
    platform::PictureBox& Picture2() { return *Picture2_; }
    platform::Label& Label2() { return *Label2_; }

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    void Timer1_Timer();

    std::string commandLine_;
    std::function<void()> showMenu_;
    bool hintShown_ = false;
    // The load step has run once: the display is never switched twice.
    bool DisplaySwitched = false;
    platform::PictureBox* Picture1_ = nullptr;
    platform::PictureBox* Picture2_ = nullptr;
    platform::Label* Label2_ = nullptr;
};

}  // namespace tolarka
