// The 50:50 and the audience: their icons, their keys, and how they change the question on screen.
#include "game/fifty_fifty.h"
#include "game/frm_main.h"
#include "game/show_cues.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

void frmMain::AddLifelineTimers() {
    tmrNTel1_ = &AddTimer("tmrNTel1");
    tmrNTel2_ = &AddTimer("tmrNTel2");
    tmrNTel1_->onTick = [this] { tmrNTel1_Timer(); };
    tmrNTel2_->onTick = [this] { tmrNTel2_Timer(); };
}

void frmMain::WireLifelines() {
    imgN5050_->onClick = [this] { imgN5050_Click(); };
    imgNDiv_->onClick = [this] { imgNDiv_Click(); };
    imgNTel_->onClick = [this] { imgNTel_Click(); };
    tmrNTel2_->SetInterval(kPhoneTypingTickMs);
    // The transcript is shown, not edited: the box never takes the focus.
    txtNTelVypis_->SetEnabled(false);
    // The countdown clip is taller than its parking place above the screen: hidden while parked.
    WMP3_->Hide();
}

void frmMain::LifelineKeyUp(int key) {
    if (key == keys::kF5 && State.FiftyFiftyAvailable) imgN5050_Click();
    if (key == keys::kF6 && State.PhoneAvailable) imgNTel_Click();
    if (key == keys::kF7 && State.AudienceAvailable) imgNDiv_Click();
}

bool frmMain::LifelinesRefused() const { return State.InputLocked || State.OutOfCompetition; }

void frmMain::imgN5050_Click() {
    if (LifelinesRefused()) return;
    State.FiftyFiftyApplied = true;
    imgN5050_->SetPicture("N-5050x");
    State.FiftyFiftyAvailable = false;
    for (int i : DrawFiftyFifty(State.Question.CorrectLetter, random_)) RemoveAnswer(i);
    WMP2_->SetFile(Sfx("50-50.wav"));
    WMP2_->Play();
    imgN5050_->SetEnabled(false);
    imgN5050_->SetPointer(WidgetPointer::Default);
    // Votes drawn again now show the removed answers' share split between the two left.
    if (!State.AudienceAsked) ComputeAudienceVotes();
}

void frmMain::RemoveAnswer(int index) {
    const auto i = static_cast<size_t>(index);
    lbl_[i]->Hide();
    img_[i]->SetEnabled(false);
    img_[i]->SetPointer(WidgetPointer::Default);
}

void frmMain::imgNDiv_Click() {
    if (LifelinesRefused()) return;
    State.AudienceAsked = true;
    imgNDiv_->SetPicture("N-divx");
    State.AudienceAvailable = false;
    DisableInput();
    Rt().DoEvents();
    std::array<GraphBar, 4> bars;
    for (size_t i = 0; i < 4; ++i)
        bars[i] = {lblNDiv_[i]->Caption(), colNDiv_[i]->Top(), colNDiv_[i]->Height()};
    links_.playClip(AudienceClip(bars), [this] { AfterAudienceClip(); });
    StopMusic();
    imgNDiv_->SetEnabled(false);
    imgNDiv_->SetPointer(WidgetPointer::Default);
}

}  // namespace tolarka
