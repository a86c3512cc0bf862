// Phone a friend: the call decided in advance, the clip, then the transcript typed out under a
// time limit while the countdown runs, and the game resuming.
#include "game/frm_main.h"
#include "game/show_cues.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

void frmMain::imgNTel_Click() {
    if (LifelinesRefused()) return;
    imgNTel_->SetPicture("N-telx");
    State.PhoneAvailable = false;
    DisableInput();
    links_.playClip(PhoneClip(), [this] { AfterPhoneClip(); });
    PreparePhoneCall();
    picFade_->Hide();
    imgNTel_->SetEnabled(false);
    imgNTel_->SetPointer(WidgetPointer::Default);
}

void frmMain::PreparePhoneCall() {
    PhoneCallQuestion q;
    q.Level = State.Level;
    q.Text = State.Question.Text;
    q.Answers = {State.Question.AnswerA, State.Question.AnswerB, State.Question.AnswerC,
                 State.Question.AnswerD};
    q.AudienceVotes = State.Question.AudienceVotes;
    q.FiftyFiftyApplied = State.FiftyFiftyApplied;
    for (size_t i = 0; i < 4; ++i) q.OnScreen[i] = lbl_[i]->Visible();
    Phone = tolarka::PreparePhoneCall(q, random_);
    typingUnits_ = TypingUnits(Phone.PhoneTranscript);
    WMP2_->SetFile(Sfx("tel.wav"));
    WMP2_->Play();
    WMP1_->Stop();
}

void frmMain::AfterPhoneClip() {
    HideAudienceGraph();
    Rt().DoEvents();
    picFade_->Hide();
    WMP3_->Play();
    WMP3_->Move(2520, (3090 - WMP3_->Height()) / 2 + 120);
    WMP3_->Show();
    Rt().DoEvents();
    Shape1_->Show();
    txtNTelVypis_->Show();
    Rt().DoEvents();
    tmrNTel1_->Stop();
    tmrNTel1_->SetInterval(kPhoneCallLimitMs);
    tmrNTel1_->Start();
    tmrNTel2_->Start();
}

void frmMain::tmrNTel2_Timer() {
    ++TypedChars;
    if (TypedChars >= 1 && static_cast<size_t>(TypedChars) <= typingUnits_.size())
        txtNTelVypis_->SetText(txtNTelVypis_->Text() + typingUnits_[static_cast<size_t>(TypedChars - 1)]);
    if (TypedChars < static_cast<int>(typingUnits_.size()) + kPhoneTicksAfterText) return;
    WMP2_->Stop();
    WMP2_->SetFile(Sfx("tel-end.wav"));
    WMP2_->Play();
    tmrNTel1_->Stop();
    tmrNTel1_->SetInterval(kPhoneCallLimitMs);
    EndOfCall();
    tmrNTel2_->Stop();
}

void frmMain::tmrNTel1_Timer() {
    if (tmrNTel1_->Interval() == kPhoneCallLimitMs) {
        EndOfCall();
    } else if (tmrNTel1_->Interval() == kPhoneClosingPauseMs) {
        tmrNTel1_->Stop();
        PlayBandTrack();
        EnableInput();
    }
}

void frmMain::EndOfCall() {
    if (State.AudienceAsked) {
        ZobrazitGrafNDiv();
        picFade_->Hide();
    }
    tmrNTel1_->SetInterval(kPhoneClosingPauseMs);
    tmrNTel1_->Start();
    tmrNTel2_->Stop();
    txtNTelVypis_->Hide();
    WMP3_->Stop();
    WMP3_->SetTop(-3000);  // wholly above the screen: a stopped clip shows its first frame
    WMP3_->Hide();
    Shape1_->Hide();
    if (!State.AudienceAsked) picFade_->Show();
}

}  // namespace tolarka
