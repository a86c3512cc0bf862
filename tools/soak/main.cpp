// tolarka-soak [games] [seed]: plays many games at random on the headless backend, checking
// the game's rules after every step, and prints what it did and what it found.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/soak/soak.h"

int main(int argc, char** argv) {
    tolarka::soak::SoakOptions options;
    options.games = argc > 1 ? std::atoi(argv[1]) : 2000;
    options.seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const auto start = std::chrono::steady_clock::now();
    const auto r = tolarka::soak::RunSoak(options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("seed %llu: %d games in %d program runs, %lld steps, %.1f virtual hours, %.1f s\n",
                static_cast<unsigned long long>(options.seed), r.games, r.programs, r.steps,
                static_cast<double>(r.virtualMs) / 3'600'000.0, seconds);
    std::printf("top prizes %d, wrong answers %d, walk-aways %d, highest level %d\n", r.topPrizes,
                r.wrongAnswers, r.walkAways, r.highestLevel);
    std::printf("lifelines used %d, saves written %d, saves restored %d, message box steps %d\n", r.lifelines,
                r.savesWritten, r.restores, r.messageBoxes);
    std::printf("findings: %zu\n", r.findings.size());
    for (const auto& f : r.findings) std::printf("  %s\n", f.c_str());
    return r.findings.empty() ? 0 : 1;
}
