#include "app/app.h"

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

App::App(platform::Runtime& runtime, std::string appPath, std::string commandLine)
    : MakeRandom(MakeClockSeededSource),
      runtime_(runtime),
      appPath_(std::move(appPath)),
      commandLine_(std::move(commandLine)),
      startUp_(std::make_unique<frmStartUp>(*this)),
      main_(std::make_unique<frmMain>(*this)),
      anim_(std::make_unique<frmAnim>(*this)),
      menu_(std::make_unique<frmMenu>(*this)),
      splash_(std::make_unique<frmSplash>(*this)),
      rules_(std::make_unique<frmRules>(*this)),
      credits_(std::make_unique<frmCredits>(*this)),
      save_(std::make_unique<frmSave>(*this)),
      load_(std::make_unique<frmLoad>(*this)) {}

App::~App() = default;

void App::Start() { startUp_->Show(); }

void App::AfterStartUp() { splash_->Show(); }

}  // namespace tolarka
