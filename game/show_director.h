#pragma once
#include <functional>
#include <string>
#include <vector>

#include "anim/clip.h"
#include "game/game_state.h"
#include "game/show_cues.h"
#include "platform/timer.h"

namespace tolarka {

// What the director asks of the game screen. The screen shows and plays; it does not decide
// what comes next.
class ShowStage {
public:
    virtual ~ShowStage() = default;
    virtual void ShowQuestionText() = 0;
    virtual void ShowAnswerText(int index) = 0;
    virtual void OpenInput() = 0;
    virtual void CloseInput() = 0;
    // The answer box `index` ("A".."D" = 0..3) in a state: 'O' picked (orange), 'Z' right (green).
    virtual void MarkAnswer(int index, char state) = 0;
    virtual void PlaySound(const std::string& sfx) = 0;  // the effects channel
    virtual void PlayMusic(const std::string& sfx) = 0;  // the music channel, repeating
    virtual void StopMusic() = 0;
    virtual void SetStudioClip(const std::string& gfx) = 0;
    virtual void PlayStudioClip() = 0;
    virtual void HideQuestion() = 0;
    virtual void HideAudienceGraph() = 0;
    virtual void PlayClip(const Clip& clip, std::function<void()> then) = 0;
    // The ends of an answer: the next question, the save screen, the menu.
    virtual void NextQuestion() = 0;
    virtual void OpenSaveScreen() = 0;
    virtual void ShowMenu() = 0;
    virtual void LeaveForMenu() = 0;
    virtual void PlaySystemSound(const std::string& sfx) = 0;
};

// Runs the question cycle: build-up, waiting, pick, pause, reveal, blink, hand-over, clip,
// and on to the next question, the save screen or the menu. Each stretch is a short script of
// steps read from the cue tables and played on one timer of the game screen, so every step
// falls on the runtime's clock.
class ShowDirector {
public:
    ShowDirector(GameState& game, ShowStage& stage, platform::Timer& timer);

    // A new question: the band's music and studio clip. `resumed`: the game goes on from a
    // save or after one was written.
    void StartLevel(bool resumed);
    // The question is loaded: it builds up on the screen, and input opens with the last answer.
    void BuildUp();
    // The player picked `letter` ("A".."D"); input is already shut.
    void Pick(const std::string& letter);
    // The player walked away: the game is decided, a guess may follow.
    void WalkAway();
    // The player asked to save: after a right answer the clip is short and the save screen follows.
    void RequestSave() { game_.SaveAfterAnswer = true; }
    // Stops whatever stretch is running.
    void Stop();

    // One step of a script: `after` ms after the previous step (0: at once).
    enum class Cue {
        ShowQuestion,
        Wait,
        ShowAnswerA,
        ShowAnswerB,
        ShowAnswerC,
        ShowLastAnswer,
        Reveal,
        Green,
        Orange,
        HandOver
    };
    struct Step {
        platform::Millis after;
        Cue cue;
    };
    // The scripts, as the director plays them for the game as it stands.
    static std::vector<Step> BuildUpScript();
    std::vector<Step> PauseScript() const;
    std::vector<Step> AfterRevealScript() const;

private:
    void Run(std::vector<Step> script);
    void Continue();
    void OnTick();
    void Perform(Cue cue);
    void Reveal();
    void HandOver();
    void AfterClip();
    int CorrectIndex() const;

    GameState& game_;
    ShowStage& stage_;
    platform::Timer& timer_;
    std::vector<Step> script_;
    size_t next_ = 0;
    // Counts the scripts started: a step that starts another script ends the one it was in.
    unsigned generation_ = 0;
};

}  // namespace tolarka
