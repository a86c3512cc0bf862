#include "saves/slot_summary.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include "game/prize_ladder.h"
#include "game/question_record.h"

namespace tolarka {

namespace {

constexpr std::array<const char*, 12> kMonthsGenitive = {
    "ledna",    "února", "března", "dubna", "května",    "června",
    "července", "srpna", "září",   "října", "listopadu", "prosince",
};

// Splits `text` at `separator` into numbers of 1 to `maxDigits[i]` digits; nullopt when a
// part is empty, too long, or not all digits, or the count of parts differs.
std::optional<std::vector<int>> Numbers(const std::string& text, char separator,
                                        std::vector<size_t> maxDigits) {
    std::vector<int> out;
    size_t start = 0;
    for (size_t part = 0; part < maxDigits.size(); ++part) {
        size_t end = text.find(separator, start);
        if (part + 1 == maxDigits.size()) {
            if (end != std::string::npos) return std::nullopt;
            end = text.size();
        } else if (end == std::string::npos) {
            return std::nullopt;
        }
        const size_t length = end - start;
        if (length == 0 || length > maxDigits[part]) return std::nullopt;
        int value = 0;
        for (size_t i = start; i < end; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        out.push_back(value);
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string LongCzechDate(const std::string& date) {
    const std::string trimmed = Trimmed(date);
    const auto parts = Numbers(trimmed, '.', {2, 2, 4});
    if (!parts) return date;
    const int day = (*parts)[0], month = (*parts)[1], year = (*parts)[2];
    const std::chrono::year_month_day ymd{std::chrono::year(year),
                                          std::chrono::month(static_cast<unsigned>(month)),
                                          std::chrono::day(static_cast<unsigned>(day))};
    if (year < 1 || !ymd.ok()) return date;
    return std::to_string(day) + ". " + kMonthsGenitive[static_cast<size_t>(month - 1)] + " " +
           std::to_string(year);
}

std::string ShortTime(const std::string& time) {
    const auto parts = Numbers(Trimmed(time), ':', {2, 2});
    if (!parts || (*parts)[0] > 23 || (*parts)[1] > 59) return time;
    char out[32];
    std::snprintf(out, sizeof out, "%d:%02d", (*parts)[0], (*parts)[1]);
    return out;
}

SlotSummary MakeSlotSummary(const SaveRecord& r) {
    return {Trimmed(r.PlayerName) + "    " + AmountText(r.ResumeLevel),
            LongCzechDate(r.SaveDate) + "  " + ShortTime(r.SaveTime)};
}

LocalDateTime CurrentLocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string FormatSaveDate(const LocalDateTime& t) {
    char out[32];
    std::snprintf(out, sizeof out, "%02d.%02d.%04d", t.day, t.month, t.year);
    return out;
}

std::string FormatSaveTime(const LocalDateTime& t) {
    char out[16];
    std::snprintf(out, sizeof out, "%02d:%02d", t.hour, t.minute);
    return out;
}

}  // namespace tolarka
