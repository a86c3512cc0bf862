#include "tools/qst/pack_balance.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "io/cp1250.h"

namespace tolarka::qst {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads "1 234", "1.234" (groups of three), "1,5" or "1918" at `i`; moves `i` past it.
double ReadNumber(const std::string& s, size_t& i) {
    std::string digits;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            digits += s[i++];
            continue;
        }
        // A thousands separator: one space, non-breaking space or dot before exactly three digits.
        size_t sep = 0;
        if (s[i] == ' ' || s[i] == '.') sep = 1;
        if (s.compare(i, 2, "\xC2\xA0") == 0) sep = 2;
        if (sep > 0 && i + sep + 3 <= s.size() && IsDigit(s[i + sep]) && IsDigit(s[i + sep + 1]) &&
            IsDigit(s[i + sep + 2]) && (i + sep + 3 == s.size() || !IsDigit(s[i + sep + 3]))) {
            i += sep;
            continue;
        }
        break;
    }
    if (i + 1 < s.size() && s[i] == ',' && IsDigit(s[i + 1])) {
        digits += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) digits += s[i++];
    }
    return std::stod(digits);
}

size_t CharCount(const std::string& utf8) {
    return static_cast<size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Percent(int part, int whole) {
    char s[16];
    std::snprintf(s, sizeof s, "%d %%", whole > 0 ? (part * 100 + whole / 2) / whole : 0);
    return s;
}

std::string LetterFigures(const std::array<int, 4>& letters) {
    return "A " + std::to_string(letters[0]) + ", B " + std::to_string(letters[1]) + ", C " +
           std::to_string(letters[2]) + ", D " + std::to_string(letters[3]);
}

// Each letter's share must lie within [low, high] of the questions counted.
bool LettersEven(const std::array<int, 4>& letters, double low, double high) {
    const int total = letters[0] + letters[1] + letters[2] + letters[3];
    return std::all_of(letters.begin(), letters.end(),
                       [&](int n) { return n >= low * total - 0.5 && n <= high * total + 0.5; });
}

// Lower-case Windows-1250 letters, so that "Máj" and "máj" are one word.
unsigned char LowerCp1250(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8D:
        case 0x8E:
        case 0x8F: return static_cast<unsigned char>(c + 0x10);
        case 0xA3: return 0xB3;
        case 0xA5: return 0xB9;
        case 0xAA: return 0xBA;
        case 0xAF: return 0xBF;
        case 0xBC: return 0xBE;
        default: return c;
    }
}

bool IsLetterCp1250(unsigned char c) {
    c = LowerCp1250(c);
    return (c >= 'a' && c <= 'z') || IsDigit(static_cast<char>(c)) || (c >= 0xDF && c != 0xF7) || c == 0x9A ||
           (c >= 0x9C && c <= 0x9F) || c == 0xB3 || c == 0xB9 || c == 0xBA || c == 0xBE || c == 0xBF;
}

// Word stems of a text: lower-cased words of three letters or more, cut to five letters so that
// the cases of one Czech word ("Čáslavská", "Čáslavské") meet.
std::set<std::string> Stems(const std::string& utf8) {
    const std::string bytes = Utf8ToCp1250(utf8);
    std::set<std::string> stems;
    std::string word;
    auto flush = [&] {
        if (word.size() >= 3) stems.insert(word.substr(0, 5));
        word.clear();
    };
    for (unsigned char c : bytes) {
        if (IsLetterCp1250(c)) {
            word += static_cast<char>(LowerCp1250(c));
        } else {
            flush();
        }
    }
    flush();
    return stems;
}

bool IsUpperCp1250(unsigned char c) { return LowerCp1250(c) != c; }

bool IsVowelCp1250(unsigned char c) {
    static const std::string vowels = Utf8ToCp1250("aeiouyáéíóúůýě");
    return vowels.find(static_cast<char>(c)) != std::string::npos;
}

// A word cut to the part its Czech cases share: "Máji" and "Máj", "Rusalky" and "Rusalka".
std::string SubjectStem(std::string word) {
    for (auto& c : word) c = static_cast<char>(LowerCp1250(static_cast<unsigned char>(c)));
    if (word.size() > 3 && IsVowelCp1250(static_cast<unsigned char>(word.back()))) word.pop_back();
    return word.substr(0, 5);
}

// The people and works a text names: titles in „quotes“ and names of two capitalised words
// (a first name and a surname, or a ruler and his number), each as one key.
std::set<std::string> Subjects(const std::string& utf8) {
    const std::string bytes = Utf8ToCp1250(utf8);
    std::set<std::string> subjects;
    std::vector<std::string> words;
    std::vector<bool> quoted;
    std::string word;
    bool inQuotes = false;
    auto flush = [&] {
        if (!word.empty()) {
            words.push_back(word);
            quoted.push_back(inQuotes);
        }
        word.clear();
    };
    for (unsigned char c : bytes) {
        if (IsLetterCp1250(c)) {
            word += static_cast<char>(c);
        } else {
            flush();
            if (c == 0x84) inQuotes = true;   // „
            if (c == 0x93) inQuotes = false;  // “
            if (c == 0x84 || c == 0x93 || c == '.' || c == ',' || c == '?')
                words.push_back({}), quoted.push_back(false);
        }
    }
    flush();
    std::string title;
    for (size_t i = 0; i < words.size(); ++i) {
        if (quoted[i] && !words[i].empty()) {
            title += (title.empty() ? "" : " ") + SubjectStem(words[i]);
            continue;
        }
        if (!title.empty()) subjects.insert("„" + title);
        title.clear();
        if (i == 0 || words[i].empty() || words[i - 1].empty() || quoted[i - 1]) continue;
        const auto& first = words[i - 1];
        const auto& second = words[i];
        if (!IsUpperCp1250(static_cast<unsigned char>(first[0])) ||
            !IsUpperCp1250(static_cast<unsigned char>(second[0])))
            continue;
        const bool numeral = second.find_first_not_of("IVX") == std::string::npos;
        subjects.insert(numeral ? SubjectStem(first).substr(0, 3) + " " + second : SubjectStem(second));
    }
    if (!title.empty()) subjects.insert("„" + title);
    return subjects;
}

struct Entry {
    const SetContent* Set;
    size_t Index;
    std::set<std::string> Stems;        // question and right answer
    std::set<std::string> AnswerStems;  // right answer only

    const SourceQuestion& Question() const { return Set->Questions[Index]; }
    std::string Id() const {
        char n[8];
        std::snprintf(n, sizeof n, "%03d", Question().Number);
        return Set->Set.Name() + "-" + n;
    }
    Problem Warn(std::string message) const {
        return {Set->FileOf(Index), Question().Line, std::move(message)};
    }
};

// A stem counts as rare when so few questions use it that sharing it says "the same subject".
constexpr int kRareStemQuestions = 3;
constexpr int kMaxQuestionsPerAnswer = 2;
constexpr int kMaxQuestionsPerSubject = 2;

}  // namespace

const std::string& AnswerOf(const QuestionRecord& r, int i) {
    switch (i) {
        case 0: return r.AnswerA;
        case 1: return r.AnswerB;
        case 2: return r.AnswerC;
        default: return r.AnswerD;
    }
}

int CorrectIndex(const QuestionRecord& r) {
    return r.CorrectLetter.size() == 1 && r.CorrectLetter[0] >= 'A' && r.CorrectLetter[0] <= 'D'
               ? r.CorrectLetter[0] - 'A'
               : -1;
}

std::optional<double> SingleNumber(const std::string& answer) {
    size_t i = answer.find_first_of("0123456789");
    if (i == std::string::npos) return std::nullopt;
    const size_t start = i;
    const double value = ReadNumber(answer, i);
    if (answer.find_first_of("0123456789", i) != std::string::npos) return std::nullopt;
    const size_t rest = start + (answer.size() - i);
    if (rest > 16) return std::nullopt;
    return value;
}

std::optional<std::array<double, 4>> OrderedNumbers(const QuestionRecord& record) {
    std::array<double, 4> values{};
    for (int i = 0; i < 4; ++i) {
        const auto v = SingleNumber(AnswerOf(record, i));
        if (!v) return std::nullopt;
        values[static_cast<size_t>(i)] = *v;
    }
    const bool up = std::is_sorted(values.begin(), values.end(), std::less<>()) &&
                    std::adjacent_find(values.begin(), values.end()) == values.end();
    const bool down = std::is_sorted(values.begin(), values.end(), std::greater<>()) &&
                      std::adjacent_find(values.begin(), values.end()) == values.end();
    if (!up && !down) return std::nullopt;
    return values;
}

Balance MeasureBalance(const SetContent& set) {
    Balance b;
    for (const auto& q : set.Questions) {
        const QuestionRecord& r = q.Record;
        const int right = CorrectIndex(r);
        if (right < 0) continue;
        ++b.Questions;
        ++b.Letters[static_cast<size_t>(right)];
        if (OrderedNumbers(r)) {
            ++b.Ordered;
            ++b.OrderedLetters[static_cast<size_t>(right)];
            if (right == 0 || right == 3) ++b.OrderedExtreme;
        } else {
            ++b.OtherLetters[static_cast<size_t>(right)];
        }
        const size_t rightLength = CharCount(AnswerOf(r, right));
        bool longest = true;
        for (int i = 0; i < 4; ++i) {
            if (i != right && CharCount(AnswerOf(r, i)) >= rightLength) longest = false;
        }
        if (longest) ++b.LongestCorrect;
    }
    return b;
}

ProblemList BalanceWarnings(const SetContent& set, const Balance& b) {
    ProblemList warnings;
    if (set.Set.FastestFinger || b.Questions < 40) return warnings;
    const std::string file = set.SourceFile.empty() ? set.Set.Name() : set.SourceFile;
    auto warn = [&](std::string message) { warnings.push_back({file, 0, std::move(message)}); };
    if (!LettersEven(b.Letters, 0.18, 0.32))
        warn("správná písmena nejsou vyrovnaná (" + LetterFigures(b.Letters) + ")");
    if (b.Others() >= 40 && !LettersEven(b.OtherLetters, 0.17, 0.33))
        warn("u otázek bez číselných možností nejsou správná písmena vyrovnaná (" +
             LetterFigures(b.OtherLetters) + ")");
    if (b.Ordered >= 8) {
        const int share = b.OrderedExtreme * 100 / b.Ordered;
        if (share < 30 || share > 70)
            warn("u číselných možností je správná nejmenší nebo největší hodnota v " +
                 Percent(b.OrderedExtreme, b.Ordered) + " otázek (má být asi polovina)");
        if (*std::max_element(b.OrderedLetters.begin(), b.OrderedLetters.end()) * 100 > 45 * b.Ordered)
            warn("u číselných možností převažuje jedno písmeno (" + LetterFigures(b.OrderedLetters) + ")");
    }
    if (b.LongestCorrect * 100 > 40 * b.Questions)
        warn("správná odpověď je nejdelší v " + Percent(b.LongestCorrect, b.Questions) + " otázek");
    return warnings;
}

ProblemList RepeatWarnings(const std::vector<SetContent>& sets) {
    std::vector<Entry> entries;
    std::map<std::string, int> stemUse;
    std::map<std::string, std::vector<size_t>> byAnswer;
    for (const auto& set : sets) {
        if (set.Set.FastestFinger) continue;
        for (size_t i = 0; i < set.Questions.size(); ++i) {
            const QuestionRecord& r = set.Questions[i].Record;
            const int right = CorrectIndex(r);
            if (right < 0) continue;
            Entry e{&set, i, Stems(r.Text), Stems(AnswerOf(r, right))};
            e.Stems.insert(e.AnswerStems.begin(), e.AnswerStems.end());
            for (const auto& s : e.Stems) ++stemUse[s];
            std::string key;
            for (unsigned char c : Utf8ToCp1250(AnswerOf(r, right))) key += static_cast<char>(LowerCp1250(c));
            // Short answers (numbers, "ano", single letters) repeat by nature.
            if (CharCount(AnswerOf(r, right)) >= 5 && !SingleNumber(AnswerOf(r, right)))
                byAnswer[key].push_back(entries.size());
            entries.push_back(std::move(e));
        }
    }

    ProblemList warnings;
    std::map<std::string, std::vector<size_t>> bySubject;
    for (size_t i = 0; i < entries.size(); ++i) {
        const QuestionRecord& r = entries[i].Question().Record;
        auto subjects = Subjects(r.Text);
        for (auto& s : Subjects(AnswerOf(r, CorrectIndex(r)))) subjects.insert(s);
        for (const auto& s : subjects) bySubject[s].push_back(i);
    }
    for (const auto& [subject, users] : bySubject) {
        if (users.size() <= kMaxQuestionsPerSubject) continue;
        std::string ids;
        for (size_t u : users) ids += (ids.empty() ? "" : ", ") + entries[u].Id();
        warnings.push_back(entries[users.front()].Warn(
            "„" + Cp1250ToUtf8(subject.substr(subject.rfind("„") == 0 ? 3 : 0)) + "“ se objevuje v " +
            std::to_string(users.size()) + " otázkách (" + ids + ")"));
    }
    for (const auto& [answer, users] : byAnswer) {
        if (users.size() <= kMaxQuestionsPerAnswer) continue;
        std::string ids;
        for (size_t u : users) ids += (ids.empty() ? "" : ", ") + entries[u].Id();
        const Entry& first = entries[users.front()];
        const QuestionRecord& r = first.Question().Record;
        warnings.push_back(first.Warn("odpověď „" + AnswerOf(r, CorrectIndex(r)) + "“ je správná u " +
                                      std::to_string(users.size()) + " otázek (" + ids + ")"));
    }

    auto rare = [&](const std::string& stem) { return stemUse[stem] <= kRareStemQuestions; };
    for (size_t a = 0; a < entries.size(); ++a) {
        for (size_t b = a + 1; b < entries.size(); ++b) {
            int shared = 0;
            bool inAnswer = false;
            std::string words;
            for (const auto& s : entries[a].Stems) {
                if (!rare(s) || !entries[b].Stems.count(s)) continue;
                ++shared;
                words += (words.empty() ? "" : ", ") + Cp1250ToUtf8(s);
                if (entries[a].AnswerStems.count(s) || entries[b].AnswerStems.count(s)) inAnswer = true;
            }
            if (shared >= 3 || (shared >= 2 && inAnswer))
                warnings.push_back(entries[b].Warn("možná se ptá na totéž jako " + entries[a].Id() +
                                                   " (společné: " + words + ")"));
        }
    }
    return warnings;
}

}  // namespace tolarka::qst
