#include "game/question_selection.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "io/file_io_system.h"

namespace tolarka {

namespace fs = std::filesystem;

namespace {

// Enough draws that a real source never reaches the bound (one acceptable file among 999 is
// missed by all of them with probability about e^-1000).
constexpr int kMaxDraws = 1'000'000;
// Draws after which the selection checks whether any file can be accepted at all.
constexpr int kDrawsBeforeScan = 2000;

// The numbers among the first `excludeCount` entries; an entry that is not three digits
// names no number and excludes nothing.
std::array<bool, kMaxQuestionNumber + 1> ExcludedNumbers(const RecentList& recent, int excludeCount) {
    std::array<bool, kMaxQuestionNumber + 1> excluded{};
    const int n = std::clamp(excludeCount, 0, kRecentListSize);
    for (int i = 0; i < n; ++i) {
        const std::string& e = recent[static_cast<size_t>(i)];
        if (e.size() == 3 && std::all_of(e.begin(), e.end(), [](char c) { return c >= '0' && c <= '9'; }))
            excluded[static_cast<size_t>((e[0] - '0') * 100 + (e[1] - '0') * 10 + (e[2] - '0'))] = true;
    }
    return excluded;
}

void WriteThreeDigits(char* at, int number) {
    at[0] = static_cast<char>('0' + number / 100);
    at[1] = static_cast<char>('0' + number / 10 % 10);
    at[2] = static_cast<char>('0' + number % 10);
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

bool OrdinaryFileExists(const std::string& path) { return file_system::Readable(path, true); }

FileExists ListedFileExists(const ListedNumbers& listed) {
    return [&listed](const std::string& path) {
        const char* d = path.data() + path.size() - 7;  // "NNN.qst"
        // The count saw an ordinary file of that name: whether it is still there and may be
        // read is one call.
        return listed.test(static_cast<size_t>((d[0] - '0') * 100 + (d[1] - '0') * 10 + (d[2] - '0'))) &&
               file_system::Readable(path, false);
    };
}

std::optional<SelectedQuestion> SelectQuestion(const fs::path& qstDir, int level, const RecentList& recent,
                                               int excludeCount, const FileExists& exists,
                                               const UniformSource& uniform) {
    // The path of number 000; a draw writes its number into the three digits before ".qst".
    std::string path = (qstDir / QuestionFileName(level, 0)).string();
    char* const digits = path.data() + path.size() - 7;
    const auto excluded = ExcludedNumbers(recent, excludeCount);
    // Each number's file is tested at most once per selection.
    enum class Known : unsigned char { Unknown, Present, Absent };
    std::array<Known, kMaxQuestionNumber + 1> known{};
    auto present = [&](int n) {
        if (known[static_cast<size_t>(n)] == Known::Unknown) {
            WriteThreeDigits(digits, n);
            known[static_cast<size_t>(n)] = exists(path) ? Known::Present : Known::Absent;
        }
        return known[static_cast<size_t>(n)] == Known::Present;
    };
    bool useExclusion = true;
    auto acceptable = [&](int n) {
        return present(n) && !(useExclusion && excluded[static_cast<size_t>(n)]);
    };
    auto chosen = [&](int n) {
        WriteThreeDigits(digits, n);
        return SelectedQuestion{file_system::Utf8Path(path), n, QuestionNumberText(n)};
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

std::optional<SelectedQuestion> SelectAndRememberQuestion(const fs::path& qstDir, const fs::path& writableDir,
                                                          int level, int questionCount, RecentList& recent,
                                                          int& excludeCount, const UniformSource& uniform,
                                                          const ListedNumbers* listed) {
    const fs::path listFile = RecentListPath(writableDir, level);
    recent = ReadRecentList(listFile);
    excludeCount = ExcludeCount(questionCount);
    const FileExists exists = listed ? ListedFileExists(*listed) : FileExists(OrdinaryFileExists);
    auto selected = SelectQuestion(qstDir, level, recent, excludeCount, exists, uniform);
    if (!selected) return std::nullopt;
    selected->Remembered = WriteRecentList(listFile, PushRecent(recent, selected->NumberText));
    return selected;
}

}  // namespace tolarka
