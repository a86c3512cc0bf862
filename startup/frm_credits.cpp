#include "startup/frm_credits.h"

#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

frmCredits::frmCredits(Runtime& runtime, std::function<void()> restoreDisplay)
    : Screen(runtime, "frmCredits"), restoreDisplay_(std::move(restoreDisplay)) {}

Image& frmCredits::tit(int i) { return i == 1 ? *tit1_ : i == 2 ? *tit2_ : *tit3_; }

void frmCredits::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    auto title = [&f](const char* name, const char* picture, int left, int top) {
        auto& image = f.Add<Image>(name);
        image.Move(left, top);
        image.SetPicture(picture);
        image.Hide();
        return &image;
    };
    tit1_ = title("tit1", "TIT1", 2400, 1508);
    tit2_ = title("tit2", "TIT2", 2415, 1373);
    tit3_ = title("tit3", "TIT3", 2423, 1523);

    Picture1_ = &f.Add<PictureBox>("Picture1");
    Picture1_->Move(3998, 2640, 1605, 465);
    Picture1_->SetPicture("TIT-LOGO");
    Picture1_->Hide();

    Label1_ = &f.Add<Label>("Label1");
    Label1_->Move(1980, 3240, 5655, 375);
    Label1_->SetFont(Font{"MS Sans Serif", 12, false});
    Label1_->SetForeColour(0xFFFFFF);
    Label1_->SetBackColour(0x000000);
    Label1_->SetAlignment(Alignment::Center);
    Label1_->SetCaption("Formát hry: Tým Tolarka");
    Label1_->Hide();

    Image1_ = &f.Add<Image>("Image1");
    Image1_->Move(2445, 6000);
    Image1_->SetPicture("TIT-WEB");
    Image1_->Hide();
}

void frmCredits::OnLoad() {
    tit1_->Hide();
    tit2_->Hide();
    tit3_->Hide();
}

void frmCredits::Pause(int ms) {
    Rt().DoEvents();
    Rt().Pause(ms);
}

void frmCredits::ShowClosingFrame(bool visible) {
    Image1_->SetVisible(visible);
    Label1_->SetVisible(visible);
    Picture1_->SetVisible(visible);
}

void frmCredits::OnActivate() {
    Rt().ShowCursor(false);
    Pause(200);
    for (int i = 1; i <= 3; ++i) {
        tit(i).Show();
        Pause(1000);
        tit(i).Hide();
        Pause(100);
    }
    ShowClosingFrame(true);
    Pause(1800);
    ShowClosingFrame(false);
    Pause(300);
    Rt().ShowCursor(true);
    restoreDisplay_();
    Rt().DoEvents();
    Rt().EndProgram();
}

}  // namespace tolarka
