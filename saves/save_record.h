#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tolarka {

// One saved game: a 63-byte record of space-padded Windows-1250 texts, little-endian 16-bit
// integers and 16-bit Booleans (-1 / 0). In memory the texts are UTF-8 exactly as read,
// padding included; screens show them trimmed.
struct SaveRecord {
    std::string PlayerName;   // 40 characters in the file
    int16_t ResumeLevel = 0;  // the level the restored game asks first
    std::string SaveDate;     // "dd.mm.yyyy"
    std::string SaveTime;     // "hh:mm"
    bool AudienceAvailable = false;
    bool FiftyFiftyAvailable = false;
    bool PhoneAvailable = false;

    friend bool operator==(const SaveRecord&, const SaveRecord&) = default;
};

constexpr size_t kSaveRecordSize = 63;

// Field offsets and widths in bytes. The lifeline flags stand in the order audience, 50:50,
// phone.
namespace save_layout {
constexpr size_t kPlayerNameOffset = 0, kPlayerNameWidth = 40;
constexpr size_t kResumeLevelOffset = 40;
constexpr size_t kSaveDateOffset = 42, kSaveDateWidth = 10;
constexpr size_t kSaveTimeOffset = 52, kSaveTimeWidth = 5;
constexpr size_t kAudienceOffset = 57;
constexpr size_t kFiftyFiftyOffset = 59;
constexpr size_t kPhoneOffset = 61;
}  // namespace save_layout

// Exactly 63 bytes. Texts are converted to Windows-1250 ('?' for what it lacks), cut to their
// field width and padded with spaces.
std::array<unsigned char, kSaveRecordSize> EncodeSaveRecord(const SaveRecord& r);

// Reads the first 63 bytes. A short buffer (a damaged file) still gives a record: missing
// text reads as spaces, missing numbers as 0. Any non-zero flag counts as true.
SaveRecord DecodeSaveRecord(std::span<const unsigned char> bytes);

// Levels a restored game can start at: those that have questions.
bool IsResumableLevel(int level);

}  // namespace tolarka
