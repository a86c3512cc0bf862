#pragma once
#include <array>
#include <string>
#include <vector>

#include "game/audience_votes.h"
#include "game/game_state.h"
#include "game/phone_call.h"
#include "game/question_record.h"
#include "game/random_source.h"
#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

class App;

// The game screen: one game from the first question to its end. The state of the game is the
// public GameState; the widgets carry the screen's own names.
class frmMain : public platform::Screen {
public:
    explicit frmMain(App& app);

    GameState State;

    // Loads and starts the next question.
    void NacistOtazku();
    // Continuations called by the animation screen.
    void OziveniPoOdpovedi();
    void OziveniPoNDiv();
    void OziveniPoNTel();
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

    void Design() override;
    void OnLoad() override;
    void OnClose() override;

    // Question build-up and input.
    void LayoutQuestionText();
    void tmrZobrazeniOtazky_Timer();
    void EnableInput();
    void DisableInput();
    void AnswerClick(int index);
    void SelectAnswer();
    void LockAnswer();
    void tmrZvuk_Timer();
    void tmrBlik_Timer();
    void tmrCastka_Timer();
    void ShowQuestionInfo();
    void LeaveForMenu();
    bool SelectAndReadQuestion();
    // Takes the game over from the save slot that the load screen chose; false (and back to
    // the menu) when the slot cannot be restored.
    bool RestoreSavedGame();

    // Music and clip cues.
    void StartLevelMusic();
    void PlayBandTrack();
    std::string BandTrack() const;
    std::string BandClip() const;
    void PlayStudioClip();

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
    void HideAudienceGraph();
    void ComputeAudienceVotes();

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
    void tmrNTel1_Timer();
    void tmrNTel2_Timer();
    void EndOfCall();

    std::string Sfx(const std::string& file) const;
    std::string Gfx(const std::string& file) const;

    App& app_;

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

    platform::Timer& tmrZobrazeniOtazky;
    platform::Timer& tmrZvuk;
    platform::Timer& tmrBlik;
    platform::Timer& tmrCastka;
    platform::Timer& tmrMimoS;
    platform::Timer& tmrUlozeni;

    int TypedChars = 0;
    platform::Timer* tmrNTel1_ = nullptr;
    platform::Timer* tmrNTel2_ = nullptr;
    std::vector<std::string> typingUnits_;
};

}  // namespace tolarka
