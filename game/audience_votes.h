#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tolarka {

using Votes = std::array<std::int16_t, 4>;

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double x);

// Draws the studio audience's votes for a question: the correct answer's share grows surer at
// low levels, the rest is split among the wrong answers in an order fixed by the correct letter.
// A correct letter other than "A".."D" leaves `votes` as they are. `uniform` gives [0, 1).
Votes DrawAudienceVotes(int level, const std::string& correctLetter, const Votes& votes,
                        const std::function<double()>& uniform);

// What the graph shows: after a 50:50 the two removed answers' votes go to the two that remain
// (floor of half to the first in alphabetical order, ceiling to the second), the removed ones
// show 0. `remaining` says which answers are still on screen. Every value shown lies within
// 0..100, whatever a damaged file holds.
Votes DisplayedVotes(const Votes& votes, bool fiftyFiftyApplied, const std::array<bool, 4>& remaining);

}  // namespace tolarka
