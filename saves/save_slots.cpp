#include "saves/save_slots.h"

#include <cstdio>
#include <system_error>
#include <vector>

#include "game/question_record.h"
#include "io/file_io.h"

namespace tolarka {

namespace fs = std::filesystem;

fs::path SlotPath(const fs::path& appDir, int slot) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.sav", slot);
    return appDir / "save" / name;
}

bool SlotFilled(const fs::path& appDir, int slot) {
    std::error_code ec;
    return fs::is_regular_file(SlotPath(appDir, slot), ec);
}

bool AnySlotFilled(const fs::path& appDir) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (SlotFilled(appDir, slot)) return true;
    return false;
}

const fs::path& SaveFolders::Holding(int slot) const {
    if (!older.empty() && !SlotFilled(writable, slot) && SlotFilled(older, slot)) return older;
    return writable;
}

bool SaveFolders::AnyFilled() const {
    return AnySlotFilled(writable) || (!older.empty() && AnySlotFilled(older));
}

std::optional<SaveRecord> ReadSlot(const fs::path& appDir, int slot) {
    const fs::path file = SlotPath(appDir, slot);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    const auto bytes = ReadLeadingBytes(file, kSaveRecordSize);
    if (!bytes) return std::nullopt;
    return DecodeSaveRecord(*bytes);
}

bool WriteSlot(const fs::path& appDir, int slot, const SaveRecord& record) {
    return ReplaceFile(SlotPath(appDir, slot), EncodeSaveRecord(record));
}

bool DeleteSlot(const fs::path& appDir, int slot) {
    std::error_code ec;
    return fs::remove(SlotPath(appDir, slot), ec) && !ec;
}

ResumeAttempt TakeSavedGame(const std::filesystem::path& appDir, int slot) {
    const auto record = ReadSlot(appDir, slot);
    if (!record || !IsResumableLevel(record->ResumeLevel))
        return {std::nullopt, "Uloženou hru se nepodařilo obnovit.\r\nHra se vrátí do hlavního menu."};
    // A save is used once, so its file goes. One in a folder the game may not change (kept
    // read-only on purpose, say as a class's starting points) stays and is played all the same.
    DeleteSlot(appDir, slot);
    return {ResumedGame{Trimmed(record->PlayerName), record->FiftyFiftyAvailable, record->AudienceAvailable,
                        record->PhoneAvailable, record->ResumeLevel},
            {}};
}

}  // namespace tolarka
