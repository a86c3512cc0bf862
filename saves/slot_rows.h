#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/widgets.h"
#include "saves/save_record.h"
#include "saves/save_slots.h"

namespace tolarka {

// The nine slot bars that the save and load screens share: a picture box per row with the
// slot's two summary labels inside.
struct SlotRows {
    std::array<platform::PictureBox*, kSlotCount> row{};
    std::array<platform::Label*, kSlotCount> left{};
    std::array<platform::Label*, kSlotCount> right{};
    // What each row was listed from; nullopt for an empty slot.
    std::array<std::optional<SaveRecord>, kSlotCount> record{};
    // The slot's file exists but could not be read (its record is then an empty one).
    std::array<bool, kSlotCount> unreadable{};

    // Adds the rows to `form`, named rowName(i), leftName(i), rightName(i). Row i calls
    // onMove(i) and onClick(i) from the bar and from both labels.
    void Design(platform::Container& form, const std::string& rowName, const std::string& leftName,
                const std::string& rightName, std::function<void(int)> onMove,
                std::function<void(int)> onClick);

    // Fills the nine rows from the slots; returns how many are filled.
    int List(const SaveFolders& folders);

    // A row whose left text is empty is a free slot.
    bool IsEmpty(int i) const { return left[static_cast<size_t>(i)]->Caption().empty(); }

    void SetPicture(int i, const std::string& name) { row[static_cast<size_t>(i)]->SetPicture(name); }
    void ShowAllAtRest();
};

}  // namespace tolarka
