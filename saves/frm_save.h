#pragma once
#include <functional>
#include <string>

#include "game/game_state.h"
#include "platform/screen.h"
#include "saves/save_record.h"
#include "saves/save_slots.h"
#include "saves/slot_rows.h"
#include "saves/slot_summary.h"

namespace tolarka {

// The save screen: after a correctly answered question for which the player asked to save,
// the game goes into one of nine slots and the player returns to the main menu; Escape lets
// the game go on instead.
class frmSave : public platform::Screen {
public:
    struct Links {
        // New saves go to saves.writable; the slots are listed from both folders.
        SaveFolders saves;
        std::function<void(const std::string&)> printWarning;
        // The game to save and the player's name.
        std::function<const GameState&()> game;
        std::function<std::string()> playerName;
        // Escape: the game goes on with its next question.
        std::function<void()> resumeGame;
        // The game is saved: it ends and the menu opens.
        std::function<void()> endGameForMenu;
    };
    frmSave(platform::Runtime& runtime, Links links);

    // The local clock that dates a save (tests put a fixed one here).
    std::function<LocalDateTime()> LocalNow = CurrentLocalDateTime;

    bool OnKeyDown(int key) override;

    platform::PictureBox& picSave(int i) { return *rows_.row.at(static_cast<size_t>(i)); }
    platform::Label& lblSave1(int i) { return *rows_.left.at(static_cast<size_t>(i)); }
    platform::Label& lblSave2(int i) { return *rows_.right.at(static_cast<size_t>(i)); }
    platform::PictureBox& picBlock() { return *picBlock_; }
    platform::Label& lblANO() { return *lblANO_; }
    platform::Label& lblNE() { return *lblNE_; }
    int SlotIndex() const { return SlotIndex_; }
    bool Busy() const { return Busy_; }

private:
    void Design() override;
    void OnLoad() override;

    void ListSlots();
    void HighlightSlot();
    void SetSlotsEnabled(bool enabled);
    void WriteSave();
    void picSave_MouseMove(int index);
    void picSave_Click(int index);
    void lblANO_MouseMove();
    void lblNE_MouseMove();
    void picBlock_MouseMove();
    void lblANO_Click();
    void lblNE_Click();
    void SetAnswerLook(platform::Label& label, bool pointed);
    void Flash(int row, const char* picture, int pauseMs);

    Links links_;
    SlotRows rows_;
    platform::PictureBox* picBlock_ = nullptr;
    platform::Label* lblANO_ = nullptr;
    platform::Label* lblNE_ = nullptr;
    int SlotIndex_ = -1;
    bool Busy_ = false;
    SaveRecord SaveRecord_;
};

}  // namespace tolarka
