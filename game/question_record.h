#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolarka {

// One question file: a 491-byte record of space-padded Windows-1250 texts and little-endian
// 16-bit integers. In memory the texts are UTF-8 exactly as read, padding included; screens
// show them through Trimmed().
struct QuestionRecord {
    std::string Text;
    std::string AnswerA;
    std::string AnswerB;
    std::string AnswerC;
    std::string AnswerD;
    std::string CorrectLetter;  // "A".."D" in a good file; compared exactly
    std::array<int16_t, 4> AudienceVotes{};
    std::string Author;
    bool Corrected = false;  // stored as -1 / 0

    friend bool operator==(const QuestionRecord&, const QuestionRecord&) = default;
};

constexpr size_t kQuestionRecordSize = 491;

// Field offsets and widths in bytes.
namespace question_layout {
constexpr size_t kTextOffset = 0, kTextWidth = 250;
constexpr size_t kAnswerAOffset = 250, kAnswerWidth = 50;
constexpr size_t kAnswerBOffset = 300;
constexpr size_t kAnswerCOffset = 350;
constexpr size_t kAnswerDOffset = 400;
constexpr size_t kCorrectLetterOffset = 450, kCorrectLetterWidth = 1;
constexpr size_t kVotesOffset = 451;
constexpr size_t kAuthorOffset = 459, kAuthorWidth = 30;
constexpr size_t kCorrectedOffset = 489;
}  // namespace question_layout

// Text without leading and trailing spaces (only the space character, as the game trims).
std::string Trimmed(std::string_view text);

// The answer text for "A".."D"; empty for any other letter.
const std::string& AnswerFor(const QuestionRecord& q, std::string_view letter);

// Reads the first 491 bytes; nullopt when there are fewer. Bytes beyond are ignored.
std::optional<QuestionRecord> DecodeQuestionRecord(std::span<const unsigned char> bytes);

// Exactly 491 bytes. Texts are converted to Windows-1250 ('?' for what it lacks), cut to their
// field width and padded with spaces.
std::vector<unsigned char> EncodeQuestionRecord(const QuestionRecord& q);

// Reads and decodes a question file; nullopt when it is missing, unreadable or short.
std::optional<QuestionRecord> ReadQuestionFile(const std::filesystem::path& path);

}  // namespace tolarka
