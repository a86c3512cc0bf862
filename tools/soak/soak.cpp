#include "tools/soak/soak.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

#include "anim/frm_anim.h"
#include "app/app.h"
#include "game/frm_main.h"
#include "game/prize_ladder.h"
#include "game/question_record.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/runtime.h"
#include "platform/timer.h"
#include "saves/frm_load.h"
#include "saves/frm_save.h"
#include "saves/save_slots.h"
#include "startup/frm_credits.h"
#include "startup/frm_menu.h"
#include "startup/frm_rules.h"
#include "startup/frm_splash.h"
#include "startup/frm_startup.h"
#include "startup/media_checklist.h"

namespace tolarka::soak {

namespace fs = std::filesystem;
using platform::Millis;
namespace keys = platform::keys;

namespace {

// Longest time the game screen may keep input locked while it is the active screen: the
// longest sequence (a phone call, then the pause before a top-level reveal) takes about a minute.
constexpr Millis kMaxLockedMs = 120'000;

const char* const kNames[] = {"Hráč", "Řehoř Žák", "Eva", "Ďáblice Ťuk", "Jan Novák"};

// A program directory of its own, removed afterwards.
class ProgramDir {
public:
    ProgramDir() {
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path dir = fs::temp_directory_path() / ("tolarka-soak-" + std::to_string(seed()));
            std::error_code ec;
            if (fs::create_directory(dir, ec)) path_ = dir;  // false for a name already taken
        }
        if (path_.empty()) throw std::runtime_error("no temporary directory");
    }
    ~ProgramDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ProgramDir(const ProgramDir&) = delete;
    ProgramDir& operator=(const ProgramDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

void WriteFile(const fs::path& p, const std::vector<unsigned char>& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// What tells a rewritten save from an untouched one: its time and its bytes.
struct SlotStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    fs::file_time_type written{};
    std::string bytes;
    bool operator==(const SlotStamp&) const = default;
};

SlotStamp StampOf(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(file, ec))) return {};
    SlotStamp stamp{true, fs::file_size(file, ec), fs::last_write_time(file, ec), {}};
    std::ifstream in(file, std::ios::binary);
    stamp.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return stamp;
}

// One run of the program, from the start-up screen until the player quits or the soak ends.
class Program {
public:
    Program(std::mt19937_64& rng, SoakReport& report, const SoakOptions& options)
        : rng_(rng), report_(report), options_(options) {
        MakeContent();
        backend_.DrawMessageBoxes(true);
        app_.MakeRandom = [this] {
            return [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); };
        };
        for (int slot = 1; slot <= kSlotCount; ++slot) slots_[slot] = StampOf(SlotPath(dir_.Path(), slot));
    }

    // Runs until the program ends or the soak has done enough.
    void Run(long long maxSteps) {
        backend_.At(backend_.Now() + 10, [this] { Step(); });
        app_.Start();
        while (!rt_.Ended() && report_.games < options_.games && report_.steps < maxSteps) {
            rt_.RunUntil(rt_.Now() + 60'000);
            // A screen left waiting for nothing (no timer, no input) still gets the next step.
            if (!stepScheduled_) backend_.At(backend_.Now() + 10, [this] { Step(); });
        }
        report_.virtualMs += rt_.Now();
    }

private:
    // --- the program directory ---
    void MakeContent() {
        std::uniform_int_distribution<int> letter(0, 3);
        std::uniform_int_distribution<int> percent(0, 99);
        for (int level = 1; level <= 15; ++level) {
            for (int n = 1; n <= 3; ++n) {
                QuestionRecord q;
                q.Text =
                    "Otázka " + std::to_string(level) + "/" + std::to_string(n) + ": která odpověď platí?";
                q.AnswerA = "první";
                q.AnswerB = "druhá";
                q.AnswerC = "třetí";
                q.AnswerD = "čtvrtá, ta nejdelší ze všech odpovědí";
                q.CorrectLetter = std::string(1, static_cast<char>('A' + letter(rng_)));
                q.Author = "Soak";
                q.Corrected = true;
                auto bytes = EncodeQuestionRecord(q);
                // Now and then a damaged file: a letter that names no answer, votes beyond any
                // percentage, or a file cut short.
                const int damage = percent(rng_);
                if (damage < 3) bytes[question_layout::kCorrectLetterOffset] = 'X';
                if (damage >= 3 && damage < 6) {
                    for (size_t i = 0; i < 8; ++i)
                        bytes[question_layout::kVotesOffset + i] = static_cast<unsigned char>(rng_());
                }
                if (damage == 6) bytes.resize(100);
                char name[32];
                std::snprintf(name, sizeof name, "qst/%02d-%03d.qst", level, n);
                WriteFile(dir_.Path() / name, bytes);
            }
        }
        for (int set = 1; set <= 5; ++set) {
            for (int n = 1; n <= 3; ++n) {
                char name[32];
                std::snprintf(name, sizeof name, "qst/F%d-%03d.qst", set, n);
                WriteFile(dir_.Path() / name, EncodeQuestionRecord(QuestionRecord{}));
            }
        }
        for (auto rel : kGraphicsChecklist) WriteFile(dir_.Path() / std::string(rel), {});
        for (auto rel : kSoundChecklist) WriteFile(dir_.Path() / std::string(rel), {});
    }

    // --- one step: the checks, then the player's next action ---
    void Step() {
        stepScheduled_ = false;
        ++report_.steps;
        ReadLog();
        CheckScreens();
        CheckGame();
        CheckSaves();
        Act();
        std::uniform_int_distribution<int> pause(20, 100);
        Millis delay = pause(rng_) * (Chance(0.15) ? 60 : 10);
        stepScheduled_ = true;
        backend_.At(backend_.Now() + delay, [this] { Step(); });
    }

    void Finding(const std::string& what) {
        if (report_.findings.size() >= 50) return;
        report_.findings.push_back("seed " + std::to_string(options_.seed) + ", program " +
                                   std::to_string(report_.programs) + ", " + std::to_string(backend_.Now()) +
                                   " ms: " + what);
    }

    std::vector<platform::Screen*> Screens() {
        return {&app_.StartUp(), &app_.Main(),    &app_.Anim(), &app_.Menu(), &app_.Splash(),
                &app_.Rules(),   &app_.Credits(), &app_.Save(), &app_.Load()};
    }

    // Media calls from the log: the last action on each channel.
    void ReadLog() {
        const auto& log = backend_.Log();
        for (const auto& line : log) {
            const auto space = line.find(' ');
            const std::string rest = line.substr(space + 1);
            const auto split = rest.find(' ');
            if (split == std::string::npos) continue;
            const std::string subject = rest.substr(0, split);
            const std::string verb = rest.substr(split + 1, rest.find(' ', split + 1) - split - 1);
            if (verb == "play" || verb == "stop" || verb == "file") channels_[subject] = verb;
        }
        backend_.ClearLog();
    }

    void CheckScreens() {
        for (platform::Screen* s : Screens()) {
            if (s->Loaded()) continue;
            for (const auto& t : s->Timers())
                if (t->Enabled()) Finding("timer " + t->Name() + " runs on the closed screen " + s->Name());
            const std::string prefix = s->Name() + ".";
            for (const auto& [channel, last] : channels_)
                if (last == "play" && channel.compare(0, prefix.size(), prefix) == 0)
                    Finding("channel " + channel + " plays on the closed screen " + s->Name());
        }
    }

    void CheckGame() {
        frmMain& m = app_.Main();
        const GameState& g = m.State;
        if (!m.Loaded()) {
            if (inGame_ && sessionLevel_ >= 1) EndOfGame(g);
            inGame_ = false;
            lockedSince_.reset();
            return;
        }
        if (!inGame_) {
            inGame_ = true;
            sessionLevel_ = 0;
            decidedAt_ = 0;
            prev_ = g;
        }
        if (g.Level < 0 || g.Level > kTopLevel || g.WonLevel < 0 || g.WonLevel > kTopLevel)
            Finding("level " + std::to_string(g.Level) + " / won level " + std::to_string(g.WonLevel) +
                    " out of range");
        if (sessionLevel_ == 0 && g.Level >= 1) {
            sessionLevel_ = g.Level;  // the first question of a new or restored game
        } else if (sessionLevel_ >= 1 && g.Level != prev_.Level) {
            if (g.Level != prev_.Level + 1) {
                Finding("level went from " + std::to_string(prev_.Level) + " to " + std::to_string(g.Level));
            } else if (decidedAt_ != 0) {
                Finding("the game went on to level " + std::to_string(g.Level) + " after it was decided");
            } else if (g.WonLevel != prev_.Level) {
                Finding("level " + std::to_string(g.Level) + " asked with won level " +
                        std::to_string(g.WonLevel));
            }
            report_.highestLevel = std::max(report_.highestLevel, g.Level);
        }
        if (g.Level >= 1 && g.OutOfCompetition && decidedAt_ == 0) decidedAt_ = g.Level;
        // Lifelines: each at most once per game, and only while available.
        if (sessionLevel_ >= 1 && prev_.Level >= 1) {
            const std::array<std::pair<bool, bool>, 3> flags = {
                std::pair{prev_.FiftyFiftyAvailable, g.FiftyFiftyAvailable},
                {prev_.AudienceAvailable, g.AudienceAvailable},
                {prev_.PhoneAvailable, g.PhoneAvailable}};
            static const char* const kLifeline[] = {"50:50", "audience", "phone"};
            for (size_t i = 0; i < flags.size(); ++i) {
                if (!flags[i].first && flags[i].second)
                    Finding(std::string(kLifeline[i]) + " became available again");
                if (flags[i].first && !flags[i].second) ++report_.lifelines;
            }
            if (g.Level == prev_.Level && g.FiftyFiftyApplied && !prev_.FiftyFiftyApplied &&
                !prev_.FiftyFiftyAvailable)
                Finding("50:50 applied while used up");
            if (g.Level == prev_.Level && g.AudienceAsked && !prev_.AudienceAsked && !prev_.AudienceAvailable)
                Finding("audience asked while used up");
        }
        // Input opens again, or the game ends, in bounded time.
        if (g.InputLocked && rt_.ActiveScreen() == &m) {
            if (!lockedSince_) lockedSince_ = backend_.Now();
            if (backend_.Now() - *lockedSince_ > kMaxLockedMs) {
                Finding("input locked for " + std::to_string(backend_.Now() - *lockedSince_) +
                        " ms at level " + std::to_string(g.Level));
                lockedSince_ = backend_.Now();
            }
        } else {
            lockedSince_.reset();
        }
        prev_ = g;
    }

    void EndOfGame(const GameState& g) {
        ++report_.games;
        if (decidedAt_ == 0) return;  // saved and left, or back to the menu on a message
        const int level = decidedAt_;
        const bool top = g.WonLevel == kTopLevel && level == kTopLevel;
        const bool wrong = g.WonLevel == WonLevelAfterWrongAnswer(level);
        const bool walked = g.WonLevel == level - 1;
        if (top)
            ++report_.topPrizes;
        else if (walked && !wrong)
            ++report_.walkAways;
        else if (wrong)
            ++report_.wrongAnswers;
        else
            Finding("game decided at level " + std::to_string(level) + " ended with won level " +
                    std::to_string(g.WonLevel));
    }

    void CheckSaves() {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const fs::path file = SlotPath(dir_.Path(), slot);
            const SlotStamp now = StampOf(file);
            if (now == slots_[slot]) continue;
            if (!now.exists) {
                ++report_.restores;
            } else {
                ++report_.savesWritten;
                const auto record = ReadSlot(dir_.Path(), slot);
                if (now.size != kSaveRecordSize || !record || !IsResumableLevel(record->ResumeLevel))
                    Finding("slot " + std::to_string(slot) + " written unreadable");
                else if (Trimmed(record->PlayerName) != Trimmed(app_.Menu().CurrentPlayerName))
                    Finding("slot " + std::to_string(slot) + " holds " + record->PlayerName + " instead of " +
                            app_.Menu().CurrentPlayerName);
            }
            slots_[slot] = now;
        }
        for (const char* sub : {"save", "logs"}) {
            std::error_code ec;
            for (fs::directory_iterator it(dir_.Path() / sub, ec), end; !ec && it != end; it.increment(ec))
                if (it->path().filename().string().find(".tmp") != std::string::npos)
                    Finding("temporary file left: " + it->path().filename().string());
        }
    }

    // --- the player ---
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    Millis Soon() { return backend_.Now() + 1; }
    void Key(int key) { backend_.KeyPress(Soon(), key); }
    void Click(int x, int y) { backend_.Click(Soon(), x, y); }
    void Anything() {
        if (Chance(0.5)) {
            static const int kKeys[] = {keys::kReturn, keys::kEscape, keys::kSpace, keys::kF5, keys::kF6,
                                        keys::kF7,     keys::kF10,    'A',          'B',       'C',
                                        'D',           'N',           keys::kBack};
            Key(kKeys[Pick(static_cast<int>(std::size(kKeys)))]);
        } else {
            Click(Pick(640), Pick(480));
        }
    }

    void Act() {
        platform::Screen* active = rt_.ActiveScreen();
        if (!active) return;
        if (active->IsDialog()) {
            ++report_.messageBoxes;
            static const int kAnswers[] = {keys::kReturn, keys::kEscape, 'A', 'N'};
            Key(kAnswers[Pick(4)]);
        } else if (active == &app_.Menu()) {
            ActOnMenu();
        } else if (active == &app_.Main()) {
            ActInGame();
        } else if (active == &app_.Save() || active == &app_.Load()) {
            const int r = Pick(10);
            if (r < 6)
                Click(320, 49 + 48 * Pick(kSlotCount) + 20);
            else if (r < 8)
                Key(Chance(0.5) ? 'A' : 'N');
            else if (r < 9)
                Key(keys::kEscape);
            else
                Anything();
        } else if (active == &app_.Credits()) {
            // The credits end the program; sometimes sit them out, mostly move on.
            if (Chance(0.3)) Anything();
        } else if (Chance(0.4)) {
            Anything();
        }
    }

    void ActOnMenu() {
        frmMenu& menu = app_.Menu();
        if (menu.picSetNew().Visible()) {
            if (Chance(0.9)) {
                for (int i = 0; i < 12; ++i) backend_.KeyPress(Soon(), keys::kBack);
                backend_.Type(Soon(), kNames[Pick(static_cast<int>(std::size(kNames)))]);
                backend_.KeyPress(Soon() + 1, keys::kReturn);
            } else {
                Anything();
            }
            return;
        }
        const int r = Pick(100);
        if (r < 55)
            Click(319, 165);  // new game
        else if (r < 85)
            Click(319, 215);  // continue a saved game
        else if (r < 87)
            Click(319, 265);  // the rules
        else if (r < 88)
            Click(319, 315);  // quit: the credits end the program
        else
            Anything();
    }

    void ActInGame() {
        frmMain& m = app_.Main();
        const GameState& g = m.State;
        if (g.InputLocked) {
            if (Chance(0.1)) Anything();
            return;
        }
        const int r = Pick(100);
        if (r < 60) {
            // Mostly the right answer, so that games climb the ladder.
            const std::string& right = g.Question.CorrectLetter;
            const bool knows = right.size() == 1 && right[0] >= 'A' && right[0] <= 'D' && Chance(0.88);
            Key(knows ? right[0] : 'A' + Pick(4));
        } else if (r < 72) {
            static const int kLifelines[] = {keys::kF5, keys::kF6, keys::kF7};
            Key(kLifelines[Pick(3)]);
        } else if (r < 78) {
            if (m.picMenu(0).Width() == 1035) Click(40, 17);            // open the menu
            backend_.Click(Soon() + 700, Chance(0.6) ? 140 : 300, 17);  // save, or walk away
        } else if (r < 80) {
            Key(keys::kF10);
        } else {
            Anything();
        }
    }

    std::mt19937_64& rng_;
    SoakReport& report_;
    const SoakOptions& options_;
    ProgramDir dir_;
    platform::headless::HeadlessBackend backend_;
    platform::Runtime rt_{backend_};
    App app_{rt_, dir_.Path().string(), ""};

    bool stepScheduled_ = false;
    std::map<std::string, std::string> channels_;
    std::array<SlotStamp, kSlotCount + 1> slots_{};
    bool inGame_ = false;
    int sessionLevel_ = 0;
    int decidedAt_ = 0;
    GameState prev_;
    std::optional<Millis> lockedSince_;
};

}  // namespace

SoakReport RunSoak(const SoakOptions& options) {
    SoakReport report;
    std::mt19937_64 rng(options.seed);
    const long long maxSteps = options.maxSteps > 0 ? options.maxSteps : 2000LL * std::max(options.games, 1);
    while (report.games < options.games && report.steps < maxSteps) {
        try {
            Program program(rng, report, options);
            program.Run(maxSteps);
        } catch (const std::exception& e) {
            report.findings.push_back("seed " + std::to_string(options.seed) + ", program " +
                                      std::to_string(report.programs) + ": " + e.what());
        }
        ++report.programs;
        if (report.findings.size() >= 50) break;
    }
    if (report.games < options.games)
        report.findings.push_back("only " + std::to_string(report.games) + " games in " +
                                  std::to_string(report.steps) + " steps");
    return report;
}

}  // namespace tolarka::soak
