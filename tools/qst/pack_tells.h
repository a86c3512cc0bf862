#pragma once
#include <string_view>
#include <vector>

#include "tools/qst/pack_check.h"
#include "tools/qst/problem.h"

namespace tolarka::qst {

// Warnings about what gives a single question away to a sharp player who does not know the
// fact: a word root of the question shared with the right answer only; answers in different
// grammatical forms from each other or from what the question asks; numeric options made from
// one another by powers of ten. Fastest-finger sets are orderings and are left out.
ProblemList TellWarnings(const SetContent& set);

// Warnings about one fact asked twice across all levels: the same right answer where the two
// questions share a rare word, or almost the same question text. Reported at the later question.
ProblemList NearRepeatWarnings(const std::vector<SetContent>& sets);

// Question kinds `stats` counts per level.
// "Kdo napsal / složil / namaloval / režíroval…", "Který malíř je autorem…": a person asked
// for as the maker of a work.
bool IsPersonTemplate(std::string_view question);
// The question holds a superlative ("nejvyšší", "největší").
bool HasSuperlative(std::string_view question);

}  // namespace tolarka::qst
