#include "startup/frm_splash.h"

#include "platform/runtime.h"
#include "startup/display_mode.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
// Verdana 9.75 pt bold as designed is drawn by a wider free face: at 9 pt every notice keeps the
// lines its label was made for.
const Font kNoticeFont{"Verdana", 9, true};

// The contest's premium line; plainly fictional, like the number drawn on page two.
constexpr const char* kPremiumNumber = "000 000 000";

struct Notice {
    const char* name;
    int top;
    int height;
    std::string text;
};
}  // namespace

frmSplash::frmSplash(Runtime& runtime, std::string commandLine, std::function<void()> showMenu)
    : Screen(runtime, "frmSplash"),
      Timer1(AddTimer("Timer1")),
      commandLine_(std::move(commandLine)),
      showMenu_(std::move(showMenu)) {
    Timer1.onTick = [this] { Timer1_Timer(); };
}

void frmSplash::Design() {
    Container& f = Form();
    f.SetBackColour(kBlack);

    Picture1_ = &f.Add<PictureBox>("Picture1");
    Picture1_->Move(240, 300, 9135, 6255);
    const Notice notices[] = {
        {"Label1", 360, 615,
         "Tato hra je pouze pro zábavu, nemůžete v ní vyhrát žádné skutečné ceny nebo peníze."},
        {"Label3", 960, 615,
         "Jména ostatních účastníků rozstřelu jsou smyšlená, případná podobnost se skutečností je čistě "
         "náhodná."},
        {"Label9", 1560, 375, "Autoři neručí za správnost otázek ve hře obsažených."},
        {"Label5", 2160, 735,
         "Hudba, logo soutěže a další prvky jsou použity bez písemného svolení jejich vlastníků. Tato hra "
         "tedy nemá vypořádána autorská a další práva s jejich vlastníky. "},
        {"Label6", 3000, 1095,
         "Pokud by tato hra plně respektovala všechna práva, nemohla by být v žádném případě šířena za "
         "stávajících podmínek. V důsledku této skutečnosti by mohlo dojít k znevýhodnění her, které "
         "příslušná práva respektují, využívají je se svolením jejich vlastníků a odvádějí jim odpovídající "
         "poplatky."},
        {"Label8", 4080, 855,
         std::string(
             "Autoři hru vytvořili bez nároku na odměnu. Účelem hry je ukázat všem, kteří se ještě na "
             "telefonním čísle ") +
             kPremiumNumber +
             " nepřihlásili, že soutěž není tak těžká, jak by se mohlo na první pohled zdát a účast v ní "
             "stojí minimálně za zvážení."},
        {"Label10", 4800, 615,
         "Také  poskytne mnoho zábavy a poučení těm, kteří se TV soutěže zúčastnit nemohou (mladší 18 let, "
         "cizí státní příslušníci atd.) nebo se jí již zúčastnili."},
        {"Label7", 5520, 615,
         "Pokud by i v tomto případě docházelo k poškozování práv vlastníků, jsou autoři připraveni po "
         "projednání s oprávněnou osobou provést okamžitou nápravu."},
    };
    for (const Notice& n : notices) {
        auto& l = Picture1_->Add<Label>(n.name);
        l.Move(240, n.top, 8655, n.height);
        l.SetFont(kNoticeFont);
        l.SetForeColour(kWhite);
        l.SetBackColour(kBlack);
        l.SetWordWrap(true);
        l.SetCaption(n.text);
    }

    Picture2_ = &f.Add<PictureBox>("Picture2");
    Picture2_->Move(833, 1140, 7935, 4695);
    auto& channel = Picture2_->Add<Image>("Image1");
    channel.Move(3120, 480);
    channel.SetPicture("SPLASH-TV");
    auto& days = Picture2_->Add<Image>("Image2");
    days.Move(1930, 1320);
    days.SetPicture("SPLASH-VYSILANI");
    auto& number = Picture2_->Add<Image>("Image3");
    number.Move(1680, 2880);
    number.SetPicture("SPLASH-TELEFON");
    auto& smallPrint = Picture2_->Add<Label>("Label4");
    smallPrint.Move(1320, 3630, 5175, 495);
    smallPrint.SetForeColour(kWhite);
    smallPrint.SetBackColour(kBlack);
    smallPrint.SetAlignment(Alignment::Center);
    smallPrint.SetWordWrap(true);
    smallPrint.SetCaption(
        "Provozovatel: Tolar Media, s. r. o., Smyšlená 15, Praha. Max. 65 Kč. Pouze pro starší 18 let. Nelze "
        "volat "
        "z předplacených karet.");

    Label2_ = &f.Add<Label>("Label2");
    Label2_->Move(5040, 6720, 4215, 255);
    Label2_->SetFont(Font{"MS Sans Serif", 9.75, false});
    Label2_->SetForeColour(0xE0E0E0);
    Label2_->SetBackColour(kBlack);
    Label2_->SetAlignment(Alignment::Right);
    Label2_->SetCaption("pokračujte stiskem libovolné klávesy...");
    Label2_->Hide();

    auto& logo = f.Add<Image>("imgLogo");
    logo.SetPicture("LOGO");
    logo.Hide();

    Timer1.SetInterval(1500);
}

void frmSplash::OnLoad() {
    Picture1_->SetBackColour(kBlack);
    Picture2_->SetBackColour(kBlack);
    hintShown_ = false;
    Timer1.Stop();
    Rt().SetAppPointer(AppPointer::Custom);
    if (!KeepsDisplay(commandLine_) && !DisplaySwitched) {
        const DisplayMode screen = Rt().Platform().DisplaySize();
        SavedScreenWidth = static_cast<std::int16_t>(screen.width);
        SavedScreenHeight = static_cast<std::int16_t>(screen.height);
        ChangeDisplayMode(Rt().Platform(), 640, 480);
    }
    DisplaySwitched = true;
    Picture1_->Show();
    Picture2_->Hide();
}

void frmSplash::OnActivate() { Timer1.Start(); }

void frmSplash::Timer1_Timer() {
    hintShown_ = true;
    Label2_->Show();
}

bool frmSplash::OnKeyDown(int /*key*/) {
    if (!hintShown_) return true;
    if (Picture2_->Visible()) {
        showMenu_();
        Close();
    } else if (Picture1_->Visible()) {
        Picture2_->Show();
        Picture1_->Hide();
        hintShown_ = false;
        Label2_->Hide();
        Timer1.Stop();
        Timer1.Start();
    }
    return true;
}

void frmSplash::RestoreDisplayMode() {
    tolarka::RestoreDisplayMode(Rt().Platform(), SavedScreenWidth, SavedScreenHeight, commandLine_);
}

}  // namespace tolarka
