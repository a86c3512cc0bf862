#include "app/app.h"

#include <cstdio>

#include "anim/frm_anim.h"
#include "game/frm_main.h"
#include "game/random_source.h"
#include "game/show_cues.h"
#include "io/file_io.h"
#include "media/game_pictures.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
#include "saves/save_slots.h"
#include "startup/frm_credits.h"
#include "startup/frm_menu.h"
#include "startup/frm_rules.h"
#include "startup/frm_splash.h"
#include "startup/frm_startup.h"

namespace tolarka {

App::App(platform::Runtime& runtime, GamePaths paths, std::string commandLine)
    : MakeRandom(MakeClockSeededSource),
      PrintWarning([](const std::string& line) { std::fprintf(stderr, "tolarka: %s\n", line.c_str()); }),
      runtime_(runtime),
      paths_(std::move(paths)),
      dataPath_(paths_.Data.string()),
      writablePath_(paths_.Writable.string()),
      commandLine_(std::move(commandLine)) {
    // The screens show the game's own pictures (main hands them over earlier, for the window's icon).
    platform::UsePictures(&media::GamePictures());
    // Created in this order for the run: timers that fall due together tick in creation order.
    startUp_ =
        std::make_unique<frmStartUp>(runtime_, dataPath_, paths_.OwnQuestions, [this] { splash_->Show(); });
    main_ = std::make_unique<frmMain>(
        runtime_,
        frmMain::Links{
            dataPath_,
            writablePath_,
            [this] { return MakeRandom(); },
            [this](const std::filesystem::path& file) { WarnRecentListUnwritable(file); },
            [this](int level) {
                const bool counted = level >= 1 && level <= kQuestionCounterCount;
                const auto i = static_cast<size_t>(counted ? level : 0);
                return LevelQuestions{startUp_->QuestionDir(level), counted ? startUp_->QuestionCounts[i] : 0,
                                      counted ? &startUp_->QuestionsListed[i] : nullptr};
            },
            [this] { return load_->LoadRequested; },
            [this] { load_->LoadRequested = false; },
            [this] { return TakeSavedGame(Saves().Holding(load_->LoadSlot), load_->LoadSlot); },
            [this](const std::string& name) { menu_->CurrentPlayerName = name; },
            [this](const Clip& clip, std::function<void()> then) { anim_->Play(clip, std::move(then)); },
            [this] { menu_->Show(); },
            [this] { save_->Show(); },
        });
    anim_ = std::make_unique<frmAnim>(runtime_, dataPath_);
    menu_ = std::make_unique<frmMenu>(
        runtime_, frmMenu::Links{
                      dataPath_,
                      [this](std::function<void()> then) { PlayStartClip(std::move(then)); },
                      [this] { main_->Show(); },
                      [this] { return main_->Loaded(); },
                      [this] { return Saves().AnyFilled(); },
                      [this] { load_->Show(); },
                      [this] {
                          rules_->Show();
                          runtime_.RunModal(*rules_);
                      },
                      [this] { credits_->Show(); },
                  });
    splash_ = std::make_unique<frmSplash>(runtime_, commandLine_, [this] { menu_->Show(); });
    rules_ = std::make_unique<frmRules>(runtime_);
    credits_ = std::make_unique<frmCredits>(runtime_, [this] { splash_->RestoreDisplayMode(); });
    save_ = std::make_unique<frmSave>(runtime_, frmSave::Links{
                                                    Saves(),
                                                    [this](const std::string& line) { PrintWarning(line); },
                                                    [this]() -> const GameState& { return main_->State; },
                                                    [this] { return menu_->CurrentPlayerName; },
                                                    [this] {
                                                        if (main_->Loaded()) main_->NacistOtazku();
                                                    },
                                                    [this] {
                                                        if (main_->Loaded()) main_->Close();
                                                        menu_->Show();
                                                    },
                                                });
    load_ = std::make_unique<frmLoad>(
        runtime_, frmLoad::Links{
                      Saves(),
                      [this] { menu_->Close(); },
                      [this](std::function<void()> then) { PlayStartClip(std::move(then)); },
                      [this] { main_->Show(); },
                  });
    runtime_.confirmQuit = [this] { return !GameInProgress() || AskToLeaveGame(); };
}

App::App(platform::Runtime& runtime, const std::string& folder, std::string commandLine)
    : App(runtime, GamePaths::InOneFolder(folder), std::move(commandLine)) {}

App::~App() { runtime_.confirmQuit = nullptr; }

bool App::GameInProgress() const { return main_->Visible() && !main_->State.OutOfCompetition; }

bool App::AskToLeaveGame() {
    return runtime_.MessageBox("Rozehraná hra skončí a nebude uložena.\r\nOpravdu chcete hru ukončit?",
                               platform::MessageButtons::YesNo, platform::MessageIcon::Exclamation,
                               "Tolarka") == platform::kAnswerYes;
}

void App::WarnRecentListUnwritable(const std::filesystem::path& file) {
    if (recentListWarned_) return;
    recentListWarned_ = true;
    PrintWarning("seznam posledních otázek nelze zapsat do " + file.parent_path().string() +
                 ", otázky se proto mohou opakovat");
}

void App::Start() {
    for (const char* sub : {"save", "logs"}) RemoveStaleTemporariesIn(paths_.Writable / sub);
    if (!paths_.OlderSaves.empty() && AnySlotFilled(paths_.OlderSaves))
        PrintWarning("do složky " + (paths_.OlderSaves / "save").string() +
                     " nelze zapisovat: hry v ní uložené lze dál načíst, nové hry se ukládají do " +
                     (paths_.Writable / "save").string());
    startUp_->Show();
}

void App::PlayStartClip(std::function<void()> then) { anim_->Play(StartClip(), std::move(then)); }

}  // namespace tolarka
