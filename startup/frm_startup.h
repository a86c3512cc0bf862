#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/screen.h"
#include "startup/question_files.h"

namespace tolarka {

// The first screen: the light-edition notice, the count of question files per level, the check
// of the media files, and the hand-over to the next screen.
class frmStartUp : public platform::Screen {
public:
    // `ownQuestionDir`: the player's own question files (empty: none); `handOver` opens the
    // next screen once this one has closed.
    frmStartUp(platform::Runtime& runtime, std::string dataPath, std::filesystem::path ownQuestionDir,
               std::function<void()> handOver);

    // Question files per counter, 1..15 levels, 16..20 the fastest-finger sets F1..F5. Kept
    // for the whole run; the question selection reads it.
    tolarka::QuestionCounts QuestionCounts{};
    // The numbers of the level files the count found, per counter; the game draws among them.
    tolarka::ListedQuestions QuestionsListed{};

    // The directory a level's questions are drawn from: the player's own directory when it
    // took the level over at start-up, else the shipped qst/.
    std::filesystem::path QuestionDir(int level) const;

    platform::Label& Label1(int i) { return *label1_.at(static_cast<size_t>(i)); }

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    void CountQuestions();
    void CheckFiles();
    void HandOver();
    bool AskToGoOn(const std::string& firstLine);

    std::string dataPath_;
    std::function<void()> handOver_;
    bool GraphicsOk = true;
    bool SoundsOk = true;
    bool QuestionsOk = true;
    std::string questionDir_;
    std::filesystem::path ownQuestionDir_;
    std::array<bool, kQuestionCounterCount + 1> ownSets_{};
    std::array<platform::Label*, 6> label1_{};
};

}  // namespace tolarka
