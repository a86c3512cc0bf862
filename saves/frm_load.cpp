#include "saves/frm_load.h"

#include "platform/runtime.h"

namespace tolarka {

using namespace platform;

frmLoad::frmLoad(Runtime& runtime, Links links) : Screen(runtime, "frmLoad"), links_(std::move(links)) {}

void frmLoad::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    auto& title = f.Add<Label>("Label1");
    title.Move(113, 150, 9375, 390);
    title.SetFont(Font{"Arial", 15.75, true});
    title.SetForeColour(0xFFFFFF);
    title.SetBackColour(0x000080);
    title.SetAlignment(Alignment::Center);
    title.SetCaption("Vyberte pozici s hrou, ve které chcete pokračovat.");

    rows_.Design(
        f, "picLoad", "lblLoad1", "lblLoad2", [this](int i) { picLoad_MouseMove(i); },
        [this](int i) { picLoad_Click(i); });
}

void frmLoad::OnLoad() {
    ListSlots();
    Busy_ = false;
    SlotIndex_ = -1;
    rows_.ShowAllAtRest();
}

void frmLoad::ListSlots() {
    if (rows_.List(links_.saves) == 0)
        Rt().MessageBox("žádné uložené", MessageButtons::Ok, MessageIcon::Information, "Tolarka");
}

void frmLoad::HighlightSlot() {
    if (!Busy_ && SlotIndex_ >= 0) rows_.SetPicture(SlotIndex_, "FF-O");
}

void frmLoad::picLoad_MouseMove(int index) {
    if (index == SlotIndex_ || Busy_) return;
    if (SlotIndex_ >= 0) rows_.SetPicture(SlotIndex_, "FF-M");
    SlotIndex_ = index;
    HighlightSlot();
}

void frmLoad::Flash(int row, const char* picture, int pauseMs) {
    rows_.SetPicture(row, picture);
    Rt().DoEvents();
    Rt().Pause(pauseMs);
}

void frmLoad::picLoad_Click(int index) {
    if (rows_.IsEmpty(index) || Busy_) return;
    const auto& record = rows_.record.at(static_cast<size_t>(index));
    if (rows_.unreadable.at(static_cast<size_t>(index))) {
        Rt().MessageBox("Hru uloženou na této pozici nelze obnovit, soubor nejde přečíst.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "Tolarka");
        return;
    }
    if (record && !IsResumableLevel(record->ResumeLevel)) {
        // A damaged file would start a game at a level without questions: refuse it, keep it.
        Rt().MessageBox("Hru uloženou na této pozici nelze obnovit, soubor je poškozen.", MessageButtons::Ok,
                        MessageIcon::Exclamation, "Tolarka");
        return;
    }
    Rt().DoEvents();
    // A second click already queued has run this whole step inside the line above.
    if (Busy_) return;
    Busy_ = true;
    LoadRequested = true;
    LoadSlot = index + 1;
    links_.closeMenu();
    Rt().DoEvents();

    Flash(index, "FF-Z", 500);
    Flash(index, "FF-O", 500);
    Flash(index, "FF-Z", 1000);

    links_.playStartClip([this] { OpenGame(); });
}

void frmLoad::OpenGame() {
    links_.showGame();
    Close();
}

bool frmLoad::OnKeyUp(int key) {
    // Once a slot is chosen the menu is gone and the start clip will hand over: Escape would
    // only leave the player without a screen to return to.
    if (key == keys::kEscape && !Busy_) Close();
    return false;
}

}  // namespace tolarka
