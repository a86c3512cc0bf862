#include "game/prize_ladder.h"

#include <array>

namespace tolarka {

namespace {

constexpr std::array<const char*, kTopLevel> kAmounts = {
    "1.000 Kč",   "2.000 Kč",     "3.000 Kč",     "5.000 Kč",     "10.000 Kč",
    "20.000 Kč",  "40.000 Kč",    "80.000 Kč",    "160.000 Kč",   "320.000 Kč",
    "640.000 Kč", "1,250.000 Kč", "2,500.000 Kč", "5,000.000 Kč", "10,000.000 Kč",
};

}  // namespace

std::string AmountText(int level) {
    if (level < 1 || level > kTopLevel) return {};
    return kAmounts[static_cast<size_t>(level - 1)];
}

bool IsSafeLevel(int level) { return level == 5 || level == 10; }

int LevelBand(int level) {
    if (level <= 5) return 1;
    if (level <= 10) return 2;
    return 3;
}

int WonLevelAfterWrongAnswer(int level) { return (LevelBand(level) - 1) * 5; }

}  // namespace tolarka
