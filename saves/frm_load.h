#pragma once

#include "platform/screen.h"
#include "platform/timer.h"
#include "saves/slot_rows.h"

namespace tolarka {

class App;

// The load screen: lists the nine slots; a chosen saved game is flashed, the start clip plays
// and the game screen restores the game from the slot. Escape returns to the main menu.
class frmLoad : public platform::Screen {
public:
    explicit frmLoad(App& app);

    // The request to the game screen: restore slot LoadSlot (1..9) when it opens. Set when a
    // slot is chosen; the game screen clears it with its first question.
    bool LoadRequested = false;
    int LoadSlot = 0;

    // Hands over to the game screen; called when the start clip in mode "L" has ended.
    void tmrLoad_Timer();

    bool OnKeyUp(int key) override;

    platform::PictureBox& picLoad(int i) { return *rows_.row.at(static_cast<size_t>(i)); }
    platform::Label& lblLoad1(int i) { return *rows_.left.at(static_cast<size_t>(i)); }
    platform::Label& lblLoad2(int i) { return *rows_.right.at(static_cast<size_t>(i)); }
    int SlotIndex() const { return SlotIndex_; }
    bool Busy() const { return Busy_; }
    platform::Timer& tmrLoad;

private:
    void Design() override;
    void OnLoad() override;

    void ListSlots();
    void HighlightSlot();
    void picLoad_MouseMove(int index);
    void picLoad_Click(int index);
    void Flash(int row, const char* picture, int pauseMs);

    App& app_;
    SlotRows rows_;
    int SlotIndex_ = -1;
    bool Busy_ = false;
};

}  // namespace tolarka
