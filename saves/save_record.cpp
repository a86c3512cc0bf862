#include "saves/save_record.h"

#include <algorithm>

#include "game/prize_ladder.h"
#include "io/cp1250.h"

namespace tolarka {

namespace {

using Bytes = std::array<unsigned char, kSaveRecordSize>;

void PutText(Bytes& out, size_t offset, size_t width, const std::string& utf8) {
    const std::string bytes = Utf8ToCp1250(utf8);
    for (size_t i = 0; i < width; ++i)
        out[offset + i] = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : ' ';
}

void PutInt16(Bytes& out, size_t offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    out[offset] = static_cast<unsigned char>(u & 0xFF);
    out[offset + 1] = static_cast<unsigned char>(u >> 8);
}

// A byte beyond the end of a short buffer reads as `missing`.
unsigned char ByteAt(std::span<const unsigned char> in, size_t i, unsigned char missing) {
    return i < in.size() ? in[i] : missing;
}

std::string GetText(std::span<const unsigned char> in, size_t offset, size_t width) {
    std::string bytes(width, ' ');
    for (size_t i = 0; i < width; ++i) bytes[i] = static_cast<char>(ByteAt(in, offset + i, ' '));
    return Cp1250ToUtf8(bytes);
}

int16_t GetInt16(std::span<const unsigned char> in, size_t offset) {
    const auto u = static_cast<uint16_t>(ByteAt(in, offset, 0) | (ByteAt(in, offset + 1, 0) << 8));
    return static_cast<int16_t>(u);
}

}  // namespace

Bytes EncodeSaveRecord(const SaveRecord& r) {
    using namespace save_layout;
    Bytes out{};
    PutText(out, kPlayerNameOffset, kPlayerNameWidth, r.PlayerName);
    PutInt16(out, kResumeLevelOffset, r.ResumeLevel);
    PutText(out, kSaveDateOffset, kSaveDateWidth, r.SaveDate);
    PutText(out, kSaveTimeOffset, kSaveTimeWidth, r.SaveTime);
    PutInt16(out, kAudienceOffset, r.AudienceAvailable ? -1 : 0);
    PutInt16(out, kFiftyFiftyOffset, r.FiftyFiftyAvailable ? -1 : 0);
    PutInt16(out, kPhoneOffset, r.PhoneAvailable ? -1 : 0);
    return out;
}

SaveRecord DecodeSaveRecord(std::span<const unsigned char> bytes) {
    using namespace save_layout;
    SaveRecord r;
    r.PlayerName = GetText(bytes, kPlayerNameOffset, kPlayerNameWidth);
    r.ResumeLevel = GetInt16(bytes, kResumeLevelOffset);
    r.SaveDate = GetText(bytes, kSaveDateOffset, kSaveDateWidth);
    r.SaveTime = GetText(bytes, kSaveTimeOffset, kSaveTimeWidth);
    r.AudienceAvailable = GetInt16(bytes, kAudienceOffset) != 0;
    r.FiftyFiftyAvailable = GetInt16(bytes, kFiftyFiftyOffset) != 0;
    r.PhoneAvailable = GetInt16(bytes, kPhoneOffset) != 0;
    return r;
}

bool IsResumableLevel(int level) { return level >= 1 && level <= kTopLevel; }

}  // namespace tolarka
