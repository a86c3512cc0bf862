#include "startup/frm_rules.h"

#include <cstdio>

#include "platform/pictures.h"
#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr const char* kNewLine = "\r\n";

struct KeyRow {
    int top;
    const char* picture;
    const char* caption;
};
constexpr KeyRow kKeyRows[9] = {
    {1680, "KEY-A", "označení odpovědi A"},
    {2280, "KEY-B", "označení odpovědi B"},
    {2880, "KEY-C", "označení odpovědi C"},
    {3480, "KEY-D", "označení odpovědi D"},
    {4080, "KEY-F5", "využití nápovědy 50:50"},
    {4680, "KEY-F6", "využití nápovědy přítele na telefonu"},
    {5280, "KEY-F7", "využití nápovědy publika"},
    {5880, "KEY-ENTER", "potvrzení zadané odpovědi v rozstřelu"},
    {6480, "KEY-DELETE", "zrušení zadané odpovědi v rozstřelu"},
};
}  // namespace

frmRules::frmRules(Runtime& runtime) : Screen(runtime, "frmRules") {}

void frmRules::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    auto& logo = f.Add<Image>("imgLogo");
    logo.Move(6120, 5160);
    logo.SetPicture("LOGO");

    lblPravidla_ = &f.Add<Label>("lblPravidla");
    lblPravidla_->Move(360, 360, 5655, 4845);
    lblPravidla_->SetFont(Font{"MS Sans Serif", 17.25, false});
    lblPravidla_->SetForeColour(0xFFFFFF);
    lblPravidla_->SetTransparent(true);
    lblPravidla_->SetWordWrap(true);

    picStup_ = &f.Add<Image>("picStup");
    picStup_->Move(6600, 240);
    picStup_->SetPicture("S00");

    Line1_ = &f.Add<Line>("Line1");
    Line1_->SetPoints(360, 1320, 5640, 1320);
    Line1_->SetLineColour(0x404040);
    Line1_->SetLineWidth(2);
    Line1_->Hide();

    for (size_t i = 0; i < k_.size(); ++i) {
        const std::string index = "(" + std::to_string(i) + ")";
        auto& key = f.Add<Image>("k" + index);
        key.Move(360, kKeyRows[i].top);
        key.SetPicture(kKeyRows[i].picture);
        key.Hide();
        k_[i] = &key;
        auto& caption = f.Add<Label>("l" + index);
        caption.Move(1320, kKeyRows[i].top + 60);
        caption.SetFont(Font{"MS Sans Serif", 13.5, false});
        caption.SetForeColour(0xFFFFFF);
        caption.SetTransparent(true);
        caption.SetAutoSize(true);
        caption.SetCaption(kKeyRows[i].caption);
        caption.Hide();
        l_[i] = &caption;
    }
}

void frmRules::OnLoad() { lblPravidla_->SetCaption(""); }

void frmRules::Pause(int ms) {
    Rt().DoEvents();
    Rt().Pause(ms);
}

void frmRules::ShowLadder(const std::string& picture) {
    // A picture that cannot be fetched leaves the previous one in place.
    if (platform::Pictures().Find(picture)) picStup_->SetPicture(picture);
}

void frmRules::AddText(const std::string& text) { lblPravidla_->SetCaption(lblPravidla_->Caption() + text); }

void frmRules::OnActivate() {
    const std::string emptyLine = std::string(kNewLine) + kNewLine;
    Rt().SetAppPointer(AppPointer::Hourglass);
    Pause(250);
    lblPravidla_->SetCaption("Máte před sebou 15 otázek.");
    for (int i = 1; i <= 15; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "S%02d", i);
        ShowLadder(name);
        Pause(100);
    }
    ShowLadder("S00");
    AddText(emptyLine + "Bíle jsou vyznačeny záchytné body.");
    Pause(1700);
    AddText(kNewLine + std::string("To je otázka pátá a desátá."));
    ShowLadder("S05");
    Pause(1000);
    ShowLadder("S10");
    Pause(1500);
    lblPravidla_->SetCaption("");
    ShowLadder("S00");
    Pause(250);
    lblPravidla_->SetCaption("Máte k dispozici 3 nápovědy:" + std::string(kNewLine));
    Pause(1200);
    AddText(kNewLine + std::string("-  50:50"));
    Pause(800);
    AddText(kNewLine + std::string("-  přítel na telefonu"));
    Pause(800);
    AddText(kNewLine + std::string("-  pomoc publika"));
    Pause(1500);
    AddText(
        emptyLine +
        "Nápovědy můžete použít kdykoli budete chtít, ale každou z nich můžete v průběhu hry použít pouze "
        "jednou.");
    Pause(4000);
    lblPravidla_->SetCaption("");
    Pause(250);
    lblPravidla_->SetCaption(
        "Hru můžete kdykoliv ukončit, pokud už definitivně nebyla označena odpověď u následující otázky.");
    Pause(4500);
    lblPravidla_->SetCaption("");
    Pause(250);
    lblPravidla_->SetCaption("Hru můžete ovládat myší nebo na klávesnici:");
    Pause(1700);
    Line1_->Show();
    for (size_t i = 0; i < k_.size(); ++i) {
        k_[i]->Show();
        l_[i]->Show();
        Pause(150);
    }
    Pause(4000);
    Pause(4000);
    for (size_t i = 0; i < k_.size(); ++i) {
        k_[k_.size() - 1 - i]->Hide();
        l_[l_.size() - 1 - i]->Hide();
        Pause(50);
    }
    Rt().SetAppPointer(AppPointer::Custom);
    Close();
}

}  // namespace tolarka
