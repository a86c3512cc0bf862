#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/game_paths.h"
#include "platform/runtime.h"
#include "saves/save_slots.h"

namespace tolarka {

class frmStartUp;
class frmMain;
class frmAnim;
class frmMenu;
class frmSplash;
class frmRules;
class frmCredits;
class frmSave;
class frmLoad;

// Owns the screens for the whole run and wires them together: each screen is given the few
// services it needs (show another screen, play a clip and go on, the folders, the clock's
// random source), so no screen knows another.
class App {
public:
    App(platform::Runtime& runtime, GamePaths paths, std::string commandLine);
    // Data, logs and saves all in `folder`, as in the build tree.
    App(platform::Runtime& runtime, const std::string& folder, std::string commandLine);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    platform::Runtime& Rt() { return runtime_; }
    // Where the shipped data lies: DataPath() + "/qst/...", "/sfx/...", "/gfx/...".
    const std::string& DataPath() const { return dataPath_; }
    // Where logs/ and save/ go.
    const std::string& WritablePath() const { return writablePath_; }
    // Where saves are listed and loaded from: the writable folder, and an older one if any.
    SaveFolders Saves() const { return {paths_.Writable, paths_.OlderSaves}; }
    // The player's own question files (empty when there is no such directory).
    const std::filesystem::path& OwnQuestionPath() const { return paths_.OwnQuestions; }
    const std::string& CommandLine() const { return commandLine_; }

    // Makes the source of uniform numbers in [0, 1) that a game draws from (one per game); the
    // real one is an engine seeded from the clock, tests put a scripted one here.
    std::function<std::function<double()>()> MakeRandom;

    // One line for the player's terminal (standard error; tests capture it).
    std::function<void(const std::string&)> PrintWarning;
    // Reports once per run that the recent-question lists cannot be written.
    void WarnRecentListUnwritable(const std::filesystem::path& file);

    frmStartUp& StartUp() { return *startUp_; }
    frmMain& Main() { return *main_; }
    frmAnim& Anim() { return *anim_; }
    frmMenu& Menu() { return *menu_; }
    frmSplash& Splash() { return *splash_; }
    frmRules& Rules() { return *rules_; }
    frmCredits& Credits() { return *credits_; }
    frmSave& Save() { return *save_; }
    frmLoad& Load() { return *load_; }

    // Opens the first screen.
    void Start();
    // The game screen is open and the game not yet decided: closing the window asks first.
    bool GameInProgress() const;

private:
    bool AskToLeaveGame();
    void PlayStartClip(std::function<void()> then);

    platform::Runtime& runtime_;
    GamePaths paths_;
    std::string dataPath_;
    std::string writablePath_;
    bool recentListWarned_ = false;
    std::string commandLine_;
    std::unique_ptr<frmStartUp> startUp_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<frmAnim> anim_;
    std::unique_ptr<frmMenu> menu_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<frmRules> rules_;
    std::unique_ptr<frmCredits> credits_;
    std::unique_ptr<frmSave> save_;
    std::unique_ptr<frmLoad> load_;
};

}  // namespace tolarka
