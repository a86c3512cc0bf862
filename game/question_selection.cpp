#include "game/question_selection.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>

#include "game/file_io.h"

namespace tolarka {

namespace fs = std::filesystem;

namespace {

// Enough draws that a real source never reaches the bound (one acceptable file among 999 is
// missed by all of them with probability about e^-1000).
constexpr int kMaxDraws = 1'000'000;
// Draws after which the selection checks whether any file can be accepted at all.
constexpr int kDrawsBeforeScan = 2000;

bool IsExcluded(const std::string& numberText, const RecentList& recent, int excludeCount) {
    const int n = std::clamp(excludeCount, 0, kRecentListSize);
    return std::find(recent.begin(), recent.begin() + n, numberText) != recent.begin() + n;
}

}  // namespace

std::string QuestionFileName(int level, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "%02d-%03d.qst", level, number);
    return name;
}

std::string QuestionNumberText(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

bool OrdinaryFileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && OpenOrdinaryFile(path).Get() >= 0;
}

std::optional<SelectedQuestion> SelectQuestion(const fs::path& qstDir, int level, const RecentList& recent,
                                               int excludeCount, const FileExists& exists,
                                               const UniformSource& uniform) {
    // Each number's file is tested at most once per selection.
    enum class Known : unsigned char { Unknown, Present, Absent };
    std::array<Known, kMaxQuestionNumber + 1> known{};
    auto present = [&](int n) {
        if (known[n] == Known::Unknown) {
            known[n] = exists(qstDir / QuestionFileName(level, n)) ? Known::Present : Known::Absent;
        }
        return known[n] == Known::Present;
    };
    bool useExclusion = true;
    auto acceptable = [&](int n) {
        return present(n) && !(useExclusion && IsExcluded(QuestionNumberText(n), recent, excludeCount));
    };
    auto chosen = [&](int n) {
        return SelectedQuestion{qstDir / QuestionFileName(level, n), n, QuestionNumberText(n)};
    };

    for (int draw = 0; draw < kMaxDraws; ++draw) {
        if (draw == kDrawsBeforeScan) {
            // Many misses: find out whether any file can be accepted at all.
            bool anyPresent = false;
            bool anyAcceptable = false;
            for (int n = 1; n <= kMaxQuestionNumber; ++n) {
                anyPresent = anyPresent || present(n);
                anyAcceptable = anyAcceptable || acceptable(n);
            }
            if (!anyPresent) return std::nullopt;
            useExclusion = anyAcceptable;
        }
        const int n = DrawFrom(uniform(), kMaxQuestionNumber);
        if (n >= 1 && n <= kMaxQuestionNumber && acceptable(n)) return chosen(n);
    }
    for (int n = 1; n <= kMaxQuestionNumber; ++n) {
        if (acceptable(n)) return chosen(n);
    }
    return std::nullopt;
}

std::optional<SelectedQuestion> SelectAndRememberQuestion(const fs::path& appDir, int level,
                                                          int questionCount, RecentList& recent,
                                                          int& excludeCount) {
    const fs::path listFile = RecentListPath(appDir, level);
    recent = ReadRecentList(listFile);
    excludeCount = ExcludeCount(questionCount);
    auto selected = SelectQuestion(appDir / "qst", level, recent, excludeCount, OrdinaryFileExists,
                                   MakeClockSeededSource());
    if (!selected) return std::nullopt;
    recent = PushRecent(recent, selected->NumberText);
    WriteRecentList(listFile, recent);
    return selected;
}

}  // namespace tolarka
