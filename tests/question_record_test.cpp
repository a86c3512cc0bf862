#include "game/question_record.h"

#include <gtest/gtest.h>

#include "scratch_dir.h"

using namespace tolarka;

namespace {

QuestionRecord Sample() {
    return QuestionRecord("Které město leží na soutoku Vltavy a Labe?", "Mělník", "Ústí nad Labem", "Děčín",
                          "Kolín", "A", std::array<int16_t, 4>{-1, 258, 32767, -32768}, "Tým Tolarka", true);
}

std::string Bytes(const std::vector<unsigned char>& bytes) { return {bytes.begin(), bytes.end()}; }

// A field of a record: Windows-1250 text padded with spaces to its width.
std::string Padded(std::string text, size_t width) { return text.append(width - text.size(), ' '); }

}  // namespace

// Every field at its place, texts in Windows-1250 padded with spaces, numbers 16-bit little-endian.
TEST(QuestionRecord, EncodesEveryFieldAtItsOffsetPaddedWithSpaces) {
    EXPECT_EQ(
        Bytes(EncodeQuestionRecord(Sample())),
        Padded("Kter\xE9 m\xECsto le\x9E\xED na soutoku Vltavy a Labe?", 250) + Padded("M\xECln\xEDk", 50) +
            Padded("\xDAst\xED nad Labem", 50) + Padded("D\xEC\xE8\xEDn", 50) + Padded("Kol\xEDn", 50) + "A" +
            std::string("\xFF\xFF\x02\x01\xFF\x7F\x00\x80", 8) + Padded("T\xFDm Tolarka", 30) + "\xFF\xFF");
    QuestionRecord unchecked = Sample();
    unchecked.Corrected = false;
    EXPECT_EQ(Bytes(EncodeQuestionRecord(unchecked)).substr(489), std::string(2, '\0'));
}

// Decoding keeps the padding (Trimmed removes spaces only), takes a longer buffer's first record
// and refuses a shorter one; so does reading a file (missing files and directories:
// ReadLeadingBytes).
TEST(QuestionRecord, DecodeKeepsPaddingAndShortBuffersFail) {
    auto bytes = EncodeQuestionRecord(Sample());
    ScratchDir dir;
    WriteFile(dir.path() / "01-001.qst", bytes);
    WriteFile(dir.path() / "01-002.qst", {bytes.begin(), bytes.begin() + 300});
    EXPECT_FALSE(ReadQuestionFile(dir.path() / "01-002.qst"));
    bytes.insert(bytes.end(), {'x', 'y', 'z'});
    for (auto decoded : {DecodeQuestionRecord(bytes), ReadQuestionFile(dir.path() / "01-001.qst")}) {
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->Text.size(), Sample().Text.size() + (250 - 42));  // UTF-8, padding kept
        for (auto* text : {&decoded->Text, &decoded->AnswerA, &decoded->AnswerB, &decoded->AnswerC,
                           &decoded->AnswerD, &decoded->Author})
            *text = Trimmed(*text);
        EXPECT_EQ(*decoded, Sample());
    }
    EXPECT_FALSE(DecodeQuestionRecord(std::span(bytes.data(), 490)));
    EXPECT_FALSE(DecodeQuestionRecord({}));

    EXPECT_EQ(Trimmed("   Kolik je 2 + 2?  "), "Kolik je 2 + 2?");
    EXPECT_EQ(Trimmed("     "), "");
    EXPECT_EQ(Trimmed("\tA "), "\tA");
}

TEST(QuestionRecord, OverlongTextsAreCutToTheFieldAndOddValuesSurvive) {
    QuestionRecord q = Sample();
    q.AnswerA = std::string(49, 'x') + "ěé";  // 51 bytes in Windows-1250
    q.Author = "😀 Tým";
    q.CorrectLetter = "b";
    const auto bytes = EncodeQuestionRecord(q);
    EXPECT_EQ(Bytes(bytes).substr(250, 51),
              std::string(49, 'x') + "\xEC\xDA");  // B untouched by A's overflow
    const auto back = DecodeQuestionRecord(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Trimmed(back->Author), "? Tým");
    EXPECT_EQ(back->CorrectLetter, "b");  // kept as is; it matches no answer
    EXPECT_EQ(AnswerFor(*back, "b"), "");
    EXPECT_EQ(Trimmed(AnswerFor(*back, "C")), "Děčín");
}
