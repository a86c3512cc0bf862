#include "tools/sfxgen/loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

namespace tolarka::sfxgen {

namespace {

struct StateFreer {
    void operator()(ebur128_state* st) const { ebur128_destroy(&st); }
};

constexpr unsigned long kShortTermMs = 3000;
constexpr std::size_t kStepFrames = kRate / 10;  // short-term loudness is read every 100 ms

double ToDb(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -70.0; }
float FromDb(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }

// Rounding to 16 bits and the measurement's own inexactness must not push a sound over the
// ceiling: aim a little below it.
constexpr double kCeilingMarginDb = 0.3;

}  // namespace

double TargetLufs(Role role) { return role == Role::Bed ? kBedLufs : kStingLufs; }

double TruePeakCeilingDb(bool loop) { return loop ? kLoopTruePeakDb : kTruePeakDb; }

std::string_view RoleName(Role role) {
    switch (role) {
        case Role::Bed: return "bed";
        case Role::Sting: return "sting";
        case Role::ShortCue: return "short cue";
    }
    return "";
}

Loudness Measure(const Samples& s, bool loop) {
    Loudness out;
    if (s.empty()) return out;
    Samples input = s;
    if (loop) input.insert(input.end(), s.begin(), s.end());
    std::unique_ptr<ebur128_state, StateFreer> st(
        ebur128_init(1, kRate, EBUR128_MODE_I | EBUR128_MODE_S | EBUR128_MODE_TRUE_PEAK));
    if (!st) return out;
    const unsigned long lengthMs = static_cast<unsigned long>(s.size() * 1000 / kRate);
    // Short-term mode keeps the last 3 s, enough for any shorter window.
    const unsigned long window = std::clamp(lengthMs, 400ul, kShortTermMs);
    double loudest = -HUGE_VAL;
    for (std::size_t at = 0; at < input.size(); at += kStepFrames) {
        const std::size_t n = std::min(kStepFrames, input.size() - at);
        ebur128_add_frames_float(st.get(), input.data() + at, n);
        double w = 0.0;
        if (ebur128_loudness_window(st.get(), window, &w) == EBUR128_SUCCESS) loudest = std::max(loudest, w);
    }
    double integrated = 0.0, peak = 0.0;
    if (ebur128_loudness_global(st.get(), &integrated) == EBUR128_SUCCESS && std::isfinite(integrated))
        out.integratedLufs = integrated;
    if (std::isfinite(loudest)) out.maxShortTermLufs = loudest;
    if (ebur128_true_peak(st.get(), 0, &peak) == EBUR128_SUCCESS) out.truePeakDb = ToDb(peak);
    return out;
}

void LimitPeaks(Samples& s, float ceiling, bool loop) {
    const std::size_t n = s.size();
    if (n == 0 || ceiling <= 0.0f) return;
    const std::size_t look = static_cast<std::size_t>(kRate / 500);  // 2 ms
    const float release = 1.0f - std::exp(-1.0f / (0.060f * static_cast<float>(kRate)));
    // The gain each sample needs on its own.
    std::vector<float> need(n);
    for (std::size_t i = 0; i < n; ++i) {
        const float a = std::abs(s[i]);
        need[i] = a > ceiling ? ceiling / a : 1.0f;
    }
    // A loop wraps round; a one-shot has silence (no need to lower anything) beyond its ends.
    auto needAt = [&](std::ptrdiff_t i) {
        if (loop)
            return need[static_cast<std::size_t>(
                (i % static_cast<std::ptrdiff_t>(n) + static_cast<std::ptrdiff_t>(n)) %
                static_cast<std::ptrdiff_t>(n))];
        return i < 0 || i >= static_cast<std::ptrdiff_t>(n) ? 1.0f : need[static_cast<std::size_t>(i)];
    };
    // The smallest need over the next `look` samples, then averaged over the last `look`: the
    // gain is down, gradually, by the time a peak arrives, and never above what the peak needs.
    const auto first = -static_cast<std::ptrdiff_t>(look);
    const auto last = static_cast<std::ptrdiff_t>(n);
    std::vector<float> ahead(static_cast<std::size_t>(last - first));
    std::deque<std::ptrdiff_t> window;  // indices of increasing need: a sliding minimum
    std::ptrdiff_t next = first;
    for (std::ptrdiff_t i = first; i < last; ++i) {
        while (next <= i + static_cast<std::ptrdiff_t>(look)) {
            while (!window.empty() && needAt(window.back()) >= needAt(next)) window.pop_back();
            window.push_back(next++);
        }
        while (window.front() < i) window.pop_front();
        ahead[static_cast<std::size_t>(i - first)] = needAt(window.front());
    }
    std::vector<float> gain(n);
    double sum = 0.0;
    for (std::size_t k = 0; k < look; ++k) sum += ahead[k];
    for (std::size_t i = 0; i < n; ++i) {
        sum += ahead[i + look];
        gain[i] = static_cast<float>(sum / static_cast<double>(look + 1));
        sum -= ahead[i];
    }
    // Slow recovery; a loop goes round twice so that its start recovers from its end.
    float g = loop ? gain[n - 1] : 1.0f;
    for (int round = 0; round < (loop ? 2 : 1); ++round) {
        for (std::size_t i = 0; i < n; ++i) {
            g = std::min(gain[i], g + (1.0f - g) * release);
            if (round + 1 == (loop ? 2 : 1)) s[i] *= g;
        }
    }
}

void LevelForRole(Samples& s, Role role, bool loop) {
    const double ceilingDb = TruePeakCeilingDb(loop) - kCeilingMarginDb;
    const Samples original = s;
    // The limiter takes a little loudness away: aim again at the target a few times.
    double gainDb = TargetLufs(role) - Measure(original, loop).ForRole(role);
    for (int attempt = 0; attempt < 6; ++attempt) {
        s = original;
        const float gain = FromDb(gainDb);
        for (float& x : s) x *= gain;
        // Sample peaks lie below true peaks: while the true peak is over the ceiling, limit the
        // samples to a ceiling lowered by as much as it overshoots.
        float sampleCeiling = FromDb(ceilingDb);
        for (int pass = 0; pass < 8; ++pass) {
            const double overshoot = Measure(s, loop).truePeakDb - ceilingDb;
            if (overshoot <= 0.0) break;
            if (pass > 0) sampleCeiling *= FromDb(-overshoot - 0.05);
            LimitPeaks(s, sampleCeiling, loop);
        }
        const double error = TargetLufs(role) - Measure(s, loop).ForRole(role);
        if (std::abs(error) < 0.1) break;
        gainDb += error;
    }
}

}  // namespace tolarka::sfxgen
