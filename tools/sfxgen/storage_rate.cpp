#include "tools/sfxgen/storage_rate.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace tolarka::sfxgen {

namespace {

// Windowed-sinc low-pass (Blackman), 10 kHz at 44.1 kHz: flat below 9 kHz and more than
// 70 dB down from 11 kHz, so decimating by two folds nothing audible back.
constexpr int kTaps = 127;
constexpr double kCutoffHz = 10000.0;

std::vector<double> LowPassKernel() {
    std::vector<double> h(kTaps);
    const int mid = kTaps / 2;
    const double fc = kCutoffHz / kRate;
    double sum = 0.0;
    for (int i = 0; i < kTaps; ++i) {
        const int n = i - mid;
        const double sinc =
            n == 0 ? 2.0 * fc : std::sin(2.0 * std::numbers::pi * fc * n) / (std::numbers::pi * n);
        const double w = 0.42 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (kTaps - 1)) +
                         0.08 * std::cos(4.0 * std::numbers::pi * i / (kTaps - 1));
        h[i] = sinc * w;
        sum += h[i];
    }
    for (double& v : h) v /= sum;  // unity gain at 0 Hz
    return h;
}

// Zero-phase filtering: the output lines up with the input. A loop wraps round its seam; a
// one-shot sees silence beyond its ends.
std::vector<double> LowPass(const Samples& s, bool loop) {
    static const std::vector<double> h = LowPassKernel();
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(s.size());
    const std::ptrdiff_t mid = kTaps / 2;
    std::vector<double> out(s.size(), 0.0);
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        double acc = 0.0;
        for (std::ptrdiff_t k = 0; k < kTaps; ++k) {
            std::ptrdiff_t j = i + k - mid;
            if (j < 0 || j >= n) {
                if (!loop) continue;
                j = ((j % n) + n) % n;
            }
            acc += h[static_cast<std::size_t>(k)] * s[static_cast<std::size_t>(j)];
        }
        out[static_cast<std::size_t>(i)] = acc;
    }
    return out;
}

double AboveDb(const Samples& s, const std::vector<double>& low) {
    double whole = 0.0, above = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        whole += static_cast<double>(s[i]) * s[i];
        const double d = s[i] - low[i];
        above += d * d;
    }
    if (whole <= 0.0) return -std::numeric_limits<double>::infinity();
    return above <= 0.0 ? -std::numeric_limits<double>::infinity() : 10.0 * std::log10(above / whole);
}

}  // namespace

double EnergyAboveHalfBandDb(const Samples& s, bool loop) {
    return s.empty() ? -std::numeric_limits<double>::infinity() : AboveDb(s, LowPass(s, loop));
}

StoredSound ForStorage(const Samples& s, bool loop) {
    if (s.empty() || (loop && s.size() % 2 != 0)) return {s, kRate};
    const std::vector<double> low = LowPass(s, loop);
    if (AboveDb(s, low) > kInaudibleAboveDb) return {s, kRate};
    StoredSound half{{}, kRate / 2};
    half.samples.reserve(s.size() / 2 + 1);
    for (std::size_t i = 0; i < low.size(); i += 2) half.samples.push_back(static_cast<float>(low[i]));
    return half;
}

}  // namespace tolarka::sfxgen
