#include "anim/frm_anim.h"

#include "anim/audience_graph.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

frmAnim::frmAnim(Runtime& runtime, std::string dataPath)
    : Screen(runtime, "frmAnim"),
      Timer1(AddTimer("Timer1")),
      Timer2(AddTimer("Timer2")),
      Timer3(AddTimer("Timer3")),
      dataPath_(std::move(dataPath)) {
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    Timer3.onTick = [this] { Timer3_Timer(); };
}

std::string frmAnim::Path(const std::string& relative) const { return dataPath_ + relative; }

void frmAnim::Play(const Clip& clip, std::function<void()> then) {
    clip_ = clip;
    then_ = std::move(then);
    Load();
    Show();
}

void frmAnim::Design() {
    Container& f = Form();
    f.SetBackColour(0x000080);
    // Back to front: the clip area, the amount picture, the audience graph, the notice strip.
    picAnim_ = &f.Add<PictureBox>("picAnim");
    picAnim_->SetBackColour(0x000080);
    picAnim_->Move(0, 0, 9600, 7200);
    picAnim_->Hide();
    WMPanimSND_ = &picAnim_->Add<MediaView>("WMPanimSND");
    WMPanimSND_->Hide();
    WMPanim_ = &picAnim_->Add<MediaView>("WMPanim");
    WMPanim_->Move(0, 0, 3585, 2685);
    WMPanim2_ = &picAnim_->Add<MediaView>("WMPanim2");
    WMPanim2_->Move(0, 0, 3585, 2685);

    pic_ = &f.Add<PictureBox>("pic");
    pic_->SetAutoSize(true);
    pic_->Hide();

    picNDivGraf_ = &f.Add<PictureBox>("picNDivGraf");
    picNDivGraf_->Move(6240, 480, 2400, 3150);
    const AudienceGraphWidgets graph = AddAudienceGraph(*picNDivGraf_, {375, 855, 1320, 1815}, false);
    colNDiv_ = graph.bars;
    lblNDiv_ = graph.labels;

    Picture1_ = &f.Add<PictureBox>("Picture1");
    Picture1_->Move(-720, 240, 6015, 495);
    Picture1_->SetBackColour(0xFF0000);
    auto& notice = Picture1_->Add<Label>("Label1");
    notice.Move(720, 80, 5055, 255);
    notice.SetFont(Font{"MS Sans Serif", 9.75, true});
    notice.SetForeColour(0xFFFFFF);
    notice.SetTransparent(true);
    notice.SetAlignment(Alignment::Right);
    notice.SetCaption("animace jsou z důvodu velikosti pouze na CD!");
}

void frmAnim::OnLoad() {
    Rt().ShowCursor(false);
    picNDivGraf_->Hide();
    for (size_t i = 0; i < 4; ++i) {
        lblNDiv_[i]->Hide();
        colNDiv_[i]->Hide();
    }
    Timer1.Stop();
    Timer2.Stop();
    Timer3.Stop();
    picAnim_->Show();
    pic_->Hide();
    WMPanim_->SetRate(clip_.rate);
    WMPanim2_->SetRate(1.0);
    WMPanim_->Move(0, 0);
    WMPanim2_->Move(0, 10000);
    picAnim_->Move(0, 0, 9600, 7200);
    if (!clip_.amount.empty()) {
        pic_->SetPicture(clip_.amount);
        pic_->SetTop(5940);
        pic_->SetLeft((9600 - pic_->Width()) / 2);
    }
    SetUpClip();
}

void frmAnim::SetUpClip() {
    WMPanim_->SetFile(Path(clip_.file));
    if (!clip_.sound.empty()) WMPanimSND_->SetFile(Path(clip_.sound));
    // A clip without a step or a graph leaves those timers at 0, so they never tick: no earlier
    // clip's interval stays.
    Timer1.SetInterval(static_cast<int>(clip_.length));
    Timer2.SetInterval(static_cast<int>(clip_.stepEvery));
    Timer3.SetInterval(static_cast<int>(clip_.graphEvery));
    if (!clip_.second.empty()) {
        WMPanim2_->SetFile(Path(clip_.second));
        if (clip_.secondRate != 1.0) WMPanim2_->SetRate(clip_.secondRate);
    }
    if (clip_.graph) {
        for (size_t i = 0; i < 4; ++i) {
            lblNDiv_[i]->SetCaption(clip_.bars[i].caption);
            colNDiv_[i]->SetTop(clip_.bars[i].top);
            colNDiv_[i]->SetHeight(clip_.bars[i].height);
        }
    }
}

void frmAnim::OnActivate() {
    Rt().DoEvents();
    WMPanim_->Play();
    Rt().DoEvents();
    if (!clip_.amount.empty()) pic_->Show();
    if (clip_.soundAtStart) WMPanimSND_->Play();
    Timer1.Start();
    Timer2.Start();
    Timer3.Start();
}

void frmAnim::Timer2_Timer() {
    if (clip_.graph) {
        for (size_t i = 0; i < 4; ++i) {
            lblNDiv_[i]->Show();
            colNDiv_[i]->Show();
        }
    }
    if (!clip_.second.empty()) {
        pic_->Hide();
        WMPanim2_->SetTop(0);
        WMPanim_->SetTop(10000);
        if (clip_.soundWithSecond) WMPanimSND_->Play();
        WMPanim2_->Play();
    }
}

void frmAnim::Timer3_Timer() {
    if (clip_.graph) picNDivGraf_->Show();
}

void frmAnim::Timer1_Timer() {
    // The continuation may ask for the next clip: it is taken out before it runs.
    std::function<void()> then = std::move(then_);
    then_ = nullptr;
    const bool afterClosing = clip_.continueAfterClosing;
    if (then && !afterClosing) then();
    Timer1.Stop();
    Timer2.Stop();
    Timer3.Stop();
    Rt().ShowCursor(true);
    Close();
    Rt().DoEvents();
    if (then && afterClosing) then();
}

}  // namespace tolarka
