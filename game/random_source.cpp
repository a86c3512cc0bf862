#include "game/random_source.h"

#include <chrono>
#include <memory>
#include <random>

namespace tolarka {

UniformSource MakeClockSeededSource() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine]() {
        // generate_canonical can round up to 1.0 on some libraries; keep the half-open range.
        double u = std::generate_canonical<double, 53>(*engine);
        return u < 1.0 ? u : 0.0;
    };
}

int DrawFrom(double u, int n) { return static_cast<int>(u * n) + 1; }

}  // namespace tolarka
