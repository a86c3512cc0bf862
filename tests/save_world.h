#pragma once
// A game world for the save and load screens: helpers to play to a level and to point at and
// click the nine slot rows.
#include "playing_world.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
#include "saves/save_slots.h"

namespace tolarka::testing {

// A save of `name` to resume at `level`, made on 4 December 2026 at 9:05 unless dated.
inline SaveRecord MakeSave(const std::string& name, int level, bool fifty = true, bool audience = true,
                           bool phone = true, const std::string& date = "04.12.2026",
                           const std::string& time = "09:05") {
    return {name, static_cast<int16_t>(level), date, time, audience, fifty, phone};
}

struct SaveWorld : PlayingWorld {
    SaveWorld() : PlayingWorld("B", false) { StartAtMenu(); }
    explicit SaveWorld(const PathsFor& paths) : PlayingWorld(paths) { StartAtMenu(); }

    void StartAtMenu() {
        StartToMenu();
        app.Save().LocalNow = [] { return LocalDateTime{2026, 12, 4, 9, 5}; };
    }

    frmSave& Save() { return app.Save(); }
    frmLoad& Load() { return app.Load(); }

    // Pixel centre of slot row i (rows are 41 pixels high, 48 apart, from y 49).
    static int RowY(int i) { return 49 + 48 * i + 20; }
    void ClickRow(int i) { Click(320, RowY(i)); }

    // The rows of the save (or load) screen, each by the last letter of its picture: M at rest,
    // O under the pointer, Z chosen.
    std::string RowLooks(bool save) {
        std::string out;
        for (int i = 0; i < 9; ++i) out += (save ? Save().picSave(i) : Load().picLoad(i)).Picture().back();
        return out;
    }
    // The rows' left texts, each followed by '|'.
    std::string RowTexts(bool save) {
        std::string out;
        for (int i = 0; i < 9; ++i) out += (save ? Save().lblSave1(i) : Load().lblLoad1(i)).Caption() + "|";
        return out;
    }

    // "Pokračovat ve hře" on the menu.
    void Continue() { Click(319, 215); }
    // Runs until the question on screen takes input.
    void WaitForInput() {
        for (int i = 0; i < 100 && Main().State.InputLocked; ++i) RunFor(100);
    }

    // Asks to save during the current question, answers it and waits until the save screen
    // (or anything else) follows the answer's clip.
    void AnswerAndSave(char letter) {
        const int level = Main().State.Level;
        Main().State.SaveAfterAnswer = true;
        WaitForInput();
        Key(letter);
        WaitFor([&] { return Save().Visible() || Menu().Visible() || Main().State.Level != level; }, 400);
    }
    // Opens the game's menu and clicks "ULOŽIT HRU" (or "UKONČIT HRU"), as the player does;
    // returns once the save banner has closed by itself.
    void UseGameMenu(bool save) {
        WaitForInput();
        if (Main().picMenu(0).Width() == 1035) {
            backend.Click(rt.Now() + 10, 40, 17);
            RunFor(600);
        }
        backend.Click(rt.Now() + 10, save ? 140 : 300, 17);
        RunFor(save ? 3600 : 20);
    }
};

}  // namespace tolarka::testing
