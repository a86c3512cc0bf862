#pragma once
#include <array>
#include <string>
#include <vector>

#include "game/audience_votes.h"
#include "game/random_source.h"

namespace tolarka {

// What the friend on the phone is told and knows: the question on screen, the answers still
// showing, and the audience votes the friend's pick is drawn from.
struct PhoneCallQuestion {
    int Level = 1;
    std::string Text;                    // as read; trimmed here
    std::array<std::string, 4> Answers;  // A..D, as read
    Votes AudienceVotes{};
    bool FiftyFiftyApplied = false;
    std::array<bool, 4> OnScreen{true, true, true, true};  // answer labels still visible
};

// The whole call, decided before it is typed out.
struct PhoneCall {
    std::string FriendAnswer;       // "B: text"
    std::string FriendAlternative;  // a second answer, only drawn for the two-answer sentence
    std::string FriendSentence;
    std::string PhoneTranscript;  // question, options, twelve spaces, sentence; CR LF between
    bool Knows = false;           // the friend names an answer
    int Sentence = 0;             // row 1..9 of the sentence table used
};

// Decides the call. The friend refuses with probability level / 18; otherwise names an answer
// drawn with the probabilities of the audience votes, never one the 50:50 removed. Draws come
// from `uniform`, in this order: the pick (again while it falls on a removed answer), the
// alternative (while it repeats the pick), then the certainty and the sentence row.
PhoneCall PreparePhoneCall(const PhoneCallQuestion& q, const UniformSource& uniform);

// The transcript as the units typed one per tick: one character (code point) each, so a line
// break is two units (CR, then LF).
std::vector<std::string> TypingUnits(const std::string& transcript);

// Typing timing: one unit per tick; the call ends five ticks after the last unit, or when the
// limit runs out first; input comes back after the closing pause.
constexpr int kPhoneTypingTickMs = 62;
constexpr int kPhoneTicksAfterText = 5;
constexpr int kPhoneCallLimitMs = 30000;
constexpr int kPhoneClosingPauseMs = 1300;

}  // namespace tolarka
