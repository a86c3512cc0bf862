#include "game/question_record.h"

#include <fstream>
#include <iterator>

#include "io/cp1250.h"
#include "io/file_io.h"

namespace tolarka {

namespace ql = question_layout;

namespace {

std::string ReadText(std::span<const unsigned char> bytes, size_t offset, size_t width) {
    const auto field = bytes.subspan(offset, width);
    return Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(field.data()), field.size()));
}

int16_t ReadInt16(std::span<const unsigned char> bytes, size_t offset) {
    const auto value = static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return static_cast<int16_t>(value);
}

void WriteText(std::vector<unsigned char>& out, size_t offset, size_t width, std::string_view utf8) {
    const std::string bytes = Utf8ToCp1250(utf8);
    for (size_t i = 0; i < width; ++i) {
        out[offset + i] = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : ' ';
    }
}

void WriteInt16(std::vector<unsigned char>& out, size_t offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    out[offset] = static_cast<unsigned char>(u & 0xFF);
    out[offset + 1] = static_cast<unsigned char>(u >> 8);
}

}  // namespace

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

const std::string& AnswerFor(const QuestionRecord& q, std::string_view letter) {
    static const std::string kNone;
    if (letter == "A") return q.AnswerA;
    if (letter == "B") return q.AnswerB;
    if (letter == "C") return q.AnswerC;
    if (letter == "D") return q.AnswerD;
    return kNone;
}

std::optional<QuestionRecord> DecodeQuestionRecord(std::span<const unsigned char> bytes) {
    if (bytes.size() < kQuestionRecordSize) return std::nullopt;
    QuestionRecord q;
    q.Text = ReadText(bytes, ql::kTextOffset, ql::kTextWidth);
    q.AnswerA = ReadText(bytes, ql::kAnswerAOffset, ql::kAnswerWidth);
    q.AnswerB = ReadText(bytes, ql::kAnswerBOffset, ql::kAnswerWidth);
    q.AnswerC = ReadText(bytes, ql::kAnswerCOffset, ql::kAnswerWidth);
    q.AnswerD = ReadText(bytes, ql::kAnswerDOffset, ql::kAnswerWidth);
    q.CorrectLetter = ReadText(bytes, ql::kCorrectLetterOffset, ql::kCorrectLetterWidth);
    for (size_t i = 0; i < q.AudienceVotes.size(); ++i) {
        q.AudienceVotes[i] = ReadInt16(bytes, ql::kVotesOffset + 2 * i);
    }
    q.Author = ReadText(bytes, ql::kAuthorOffset, ql::kAuthorWidth);
    q.Corrected = ReadInt16(bytes, ql::kCorrectedOffset) != 0;
    return q;
}

std::vector<unsigned char> EncodeQuestionRecord(const QuestionRecord& q) {
    std::vector<unsigned char> out(kQuestionRecordSize, ' ');
    WriteText(out, ql::kTextOffset, ql::kTextWidth, q.Text);
    WriteText(out, ql::kAnswerAOffset, ql::kAnswerWidth, q.AnswerA);
    WriteText(out, ql::kAnswerBOffset, ql::kAnswerWidth, q.AnswerB);
    WriteText(out, ql::kAnswerCOffset, ql::kAnswerWidth, q.AnswerC);
    WriteText(out, ql::kAnswerDOffset, ql::kAnswerWidth, q.AnswerD);
    WriteText(out, ql::kCorrectLetterOffset, ql::kCorrectLetterWidth, q.CorrectLetter);
    for (size_t i = 0; i < q.AudienceVotes.size(); ++i) {
        WriteInt16(out, ql::kVotesOffset + 2 * i, q.AudienceVotes[i]);
    }
    WriteText(out, ql::kAuthorOffset, ql::kAuthorWidth, q.Author);
    WriteInt16(out, ql::kCorrectedOffset, q.Corrected ? int16_t{-1} : int16_t{0});
    return out;
}

std::optional<QuestionRecord> ReadQuestionFile(const std::filesystem::path& path) {
    const auto bytes = ReadLeadingBytes(path, kQuestionRecordSize);
    if (!bytes) return std::nullopt;
    return DecodeQuestionRecord(*bytes);
}

}  // namespace tolarka
