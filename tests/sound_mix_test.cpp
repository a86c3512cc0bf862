// Sounds that play at the same time never add up past full scale. Whole games are played on the
// headless backend; their media log says which generated sounds overlap and when, and those are
// summed sample by sample as the mixer sums them (16-bit, full channel volume), each loop at the
// phase where it adds the most.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "save_world.h"
#include "tests/sfx_wav.h"
#include "tools/sfxgen/catalogue.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kF5;
using platform::keys::kF6;
using platform::keys::kF7;

namespace {

// A player going through whole games, each step as the player would take it.
struct Player : SaveWorld {
    void WaitForInput() {
        WaitFor([&] { return !Main().State.InputLocked; }, 600);
    }
    // Picks `letter` and runs until the next question, the save screen or the menu is up.
    void Answer(char letter) {
        WaitForInput();
        const int level = Main().State.Level;
        Key(letter);
        for (int i = 0; i < 600; ++i) {
            RunFor(100);
            if (Save().Visible() || Menu().Visible()) break;
            if (Main().Visible() && Main().State.Level != level && !Main().State.InputLocked) break;
        }
    }
    // Picks a wrong answer still on offer.
    void AnswerWrong() {
        WaitForInput();
        const char correct = Main().State.Question.CorrectLetter.at(0);
        for (int i = 0; i < 4; ++i)
            if ('A' + i != correct && Main().lblAnswer(i).Visible())
                return Answer(static_cast<char>('A' + i));
    }
    void Climb(int toLevel) {
        while (Main().Visible() && Main().State.Level < toLevel) Answer('B');
    }
    // A lifeline by its key; waits until the question takes answers again.
    void Lifeline(int key) {
        WaitForInput();
        Key(key);
        RunFor(key == kF6 ? 36000 : key == kF7 ? 17000 : 2000);
        WaitForInput();
    }
    void BackToMenu() {
        WaitFor([&] { return Menu().Visible(); }, 600);
        RunFor(3000);
    }
};

const std::vector<std::int16_t>* SamplesOf(const std::string& file) {
    static std::map<std::string, std::vector<std::int16_t>> sounds;
    if (auto it = sounds.find(file); it != sounds.end()) return &it->second;
    const auto wav = LoadSound(file);
    if (!wav) return nullptr;
    // Mixed at 44.1 kHz: a sound stored at half that rate is brought up to it, as the mixer does.
    std::vector<std::int16_t>& frames = sounds[file];
    if (wav->rate == 44100 / 2) {
        for (std::size_t i = 0; i < wav->frames.size(); ++i) {
            const int here = wav->frames[i];
            const int next = wav->frames[(i + 1) % wav->frames.size()];  // a loop wraps round
            frames.push_back(static_cast<std::int16_t>(here));
            frames.push_back(static_cast<std::int16_t>((here + next) / 2));
        }
    } else {
        frames = wav->frames;
    }
    return &frames;
}

// A sound played on one channel from `start` until `end` (ms of the game's clock).
struct Segment {
    std::string file;  // without its directory
    long long start = 0, end = 0;
    bool loop = false;
};

// Lines "<ms> <screen>.<view> file|play|stop [path]" and "<ms> system sound <path>": a file set
// or played again ends what its channel played, a one-shot ends by itself, and whatever still
// plays at the last line ends there.
std::vector<Segment> SegmentsFromLog(const std::vector<std::string>& log) {
    std::vector<Segment> done;
    std::map<std::string, std::string> fileOf;  // channel -> file set last
    std::map<std::string, Segment> playing;
    long long last = 0;
    const auto finish = [&](const std::string& channel, long long t) {
        if (auto it = playing.find(channel); it != playing.end()) {
            it->second.end = std::min(it->second.end, t);
            if (it->second.end > it->second.start) done.push_back(it->second);
            playing.erase(it);
        }
    };
    const auto start = [&](const std::string& channel, const std::string& path, long long t) {
        finish(channel, t);
        const std::string file = path.substr(path.find_last_of('/') + 1);
        const auto* samples = file.ends_with(".wav") ? SamplesOf(file) : nullptr;
        if (!samples) return;
        const bool loop = std::ranges::any_of(
            sfxgen::Catalogue(), [&](const auto& sound) { return sound.fileName == file && sound.loop; });
        const long long length = static_cast<long long>(samples->size()) * 1000 / 44100;
        playing[channel] = {file, t, loop ? std::numeric_limits<long long>::max() : t + length, loop};
    };
    for (const std::string& line : log) {
        std::istringstream words(line);
        long long t = 0;
        std::string channel, verb, path;
        if (!(words >> t >> channel >> verb)) continue;
        std::getline(words >> std::ws, path);
        last = std::max(last, t);
        if (channel == "system" && verb == "sound") {
            start("system", path, t);
        } else if (verb == "file") {
            finish(channel, t);
            fileOf[channel] = path;
        } else if (verb == "play") {
            start(channel, fileOf[channel], t);
        } else if (verb == "stop") {
            finish(channel, t);
        }
    }
    while (!playing.empty()) finish(playing.begin()->first, last);
    return done;
}

// Sounds heard together from `from` to `to`.
struct Overlap {
    std::vector<Segment> members;
    long long from = 0, to = 0;
    std::string Name() const {
        std::string name = "from " + std::to_string(from) + " ms:";
        for (const Segment& s : members) name += " " + s.file;
        return name;
    }
};

// Every stretch of time in which two or more segments play, split where the set changes.
std::vector<Overlap> OverlapsOf(const std::vector<Segment>& segments) {
    std::set<long long> cuts;
    for (const Segment& s : segments) cuts.insert({s.start, s.end});
    std::vector<Overlap> out;
    for (auto it = cuts.begin(); it != cuts.end() && std::next(it) != cuts.end(); ++it) {
        Overlap o{{}, *it, *std::next(it)};
        for (const Segment& s : segments)
            if (s.start <= o.from && s.end >= o.to) o.members.push_back(s);
        if (o.members.size() >= 2) out.push_back(o);
    }
    return out;
}

// The largest magnitude the overlap reaches whatever the phase of its loops (a loop has run for
// as long as the player thought): the one-shots summed sample by sample as they play together
// at 44.1 kHz, plus each loop's own largest swing in the same direction.
int WorstSum(const Overlap& o) {
    constexpr long long kPerTenMs = 441;
    int loopUp = 0, loopDown = 0, up = 0, down = 0;
    std::vector<std::pair<const std::vector<std::int16_t>*, long long>> oneShots;  // samples, first
    for (const Segment& s : o.members) {
        if (!s.loop) {
            oneShots.emplace_back(SamplesOf(s.file), s.start * kPerTenMs / 10);
            continue;
        }
        for (std::int16_t x : *SamplesOf(s.file)) {
            loopUp = std::max<int>(loopUp, x);
            loopDown = std::min<int>(loopDown, x);
        }
    }
    for (long long i = o.from * kPerTenMs / 10; i < o.to * kPerTenMs / 10; ++i) {
        int sum = 0;
        for (const auto& [samples, first] : oneShots)
            if (i >= first && i - first < static_cast<long long>(samples->size()))
                sum += (*samples)[static_cast<std::size_t>(i - first)];
        up = std::max(up, sum);
        down = std::min(down, sum);
    }
    return std::max(up + loopUp, -(down + loopDown));
}

// Games one after another that between them reach every sound: every reveal band right and
// wrong, each lifeline over each band's music, the save horn, walking away, a saved game
// continued, the menu. A word a step: a name starts a game, a number climbs to that level, F5, F6
// and F7 take a lifeline, "B" answers B, "wrong" a wrong answer, "save" and "quit" are the
// game's menu, "slot" clicks the third slot row, "continue" the menu's "Pokračovat ve hře",
// "play" waits for the game screen and "menu" for the menu.
const char* const kGames[] = {
    // To the top prize: 50:50 over the first band, audience over the second, phone over the third.
    "Alena F5 7 F7 12 F6 16 menu",
    // Audience and phone early, then a wrong answer at the top level.
    "Bohouš 3 F7 4 F6 15 F5 wrong menu",
    // A wrong answer in the first band; then one in the middle band after the audience there.
    "Cyril 2 wrong menu Cyril 9 F7 F6 wrong menu",
    // Saved after a right answer, continued from the menu, then walked away with.
    "Dana 6 save B slot menu continue slot play 8 quit menu",
};

TEST(SoundMix, EveryOverlapInWholeGamesSumsWithinFullScale) {
#ifndef TOLARKA_SFX_GENERATED
    GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    Player p;
    const std::map<std::string, std::function<void()>> steps = {
        {"F5", [&] { p.Lifeline(kF5); }},
        {"F6", [&] { p.Lifeline(kF6); }},
        {"F7", [&] { p.Lifeline(kF7); }},
        {"B", [&] { p.Answer('B'); }},
        {"wrong", [&] { p.AnswerWrong(); }},
        {"save", [&] { p.UseGameMenu(true); }},
        {"quit", [&] { p.UseGameMenu(false); }},
        {"slot", [&] { p.ClickRow(2); }},
        {"continue", [&] { p.Continue(), p.RunFor(100); }},
        {"play", [&] { p.WaitFor([&] { return p.Main().Visible(); }); }},
        {"menu", [&] { p.BackToMenu(); }}};
    for (const char* game : kGames) {
        std::istringstream words(game);
        for (std::string w; words >> w;) {
            if (const auto step = steps.find(w); step != steps.end()) {
                step->second();
            } else if (std::isdigit(static_cast<unsigned char>(w[0]))) {
                p.Climb(std::stoi(w));
            } else {
                p.StartGame(w);
            }
        }
    }
    std::set<std::string> files;
    for (const Overlap& o : OverlapsOf(SegmentsFromLog(p.backend.Log()))) {
        for (const auto& s : o.members) files.insert(s.file);
        EXPECT_LE(WorstSum(o), 32767) << o.Name();
    }
    // The games reached the overlaps that matter: stings and cues over the music, a sting into
    // the clip that follows it, the save horn over a sting.
    for (const char* f :
         {"bgm1.wav", "bgm2.wav", "bgm3.wav", "r1.wav", "r2.wav", "zb.wav", "w1.wav", "w23.wav", "w4.wav",
          "ex.wav", "50-50.wav", "tel-end.wav", "klakson.wav", "lights2.wav"})
        EXPECT_TRUE(files.count(f)) << f << " overlaps nothing in the games played";
}

}  // namespace
