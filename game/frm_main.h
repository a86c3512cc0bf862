#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "anim/clip.h"
#include "game/audience_votes.h"
#include "game/game_state.h"
#include "game/phone_call.h"
#include "game/question_record.h"
#include "game/question_selection.h"
#include "game/random_source.h"
#include "game/show_director.h"
#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

// Where a level's questions are drawn from.
struct LevelQuestions {
    std::filesystem::path dir;
    int count = 0;
    const ListedNumbers* listed = nullptr;  // the numbers found at start-up, or none
};

// The game screen: one game from the first question to its end. The state of the game is the
// public GameState; the widgets carry the screen's own names. The question cycle is run by its
// show director; the screen shows and plays what it is asked to.
class frmMain : public platform::Screen, private ShowStage {
public:
    // What the game screen needs from the rest of the program.
    struct Links {
        std::string dataPath;
        std::string writablePath;
        // The source of uniform numbers in [0, 1) for one game.
        std::function<UniformSource()> makeRandom;
        std::function<void(const std::filesystem::path&)> warnRecentListUnwritable;
        std::function<LevelQuestions(int level)> questions;
        // A saved game waits to be taken up when the screen opens.
        std::function<bool()> loadRequested;
        std::function<void()> clearLoadRequest;
        std::function<ResumeAttempt()> takeSavedGame;
        std::function<void(const std::string&)> setPlayerName;
        tolarka::PlayClip playClip;
        std::function<void()> showMenu;
        std::function<void()> showSaveScreen;
    };
    frmMain(platform::Runtime& runtime, Links links);

    GameState State;

    // Loads and starts the next question.
    void NacistOtazku();
    // Shows the audience graph (after the audience clip, and after a phone call).
    void ZobrazitGrafNDiv();

    // Widgets other screens read (the animation screen copies the audience graph).
    platform::PictureBox& picNDivGraf() { return *picNDivGraf_; }
    platform::Label& lblNDiv(int i) { return *lblNDiv_.at(static_cast<size_t>(i)); }
    platform::Shape& colNDiv(int i) { return *colNDiv_.at(static_cast<size_t>(i)); }
    platform::Label& lblZadani() { return *lblZadani_; }
    platform::Label& lblAnswer(int i) { return *lbl_.at(static_cast<size_t>(i)); }
    platform::Image& imgAnswer(int i) { return *img_.at(static_cast<size_t>(i)); }
    platform::Image& imgStupnice() { return *imgStupnice_; }
    platform::Image& imgN5050() { return *imgN5050_; }
    platform::Image& imgNDiv() { return *imgNDiv_; }
    platform::Image& imgNTel() { return *imgNTel_; }
    platform::PictureBox& picFade() { return *picFade_; }
    platform::PictureBox& picMenu(int i) { return *picMenu_.at(static_cast<size_t>(i)); }
    platform::PictureBox& picMimoS() { return *picMimoS_; }
    platform::PictureBox& picUlozeni() { return *picUlozeni_; }
    platform::Shape& Shape1() { return *Shape1_; }
    platform::TextBox& txtNTelVypis() { return *txtNTelVypis_; }
    platform::MediaView& WMP3() { return *WMP3_; }

    // The phone call of this game (FriendAnswer, FriendSentence, PhoneTranscript, ...).
    PhoneCall Phone;

    bool OnKeyUp(int key) override;

private:
    // The game's source of random numbers, made when the screen loads a game.
    UniformSource random_;

    // The stage the director plays on.
    void ShowQuestionText() override;
    void ShowAnswerText(int index) override;
    void OpenInput() override { EnableInput(); }
    void CloseInput() override { DisableInput(); }
    void MarkAnswer(int index, char state) override;
    void PlaySound(const std::string& sfx) override;
    void PlayMusic(const std::string& sfx) override;
    void StopMusic() override;
    void SetStudioClip(const std::string& gfx) override;
    void PlayStudioClip() override;
    void HideQuestion() override;
    void HideAudienceGraph() override;
    void PlayClip(const Clip& clip, std::function<void()> then) override;
    void NextQuestion() override { NacistOtazku(); }
    void OpenSaveScreen() override;
    void ShowMenu() override;
    void LeaveForMenu() override;
    void PlaySystemSound(const std::string& sfx) override;

    void Design() override;
    void OnLoad() override;
    void OnClose() override;

    // Question build-up and input.
    void LayoutQuestionText();
    void EnableInput();
    void DisableInput();
    void AnswerClick(int index);
    void ShowQuestionInfo();
    bool SelectAndReadQuestion();
    // Takes the game over from the save slot that the load screen chose; false (and back to
    // the menu) when the slot cannot be restored.
    bool RestoreSavedGame();

    // The band's track again, after a lifeline.
    void PlayBandTrack();

    // In-game menu: the sliding panel, saving on request, walking away.
    void MenuItemClick(int index);
    void SlideGameMenu(int& direction);
    void RequestSave();
    void WalkAwayFromGame();
    void BlinkBanner(platform::PictureBox& banner);
    void CloseSaveBanner();
    void tmrMimoS_Timer();
    void tmrUlozeni_Timer();

    // Audience graph.
    void ComputeAudienceVotes();
    void AfterAudienceClip();

    // Lifelines.
    void AddLifelineTimers();
    void WireLifelines();
    void LifelineKeyUp(int key);
    bool LifelinesRefused() const;
    void imgN5050_Click();
    void RemoveAnswer(int index);
    void imgNDiv_Click();
    void imgNTel_Click();
    void PreparePhoneCall();
    void AfterPhoneClip();
    void tmrNTel1_Timer();
    void tmrNTel2_Timer();
    void EndOfCall();

    std::string Sfx(const std::string& file) const;
    std::string Gfx(const std::string& file) const;

    Links links_;

    platform::Image* imgZadani_ = nullptr;
    platform::Label* lblZadani_ = nullptr;
    std::array<platform::Image*, 4> img_{};
    std::array<platform::Label*, 4> lbl_{};
    platform::Image* imgStupnice_ = nullptr;
    platform::Image* imgN5050_ = nullptr;
    platform::Image* imgNTel_ = nullptr;
    platform::Image* imgNDiv_ = nullptr;
    platform::Shape* Shape1_ = nullptr;
    platform::PictureBox* picFade_ = nullptr;
    platform::MediaView* WMPfade_ = nullptr;
    platform::PictureBox* picNDivGraf_ = nullptr;
    std::array<platform::Shape*, 4> colNDiv_{};
    std::array<platform::Label*, 4> lblNDiv_{};
    std::array<platform::PictureBox*, 4> picMenu_{};
    platform::PictureBox* picMimoS_ = nullptr;
    platform::Label* lblMimoS_ = nullptr;
    platform::PictureBox* picUlozeni_ = nullptr;
    platform::Label* lblUlozeni_ = nullptr;
    platform::TextBox* txtNTelVypis_ = nullptr;
    platform::MediaView* WMP1_ = nullptr;
    platform::MediaView* WMP2_ = nullptr;
    platform::MediaView* WMP3_ = nullptr;

    // The director's clock: a timer of this screen, so it stops when the screen closes.
    platform::Timer& tmrShow;
    platform::Timer& tmrMimoS;
    platform::Timer& tmrUlozeni;

    ShowDirector director_;
    // The save banner has blinked and may be closed by a click.
    bool saveBannerClosable_ = false;

    int TypedChars = 0;
    platform::Timer* tmrNTel1_ = nullptr;
    platform::Timer* tmrNTel2_ = nullptr;
    std::vector<std::string> typingUnits_;
};

}  // namespace tolarka
