#include "game/fifty_fifty.h"

namespace tolarka {

namespace {
constexpr int kMaxDraws = 10000;

int DrawExcluding(int a, int b, const UniformSource& uniform) {
    for (int i = 0; i < kMaxDraws; ++i) {
        const int k = DrawFrom(uniform(), 4) - 1;
        if (k >= 0 && k < 4 && k != a && k != b) return k;
    }
    for (int k = 0; k < 4; ++k)
        if (k != a && k != b) return k;
    return 0;
}
}  // namespace

std::array<int, 2> DrawFiftyFifty(const std::string& correctLetter, const UniformSource& uniform) {
    const int correct = correctLetter.size() == 1 && correctLetter[0] >= 'A' && correctLetter[0] <= 'D'
                            ? correctLetter[0] - 'A'
                            : -1;
    const int first = DrawExcluding(correct, -1, uniform);
    const int second = DrawExcluding(correct, first, uniform);
    return {first, second};
}

}  // namespace tolarka
