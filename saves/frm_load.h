#pragma once
#include <functional>
#include <string>

#include "platform/screen.h"
#include "platform/timer.h"
#include "saves/slot_rows.h"

namespace tolarka {

// The load screen: lists the nine slots; a chosen saved game is flashed, the start clip plays
// and the game screen restores the game from the slot. Escape returns to the main menu.
class frmLoad : public platform::Screen {
public:
    struct Links {
        // Where the slots are listed from and their games taken up.
        SaveFolders saves;
        std::function<void()> closeMenu;
        // Plays the start clip, then calls the continuation.
        std::function<void(std::function<void()>)> playStartClip;
        std::function<void()> showGame;
    };
    frmLoad(platform::Runtime& runtime, Links links);

    // The request to the game screen: restore slot LoadSlot (1..9) when it opens. Set when a
    // slot is chosen; the game screen clears it with its first question.
    bool LoadRequested = false;
    int LoadSlot = 0;

    bool OnKeyUp(int key) override;

    platform::PictureBox& picLoad(int i) { return *rows_.row.at(static_cast<size_t>(i)); }
    platform::Label& lblLoad1(int i) { return *rows_.left.at(static_cast<size_t>(i)); }
    platform::Label& lblLoad2(int i) { return *rows_.right.at(static_cast<size_t>(i)); }
    int SlotIndex() const { return SlotIndex_; }
    bool Busy() const { return Busy_; }

private:
    void Design() override;
    void OnLoad() override;

    void ListSlots();
    void HighlightSlot();
    void picLoad_MouseMove(int index);
    void picLoad_Click(int index);
    void Flash(int row, const char* picture, int pauseMs);
    // Hands over to the game screen once the start clip has ended.
    void OpenGame();

    Links links_;
    SlotRows rows_;
    int SlotIndex_ = -1;
    bool Busy_ = false;
};

}  // namespace tolarka
