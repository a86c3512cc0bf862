// Any bytes as a question file: decoding never fails on a full record, and a record the game
// writes back reads as itself.
#include "fuzz/fuzz_check.h"
#include "game/question_record.h"

using namespace tolarka;

FUZZ_TARGET(bytes) {
    const auto record = DecodeQuestionRecord(bytes);
    FUZZ_CHECK(record.has_value() == (bytes.size() >= kQuestionRecordSize));
    if (!record) return;
    for (const auto* text : {&record->Text, &record->AnswerA, &record->AnswerB, &record->AnswerC,
                             &record->AnswerD, &record->Author})
        (void)Trimmed(*text);
    (void)AnswerFor(*record, record->CorrectLetter);
    const auto encoded = EncodeQuestionRecord(*record);
    FUZZ_CHECK(encoded.size() == kQuestionRecordSize);
    const auto again = DecodeQuestionRecord(encoded);
    FUZZ_CHECK(again.has_value());
    // One round through the code page settles every text; after that nothing changes.
    FUZZ_CHECK(EncodeQuestionRecord(*again) == encoded);
}
