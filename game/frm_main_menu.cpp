// The game screen's own menu in the top left corner: a panel that slides open to uncover
// "ULOŽIT HRU" (save after this question) and "UKONČIT HRU" (walk away with the winnings).
#include "game/frm_main.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr int kMenuShut = 1035;
constexpr int kMenuOpen = 5220;
constexpr int kMenuStep = 45;
// Each slide step waits this long after repainting, so the slide is seen on any machine
// (93 steps: about 0.4 s) and input is still handled between the steps.
constexpr Millis kMenuStepPause = 4;
constexpr Colour kBannerDark = 0x0000C0;
constexpr Colour kBannerBright = 0x0000FF;
}  // namespace

void frmMain::MenuItemClick(int index) {
    switch (index) {
        case 1: {
            const int width = picMenu_[0]->Width();
            int direction = width == kMenuShut ? 1 : width == kMenuOpen ? 0 : -1;
            SlideGameMenu(direction);
            break;
        }
        case 2: RequestSave(); break;
        case 3:
            StopMusic();
            WalkAwayFromGame();
            break;
        default: break;
    }
}

void frmMain::SlideGameMenu(int& direction) {
    PictureBox& panel = *picMenu_[0];
    if (direction == 0) {
        while (panel.Width() > kMenuShut) {
            panel.SetWidth(panel.Width() - kMenuStep);
            Rt().DoEvents();
            Rt().Pause(kMenuStepPause);
        }
    } else if (direction == 1) {
        if (State.OutOfCompetition) return;
        while (panel.Width() < kMenuOpen && !State.InputLocked) {
            panel.SetWidth(panel.Width() + kMenuStep);
            Rt().DoEvents();
            Rt().Pause(kMenuStepPause);
        }
    }
}

void frmMain::RequestSave() {
    director_.RequestSave();
    DisableInput();
    picUlozeni_->Show();
    Shape1_->Show();
    tmrUlozeni.SetInterval(500);
    tmrUlozeni.Start();
    saveBannerClosable_ = false;
}

void frmMain::tmrUlozeni_Timer() {
    if (tmrUlozeni.Interval() == 500) {
        BlinkBanner(*picUlozeni_);
        saveBannerClosable_ = true;
        tmrUlozeni.SetInterval(2500);
    } else {
        tmrUlozeni.Stop();
        CloseSaveBanner();
    }
}

void frmMain::CloseSaveBanner() {
    if (!saveBannerClosable_) return;
    EnableInput();
    picUlozeni_->Hide();
    Shape1_->Hide();
    tmrUlozeni.Stop();
}

void frmMain::WalkAwayFromGame() {
    director_.WalkAway();
    int shut = 0;
    SlideGameMenu(shut);
    picMimoS_->Show();
    Shape1_->Show();
    tmrMimoS.Start();
    tmrMimoS_Timer();
}

void frmMain::tmrMimoS_Timer() {
    picMimoS_->Show();
    Shape1_->Show();
    Rt().Pause(500);
    BlinkBanner(*picMimoS_);
    Rt().Pause(1500);
    picMimoS_->Hide();
    Shape1_->Hide();
}

// Bright and dark three times; the screen blocks for the pauses.
void frmMain::BlinkBanner(PictureBox& banner) {
    for (int i = 0; i < 3; ++i) {
        banner.SetBackColour(kBannerBright);
        Rt().Pause(99);
        banner.SetBackColour(kBannerDark);
        if (i < 2) Rt().Pause(100);
    }
}

}  // namespace tolarka
