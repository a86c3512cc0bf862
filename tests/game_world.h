#pragma once
// A whole program on the headless backend in a scratch program directory, for scenario tests.
#include <array>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "anim/frm_anim.h"
#include "app/app.h"
#include "game/frm_main.h"
#include "game/question_record.h"
#include "platform/headless/headless_backend.h"
#include "platform/runtime.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
#include "scratch_dir.h"
#include "startup/frm_credits.h"
#include "startup/frm_menu.h"
#include "startup/frm_rules.h"
#include "startup/frm_splash.h"
#include "startup/frm_startup.h"
#include "startup/media_checklist.h"

namespace tolarka::testing {

using platform::Millis;
// Moments and what happened then, in order.
using Steps = std::vector<std::pair<Millis, std::string>>;

struct GameWorld {
    ScratchDir dir;
    platform::headless::HeadlessBackend backend;
    platform::Runtime rt{backend};
    tolarka::App app{rt, dir.path().string(), ""};

    GameWorld() = default;
    // A program started with this command line.
    explicit GameWorld(std::string commandLine) : app{rt, dir.path().string(), std::move(commandLine)} {}
    // A program whose directories are chosen from its scratch folder by `paths`.
    using PathsFor = std::function<GamePaths(const std::filesystem::path& programDir)>;
    explicit GameWorld(const PathsFor& paths) : app{rt, paths(dir.path()), ""} {}

    // A file under the scratch folder ("qst/01-001.qst"), in the system's own separators as the
    // game's paths are.
    std::filesystem::path Path(const std::string& rel) const { return (dir.path() / rel).make_preferred(); }

    // A question record whose texts are `text` and `answers`.
    static QuestionRecord MakeQuestion(std::string text, const std::string& correct = "B",
                                       const std::array<std::string, 4>& answers = {"první", "druhá", "třetí",
                                                                                    "čtvrtá"}) {
        return QuestionRecord(std::move(text), answers[0], answers[1], answers[2], answers[3], correct,
                              std::array<int16_t, 4>{}, "Tým Tolarka", true);
    }
    // A question of `level` whose correct answer is `correct`; texts tell level and number.
    void AddQuestion(int level, int number, const std::string& correct = "B") {
        const std::string text = "Otázka " + std::to_string(level) + "/" + std::to_string(number);
        AddQuestion(level, number, MakeQuestion(text + " – která odpověď platí?", correct));
    }
    void AddQuestion(int level, int number, const QuestionRecord& q) {
        AddFile("qst/%02d-%03d.qst", level, number, q);
    }
    // `perCounter` files in each of the 20 counters (levels 1..15 and F1..F5).
    void AddQuestionSet(int perCounter, const std::string& correct = "B") {
        for (int n = 1; n <= perCounter; ++n) {
            for (int level = 1; level <= 15; ++level) AddQuestion(level, n, correct);
            for (int set = 1; set <= 5; ++set) AddFile("qst/F%d-%03d.qst", set, n, QuestionRecord{});
        }
    }
    // The question file whose name `format` makes of `counter` and `number`.
    void AddFile(const char* format, int counter, int number, const QuestionRecord& q) {
        char name[32];
        std::snprintf(name, sizeof name, format, counter, number);
        WriteFile(Path(name), EncodeQuestionRecord(q));
    }
    // Every checked media file, empty (only their presence matters to the headless backend).
    void AddMedia() {
        for (auto rel : kGraphicsChecklist) WriteFile(Path(std::string(rel)), {});
        for (auto rel : kSoundChecklist) WriteFile(Path(std::string(rel)), {});
    }
    // Draws always give `u`, so question number int(u * 999) + 1 is asked.
    void FixRandom(double u) {
        app.MakeRandom = [u] { return [u] { return u; }; };
    }
    // Draws come from `draws` (see Then), 0.0 once it is empty: question 001, votes at the low end.
    std::shared_ptr<std::deque<double>> draws = std::make_shared<std::deque<double>>();
    void ScriptRandom() {
        app.MakeRandom = [queue = draws] {
            return [queue] {
                if (queue->empty()) return 0.0;
                const double u = queue->front();
                queue->pop_front();
                return u;
            };
        };
    }
    void Then(std::initializer_list<double> numbers) { draws->insert(draws->end(), numbers); }

    // Runs the start-up screen (answering its boxes) until the splash is up.
    void StartToSplash(std::initializer_list<int> answers = {platform::kAnswerOk}) {
        backend.AnswerNextBoxes(answers);
        app.Start();
        rt.RunUntil(rt.Now() + 1000);
    }
    // Leaves both splash pages with a key each, once their hints have come up.
    void PassSplash() {
        for (int page = 0; page < 2; ++page) {
            backend.KeyPress(rt.Now() + 1600, platform::keys::kSpace);
            rt.RunUntil(rt.Now() + 1610);
        }
    }
    // Runs the start-up screen (answering its boxes) and the splash until the menu is up.
    void StartToMenu(std::initializer_list<int> answers = {platform::kAnswerOk}) {
        StartToSplash(answers);
        PassSplash();
    }
    // From the menu: "Nová hra", a name, Enter; then the start clip until the game screen is up.
    void StartGame(const std::string& name = "Hráč") {
        const Millis t = rt.Now();
        backend.Click(t, 319, 165);  // "Nová hra"
        backend.Type(t + 10, name);
        backend.KeyPress(t + 20, platform::keys::kReturn);
        rt.RunUntil(t + 20 + 4500);
    }

    // Input a moment from now, run past it; each returns the input's time.
    Millis Key(int key) {
        const Millis t = rt.Now() + 10;
        backend.KeyPress(t, key);
        rt.RunUntil(t + 10);
        return t;
    }
    Millis Click(int x, int y) {
        const Millis t = rt.Now() + 10;
        backend.Click(t, x, y);
        rt.RunUntil(t + 10);
        return t;
    }
    void Type(const std::string& text) {
        backend.Type(rt.Now() + 10, text);
        rt.RunUntil(rt.Now() + 20);
    }
    void PointAt(int x, int y) {
        backend.MouseMove(rt.Now() + 10, x, y);
        rt.RunUntil(rt.Now() + 20);
    }
    void RunFor(Millis ms) { rt.RunUntil(rt.Now() + ms); }
    // Runs in steps of 100 ms until `done` (at most `steps` of them).
    void WaitFor(const std::function<bool()>& done, int steps = 100) {
        for (int i = 0; i < steps && !done(); ++i) RunFor(100);
    }
    // `state` read as the clock reaches each moment of `expected` after `origin`: compared with
    // `expected`, a timeline checked row by row.
    using Samples = std::map<Millis, std::string>;
    Samples SampleAt(Millis origin, const Samples& expected, const std::function<std::string()>& state) {
        Samples seen;
        for (const auto& [at, _] : expected) {
            rt.RunUntil(origin + at);
            seen[at] = state();
        }
        return seen;
    }
    // One character a flag: '1' when set.
    static std::string Flags(std::initializer_list<bool> flags) {
        std::string out;
        for (bool f : flags) out += f ? '1' : '0';
        return out;
    }
    // The message boxes shown so far, each as "title: text".
    std::vector<std::string> Boxes() const {
        std::vector<std::string> out;
        for (const auto& b : backend.Boxes()) out.push_back(b.request.title + ": " + b.request.text);
        return out;
    }
    // The text of the last message box shown ("" before any).
    std::string LastBox() const { return backend.Boxes().empty() ? "" : backend.Boxes().back().request.text; }
    // A sound or a clip as the screens name it: under the data folder's name.
    std::string Sfx(const std::string& file) const { return app.DataPath() + "/sfx/" + file; }
    std::string Gfx(const std::string& file) const { return app.DataPath() + "/gfx/" + file; }

    // The loaded screens, by name without "frm": '-' marks a hidden one, '*' the active one
    // ("Menu Load*").
    std::string Screens() {
        std::string out;
        for (platform::Screen* s : std::initializer_list<platform::Screen*>{
                 &app.StartUp(), &app.Splash(), &app.Menu(), &app.Rules(), &app.Credits(), &app.Main(),
                 &app.Anim(), &app.Save(), &app.Load()}) {
            if (!s->Loaded()) continue;
            out += (out.empty() ? "" : " ") + s->Name().substr(3) + (s->Visible() ? "" : "-") +
                   (rt.ActiveScreen() == s ? "*" : "");
        }
        return out;
    }
    // The pictures `widget` ("frmSave.picSave(4)") was given from `from` on, at their times after it.
    Steps Pictures(const std::string& widget, Millis from) const {
        auto out = Logged(widget + " picture ", from);
        for (auto& [t, line] : out) t -= from, line = line.substr(line.rfind(' ') + 1);
        return out;
    }

    frmMain& Main() { return app.Main(); }
    frmMenu& Menu() { return app.Menu(); }
    frmAnim& Anim() { return app.Anim(); }

    // Log lines from `from` on that contain `text`: their times and texts (without the time).
    std::vector<std::pair<Millis, std::string>> Logged(const std::string& text, Millis from = 0) const {
        std::vector<std::pair<Millis, std::string>> out;
        for (const auto& line : backend.Log()) {
            const auto space = line.find(' ');
            const Millis t = std::stoll(line.substr(0, space));
            if (t >= from && line.find(text, space) != std::string::npos)
                out.emplace_back(t, line.substr(space + 1));
        }
        return out;
    }
    // Virtual time of the first log line at or after `from` that contains `text`.
    std::optional<Millis> When(const std::string& text, Millis from = 0) const {
        const auto lines = Logged(text, from);
        return lines.empty() ? std::nullopt : std::optional(lines.front().first);
    }
    // Virtual time of the last log line that contains `text`.
    std::optional<Millis> LastWhen(const std::string& text) const {
        const auto lines = Logged(text);
        return lines.empty() ? std::nullopt : std::optional(lines.back().first);
    }
    // Runs in small steps until a log line with `text` appears at or after `from` (at most
    // `limit` ms); returns its time. Timers fire at their exact times whatever the step.
    std::optional<Millis> RunUntilLogged(const std::string& text, Millis from, Millis limit = 60000) {
        for (Millis t = rt.Now(); t <= from + limit; t += 50) {
            if (auto when = When(text, from)) return when;
            rt.RunUntil(t + 50);
        }
        return When(text, from);
    }
    // The files `player` ("frmMain.WMP1") was given from `from` on, space-separated, each under
    // the data folder as the screens name them ("/sfx/r1.wav").
    std::string Files(const std::string& player, Millis from = 0) const {
        std::string out;
        for (const auto& line : Lines(player + " file ", from)) {
            const std::string path = line.substr(player.size() + 6);
            out += (out.empty() ? "" : " ") +
                   (path.starts_with(app.DataPath()) ? path.substr(app.DataPath().size()) : path);
        }
        return out;
    }
    // Log lines (without their time) from `from` on that contain `text`.
    std::vector<std::string> Lines(const std::string& text, Millis from = 0) const {
        std::vector<std::string> out;
        for (auto& [t, line] : Logged(text, from)) out.push_back(std::move(line));
        return out;
    }
    // The log lines of `player` starting `file`.
    std::vector<std::string> Starts(const std::string& player, const std::string& file) const {
        return {player + " file " + file, player + " play"};
    }
};

}  // namespace tolarka::testing
