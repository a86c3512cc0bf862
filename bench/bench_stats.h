#pragma once
// Small helpers shared by the benchmarks: CPU time, resident memory, min/median/max.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace tolarka::bench {

// CPU seconds (user + system) of this process, every thread, or of its waited-for children.
inline double CpuSeconds(int who = RUSAGE_SELF) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A memory figure of this process in MiB from /proc/self/status ("VmRSS:", "VmHWM:", ...).
inline double StatusMiB(const std::string& field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size())) / 1024.0;
    }
    return 0;
}

// Resident memory of this process now, and the most it has had.
inline double ResidentMiB() { return StatusMiB("VmRSS:"); }
inline double PeakMiB() { return StatusMiB("VmHWM:"); }

struct Spread {
    double min = 0, median = 0, max = 0;
};

inline Spread SpreadOf(std::vector<double> v) {
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {v.front(), median, v.back()};
}

inline void PrintSpread(const char* what, const Spread& s, const char* unit) {
    std::printf("%-44s %10.4g %10.4g %10.4g  %s\n", what, s.min, s.median, s.max, unit);
}

inline void PrintHeader() { std::printf("%-44s %10s %10s %10s\n", "", "min", "median", "max"); }

}  // namespace tolarka::bench
