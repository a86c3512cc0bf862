#pragma once
#include <string>

#include "saves/save_record.h"

namespace tolarka {

// The two texts of a slot row on the save and load screens.
struct SlotSummary {
    std::string Left;   // trimmed name, four spaces, the prize of the resume level (or nothing)
    std::string Right;  // long Czech date, two spaces, time without a leading zero
};

SlotSummary MakeSlotSummary(const SaveRecord& r);

// "04.12.2026" -> "4. prosince 2026". A text that is not day, month and year separated by
// full stops, or not a real date, comes back unchanged.
std::string LongCzechDate(const std::string& date);

// "09:05" -> "9:05". A text that is not hour and minute separated by a colon, or not a real
// time, comes back unchanged.
std::string ShortTime(const std::string& time);

// The local date and time of the clock, as a save records them.
struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
LocalDateTime CurrentLocalDateTime();
std::string FormatSaveDate(const LocalDateTime& t);  // "dd.mm.yyyy"
std::string FormatSaveTime(const LocalDateTime& t);  // "hh:mm"

}  // namespace tolarka
