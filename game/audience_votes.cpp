#include "game/audience_votes.h"

#include <algorithm>
#include <cmath>

namespace tolarka {

int RoundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }

namespace {
struct Band {
    int base;
    int spread;
};
Band BandFor(int level) {
    static constexpr Band kTable[] = {{92, 6},  {85, 8},  {80, 10}, {68, 17}, {60, 20}, {50, 22}, {40, 20},
                                      {32, 20}, {25, 20}, {25, 20}, {23, 15}, {21, 15}, {20, 15}};
    if (level < 1) level = 1;
    if (level > 13) level = 13;
    return kTable[level - 1];
}
}  // namespace

Votes DrawAudienceVotes(int level, const std::string& correctLetter, const Votes& votes,
                        const std::function<double()>& uniform) {
    if (correctLetter.size() != 1 || correctLetter[0] < 'A' || correctLetter[0] > 'D') return votes;
    const Band band = BandFor(level);
    const int p = RoundHalfEven(band.spread * uniform() + band.base);
    const int q = (100 - p) / 4;
    const int r = 100 - p - 3 * q;
    const int x1 = static_cast<int>(r * uniform());
    const int x2 = static_cast<int>((r - x1) * uniform());
    const int x3 = r - x1 - x2;
    // Receivers of P, x1, x2, x3 by correct letter.
    static constexpr int kOrder[4][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {2, 1, 0, 3}, {3, 2, 1, 0}};
    const int* order = kOrder[correctLetter[0] - 'A'];
    Votes out{};
    out[static_cast<size_t>(order[0])] = static_cast<std::int16_t>(p);
    out[static_cast<size_t>(order[1])] = static_cast<std::int16_t>(q + x1);
    out[static_cast<size_t>(order[2])] = static_cast<std::int16_t>(q + x2);
    out[static_cast<size_t>(order[3])] = static_cast<std::int16_t>(q + x3);
    return out;
}

Votes DisplayedVotes(const Votes& votes, bool fiftyFiftyApplied, const std::array<bool, 4>& remaining) {
    // A damaged file's votes are any 16-bit numbers: the graph keeps within 0..100 per cent.
    auto shown = [](int v) { return static_cast<std::int16_t>(std::clamp(v, 0, 100)); };
    Votes out{};
    for (size_t i = 0; i < 4; ++i) out[i] = shown(votes[i]);
    if (!fiftyFiftyApplied) return out;
    static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 3}, {1, 2}, {2, 3}};
    for (const auto& pair : kPairs) {
        const auto a = static_cast<size_t>(pair[0]), b = static_cast<size_t>(pair[1]);
        if (!remaining[a] || !remaining[b]) continue;
        int removed = 0;
        for (size_t i = 0; i < 4; ++i)
            if (i != a && i != b) removed += votes[i];
        out = Votes{};
        out[a] = shown(votes[a] + RoundHalfEven(removed / 2.0 - 0.1));
        out[b] = shown(votes[b] + RoundHalfEven(removed / 2.0 + 0.1));
        return out;
    }
    return out;
}

}  // namespace tolarka
