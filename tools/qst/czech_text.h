#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolarka::qst {

// One word of a question or an answer, as the checks compare them.
struct TextWord {
    std::string Written;  // as written, Windows-1250 bytes (Cp1250ToUtf8 for messages)
    std::string Lower;    // lower case, Windows-1250 bytes (keeps the accents: "zlotý" is not "zloty")
    std::string Folded;   // lower case ASCII without accents: "Čáslavská" -> "caslavska"
    bool Capital = false;
    bool Number = false;  // digits only
};

// The words of a UTF-8 text: runs of letters and digits (characters outside Windows-1250 end a
// word).
std::vector<TextWord> SplitWords(std::string_view utf8);

// A light Czech stem of a folded word: the case endings and a final vowel cut off, so that
// "cukrem" and "cukr", "opadavým" and "opadavý", "Martu" and "Marta" meet.
std::string CzechStem(std::string folded);

// Whether two stems share their root: one is the start of the other and the shorter has at
// least four letters ("cukr" and "cukrovk", "lublan" and "lublanic").
bool SameRoot(std::string_view a, std::string_view b);

}  // namespace tolarka::qst
