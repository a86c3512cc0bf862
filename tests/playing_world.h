#pragma once
// A game under way on the headless backend, with helpers to answer and to move on.
#include <algorithm>
#include <cstdio>

#include "game_world.h"

namespace tolarka::testing {

// A world with a full question set whose correct answer is always B, at the game screen (or,
// without `start`, at the desktop until Begin); draws scripted by Then, else 0.0.
struct PlayingWorld : GameWorld {
    explicit PlayingWorld(const std::string& correct = "B", bool start = true) {
        Prepare(correct);
        if (start) Begin();
    }
    explicit PlayingWorld(const PathsFor& paths) : GameWorld(paths) { Prepare("B"); }
    void Prepare(const std::string& correct) {
        AddQuestionSet(2, correct);
        AddMedia();
        ScriptRandom();
    }
    void Begin() {
        StartToMenu();
        StartGame();
    }
    // The answers: a letter when shown ("-BC-": A and D removed), lower case when its box is off.
    std::string Answers() {
        std::string out;
        for (int i = 0; i < 4; ++i) {
            const char letter = static_cast<char>((Main().imgAnswer(i).Enabled() ? 'A' : 'a') + i);
            out += Main().lblAnswer(i).Visible() ? letter : '-';
        }
        return out;
    }
    // The lifeline icons' pictures, "(off)" after one that takes no clicks.
    std::string Lifelines() {
        std::string out;
        for (auto* icon : {&Main().imgN5050(), &Main().imgNDiv(), &Main().imgNTel()})
            out += (out.empty() ? "" : " ") + icon->Picture() + (icon->Enabled() ? "" : "(off)");
        return out;
    }
    // Waits for the current question's build-up to finish and picks `letter`; returns the time
    // of the pick.
    Millis Answer(char letter) {
        const Millis ready = WaitForInput();
        backend.KeyPress(ready, letter);
        rt.RunUntil(ready);
        return ready;
    }
    // Runs until the current question is fully shown and takes input; returns that time.
    Millis WaitForInput() {
        char ladder[48];
        std::snprintf(ladder, sizeof ladder, "frmMain.imgStupnice picture S%02d", Main().State.Level);
        const Millis ready = std::max(*LastWhen(ladder) + 5000, rt.Now()) + 1;
        rt.RunUntil(ready);
        return ready;
    }
    // Plays right answers (B) until the question of `level` is on screen.
    void ClimbTo(int level) {
        while (Main().State.Level < level) {
            Answer('B');
            NextQuestion();
        }
    }
    // Runs until the next question has been loaded, or the game has ended.
    void NextQuestion() {
        const int level = Main().State.Level;
        for (int i = 0; i < 200 && Main().Loaded() && Main().State.Level == level; ++i)
            rt.RunUntil(rt.Now() + 250);
    }
};

}  // namespace tolarka::testing
