// Any bytes as a save slot: decoding always gives a record, its summary row can be made, and a
// record written back reads as itself.
#include <string>

#include "fuzz/fuzz_check.h"
#include "saves/save_record.h"
#include "saves/slot_summary.h"

using namespace tolarka;

FUZZ_TARGET(bytes) {
    const SaveRecord record = DecodeSaveRecord(bytes);
    const SlotSummary summary = MakeSlotSummary(record);
    FUZZ_CHECK(summary.Left.size() < 1024 && summary.Right.size() < 1024);
    (void)IsResumableLevel(record.ResumeLevel);
    const auto encoded = EncodeSaveRecord(record);
    const SaveRecord again = DecodeSaveRecord(encoded);
    FUZZ_CHECK(EncodeSaveRecord(again) == encoded);
    FUZZ_CHECK(again.ResumeLevel == record.ResumeLevel);

    // The date and time texts alone, as any text.
    // A one-digit minute gains its leading zero; a month number becomes its name.
    const std::string text(AsText(bytes));
    FUZZ_CHECK(LongCzechDate(text).size() < text.size() + 64 && ShortTime(text).size() <= text.size() + 1);
}
