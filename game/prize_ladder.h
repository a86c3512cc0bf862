#pragma once
#include <string>

namespace tolarka {

constexpr int kTopLevel = 15;

// The prize text of a level 1..15 as the ladder writes it ("1.000 Kč" … "10,000.000 Kč");
// empty for any other value, so it adds nothing when joined to a text.
std::string AmountText(int level);

// Levels 5 and 10: a wrong answer later in the game falls back to them.
bool IsSafeLevel(int level);

// Band 1 = levels 1..5, 2 = 6..10, 3 = 11..15 (music, clips and fall-back amounts follow it).
// Levels below 1 count as band 1, above 15 as band 3.
int LevelBand(int level);

// The won level after a wrong answer at `level`: the last safe level passed (0, 5 or 10).
int WonLevelAfterWrongAnswer(int level);

}  // namespace tolarka
