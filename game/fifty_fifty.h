#pragma once
#include <array>
#include <string>

#include "game/random_source.h"

namespace tolarka {

// The two answers the 50:50 removes, as indices 0..3 (A..D): the first drawn uniformly among
// the three wrong answers, the second among the two wrong ones left. With a correct letter
// other than "A".."D" any two different answers go. A source that keeps missing (a broken or
// scripted one) cannot hang the game: after a bounded number of draws the lowest acceptable
// answer is taken.
std::array<int, 2> DrawFiftyFifty(const std::string& correctLetter, const UniformSource& uniform);

}  // namespace tolarka
