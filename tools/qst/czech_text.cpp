#include "tools/qst/czech_text.h"

#include <array>
#include <initializer_list>

#include "io/cp1250.h"

namespace tolarka::qst {

namespace {

// Per Windows-1250 byte: its lower-case form and its folded ASCII letter (0 for no letter).
struct LetterTables {
    std::array<unsigned char, 256> Lower{};
    std::array<char, 256> Folded{};

    LetterTables() {
        for (int c = 0; c < 256; ++c) Lower[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
        for (char c = '0'; c <= '9'; ++c) Folded[static_cast<unsigned char>(c)] = c;
        for (char c = 'a'; c <= 'z'; ++c) {
            Folded[static_cast<unsigned char>(c)] = c;
            Folded[static_cast<unsigned char>(c - 'a' + 'A')] = c;
            Lower[static_cast<unsigned char>(c - 'a' + 'A')] = static_cast<unsigned char>(c);
        }
        // Lower-case letter with accents, its capital, and the plain letter it folds to.
        const std::initializer_list<std::array<const char*, 3>> accented = {
            {"á", "Á", "a"}, {"â", "Â", "a"}, {"ä", "Ä", "a"}, {"ă", "Ă", "a"}, {"ą", "Ą", "a"},
            {"č", "Č", "c"}, {"ć", "Ć", "c"}, {"ç", "Ç", "c"}, {"ď", "Ď", "d"}, {"đ", "Đ", "d"},
            {"é", "É", "e"}, {"ě", "Ě", "e"}, {"ë", "Ë", "e"}, {"ę", "Ę", "e"}, {"í", "Í", "i"},
            {"î", "Î", "i"}, {"ĺ", "Ĺ", "l"}, {"ľ", "Ľ", "l"}, {"ł", "Ł", "l"}, {"ň", "Ň", "n"},
            {"ń", "Ń", "n"}, {"ó", "Ó", "o"}, {"ô", "Ô", "o"}, {"ö", "Ö", "o"}, {"ő", "Ő", "o"},
            {"ŕ", "Ŕ", "r"}, {"ř", "Ř", "r"}, {"š", "Š", "s"}, {"ś", "Ś", "s"}, {"ş", "Ş", "s"},
            {"ť", "Ť", "t"}, {"ţ", "Ţ", "t"}, {"ú", "Ú", "u"}, {"ů", "Ů", "u"}, {"ü", "Ü", "u"},
            {"ű", "Ű", "u"}, {"ý", "Ý", "y"}, {"ž", "Ž", "z"}, {"ź", "Ź", "z"}, {"ż", "Ż", "z"},
            {"ß", "ß", "s"}};
        for (const auto& [lower, upper, plain] : accented) {
            const auto l = static_cast<unsigned char>(Utf8ToCp1250(lower)[0]);
            const auto u = static_cast<unsigned char>(Utf8ToCp1250(upper)[0]);
            Lower[u] = l;
            Folded[l] = Folded[u] = plain[0];
        }
    }
};

const LetterTables& Tables() {
    static const LetterTables tables;
    return tables;
}

bool EndsWith(const std::string& s, std::string_view end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::vector<TextWord> SplitWords(std::string_view utf8) {
    const LetterTables& t = Tables();
    std::vector<TextWord> words;
    TextWord word;
    auto flush = [&] {
        if (!word.Written.empty()) {
            word.Number = word.Folded.find_first_not_of("0123456789") == std::string::npos;
            words.push_back(std::move(word));
        }
        word = TextWord{};
    };
    for (char ch : Utf8ToCp1250(utf8)) {
        const auto c = static_cast<unsigned char>(ch);
        if (t.Folded[c] == 0) {
            flush();
            continue;
        }
        if (word.Written.empty()) word.Capital = t.Lower[c] != c;
        word.Written += ch;
        word.Lower += static_cast<char>(t.Lower[c]);
        word.Folded += t.Folded[c];
    }
    flush();
    return words;
}

std::string CzechStem(std::string w) {
    // Case endings, longest first, each only on a word long enough to keep a root.
    struct Tier {
        size_t MinLength;
        std::initializer_list<std::string_view> Endings;
    };
    static const Tier tiers[] = {
        {7, {"atech"}},
        {6, {"etem", "atum"}},
        {5,
         {"ech", "ich", "eho", "emi", "emu", "ete", "eti", "iho", "imi", "imu", "ach", "ata", "aty", "ych",
          "ama", "ami", "ove", "ovi", "ymi"}},
        {4, {"em", "es", "im", "um", "at", "am", "os", "us", "ym", "mi", "ou"}},
    };
    bool cut = false;
    for (const Tier& tier : tiers) {
        if (w.size() < tier.MinLength) continue;
        for (std::string_view end : tier.Endings) {
            if (EndsWith(w, end)) {
                w.resize(w.size() - end.size());
                cut = true;
                break;
            }
        }
        if (cut) break;
    }
    if (!cut && w.size() > 3 && std::string_view("aeiouy").find(w.back()) != std::string_view::npos)
        w.pop_back();
    // Possessive adjectives: "Karlov", "Janin".
    if (w.size() > 5 && (EndsWith(w, "ov") || EndsWith(w, "in") || EndsWith(w, "uv"))) w.resize(w.size() - 2);
    return w;
}

bool SameRoot(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) std::swap(a, b);
    return a.size() >= 4 && b.substr(0, a.size()) == a;
}

}  // namespace tolarka::qst
