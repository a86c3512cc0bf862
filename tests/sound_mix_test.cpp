// Sounds that play at the same time never add up past full scale. Whole games are played on the
// headless backend; their media log says which generated sounds overlap and when, and those are
// summed sample by sample as the mixer sums them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "save_world.h"
#include "tests/media_log_mix.h"
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
        for (int i = 0; i < 600 && Main().State.InputLocked; ++i) RunFor(100);
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
        for (int i = 0; i < 600 && !Menu().Visible(); ++i) RunFor(100);
        RunFor(3000);
    }
};

std::map<std::string, std::vector<std::int16_t>>& Sounds() {
    static std::map<std::string, std::vector<std::int16_t>> loaded;
    return loaded;
}

const std::vector<std::int16_t>* SamplesOf(const std::string& file) {
    auto& sounds = Sounds();
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

SoundFacts GeneratedSounds() {
    SoundFacts facts;
    facts.lengthMs = [](const std::string& file) -> std::optional<long long> {
        if (file.size() < 4 || file.substr(file.size() - 4) != ".wav") return std::nullopt;
        const auto* s = SamplesOf(file);
        if (!s) return std::nullopt;
        return static_cast<long long>(s->size()) * 1000 / 44100;
    };
    facts.loops = [](const std::string& file) {
        for (const auto& sound : sfxgen::Catalogue())
            if (sound.fileName == file) return sound.loop;
        return false;
    };
    return facts;
}

// Games that between them reach every sound: every reveal band right and wrong, each lifeline
// over each band's music, the save horn, walking away, a saved game continued, the menu.
std::vector<std::vector<std::string>> PlayGames() {
    std::vector<std::vector<std::string>> logs;
    {  // To the top prize: 50:50 over the first band, audience over the second, phone over the third.
        Player p;
        p.StartGame("Alena");
        p.Lifeline(kF5);
        p.Climb(7);
        p.Lifeline(kF7);
        p.Climb(12);
        p.Lifeline(kF6);
        p.Climb(16);
        p.BackToMenu();
        logs.push_back(p.backend.Log());
    }
    {  // Audience and phone early, then a wrong answer at the top level.
        Player p;
        p.StartGame("Bohouš");
        p.Climb(3);
        p.Lifeline(kF7);
        p.Climb(4);
        p.Lifeline(kF6);
        p.Climb(15);
        p.Lifeline(kF5);
        p.AnswerWrong();
        p.BackToMenu();
        logs.push_back(p.backend.Log());
    }
    {  // A wrong answer in the first band; then one in the middle band after the audience there.
        Player p;
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
        logs.push_back(p.backend.Log());
    }
    {  // Saved after a right answer, continued from the menu, then walked away with.
        Player p;
        p.StartGame("Dana");
        p.Climb(6);
        p.UseGameMenu(true);
        p.Answer('B');
        p.ClickRow(2);
        p.BackToMenu();
        p.backend.Click(p.rt.Now() + 10, 319, 215);  // "Pokračovat ve hře"
        p.RunFor(100);
        p.ClickRow(2);
        for (int i = 0; i < 100 && !p.Main().Visible(); ++i) p.RunFor(100);
        p.Climb(8);
        p.UseGameMenu(false);
        p.BackToMenu();
        logs.push_back(p.backend.Log());
    }
    return logs;
}

const std::vector<Overlap>& OverlapsInGames() {
    static const std::vector<Overlap> all = [] {
        std::vector<Overlap> out;
        for (const auto& log : PlayGames())
            for (const Overlap& o : OverlapsOf(SegmentsFromLog(log, GeneratedSounds()))) out.push_back(o);
        return out;
    }();
    return all;
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
    std::map<std::string, std::pair<int, int>> loudest;  // as the games played it, at the worst loop phase
    std::set<std::string> files;
    for (const Overlap& o : OverlapsInGames()) {
        for (const auto& s : o.members) files.insert(s.file);
        const MixResult r = MixOverlap(o, SamplesOf);
        EXPECT_EQ(r.clipped, 0) << o.Key() << " from " << o.from << " ms";
        // A loop has run for as long as the player thought: any of its points may meet the rest.
        const bool withLoop =
            std::any_of(o.members.begin(), o.members.end(), [](const Segment& s) { return s.loop; });
        const int worst = withLoop ? WorstOverLoopPhases(o, SamplesOf) : r.peak;
        EXPECT_LE(worst, 32767) << o.Key() << ": clips at some loop phase";
        auto& [played, anyPhase] = loudest[o.Key()];
        played = std::max(played, r.peak);
        anyPhase = std::max(anyPhase, worst);
    }
    // The games reached the overlaps that matter: stings and cues over the music, a sting into
    // the clip that follows it, the save horn over a sting.
    for (const char* f :
         {"bgm1.wav", "bgm2.wav", "bgm3.wav", "r1.wav", "r2.wav", "zb.wav", "w1.wav", "w23.wav", "w4.wav",
          "ex.wav", "50-50.wav", "tel-end.wav", "klakson.wav", "lights2.wav"})
        EXPECT_TRUE(files.count(f)) << f << " overlaps nothing in the games played";

    // The loudest sums, for a look at their waveforms.
    std::vector<std::pair<std::pair<int, int>, std::string>> byPeak;
    for (const auto& [key, peaks] : loudest) byPeak.emplace_back(peaks, key);
    std::sort(byPeak.rbegin(), byPeak.rend());
    const auto db = [](int peak) { return 20.0 * std::log10(peak / 32768.0); };
    for (const auto& [peaks, key] : byPeak)
        std::printf("%6.1f dBFS as played, %6.1f at worst  %s\n", db(peaks.first), db(peaks.second),
                    key.c_str());
}

}  // namespace
