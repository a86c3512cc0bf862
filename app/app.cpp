#include "app/app.h"

#include <cstdio>

#include "anim/frm_anim.h"
#include "game/frm_main.h"
#include "game/random_source.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
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
      commandLine_(std::move(commandLine)),
      startUp_(std::make_unique<frmStartUp>(*this)),
      main_(std::make_unique<frmMain>(*this)),
      anim_(std::make_unique<frmAnim>(*this)),
      menu_(std::make_unique<frmMenu>(*this)),
      splash_(std::make_unique<frmSplash>(*this)),
      rules_(std::make_unique<frmRules>(*this)),
      credits_(std::make_unique<frmCredits>(*this)),
      save_(std::make_unique<frmSave>(*this)),
      load_(std::make_unique<frmLoad>(*this)) {
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

void App::Start() { startUp_->Show(); }

void App::AfterStartUp() { splash_->Show(); }

}  // namespace tolarka
