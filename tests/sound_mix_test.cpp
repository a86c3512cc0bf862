// Sounds that play at the same time never add up past full scale. Whole games are played on the
// headless backend; their media log says which generated sounds overlap and when, and those are
// summed sample by sample as the mixer sums them (16-bit, full channel volume), each loop at the
// phase where it adds the most.
#include <gtest/gtest.h>

#include <algorithm>
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

bool Loops(const std::string& file) {
    for (const auto& sound : sfxgen::Catalogue())
        if (sound.fileName == file) return sound.loop;
    return false;
}

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
        const bool loop = Loops(file);
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
// continued, the menu.
std::vector<std::string> PlayGames() {
    Player p;
    // To the top prize: 50:50 over the first band, audience over the second, phone over the third.
    p.StartGame("Alena");
    p.Lifeline(kF5);
    p.Climb(7);
    p.Lifeline(kF7);
    p.Climb(12);
    p.Lifeline(kF6);
    p.Climb(16);
    p.BackToMenu();
    // Audience and phone early, then a wrong answer at the top level.
    p.StartGame("Bohouš");
    p.Climb(3);
    p.Lifeline(kF7);
    p.Climb(4);
    p.Lifeline(kF6);
    p.Climb(15);
    p.Lifeline(kF5);
    p.AnswerWrong();
    p.BackToMenu();
    // A wrong answer in the first band; then one in the middle band after the audience there.
    p.StartGame("Cyril");
    p.Climb(2);
    p.AnswerWrong();
    p.BackToMenu();
    p.StartGame("Cyril");
    p.Climb(9);
    p.Lifeline(kF7);
    p.Lifeline(kF6);
    p.AnswerWrong();
    p.BackToMenu();
    // Saved after a right answer, continued from the menu, then walked away with.
    p.StartGame("Dana");
    p.Climb(6);
    p.UseGameMenu(true);
    p.Answer('B');
    p.ClickRow(2);
    p.BackToMenu();
    p.backend.Click(p.rt.Now() + 10, 319, 215);  // "Pokračovat ve hře"
    p.RunFor(100);
    p.ClickRow(2);
    p.WaitFor([&] { return p.Main().Visible(); });
    p.Climb(8);
    p.UseGameMenu(false);
    p.BackToMenu();
    return p.backend.Log();
}

class SoundMix : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef TOLARKA_SFX_GENERATED
        GTEST_SKIP() << "sounds are not generated in this build (TOLARKA_CONTENT=OFF)";
#endif
    }
};

TEST_F(SoundMix, EveryOverlapInWholeGamesSumsWithinFullScale) {
    std::set<std::string> files;
    for (const Overlap& o : OverlapsOf(SegmentsFromLog(PlayGames()))) {
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
