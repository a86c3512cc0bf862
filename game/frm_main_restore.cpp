// Opening the game screen on a saved game: the slot chosen on the load screen gives the name,
// the lifelines left and the level; the save is used up.
#include <filesystem>
#include <string>

#include "app/app.h"
#include "game/frm_main.h"
#include "game/question_record.h"
#include "platform/runtime.h"
#include "saves/frm_load.h"
#include "saves/save_slots.h"
#include "startup/frm_menu.h"

namespace tolarka {

using namespace platform;

bool frmMain::RestoreSavedGame() {
    frmLoad& load = app_.Load();
    const std::filesystem::path appDir(app_.WritablePath());
    const auto record = ReadSlot(appDir, load.LoadSlot);
    if (!record || !IsResumableLevel(record->ResumeLevel)) {
        // Gone or damaged since it was listed: no game to continue, and the file stays.
        load.LoadRequested = false;
        Rt().MessageBox("Uloženou hru se nepodařilo obnovit.\r\nHra se vrátí do hlavního menu.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "Tolarka");
        LeaveForMenu();
        return false;
    }
    // A save is used once: a slot that cannot be removed (a read-only save directory) would
    // give the same game again and again, so it is not restored.
    if (!DeleteSlot(appDir, load.LoadSlot)) {
        load.LoadRequested = false;
        Rt().MessageBox("Uloženou hru nelze obnovit, protože pozici " + std::to_string(load.LoadSlot) +
                            " nejde uvolnit (složka save nejspíš nedovoluje zápis).\r\n"
                            "Hra se vrátí do hlavního menu.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "Tolarka");
        LeaveForMenu();
        return false;
    }
    app_.Menu().CurrentPlayerName = Trimmed(record->PlayerName);
    State.FiftyFiftyAvailable = record->FiftyFiftyAvailable;
    State.AudienceAvailable = record->AudienceAvailable;
    State.PhoneAvailable = record->PhoneAvailable;
    State.Level = record->ResumeLevel - 1;
    Rt().DoEvents();
    return true;
}

}  // namespace tolarka
