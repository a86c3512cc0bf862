#include "startup/frm_menu.h"

#include <cstdio>
#include <filesystem>

#include "game/question_record.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr Colour kNavy = 0x000080;
constexpr Colour kBlue = 0x0000C0;
constexpr Colour kLavender = 0xC0C0FF;
const Font kItemFont{"MS Sans Serif", 17.25, false};
const Font kPanelFont{"MS Sans Serif", 13.5, false};
constexpr int kNameWidthLimit = 2760;  // twips, in MS Sans Serif 12 pt
}  // namespace

frmMenu::frmMenu(Runtime& runtime, Links links)
    : Screen(runtime, "frmMenu"), tmrNoSaved(AddTimer("tmrNoSaved")), links_(std::move(links)) {
    tmrNoSaved.onTick = [this] { tmrNoSaved_Timer(); };
}

void frmMenu::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    picBG_ = &f.Add<PictureBox>("picBG");
    picBG_->Move(-1200, -1185, 12000, 9570);
    picBG_->SetPicture("MENU-POZADI");

    picMenu_ = &f.Add<PictureBox>("picMenu");
    picMenu_->Move(2580, 1778, 4440, 3645);
    picMenu_->SetBackColour(kNavy);
    picMenu_->onMouseMove = [this](int, int) { Hover(-1); };
    const char* names[4] = {"lblNova", "lblNacist", "lblPrav", "lblKonec"};
    const char* texts[4] = {"Nová hra", "Pokračovat ve hře", "Pravidla a ovládání", "Ukončit hru"};
    const int tops[4] = {480, 1230, 1980, 2730};
    for (size_t i = 0; i < 4; ++i) {
        auto& l = picMenu_->Add<Label>(names[i]);
        l.Move(495, tops[i], 3435, 435);
        l.SetFont(kItemFont);
        l.SetForeColour(0xFFFFFF);
        l.SetBackColour(kBlue);
        l.SetAlignment(Alignment::Center);
        l.SetCaption(texts[i]);
        l.onMouseMove = [this, i](int, int) { Hover(static_cast<int>(i)); };
        items_[i] = &l;
    }
    items_[0]->onClick = [this] { NewGameClick(); };
    items_[1]->onClick = [this] { ContinueClick(); };
    items_[2]->onClick = [this] { RulesClick(); };
    items_[3]->onClick = [this] { QuitClick(); };

    picSetNew_ = &f.Add<PictureBox>("picSetNew");
    picSetNew_->Move(1613, 2280, 6375, 2775);
    picSetNew_->SetBackColour(kNavy);
    auto& prompt = picSetNew_->Add<Label>("Label1");
    prompt.Move(105, 180, 6115, 330);
    prompt.SetFont(Font{"Arial", 14.25, false});
    prompt.SetForeColour(0xFFFFFF);
    prompt.SetTransparent(true);
    prompt.SetAlignment(Alignment::Center);
    prompt.SetCaption("Zadejte jméno, vyberte mód a stiskněte Enter.");

    lblNameCheck_ = &picSetNew_->Add<Label>("lblNameCheck");
    lblNameCheck_->Move(120, 1080, 0, 0);
    lblNameCheck_->SetFont(Font{"MS Sans Serif", 12, false});
    lblNameCheck_->SetAutoSize(true);
    lblNameCheck_->Hide();

    const int optionTop[2] = {1560, 2160};
    const char* optionText[2] = {"zúčastnit se rozstřelu", "přejít rovnou do hlavní hry"};
    for (int i = 0; i < 2; ++i) {
        const std::string n = "(" + std::to_string(i) + ")";
        auto& box = picSetNew_->Add<Shape>("ImageLineFrame" + n);
        box.Move(960, optionTop[i], 375, 375);
        box.SetFilled(false);
        box.SetBorderColour(kLavender);
        box.SetBorderWidth(1);
        // The box itself takes the clicks; its frame is drawn by the shape beneath.
        auto& hit = picSetNew_->Add<Image>("ImageLine" + n);
        hit.Move(960, optionTop[i], 375, 375);
        hit.onClick = [this, i] { ChooseOption(i); };
        auto& caption = picSetNew_->Add<Label>("lblSet" + n);
        caption.Move(1680, optionTop[i], 4500, 375);
        caption.SetFont(kPanelFont);
        caption.SetForeColour(kLavender);
        caption.SetTransparent(true);
        caption.SetAutoSize(true);
        caption.SetCaption(optionText[i]);
        caption.onClick = [this, i] { ChooseOption(i); };
    }
    auto cross = [&](const std::string& name, int x1, int y1, int x2, int y2) {
        auto& l = picSetNew_->Add<Line>(name);
        l.SetPoints(x1, y1, x2, y2);
        l.SetLineColour(kLavender);
        l.SetLineWidth(3);
        return &l;
    };
    line1_[0] = cross("Line1(0)", 960, 1560, 1320, 1920);
    line1_[1] = cross("Line1(1)", 960, 1920, 1320, 1560);
    line2_[0] = cross("Line2(0)", 960, 2160, 1320, 2520);
    line2_[1] = cross("Line2(1)", 960, 2520, 1320, 2160);

    txtJmeno_ = &picSetNew_->Add<TextBox>("txtJmeno");
    txtJmeno_->Move(960, 720, 4215, 375);
    txtJmeno_->SetFont(kPanelFont);
    txtJmeno_->SetForeColour(kLavender);
    txtJmeno_->SetBackColour(kNavy);
    txtJmeno_->onChange = [this] { NameChanged(); };
    picSetNew_->Hide();

    picNoSaved_ = &f.Add<PictureBox>("picNoSaved");
    picNoSaved_->Move(1500, 2993, 6615, 1215);
    picNoSaved_->SetBackColour(kBlue);
    auto& noSaved = picNoSaved_->Add<Label>("lblNoSaved");
    noSaved.Move(225, 420, 6120, 330);
    noSaved.SetFont(Font{"Arial", 15.75, true});
    noSaved.SetForeColour(0xFFFFFF);
    noSaved.SetTransparent(true);
    noSaved.SetAlignment(Alignment::Center);
    noSaved.SetCaption("Nemáte uložené žádné rozehrané hry!");
    picNoSaved_->onClick = [this] { CloseNotice(); };
    noSaved.onClick = [this] { CloseNotice(); };
    picNoSaved_->Hide();

    WMPintro_ = &f.Add<MediaView>("WMPintro");
    WMPintro_->Move(120, 360, 0, 0);
    WMPintro_->Hide();
    WMPintro_->SetRepeat(true);

    tmrNoSaved.SetInterval(1000);
}

void frmMenu::OnLoad() {
    DirectToGame = true;
    UpdateMarks();
    picSetNew_->Hide();
    picMenu_->Show();
    WMPintro_->SetFile(links_.dataPath + "/sfx/menu.wav");
    WMPintro_->Play();
}

void frmMenu::OnActivate() {
    Rt().DoEvents();
    items_[0]->SetBold(false);
    items_[2]->SetBold(false);
    items_[3]->SetBold(false);
}

void frmMenu::Hover(int item) {
    for (int i = 0; i < 4; ++i) {
        if (item < 0)
            items_[static_cast<size_t>(i)]->SetBold(false);
        else if (i == item)
            items_[static_cast<size_t>(i)]->SetBold(true);
    }
}

void frmMenu::UpdateMarks() {
    for (int i = 0; i < 2; ++i) {
        line1_[static_cast<size_t>(i)]->SetVisible(!DirectToGame);
        line2_[static_cast<size_t>(i)]->SetVisible(DirectToGame);
    }
}

void frmMenu::ChooseOption(int i) {
    DirectToGame = i == 1;
    UpdateMarks();
    txtJmeno_->SetFocus();
}

void frmMenu::NewGameClick() {
    picMenu_->Hide();
    txtJmeno_->SetText(std::string(Trimmed(CurrentPlayerName)));
    txtJmeno_->SetSelStart(Utf8Length(txtJmeno_->Text()));
    UpdateMarks();
    picSetNew_->Show();
    txtJmeno_->SetFocus();
}

void frmMenu::NameChanged() {
    lblNameCheck_->SetCaption(txtJmeno_->Text());
    const int length = Utf8Length(txtJmeno_->Text());
    txtJmeno_->SetMaxLength(lblNameCheck_->Width() < kNameWidthLimit ? length + 1 : length);
}

bool frmMenu::OnKeyDown(int key) {
    if (key == keys::kEscape && picSetNew_->Visible()) {
        picMenu_->Show();
        picSetNew_->Hide();
        return true;
    }
    if (key != keys::kReturn) return false;
    const std::string name(Trimmed(txtJmeno_->Text()));
    if (!picSetNew_->Visible() || name.empty()) return true;
    CurrentPlayerName = name;
    if (!DirectToGame) {
        ChooseOption(1);
        Rt().MessageBox("V odlehčené verzi se není možné zúčastnit rozstřelu!", MessageButtons::Ok,
                        MessageIcon::Exclamation, "rozstřel");
        return true;
    }
    WMPintro_->Stop();
    links_.playStartClip([this] { OZIVIT(); });
    return true;
}

void frmMenu::OZIVIT() {
    Rt().SetAppPointer(AppPointer::Hourglass);
    Rt().DoEvents();
    links_.showGame();
    Rt().SetAppPointer(AppPointer::Custom);
    // A game that could not start (no question for its first level) has already sent the
    // player back here: the menu stays.
    if (links_.gameOpen()) Close();
}

void frmMenu::ContinueClick() {
    if (links_.anySavedGame()) {
        links_.showLoadScreen();
        return;
    }
    picMenu_->SetEnabled(false);
    picNoSaved_->Show();
    tmrNoSaved.SetInterval(1000);
    tmrNoSaved.Start();
    noticeClosable_ = false;
}

void frmMenu::tmrNoSaved_Timer() {
    if (tmrNoSaved.Interval() == 2500) {
        tmrNoSaved.Stop();
        CloseNotice();
    } else {
        noticeClosable_ = true;
        tmrNoSaved.SetInterval(2500);
    }
}

void frmMenu::CloseNotice() {
    if (!noticeClosable_) return;
    picMenu_->SetEnabled(true);
    picNoSaved_->Hide();
    tmrNoSaved.Stop();
}

void frmMenu::RulesClick() { links_.runRules(); }

void frmMenu::QuitClick() {
    WMPintro_->Stop();
    links_.showCredits();
    Close();
}

}  // namespace tolarka
