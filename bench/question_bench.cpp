// Prints what the question files cost against the file system's own speed, measured in the same
// run: the start-up count against a bare readdir of the same directory, and one question
// selection against a single stat of a question file. Each figure is a ratio per run, given as
// min / median / max over runs in which the figure and its anchor take turns.
// Usage: question_bench [runs]   (default 15; works in a scratch directory of its own holding
// every name 01-001.qst ... 15-999.qst and F1-001.qst ... F5-999.qst, 19,980 files)
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "game/question_selection.h"
#include "game/random_source.h"
#include "startup/question_files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void PrintRatio(const char* what, const std::vector<double>& ratios) {
    tolarka::bench::PrintSpread(what, tolarka::bench::SpreadOf(ratios), "x");
}

void PrintTime(const char* what, const std::vector<double>& seconds, double scale, const char* unit) {
    std::vector<double> scaled;
    for (double v : seconds) scaled.push_back(v * scale);
    tolarka::bench::PrintSpread(what, tolarka::bench::SpreadOf(scaled), unit);
}

// The anchor of the count: every entry read, nothing looked at.
long BareReaddir(const fs::path& dir) {
    long entries = 0;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (::readdir(d)) ++entries;
        ::closedir(d);
    }
    return entries;
}

// A full question directory: every level and fastest-finger name, one small file each.
void MakeQuestionDirectory(const fs::path& dir) {
    fs::create_directories(dir);
    char name[32];
    for (int set = 1; set <= 20; ++set) {
        for (int n = 1; n <= 999; ++n) {
            if (set <= 15)
                std::snprintf(name, sizeof name, "%02d-%03d.qst", set, n);
            else
                std::snprintf(name, sizeof name, "F%d-%03d.qst", set - 15, n);
            std::ofstream(dir / name) << 'x';
        }
    }
}

// A level of the selection benchmark: level 1 holds `files` files spread over the numbers, and
// the recent list is full, so the newest ExcludeCount(files) numbers are avoided.
struct SelectionCase {
    const char* name;
    int files;
};

void MakeLevel(const fs::path& qst, int files, tolarka::RecentList& recent) {
    fs::remove_all(qst);
    fs::create_directories(qst);
    std::vector<int> numbers;
    for (int i = 0; i < files; ++i) numbers.push_back(1 + i * 999 / files);
    for (int n : numbers) std::ofstream(qst / tolarka::QuestionFileName(1, n)) << 'x';
    recent = {};
    for (size_t i = 0; i < recent.size() && i < numbers.size(); ++i)
        recent[i] = tolarka::QuestionNumberText(numbers[numbers.size() - 1 - i]);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const fs::path scratch =
        fs::temp_directory_path() / ("tolarka-question-bench-" + std::to_string(::getpid()));
    const fs::path all = scratch / "all";
    std::printf("question_bench: %d interleaved runs\n", runs);
    tolarka::bench::PrintHeader();
    MakeQuestionDirectory(all);

    // --- the start-up count against a bare readdir ---
    std::vector<double> countRatios, bare, counted;
    long entries = 0;
    tolarka::QuestionCounts counts{};
    BareReaddir(all);  // warm the directory cache for both
    for (int r = 0; r < runs; ++r) {
        // Alternate which goes first, so neither always finds the cache warmer.
        double b = 0, c = 0;
        auto doBare = [&] { b = SecondsOf([&] { entries = BareReaddir(all); }); };
        auto doCount = [&] { c = SecondsOf([&] { counts = tolarka::CountQuestionDirectory(all); }); };
        if (r % 2 == 0) {
            doBare();
            doCount();
        } else {
            doCount();
            doBare();
        }
        bare.push_back(b);
        counted.push_back(c);
        countRatios.push_back(c / b);
    }
    int total = 0;
    for (int i = 1; i <= tolarka::kQuestionCounterCount; ++i) total += counts[static_cast<size_t>(i)];
    std::printf("\nstart-up count over %d question files (%ld entries)\n", total, entries);
    PrintTime("bare readdir", bare, 1e3, "ms");
    PrintTime("count", counted, 1e3, "ms");
    PrintRatio("count / bare readdir (target <= 1.3)", countRatios);

    // --- one selection against a single stat ---
    const SelectionCase cases[] = {
        {"typical level (54 files, 27 avoided; target <= 5 us)", 54},
        {"full level (999 files, 50 avoided)", 999},
        {"sparse level (2 files, 1 avoided)", 2},
    };
    const fs::path app = scratch / "app";
    const auto uniform = tolarka::MakeClockSeededSource();
    constexpr int kBatch = 2000;
    for (const auto& c : cases) {
        tolarka::RecentList recent;
        MakeLevel(app / "qst", c.files, recent);
        const int exclude = tolarka::ExcludeCount(c.files);
        // The game's way: numbers the start-up count found, a file looked at only when listed.
        tolarka::ListedQuestions listed{};
        tolarka::CountQuestionDirectory(app / "qst", &listed);
        const auto listedExists = tolarka::ListedFileExists(listed[1]);
        // The anchor: a stat of each of the level's files in turn.
        std::vector<std::string> statPaths;
        for (const auto& e : fs::directory_iterator(app / "qst")) statPaths.push_back(e.path().string());
        std::vector<double> ratios, askingRatios, stats, selections, asking;
        int picked = 0;
        auto select = [&](const tolarka::FileExists& exists) {
            return SecondsOf([&] {
                       for (int i = 0; i < kBatch; ++i) {
                           const auto pick =
                               tolarka::SelectQuestion(app / "qst", 1, recent, exclude, exists, uniform);
                           picked += pick ? pick->Number : 0;
                       }
                   }) /
                   kBatch;
        };
        for (int r = 0; r < runs; ++r) {
            const double st =
                SecondsOf([&] {
                    struct stat info {};
                    for (int i = 0; i < kBatch; ++i)
                        picked +=
                            ::stat(statPaths[static_cast<size_t>(i) % statPaths.size()].c_str(), &info) == 0
                                ? 0
                                : 1;
                }) /
                kBatch;
            const double sel = select(listedExists);
            const double ask = select(tolarka::OrdinaryFileExists);
            stats.push_back(st);
            selections.push_back(sel);
            asking.push_back(ask);
            ratios.push_back(sel / st);
            askingRatios.push_back(ask / st);
        }
        std::printf("\nselection, %s (checksum %d)\n", c.name, picked % 1000);
        PrintTime("single stat", stats, 1e6, "us");
        PrintTime("selection (listed numbers)", selections, 1e6, "us");
        PrintTime("selection (a stat per draw)", asking, 1e6, "us");
        PrintRatio("selection (listed) / single stat", ratios);
        PrintRatio("selection (a stat per draw) / single stat", askingRatios);
    }

    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}
