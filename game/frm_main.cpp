#include "game/frm_main.h"

#include "anim/audience_graph.h"
#include "game/prize_ladder.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

namespace {
const Font kAnswerFont{"MS Sans Serif", 13.5, false};
const Font kBannerFont{"Arial", 15.75, true};
constexpr const char* kLetters[4] = {"A", "B", "C", "D"};
}  // namespace

frmMain::frmMain(Runtime& runtime, Links links)
    : Screen(runtime, "frmMain"),
      links_(std::move(links)),
      tmrShow(AddTimer("tmrShow")),
      tmrMimoS(AddTimer("tmrMimoS")),
      tmrUlozeni(AddTimer("tmrUlozeni")),
      director_(State, *this, tmrShow) {
    tmrMimoS.onTick = [this] { tmrMimoS_Timer(); };
    tmrUlozeni.onTick = [this] { tmrUlozeni_Timer(); };
    AddLifelineTimers();
}

std::string frmMain::Sfx(const std::string& file) const { return links_.dataPath + "/sfx/" + file; }
std::string frmMain::Gfx(const std::string& file) const { return links_.dataPath + "/gfx/" + file; }

void frmMain::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    // Pictures and labels, back to front.
    imgZadani_ = &f.Add<Image>("imgZadani");
    imgZadani_->Move(0, 4440, 9600, 1425);
    const int boxLeft[4] = {0, 4800, 0, 4800};
    const int boxTop[4] = {5880, 5880, 6600, 6600};
    for (size_t i = 0; i < 4; ++i) {
        img_[i] = &f.Add<Image>(std::string("img") + kLetters[i]);
        img_[i]->Move(boxLeft[i], boxTop[i], 4800, 555);
        img_[i]->SetPicture(std::string(kLetters[i]) + "-M");
        img_[i]->onClick = [this, i] { AnswerClick(static_cast<int>(i)); };
    }
    lblZadani_ = &f.Add<Label>("lblZadani");
    lblZadani_->Move(1080, 4800, 7455, 735);
    lblZadani_->SetFont(kAnswerFont);
    lblZadani_->SetForeColour(0xFFFFFF);
    lblZadani_->SetTransparent(true);
    lblZadani_->SetAlignment(Alignment::Center);
    lblZadani_->SetWordWrap(true);
    const int labelLeft[4] = {1200, 6000, 1200, 6000};
    const int labelTop[4] = {6000, 6000, 6720, 6720};
    for (size_t i = 0; i < 4; ++i) {
        lbl_[i] = &f.Add<Label>(std::string("lbl") + kLetters[i]);
        lbl_[i]->Move(labelLeft[i], labelTop[i], 3500, 375);
        lbl_[i]->SetFont(kAnswerFont);
        lbl_[i]->SetForeColour(0xFFFFFF);
        lbl_[i]->SetTransparent(true);
        lbl_[i]->onClick = [this, i] { AnswerClick(static_cast<int>(i)); };
    }
    imgStupnice_ = &f.Add<Image>("imgStupnice");
    imgStupnice_->Move(6840, -20, 2550, 4665);
    imgN5050_ = &f.Add<Image>("imgN5050");
    imgN5050_->Move(1440, 3600, 1080, 705);
    imgNTel_ = &f.Add<Image>("imgNTel");
    imgNTel_->Move(2880, 3600, 1080, 705);
    imgNDiv_ = &f.Add<Image>("imgNDiv");
    imgNDiv_->Move(4320, 3600, 1080, 705);
    Shape1_ = &f.Add<Shape>("Shape1");
    Shape1_->Move(0, 4560, 9600, 2655);
    Shape1_->SetFillColour(0x000000);
    Shape1_->Hide();

    // Windowed widgets lie in front of the pictures and labels.
    picFade_ = &f.Add<PictureBox>("picFade");
    picFade_->Move(870, 315, 5100, 2880);
    picFade_->SetBackColour(0x000000);
    WMPfade_ = &picFade_->Add<MediaView>("WMPfade");
    WMPfade_->Move(0, 0, 5100, 2880);

    picNDivGraf_ = &f.Add<PictureBox>("picNDivGraf");
    picNDivGraf_->Move(2220, 170, 2400, 3150);
    const AudienceGraphWidgets graph = AddAudienceGraph(*picNDivGraf_, {375, 855, 1335, 1815}, true);
    colNDiv_ = graph.bars;
    lblNDiv_ = graph.labels;
    picNDivGraf_->Hide();

    // The in-game menu bar: a panel whose width uncovers the buttons.
    picMenu_[0] = &f.Add<PictureBox>("picMenu(0)");
    picMenu_[0]->Move(120, 105, 5220, 300);
    picMenu_[0]->SetBackColour(0x000000);
    const int menuLeft[4] = {0, 0, 1035, 2940};
    const int menuWidth[4] = {0, 1035, 2025, 2280};
    const char* menuPicture[4] = {"", "HRA-MENU", "HRA-ULOZIT", "HRA-UKONCIT"};
    for (size_t i = 1; i < 4; ++i) {
        picMenu_[i] = &picMenu_[0]->Add<PictureBox>("picMenu(" + std::to_string(i) + ")");
        picMenu_[i]->Move(menuLeft[i], 0, menuWidth[i], 300);
        picMenu_[i]->SetPicture(menuPicture[i]);
        picMenu_[i]->onClick = [this, i] { MenuItemClick(static_cast<int>(i)); };
    }
    // Item 1 lies in front of the others, as the shut panel shows it alone.
    picMenu_[0]->BringToFront(*picMenu_[1]);

    picMimoS_ = &f.Add<PictureBox>("picMimoS");
    picMimoS_->Move(1440, 5220, 6735, 1095);
    picMimoS_->SetBackColour(0x0000C0);
    lblMimoS_ = &picMimoS_->Add<Label>("lblMimoS");
    lblMimoS_->Move(105, 360, 6480, 450);
    lblMimoS_->SetFont(kBannerFont);
    lblMimoS_->SetForeColour(0xFFFFFF);
    lblMimoS_->SetTransparent(true);
    lblMimoS_->SetAlignment(Alignment::Center);
    lblMimoS_->SetCaption("Zkuste si tipnout mimo soutěž...");
    picMimoS_->Hide();

    picUlozeni_ = &f.Add<PictureBox>("picUlozeni");
    picUlozeni_->Move(1373, 5040, 6855, 1455);
    picUlozeni_->SetBackColour(0x0000C0);
    lblUlozeni_ = &picUlozeni_->Add<Label>("lblUlozeni");
    lblUlozeni_->Move(345, 360, 6120, 690);
    lblUlozeni_->SetFont(kBannerFont);
    lblUlozeni_->SetForeColour(0xFFFFFF);
    lblUlozeni_->SetTransparent(true);
    lblUlozeni_->SetAlignment(Alignment::Center);
    lblUlozeni_->SetWordWrap(true);
    lblUlozeni_->SetCaption("Hra bude přerušena a uložena po správném zodpovězení této otázky.");
    picUlozeni_->onClick = [this] { CloseSaveBanner(); };
    lblUlozeni_->onClick = [this] { CloseSaveBanner(); };
    picUlozeni_->Hide();

    txtNTelVypis_ = &f.Add<TextBox>("txtNTelVypis");
    txtNTelVypis_->Move(293, 4800, 9015, 2295);
    txtNTelVypis_->SetMultiLine(true);
    txtNTelVypis_->SetForeColour(0x00FFFF);
    txtNTelVypis_->SetBackColour(0x000000);
    txtNTelVypis_->SetFont(kAnswerFont);
    txtNTelVypis_->Hide();

    WMP3_ = &f.Add<MediaView>("WMP3");
    WMP3_->Move(2520, -2500, 3585, 2685);
    WMP1_ = &f.Add<MediaView>("WMP1");
    WMP1_->SetRepeat(true);
    WMP1_->Hide();
    WMP2_ = &f.Add<MediaView>("WMP2");
    WMP2_->SetRepeat(false);
    WMP2_->Hide();

    tmrMimoS.SetInterval(15000);
    WireLifelines();
}

void frmMain::OnLoad() {
    // The countdown clip is opened once so that it starts at once during a call.
    WMP3_->SetAutoSize(true);
    WMP3_->SetTop(-3000);  // wholly above the screen: a stopped clip shows its first frame
    WMP3_->SetFile(Gfx("odpocet.avi"));
    WMP3_->Play();
    Rt().DoEvents();
    WMP3_->Stop();

    picFade_->Move(870, 315, 5100, 2880);
    picFade_->Hide();
    WMPfade_->SetAutoSize(true);
    WMPfade_->Move(0, 0);

    picUlozeni_->Hide();
    picMimoS_->Hide();
    picMenu_[0]->SetWidth(1035);

    StartNewGame(State);
    // One source for every draw of this game, seeded once.
    random_ = links_.makeRandom();

    imgZadani_->SetPicture("ZADANI");
    imgN5050_->SetPicture("N-5050");
    imgNDiv_->SetPicture("N-div");
    imgNTel_->SetPicture("N-tel");

    if (links_.loadRequested() && !RestoreSavedGame()) return;

    if (!State.FiftyFiftyAvailable) imgN5050_->SetPicture("N-5050x");
    if (!State.AudienceAvailable) imgNDiv_->SetPicture("N-divx");
    if (!State.PhoneAvailable) imgNTel_->SetPicture("N-telx");

    NacistOtazku();
}

void frmMain::OnClose() {
    director_.Stop();
    for (Timer* t : {&tmrMimoS, &tmrUlozeni}) t->Stop();
}

void frmMain::LayoutQuestionText() {
    Label& l = *lblZadani_;
    l.SetWordWrap(false);
    l.SetAutoSize(true);
    const int textWidth = l.Width();
    l.SetAutoSize(false);
    l.SetAlignment(Alignment::Center);
    if (textWidth <= 7800) {
        l.Move(l.Left(), 4955, 7800, 380);
    } else {
        l.SetWordWrap(true);
        l.Move(l.Left(), 4800, 7800, 840);
    }
    l.SetLeft((imgZadani_->Width() - l.Width()) / 2);
}

void frmMain::ShowQuestionText() { lblZadani_->Show(); }

void frmMain::ShowAnswerText(int index) { lbl_[static_cast<size_t>(index)]->Show(); }

void frmMain::MarkAnswer(int index, char state) {
    img_[static_cast<size_t>(index)]->SetPicture(std::string(kLetters[index]) + "-" + state);
}

void frmMain::EnableInput() {
    State.InputLocked = false;
    for (size_t i = 0; i < 4; ++i) {
        img_[i]->SetPointer(WidgetPointer::Custom);
        lbl_[i]->SetPointer(WidgetPointer::Custom);
        img_[i]->SetPicture(std::string(kLetters[i]) + "-M");
    }
    for (size_t i = 0; i < 4; ++i)
        if (lbl_[i]->Visible()) img_[i]->SetEnabled(true);
    const std::pair<Image*, bool> lifelines[3] = {{imgN5050_, State.FiftyFiftyAvailable},
                                                  {imgNTel_, State.PhoneAvailable},
                                                  {imgNDiv_, State.AudienceAvailable}};
    for (auto [icon, available] : lifelines) {
        icon->SetPointer(available ? WidgetPointer::Custom : WidgetPointer::Default);
        icon->SetEnabled(available);
    }
    for (size_t i = 1; i < 4; ++i) picMenu_[i]->SetEnabled(true);
    if (!State.FiftyFiftyApplied)
        for (auto* l : lbl_) l->Show();
}

void frmMain::DisableInput() {
    State.InputLocked = true;
    for (size_t i = 0; i < 4; ++i) {
        img_[i]->SetPointer(WidgetPointer::Default);
        lbl_[i]->SetPointer(WidgetPointer::Default);
        img_[i]->SetEnabled(false);
    }
    for (Image* icon : {imgN5050_, imgNTel_, imgNDiv_}) {
        icon->SetPointer(WidgetPointer::Default);
        icon->SetEnabled(false);
    }
    for (size_t i = 1; i < 4; ++i) picMenu_[i]->SetEnabled(false);
}

void frmMain::AnswerClick(int index) {
    if (State.InputLocked) return;
    tmrMimoS.Stop();
    director_.Pick(kLetters[index]);
}

bool frmMain::OnKeyUp(int key) {
    if (key >= 'A' && key <= 'D') {
        const int i = key - 'A';
        if (lbl_[static_cast<size_t>(i)]->Visible()) AnswerClick(i);
    } else if (key == keys::kF10) {
        ShowQuestionInfo();
    }
    LifelineKeyUp(key);
    return false;
}

void frmMain::ShowQuestionInfo() {
    const QuestionRecord& q = State.Question;
    Rt().MessageBox(State.QuestionFile + "\r\n\r\nautor: " + q.Author + "\r\nkorekce " +
                        (q.Corrected ? "provedena" : "neprovedena"),
                    MessageButtons::Ok, MessageIcon::Information, "= info o otázce =");
}

void frmMain::LeaveForMenu() {
    links_.showMenu();
    Close();
}

void frmMain::ShowMenu() { links_.showMenu(); }

void frmMain::OpenSaveScreen() { links_.showSaveScreen(); }

void frmMain::PlaySystemSound(const std::string& sfx) { Rt().PlaySystemSound(Sfx(sfx)); }

void frmMain::PlayClip(const Clip& clip, std::function<void()> then) {
    links_.playClip(clip, std::move(then));
}

void frmMain::HideQuestion() {
    lblZadani_->Hide();
    for (auto* l : lbl_) l->Hide();
}

// --- sound, music and the studio clip ---

void frmMain::PlaySound(const std::string& sfx) {
    WMP2_->SetFile(Sfx(sfx));
    WMP2_->Play();
}

void frmMain::PlayMusic(const std::string& sfx) {
    WMP1_->SetFile(Sfx(sfx));
    WMP1_->Play();
}

void frmMain::PlayBandTrack() { PlayMusic(CuesOf(State.Level).music); }

void frmMain::StopMusic() { WMP1_->Stop(); }

void frmMain::SetStudioClip(const std::string& gfx) {
    WMPfade_->SetFile(Gfx(gfx));
    WMPfade_->Stop();
    picFade_->Show();
}

void frmMain::PlayStudioClip() { WMPfade_->Play(); }

// --- audience graph ---

void frmMain::HideAudienceGraph() {
    for (size_t i = 0; i < 4; ++i) {
        lblNDiv_[i]->Hide();
        colNDiv_[i]->Hide();
    }
    picNDivGraf_->Hide();
    picFade_->Show();
}

void frmMain::ZobrazitGrafNDiv() {
    picNDivGraf_->Show();
    for (size_t i = 0; i < 4; ++i) {
        colNDiv_[i]->Show();
        lblNDiv_[i]->Show();
    }
}

void frmMain::ComputeAudienceVotes() {
    State.Question.AudienceVotes =
        DrawAudienceVotes(State.Level, State.Question.CorrectLetter, State.Question.AudienceVotes, random_);
    std::array<bool, 4> remaining{};
    for (size_t i = 0; i < 4; ++i) remaining[i] = lbl_[i]->Visible();
    const Votes shown = DisplayedVotes(State.Question.AudienceVotes, State.FiftyFiftyApplied, remaining);
    for (size_t i = 0; i < 4; ++i) {
        lblNDiv_[i]->SetCaption(std::to_string(shown[i]) + "%");
        const int height = shown[i] * 24;
        colNDiv_[i]->SetHeight(height);
        colNDiv_[i]->SetTop(2775 - height);
    }
}

void frmMain::AfterAudienceClip() {
    ZobrazitGrafNDiv();
    PlayBandTrack();
    EnableInput();
    picFade_->Hide();
}

}  // namespace tolarka
