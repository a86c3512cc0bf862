#include "startup/frm_startup.h"

#include <filesystem>

#include "io/file_io_system.h"
#include "platform/runtime.h"
#include "startup/media_checklist.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 1;

bool OrdinaryFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}
}  // namespace

frmStartUp::frmStartUp(Runtime& runtime, std::string dataPath, std::filesystem::path ownQuestionDir,
                       std::function<void()> handOver)
    : Screen(runtime, "frmStartUp", 3585, 1230),
      dataPath_(std::move(dataPath)),
      handOver_(std::move(handOver)) {
    ownQuestionDir_ = std::move(ownQuestionDir);
    Caption = "Tolarka   Start-Up";
}

void frmStartUp::Design() {
    Form().SetBackColour(0xC0C0C0);
    struct Place {
        int left, top, width, height;
    };
    const Place places[6] = {{120, 120, 1935, 255},  {2280, 120, 1935, 255}, {120, 360, 2175, 255},
                             {2280, 360, 1935, 255}, {120, 720, 1935, 255},  {1560, 960, 1935, 255}};
    for (int i = 0; i < 6; ++i) {
        auto& l = Form().Add<Label>("Label1(" + std::to_string(i) + ")");
        l.Move(places[i].left, places[i].top, places[i].width, places[i].height);
        l.SetTransparent(true);
        l.SetForeColour(0x000000);
        l.SetFont(i < 5 ? Font{"MS Sans Serif", 9.75, true} : Font{"MS Sans Serif", 8.25, false});
        label1_[static_cast<size_t>(i)] = &l;
    }
}

void frmStartUp::OnLoad() {
    Rt().MessageBox(
        "Toto je odlehčená verze hry!\r\n\r\n- neobsahuje téměř žádné animace\r\n- neobsahuje rozstřel\r\n"
        "- nízká kvalita ozvučení",
        MessageButtons::Ok, MessageIcon::Information, "info");
    for (auto* l : label1_) l->SetCaption("");
    Label1(5).SetCaption("v. " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor));
    questionDir_ = dataPath_ + "/qst";
    GraphicsOk = true;
    SoundsOk = true;
    QuestionsOk = true;
}

void frmStartUp::OnActivate() {
    QuestionCounts.fill(0);
    Rt().DoEvents();
    CountQuestions();
    CheckFiles();
    HandOver();
}

void frmStartUp::CountQuestions() {
    Label1(0).SetCaption("počítám otázky...");
    Rt().DoEvents();
    Rt().Pause(100);
    ListedQuestions shippedListed{}, ownListed{};
    const tolarka::QuestionCounts shipped =
        CountQuestionDirectory(file_system::Utf8Path(questionDir_), &shippedListed);
    const tolarka::QuestionCounts own = ownQuestionDir_.empty()
                                            ? tolarka::QuestionCounts{}
                                            : CountQuestionDirectory(ownQuestionDir_, &ownListed);
    const QuestionSources sources = ChooseQuestionSources(shipped, own);
    QuestionCounts = sources.Counts;
    ownSets_ = sources.Own;
    for (size_t i = 0; i < QuestionsListed.size(); ++i)
        QuestionsListed[i] = ownSets_[i] ? ownListed[i] : shippedListed[i];
    Label1(1).SetCaption(QuestionTotalsText(QuestionCounts));
    Rt().DoEvents();
    Rt().Pause(100);
}

void frmStartUp::CheckFiles() {
    Label1(2).SetCaption("kontroluji soubory...");
    Rt().DoEvents();
    Rt().Pause(100);
    const std::filesystem::path app = file_system::Utf8Path(dataPath_);
    if (!AllMediaPresent(app, kGraphicsChecklist, OrdinaryFile)) GraphicsOk = false;
    if (!AllMediaPresent(app, kSoundChecklist, OrdinaryFile)) SoundsOk = false;
    if (!EveryCounterReaches(QuestionCounts)) QuestionsOk = false;
    Rt().DoEvents();
    Rt().Pause(250);
    Label1(3).SetCaption(GraphicsOk && SoundsOk && QuestionsOk ? "OK" : "chyba");
    if (!GraphicsOk && !AskToGoOn("Chybějící soubor(y) grafiky!")) Rt().EndProgram();
    if (!SoundsOk && !AskToGoOn("Chybějící soubor(y) zvuků!")) Rt().EndProgram();
    if (!QuestionsOk && !AskToGoOn("Chybějící soubory otázek!")) Rt().EndProgram();
    Label1(4).SetCaption("spouštím hru...");
    Rt().DoEvents();
    Rt().Pause(250);
}

std::filesystem::path frmStartUp::QuestionDir(int level) const {
    const bool own = level >= 1 && level <= kQuestionCounterCount && ownSets_[static_cast<size_t>(level)];
    return own ? ownQuestionDir_ : file_system::Utf8Path(dataPath_) / "qst";
}

bool frmStartUp::AskToGoOn(const std::string& firstLine) {
    return Rt().MessageBox(firstLine + "\r\nChcete hru přesto spustit?", MessageButtons::YesNo,
                           MessageIcon::Exclamation, "chyba") == kAnswerYes;
}

void frmStartUp::HandOver() {
    Close();
    handOver_();
}

}  // namespace tolarka
