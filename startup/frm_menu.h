#pragma once
#include <array>
#include <functional>
#include <string>

#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

// The main menu: a new game (name and mode), continue a saved game, rules, quit. Holds the
// player's name for the whole run and plays the menu music while it is open.
class frmMenu : public platform::Screen {
public:
    struct Links {
        std::string dataPath;
        // Plays the start clip, then calls the continuation.
        std::function<void(std::function<void()>)> playStartClip;
        std::function<void()> showGame;
        // The game screen is up (a game without questions for its first level is not).
        std::function<bool()> gameOpen;
        std::function<bool()> anySavedGame;
        std::function<void()> showLoadScreen;
        std::function<void()> runRules;
        std::function<void()> showCredits;
    };
    frmMenu(platform::Runtime& runtime, Links links);

    // The name last confirmed on the new-game panel, trimmed; empty at program start.
    std::string CurrentPlayerName;
    // Mode on the new-game panel: false = the qualifier first, true = straight to the game.
    bool DirectToGame = true;

    bool OnKeyDown(int key) override;

    platform::Label& Item(int i) { return *items_.at(static_cast<size_t>(i)); }
    platform::PictureBox& picMenu() { return *picMenu_; }
    platform::PictureBox& picSetNew() { return *picSetNew_; }
    platform::PictureBox& picNoSaved() { return *picNoSaved_; }
    platform::TextBox& txtJmeno() { return *txtJmeno_; }
    platform::Label& lblNameCheck() { return *lblNameCheck_; }
    platform::Line& Line1(int i) { return *line1_.at(static_cast<size_t>(i)); }
    platform::Line& Line2(int i) { return *line2_.at(static_cast<size_t>(i)); }
    platform::Timer& tmrNoSaved;

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    void UpdateMarks();
    void ChooseOption(int i);
    void NewGameClick();
    void ContinueClick();
    void RulesClick();
    void QuitClick();
    void NameChanged();
    void tmrNoSaved_Timer();
    void CloseNotice();
    void Hover(int item);
    // Starts the game screen once the start clip has ended.
    void OZIVIT();

    Links links_;
    // The notice has been up a while: a click may close it.
    bool noticeClosable_ = false;
    platform::PictureBox* picBG_ = nullptr;
    platform::PictureBox* picMenu_ = nullptr;
    std::array<platform::Label*, 4> items_{};  // lblNova, lblNacist, lblPrav, lblKonec
    platform::PictureBox* picSetNew_ = nullptr;
    platform::TextBox* txtJmeno_ = nullptr;
    platform::Label* lblNameCheck_ = nullptr;
    std::array<platform::Line*, 2> line1_{};
    std::array<platform::Line*, 2> line2_{};
    platform::PictureBox* picNoSaved_ = nullptr;
    platform::MediaView* WMPintro_ = nullptr;
};

}  // namespace tolarka
