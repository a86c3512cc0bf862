#include "anim/frm_anim.h"

#include <cstdio>

#include "app/app.h"
#include "game/audience_graph.h"
#include "game/frm_main.h"
#include "platform/runtime.h"
#include "saves/frm_load.h"
#include "startup/frm_menu.h"

namespace tolarka {

using namespace platform;

frmAnim::frmAnim(App& app)
    : Screen(app.Rt(), "frmAnim"),
      Timer1(AddTimer("Timer1")),
      Timer2(AddTimer("Timer2")),
      Timer3(AddTimer("Timer3")),
      app_(app) {
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    Timer3.onTick = [this] { Timer3_Timer(); };
}

std::string frmAnim::Path(const std::string& relative) const { return app_.DataPath() + relative; }

void frmAnim::PlayAnimation(int clip, const std::string& mode) {
    AnimClip = clip;
    Load();
    if (clip == 9) Timer3.Tag = mode;
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
    WMPanim_->SetRate(AnimClip == 9 || AnimClip == 10 ? 0.8 : 1.0);
    WMPanim2_->SetRate(1.0);
    WMPanim_->Move(0, 0);
    WMPanim2_->Move(0, 10000);
    picAnim_->Move(0, 0, 9600, 7200);
    char amount[8];
    std::snprintf(amount, sizeof amount, "c%02d", app_.Main().State.WonLevel);
    pic_->SetPicture(amount);
    pic_->SetTop(5940);
    pic_->SetLeft((9600 - pic_->Width()) / 2);
    SetUpClip();
}

void frmAnim::SetUpClip() {
    const GameState& game = app_.Main().State;
    auto clip = [&](const char* file, const char* sound, int t1, int t2, int t3) {
        if (file) WMPanim_->SetFile(Path(file));
        if (sound) WMPanimSND_->SetFile(Path(sound));
        // A clip without a timer leaves it at 0, so it never ticks: no earlier clip's interval stays.
        Timer1.SetInterval(t1);
        Timer2.SetInterval(t2);
        Timer3.SetInterval(t3);
    };
    switch (AnimClip) {
        case 0: clip("/gfx/r1.avi", nullptr, 4000, 0, 0); break;
        case 1:
            clip("/gfx/r23.avi", "/sfx/lights2.wav", game.SaveAfterAnswer ? 3000 : 6600, 3000, 0);
            WMPanim2_->SetFile(
                Path(game.Level <= 9 && game.WonLevel >= 6 ? "/gfx/lights-r2.avi" : "/gfx/lights-r3.avi"));
            break;
        case 2: clip("/gfx/r4.avi", nullptr, 19800, 0, 0); break;
        case 3: clip("/gfx/ex.avi", "/sfx/ex.wav", 7200, 0, 0); break;
        case 4: {
            clip("/gfx/aud.avi", "/sfx/aud.wav", 16000, 14000, 8000);
            frmMain& main = app_.Main();
            for (int i = 0; i < 4; ++i) {
                lblNDiv(i).SetCaption(main.lblNDiv(i).Caption());
                colNDiv(i).SetTop(main.colNDiv(i).Top());
                colNDiv(i).SetHeight(main.colNDiv(i).Height());
            }
            break;
        }
        case 5: clip("/gfx/tel.avi", nullptr, 3700, 0, 0); break;
        case 6: clip("/gfx/ff-int.avi", nullptr, 3600, 0, 0); break;
        case 7: clip("/gfx/lights-r2.avi", "/sfx/lights2.wav", 3600, 0, 0); break;
        case 8: clip("/gfx/lights-r3.avi", "/sfx/lights2.wav", 3600, 0, 0); break;
        case 9: clip("/gfx/lights-st.avi", "/sfx/lights.wav", 4500, 0, 0); break;
        case 10:
            clip("/gfx/r23.avi", nullptr, 9550, 4500, 0);
            WMPanim2_->SetFile(Path("/gfx/lights-st.avi"));
            WMPanim2_->SetRate(0.8);
            break;
        default: break;
    }
}

void frmAnim::OnActivate() {
    if (AnimClip < 0 || AnimClip > 10) {
        // No clip of that number: end at once, without a continuation.
        Rt().ShowCursor(true);
        Close();
        return;
    }
    Rt().DoEvents();
    WMPanim_->Play();
    Rt().DoEvents();
    if (AnimClip == 0 || AnimClip == 1 || AnimClip == 3 || AnimClip == 10) pic_->Show();
    if (AnimClip == 3 || AnimClip == 4 || AnimClip == 7 || AnimClip == 8 || AnimClip == 9)
        WMPanimSND_->Play();
    Timer1.Start();
    if (!(AnimClip == 1 && app_.Main().State.SaveAfterAnswer)) Timer2.Start();
    Timer3.Start();
}

void frmAnim::Timer2_Timer() {
    switch (AnimClip) {
        case 1:
            pic_->Hide();
            WMPanim2_->SetTop(0);
            WMPanim_->SetTop(10000);
            WMPanimSND_->Play();
            WMPanim2_->Play();
            break;
        case 4:
            for (size_t i = 0; i < 4; ++i) {
                lblNDiv_[i]->Show();
                colNDiv_[i]->Show();
            }
            break;
        case 10:
            pic_->Hide();
            WMPanim2_->Play();
            WMPanim2_->SetTop(0);
            WMPanim_->SetTop(10000);
            break;
        default: break;
    }
}

void frmAnim::Timer3_Timer() {
    if (AnimClip == 4) picNDivGraf_->Show();
}

void frmAnim::Timer1_Timer() {
    const int clip = AnimClip;
    const std::string mode = Timer3.Tag;
    if (clip == 2 || clip == 3) app_.Menu().Show();
    if (clip == 4) app_.Main().OziveniPoNDiv();
    if (clip == 0 || clip == 1 || clip == 2 || clip == 3 || clip == 10) app_.Main().OziveniPoOdpovedi();
    if (clip == 9 && mode == "M") app_.Menu().OZIVIT();
    if (clip == 9 && mode == "L") app_.Load().tmrLoad_Timer();
    Timer1.Stop();
    Timer2.Stop();
    Timer3.Stop();
    Rt().ShowCursor(true);
    Close();
    Rt().DoEvents();
    // The phone call goes on only once this screen is gone.
    if (clip == 5) app_.Main().OziveniPoNTel();
}

}  // namespace tolarka
