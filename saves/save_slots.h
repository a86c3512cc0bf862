#pragma once
#include <filesystem>
#include <optional>

#include "game/game_state.h"
#include "saves/save_record.h"

namespace tolarka {

// The nine save slots: files save/01.sav … save/09.sav under the program's directory.
constexpr int kSlotCount = 9;

std::filesystem::path SlotPath(const std::filesystem::path& appDir, int slot);

// An ordinary file of the slot's name exists. No read: an empty or damaged file still counts.
bool SlotFilled(const std::filesystem::path& appDir, int slot);

// At least one of the nine slots is filled.
bool AnySlotFilled(const std::filesystem::path& appDir);

// Where the slots are looked for: new saves go to `writable`; `older` (may be empty) holds saves
// from where the game can no longer write, listed and loaded all the same. A slot filled in both
// is the writable one's: saving into a slot shown filled replaces what the player saw there.
struct SaveFolders {
    std::filesystem::path writable;
    std::filesystem::path older;

    // The folder (of save/) that holds the slot's file; the writable one when neither does.
    const std::filesystem::path& Holding(int slot) const;
    bool AnyFilled() const;
};

// The slot's record; nullopt when the file is missing or cannot be opened. A file shorter
// than a record reads as DecodeSaveRecord reads a short buffer.
std::optional<SaveRecord> ReadSlot(const std::filesystem::path& appDir, int slot);

// Writes the 63 bytes to a temporary file in the save directory (created when missing) and
// renames it over the slot, so the slot holds either its old record or the new one, never
// part of one. False when anything failed; the slot is then as it was.
bool WriteSlot(const std::filesystem::path& appDir, int slot, const SaveRecord& record);

// Removes the slot's file; false when it could not be removed.
bool DeleteSlot(const std::filesystem::path& appDir, int slot);

// Takes the game of a slot up again: reads it and removes the file, as a save is used once (a
// file that cannot be removed stays and is played all the same). A slot gone or damaged since
// it was listed gives the player's message instead.
ResumeAttempt TakeSavedGame(const std::filesystem::path& appDir, int slot);

}  // namespace tolarka
