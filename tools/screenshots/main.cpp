// Plays the game on the headless backend over the data in a program directory and writes
// screenshots of each screen and step into a folder, for review and for the README.
//   tolarka-screenshots <program dir> <output dir>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "anim/frm_anim.h"
#include "app/app.h"
#include "game/frm_main.h"
#include "game/phone_call.h"
#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"
#include "platform/sdl/offscreen_canvas.h"
#include "platform/sdl/sdl_media.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
#include "saves/save_slots.h"
#include "startup/frm_menu.h"

using namespace tolarka;
using platform::Millis;

namespace {

struct Shooter {
    platform::headless::HeadlessBackend& backend;
    platform::Runtime& rt;
    std::filesystem::path out;
    int taken = 0;

    void Shot(const std::string& name) {
        // Decoder threads run in real time while the clock is virtual: give them a moment.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        rt.MarkDirty();
        rt.DoEvents();
        const auto path = out / (name + ".png");
        if (backend.Screenshot(path.string()))
            ++taken;
        else
            std::fprintf(stderr, "screenshot failed: %s\n", path.c_str());
    }
    void At(Millis t, const std::string& name) {
        rt.RunUntil(t);
        Shot(name);
    }
};

// A second game saved after its first question, then continued from the load screen. A demo
// save fills a slot for the overwrite question; it is removed again, and the game saved here
// is used up by the load, so the program's save directory ends as it was.
void SaveAndLoadShots(App& game, Shooter& s) {
    auto& backend = s.backend;
    auto& rt = s.rt;
    const std::filesystem::path app(game.WritablePath());
    int demo = 0, free = 0;
    for (int slot = kSlotCount; slot >= 1; --slot)
        if (!SlotFilled(app, slot)) (demo == 0 ? demo : free) = slot;
    if (demo == 0 || free == 0) {
        std::fprintf(stderr, "save screens skipped: fewer than two free slots in %s\n", app.c_str());
        return;
    }
    SaveRecord older;
    older.PlayerName = "Petr Svoboda";
    older.ResumeLevel = 8;
    older.SaveDate = "04.12.2026";
    older.SaveTime = "09:05";
    older.AudienceAvailable = older.PhoneAvailable = true;
    WriteSlot(app, demo, older);
    // A fixed clock, so that the pictures do not change with every run.
    game.Save().LocalNow = [] { return LocalDateTime{2026, 12, 6, 18, 30}; };
    auto rowY = [](int slot) { return 49 + 48 * (slot - 1) + 20; };

    backend.Click(rt.Now() + 10, 319, 165);
    backend.KeyPress(rt.Now() + 30, platform::keys::kReturn);
    rt.RunUntil(rt.Now() + 4600);
    frmMain& m = game.Main();
    for (int i = 0; i < 100 && m.State.InputLocked; ++i) rt.RunUntil(rt.Now() + 100);
    m.State.SaveAfterAnswer = true;
    const std::string correct = m.State.Question.CorrectLetter;
    backend.KeyPress(rt.Now() + 10, correct.empty() ? 'A' : correct[0]);
    for (int i = 0; i < 300 && !game.Save().Visible(); ++i) rt.RunUntil(rt.Now() + 100);

    backend.MouseMove(rt.Now() + 10, 320, rowY(free));
    s.At(rt.Now() + 20, "30-save-slots");
    backend.Click(rt.Now() + 10, 320, rowY(demo));
    backend.MouseMove(rt.Now() + 20, 275, 258);
    s.At(rt.Now() + 40, "31-save-overwrite");
    backend.KeyPress(rt.Now() + 10, 'N');
    backend.MouseMove(rt.Now() + 20, 320, rowY(free));
    const Millis write = rt.Now() + 30;
    backend.Click(write, 320, rowY(free));
    backend.ScreenshotAt(write + 100, (s.out / "32-save-flash.png").string());
    ++s.taken;
    rt.RunUntil(write + 3500);

    backend.Click(rt.Now() + 10, 319, 215);  // "Pokračovat ve hře"
    backend.MouseMove(rt.Now() + 20, 320, rowY(free));
    s.At(rt.Now() + 40, "33-load-slots");
    const Millis load = rt.Now() + 10;
    backend.Click(load, 320, rowY(free));
    backend.ScreenshotAt(load + 600, (s.out / "34-load-flash.png").string());
    ++s.taken;
    rt.RunUntil(load + 2000 + 4500);
    s.At(rt.Now() + 5100, "35-load-restored");
    DeleteSlot(app, demo);
    // A wrong answer ends the restored game, back on the menu.
    const std::string right = m.State.Question.CorrectLetter;
    backend.KeyPress(rt.Now() + 10, right == "A" ? 'B' : 'A');
    for (int i = 0; i < 300 && !game.Menu().Visible(); ++i) rt.RunUntil(rt.Now() + 100);
    rt.RunUntil(rt.Now() + 500);
}

}  // namespace

int main(int argc, char** argv) {
    // "--scale 2" draws every picture twice as large, as a modern screen shows the game.
    double scale = 1.0;
    if (argc == 5 && std::string(argv[1]) == "--scale") {
        scale = std::atof(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc != 3 || scale <= 0 || scale > 8) {
        std::fprintf(stderr,
                     "použití: tolarka-screenshots [--scale N] <adresář programu> <výstupní adresář>\n");
        return 2;
    }
    const std::filesystem::path app(argv[1]);
    const std::filesystem::path out(argv[2]);
    std::filesystem::create_directories(out);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0) SDL_Init(SDL_INIT_VIDEO);

    platform::headless::HeadlessBackend backend;
    backend.SetMedia(std::make_unique<platform::sdl::SdlMediaSystem>(backend, platform::sdl::LinkedClips()));
    platform::sdl::OffscreenCanvas canvas(backend.Metrics());
    backend.SetCanvas(&canvas);
    canvas.SetVideoDrawer(
        [](const platform::MediaView& view, SDL_Renderer* r, const SDL_Rect& dst, SDL_Surface*) {
            if (auto* source = platform::sdl::AsVideoFrameSource(view.Playback())) source->DrawFrame(r, dst);
        });
    backend.DrawMessageBoxes(true);
    backend.SetScreenshotScale(scale);
    {
        platform::Runtime rt(backend);
        App game(rt, std::filesystem::absolute(app).string(), "no_fullscreen");
        Shooter s{backend, rt, out};

        // The notice box is answered by a key; the start-up window counts behind it.
        backend.ScreenshotAt(10, (out / "01-info-box.png").string());
        backend.KeyPress(500, platform::keys::kReturn);
        backend.ScreenshotAt(850, (out / "02-startup.png").string());
        // "Ano" to any question about missing files (Enter is harmless on the menu).
        for (Millis t : {1400, 1500, 1600}) backend.KeyPress(t, platform::keys::kReturn);
        game.Start();
        s.taken += 2;
        // The splash: each page is left by a key once its hint has come up.
        rt.RunUntil(1700);
        const Millis splash = rt.Now();
        s.At(splash + 1600, "splash-1");
        backend.KeyPress(splash + 1700, platform::keys::kSpace);
        s.At(splash + 3300, "splash-2");
        backend.KeyPress(splash + 3400, platform::keys::kSpace);
        s.At(splash + 3500, "03-menu");

        backend.MouseMove(rt.Now() + 10, 319, 215);
        s.At(rt.Now() + 20, "04-menu-hover");
        backend.Click(rt.Now() + 10, 319, 165);
        backend.Type(rt.Now() + 20, "Jana Nováková");
        s.At(rt.Now() + 100, "05-new-game");
        backend.KeyPress(rt.Now() + 10, platform::keys::kReturn);
        s.At(rt.Now() + 2500, "06-start-lights");
        rt.RunUntil(rt.Now() + 2100);

        frmMain& m = game.Main();
        const Millis t0 = rt.Now();
        s.At(t0 + 100, "07-question-text");
        s.At(t0 + 2100, "08-question-a");
        s.At(t0 + 3100, "09-question-b");
        s.At(t0 + 4100, "10-question-c");
        s.At(t0 + 5100, "11-question-full");
        const std::string correct = m.State.Question.CorrectLetter;
        backend.KeyPress(rt.Now() + 10, correct.empty() ? 'A' : correct[0]);
        s.At(rt.Now() + 500, "12-answer-locked");
        s.At(rt.Now() + 1600, "13-reveal-right");
        s.At(rt.Now() + 2500, "14-anim-right");
        rt.RunUntil(rt.Now() + 4000);

        // The second question answered wrong ends the game, after all three lifelines.
        const Millis t1 = rt.Now();
        rt.RunUntil(t1 + 5100);
        backend.KeyPress(rt.Now() + 10, platform::keys::kF7);
        s.At(rt.Now() + 15000, "14a-audience-clip");
        s.At(rt.Now() + 2000, "14b-audience-graph");
        backend.KeyPress(rt.Now() + 10, platform::keys::kF5);
        s.At(rt.Now() + 300, "14c-fifty-fifty");
        const Millis call = rt.Now() + 10;
        backend.KeyPress(call, platform::keys::kF6);
        s.At(call + 2000, "14d-phone-clip");
        // The whole transcript is out, a moment before the call ends.
        const auto typed = static_cast<Millis>(TypingUnits(m.Phone.PhoneTranscript).size());
        s.At(call + 3700 + platform::Millis{kPhoneTypingTickMs} * typed + 100, "14e-phone-call");
        rt.RunUntil(rt.Now() + 30000);
        s.Shot("14f-after-phone");
        char wrong = 'A';
        for (int i = 0; i < 4; ++i)
            if (m.lblAnswer(i).Visible() &&
                std::string(1, static_cast<char>('A' + i)) != m.State.Question.CorrectLetter)
                wrong = static_cast<char>('A' + i);
        backend.KeyPress(rt.Now() + 10, wrong);
        s.At(rt.Now() + 3100, "15-reveal-wrong");
        s.At(rt.Now() + 4500, "16-anim-end");
        s.At(rt.Now() + 8000, "17-menu-again");
        // A second game: the in-game menu, the save request and walking away.
        backend.Click(rt.Now() + 10, 319, 165);
        // The box holds the name confirmed last: clear it before typing the new one.
        for (int i = 0; i < 32; ++i) backend.KeyPress(rt.Now() + 15, platform::keys::kBack);
        backend.Type(rt.Now() + 20, "Petr");
        backend.KeyPress(rt.Now() + 30, platform::keys::kReturn);
        rt.RunUntil(rt.Now() + 4500 + 5200);
        backend.Click(rt.Now() + 10, 40, 17);
        s.At(rt.Now() + 800, "18-game-menu-open");
        backend.Click(rt.Now() + 10, 140, 17);
        s.At(rt.Now() + 1500, "19-save-banner");
        backend.Click(rt.Now() + 10, 320, 380);  // the banner closes; the panel is still open
        rt.RunUntil(rt.Now() + 100);
        backend.Click(rt.Now() + 10, 300, 17);
        backend.ScreenshotAt(rt.Now() + 1000, (out / "20-walk-away-banner.png").string());
        s.taken += 1;
        rt.RunUntil(rt.Now() + 3000);
        // An answer out of competition, then the game ends and the menu is back.
        backend.KeyPress(rt.Now() + 10, 'A');
        rt.RunUntil(rt.Now() + 20000);

        SaveAndLoadShots(game, s);

        // The rules run by themselves for 31 s; the credits end the program.
        const Millis rules = rt.Now() + 10;
        backend.Click(rules, 319, 265);
        const std::pair<Millis, const char*> rulesShots[] = {{4000, "rules-1-ladder"},
                                                             {12000, "rules-2-lifelines"},
                                                             {16000, "rules-3-stop"},
                                                             {25000, "rules-4-keys"}};
        for (const auto& [at, name] : rulesShots)
            backend.ScreenshotAt(rules + at, (out / name).string() + ".png");
        rt.RunUntil(rules + 31100);
        const Millis credits = rt.Now() + 10;
        backend.Click(credits, 319, 315);
        const std::pair<Millis, const char*> creditsShots[] = {
            {500, "credits-1"}, {1700, "credits-2"}, {2800, "credits-3"}, {4000, "credits-4-end"}};
        for (const auto& [at, name] : creditsShots)
            backend.ScreenshotAt(credits + at, (out / name).string() + ".png");
        rt.RunUntil(credits + 6000);
        s.taken += 8;
        std::printf("%d screenshots in %s\n", s.taken, out.c_str());
    }
    SDL_Quit();
    return 0;
}
