#include "game/question_record.h"

#include <gtest/gtest.h>

#include "scratch_dir.h"

using namespace tolarka;

namespace {

QuestionRecord Sample() {
    QuestionRecord q;
    q.Text = "Které město leží na soutoku Vltavy a Labe?";
    q.AnswerA = "Mělník";
    q.AnswerB = "Ústí nad Labem";
    q.AnswerC = "Děčín";
    q.AnswerD = "Kolín";
    q.CorrectLetter = "A";
    q.AudienceVotes = {-1, 258, 32767, -32768};
    q.Author = "Tým Tolarka";
    q.Corrected = true;
    return q;
}

std::string Field(const std::vector<unsigned char>& bytes, size_t offset, size_t size) {
    return std::string(bytes.begin() + static_cast<long>(offset),
                       bytes.begin() + static_cast<long>(offset + size));
}

}  // namespace

TEST(QuestionRecord, EncodesEveryFieldAtItsOffsetPaddedWithSpaces) {
    const auto bytes = EncodeQuestionRecord(Sample());
    ASSERT_EQ(bytes.size(), kQuestionRecordSize);
    const std::string text = Field(bytes, 0, 250);
    EXPECT_EQ(text.substr(0, 42), "Kter\xE9 m\xECsto le\x9E\xED na soutoku Vltavy a Labe?");
    EXPECT_EQ(text.find_first_not_of(' ', 42), std::string::npos);
    EXPECT_EQ(Field(bytes, 250, 50), "M\xECln\xEDk" + std::string(44, ' '));
    EXPECT_EQ(Field(bytes, 300, 14), "\xDAst\xED nad Labem");
    EXPECT_EQ(Field(bytes, 350, 5), "D\xEC\xE8\xEDn");
    EXPECT_EQ(Field(bytes, 400, 6), "Kol\xEDn ");
    EXPECT_EQ(bytes[450], 'A');
    // Votes: little-endian 16-bit at 451, 453, 455, 457.
    EXPECT_EQ(Field(bytes, 451, 8), std::string("\xFF\xFF\x02\x01\xFF\x7F\x00\x80", 8));
    EXPECT_EQ(Field(bytes, 459, 30), "T\xFDm Tolarka" + std::string(19, ' '));
    EXPECT_EQ(Field(bytes, 489, 2), "\xFF\xFF");

    QuestionRecord unchecked = Sample();
    unchecked.Corrected = false;
    EXPECT_EQ(Field(EncodeQuestionRecord(unchecked), 489, 2), std::string(2, '\0'));
}

TEST(QuestionRecord, DecodeKeepsPaddingAndTrimmedRemovesIt) {
    const auto decoded = DecodeQuestionRecord(EncodeQuestionRecord(Sample()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Text.size(), Sample().Text.size() + (250 - 42));  // UTF-8, padding kept
    EXPECT_EQ(Trimmed(decoded->Text), Sample().Text);
    EXPECT_EQ(Trimmed(decoded->AnswerB), "Ústí nad Labem");
    EXPECT_EQ(decoded->CorrectLetter, "A");
    EXPECT_EQ(decoded->AudienceVotes, Sample().AudienceVotes);
    EXPECT_EQ(Trimmed(decoded->Author), "Tým Tolarka");
    EXPECT_TRUE(decoded->Corrected);

    EXPECT_EQ(Trimmed("   Kolik je 2 + 2?  "), "Kolik je 2 + 2?");
    EXPECT_EQ(Trimmed("     "), "");
    EXPECT_EQ(Trimmed("\tA "), "\tA");  // only spaces are trimmed
}

TEST(QuestionRecord, ShortBuffersFailAndExtraBytesAreIgnored) {
    auto bytes = EncodeQuestionRecord(Sample());
    EXPECT_FALSE(DecodeQuestionRecord(std::span(bytes.data(), 490)));
    EXPECT_FALSE(DecodeQuestionRecord({}));
    bytes.insert(bytes.end(), {'x', 'y', 'z'});
    const auto decoded = DecodeQuestionRecord(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(Trimmed(decoded->Author), "Tým Tolarka");
    EXPECT_TRUE(decoded->Corrected);
}

TEST(QuestionRecord, OverlongTextsAreCutToTheFieldAndOddValuesSurvive) {
    QuestionRecord q = Sample();
    q.AnswerA = std::string(49, 'x') + "ěé";  // 51 bytes in Windows-1250
    q.Author = "😀 Tým";
    q.CorrectLetter = "b";
    const auto bytes = EncodeQuestionRecord(q);
    EXPECT_EQ(Field(bytes, 250, 50), std::string(49, 'x') + "\xEC");
    EXPECT_EQ(bytes[300], 0xDA);  // answer B untouched by A's overflow
    const auto back = DecodeQuestionRecord(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Trimmed(back->Author), "? Tým");
    EXPECT_EQ(back->CorrectLetter, "b");  // kept as is; it matches no answer
    EXPECT_EQ(AnswerFor(*back, "b"), "");
    EXPECT_EQ(Trimmed(AnswerFor(*back, "C")), "Děčín");
}

TEST(QuestionRecord, ReadsFilesAndRejectsMissingOrShortOnes) {
    ScratchDir dir;
    const auto bytes = EncodeQuestionRecord(Sample());
    WriteFile(dir.path() / "01-001.qst", bytes);
    WriteFile(dir.path() / "01-002.qst", {bytes.begin(), bytes.begin() + 300});
    const auto read = ReadQuestionFile(dir.path() / "01-001.qst");
    ASSERT_TRUE(read);
    EXPECT_EQ(Trimmed(read->AnswerD), "Kolín");
    EXPECT_FALSE(ReadQuestionFile(dir.path() / "01-002.qst"));
    EXPECT_FALSE(ReadQuestionFile(dir.path() / "01-003.qst"));
    EXPECT_FALSE(ReadQuestionFile(dir.path()));  // a directory is not a question
}
