// Any text as a question-pack source file: parsing never fails, and the questions it accepts,
// written back in the source format, parse to the same questions.
#include "fuzz/fuzz_check.h"
#include "tools/qst/source_format.h"

using namespace tolarka;

FUZZ_TARGET(bytes) {
    const qst::ParsedSource parsed = qst::ParseQuestionSource(AsText(bytes), "fuzz.txt");
    for (const auto& problem : parsed.Problems) FUZZ_CHECK(!problem.ToString().empty());
    const std::string formatted = qst::FormatQuestionSource(parsed.Questions);
    const qst::ParsedSource again = qst::ParseQuestionSource(formatted, "fuzz.txt");
    FUZZ_CHECK(again.Questions.size() == parsed.Questions.size());
    for (std::size_t i = 0; i < parsed.Questions.size(); ++i) {
        FUZZ_CHECK(again.Questions[i].Number == parsed.Questions[i].Number);
        FUZZ_CHECK(again.Questions[i].Record == parsed.Questions[i].Record);
    }
    FUZZ_CHECK(qst::FormatQuestionSource(again.Questions) == formatted);
}
