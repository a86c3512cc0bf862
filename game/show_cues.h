#pragma once
#include <array>

#include "anim/clip.h"
#include "game/game_state.h"
#include "platform/clock.h"

namespace tolarka {

// The question cycle's timings, sounds, music and clips as tables. The show director
// (game/show_director.h) reads them; nothing else decides what plays when.

// How a right answer at a level ends.
enum class RightClip {
    Small,      // r1.avi with the amount
    Milestone,  // a safe level: r23.avi at rate 0.8, the start lights after 4.5 s
    Lights,     // r23.avi, then the band's lights with their sound every 3 s
    TopPrize,   // r4.avi, then the menu
};

// One level's cues. Sounds and tracks are files in sfx/, clips in gfx/.
struct LevelCues {
    platform::Millis pause;  // from the pick to the reveal
    const char* rightSound;  // the reveal of a right answer
    const char* wrongSound;  // the reveal of a wrong one
    const char* music;       // the band's track, repeating while the question is up
    const char* studioClip;  // the band's clip above the question, played at the reveal
    bool startsMusic;  // the track starts with this level's question (else only when a game resumes here)
    bool pickSound;    // the pick plays sel.wav and stops the music
    bool musicThroughReveal;  // a right reveal leaves the track playing
    RightClip clip;
    const char* lights;              // the lights of a Lights clip
    platform::Millis wrongHandOver;  // from a wrong reveal to the clip
};

// Rows 1 to 15; row 0 is never read.
extern const std::array<LevelCues, 16> kLevelCues;
// The row of `level`, held to 1..15.
const LevelCues& CuesOf(int level);

// The parts of the cycle that are the same at every level.
constexpr platform::Millis kBuildUpStep = 1000;            // the question at once, answers A..D at steps 2..5
constexpr platform::Millis kBlinkStep = 350;               // right answer: green, orange, green
constexpr platform::Millis kRightHandOver = 1500;          // from the last blink to the clip
constexpr platform::Millis kOutOfCompetitionPause = 3500;  // a guess after walking away
constexpr const char* kPickSound = "sel.wav";
constexpr const char* kSaveHorn = "klakson.wav";

// The clips. The answer clips read the game as it stands when the clip starts.
Clip RightAnswerClip(const GameState& game);
Clip ExitClip(const GameState& game);  // every other end of a game, and a guess after walking away
Clip StartClip();                      // a new or a loaded game
Clip AudienceClip(const std::array<GraphBar, 4>& bars);
Clip PhoneClip();

}  // namespace tolarka
