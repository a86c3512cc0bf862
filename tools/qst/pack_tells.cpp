#include "tools/qst/pack_tells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include "io/cp1250.h"
#include "tools/qst/czech_text.h"
#include "tools/qst/pack_balance.h"

namespace tolarka::qst {

namespace {

std::string QuestionId(const SetContent& set, const SourceQuestion& q) {
    char n[8];
    std::snprintf(n, sizeof n, "%03d", q.Number);
    return set.Set.Name() + "-" + n;
}

std::string Said(const TextWord& w) { return "„" + Cp1250ToUtf8(w.Written) + "“"; }
std::string Said(const std::string& utf8) { return "„" + utf8 + "“"; }

// A UTF-8 ending as Windows-1250 bytes, converted once.
const std::string& Cp(const char* utf8) {
    static std::map<const char*, std::string> cache;
    auto it = cache.find(utf8);
    if (it == cache.end()) it = cache.emplace(utf8, Utf8ToCp1250(utf8)).first;
    return it->second;
}

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool EndsWithAny(const std::string& lower, std::initializer_list<const char*> endings) {
    return std::any_of(endings.begin(), endings.end(), [&](const char* e) { return EndsWith(lower, Cp(e)); });
}

bool OneOf(const std::string& folded, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), folded) != words.end();
}

bool IsPreposition(const TextWord& w) {
    return OneOf(w.Folded, {"v",     "ve",    "na",    "z",     "ze",   "do",    "od",    "ode",
                            "k",     "ke",    "s",     "se",    "u",    "o",     "po",    "pro",
                            "pri",   "pred",  "pod",   "nad",   "mezi", "pres",  "proti", "kolem",
                            "okolo", "podle", "vedle", "kvuli", "diky", "behem", "mimo"});
}

// A word that ends in a consonant: no Czech dative or genitive singular does.
bool ConsonantFinal(const TextWord& w) {
    return std::string_view("aeiouy").find(w.Folded.back()) == std::string_view::npos;
}

// Initials ("A."), Roman numerals ("IV") and abbreviations ("USA") say nothing about case.
bool CaseNeutral(const TextWord& w) {
    if (w.Number || w.Folded.size() == 1) return true;
    const bool roman = w.Written.find_first_not_of("IVXLCDM") == std::string::npos;
    const bool upper = std::all_of(w.Written.begin(), w.Written.end(),
                                   [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
    return roman || upper;
}

std::vector<TextWord> CaseWords(const std::string& answer) {
    std::vector<TextWord> words;
    for (auto& w : SplitWords(answer)) {
        if (!CaseNeutral(w)) words.push_back(std::move(w));
    }
    return words;
}

// ---- the answer in the question ----

// Words of five letters or more, with their stems.
std::vector<std::pair<TextWord, std::string>> LongWords(const std::string& text) {
    std::vector<std::pair<TextWord, std::string>> out;
    for (auto& w : SplitWords(text)) {
        if (w.Number || w.Folded.size() < 5) continue;
        std::string stem = CzechStem(w.Folded);
        out.emplace_back(std::move(w), std::move(stem));
    }
    return out;
}

void SharedRootTell(const QuestionRecord& r, int right, const std::function<void(std::string)>& warn) {
    std::array<std::vector<std::pair<TextWord, std::string>>, 4> answers;
    for (int i = 0; i < 4; ++i) answers[static_cast<size_t>(i)] = LongWords(AnswerOf(r, i));
    for (const auto& [word, stem] : LongWords(r.Text)) {
        const TextWord* inRight = nullptr;
        bool inWrong = false;
        for (int i = 0; i < 4; ++i) {
            for (const auto& [answerWord, answerStem] : answers[static_cast<size_t>(i)]) {
                if (!SameRoot(stem, answerStem)) continue;
                if (i == right)
                    inRight = &answerWord;
                else
                    inWrong = true;
            }
        }
        if (inRight && !inWrong) {
            warn("slovo " + Said(word) + " z otázky má stejný kořen jako " + Said(*inRight) +
                 " ve správné odpovědi a v žádné jiné možnosti, napovídá");
            return;
        }
    }
}

// ---- grammatical forms ----

// The case a question asks its answer in, read from its question word; 0 when free.
struct AskedCase {
    int Case = 0;
    std::string Word;  // the question word, for messages
};

AskedCase CaseAsked(const std::vector<TextWord>& words, const std::string& text) {
    if (words.empty()) return {};
    const std::string& first = words[0].Folded;
    if (OneOf(first, {"komu", "kteremu", "jakemu", "cemu"})) return {3, words[0].Written};
    if (first == "cim") return {7, words[0].Written};
    if (OneOf(first, {"jakym", "kterym"})) {
        // "Jakým jazykem…", "Kterým průplavem…": an instrumental noun; "Kterým zemím" is a dative.
        for (size_t i = 1; i < std::min<size_t>(words.size(), 4); ++i) {
            if (EndsWith(words[i].Lower, "em")) return {7, words[0].Written};
        }
        return {};
    }
    // "Hlavním městem kterého státu…", "Koho porazil…": a genitive (or the accusative of a person,
    // which has the same form). Only in the question proper: after a comma it is a relative clause.
    // After a preposition ("Podle kterého…", "Do kterého…") a bare name is the usual answer.
    const size_t comma = text.find(',');
    const auto head = SplitWords(comma == std::string::npos ? text : text.substr(0, comma));
    for (size_t i = 0; i < head.size(); ++i) {
        if (!OneOf(head[i].Folded, {"koho", "ktereho", "jakeho", "ciho"})) continue;
        if (i > 0 && IsPreposition(head[i - 1])) return {};
        return {2, head[i].Written};
    }
    return {};
}

void GrammarTells(const QuestionRecord& r, const std::function<void(std::string)>& warn) {
    const std::vector<TextWord> question = SplitWords(r.Text);
    const bool completion = r.Text.ends_with("…") || r.Text.ends_with("...") ||
                            (!question.empty() && question[0].Folded == "doplnte");
    std::array<std::vector<TextWord>, 4> answers;
    for (int i = 0; i < 4; ++i) answers[static_cast<size_t>(i)] = SplitWords(AnswerOf(r, i));

    // A preposition before some answers and not before others: "v Brně" among bare names.
    if (!completion) {
        int with = -1, without = -1;
        for (int i = 0; i < 4; ++i) {
            const auto& a = answers[static_cast<size_t>(i)];
            if (a.size() >= 2 && IsPreposition(a[0]) && !a[0].Capital) {
                if (with < 0) with = i;
            } else if (!a.empty() && !(a.size() == 1 && a[0].Folded.size() == 1) && without < 0) {
                without = i;
            }
        }
        if (with >= 0 && without >= 0) {
            warn("možnosti nemají stejný tvar: " + Said(AnswerOf(r, with)) + " s předložkou, " +
                 Said(AnswerOf(r, without)) + " bez ní");
            return;
        }
    }

    // Adjective endings of the first words: "modrá" (1st case) beside "červenou" (4th or 7th).
    int nominative = -1, other = -1;
    for (int i = 0; i < 4; ++i) {
        const auto& a = answers[static_cast<size_t>(i)];
        if (a.empty() || a[0].Number || a[0].Folded.size() < 4) continue;
        const std::string& w = a[0].Lower;
        if (EndsWithAny(w, {"ou", "ého", "ému", "ým", "ími", "ými"})) {
            if (other < 0) other = i;
        } else if (EndsWithAny(w, {"á", "ý"}) && nominative < 0) {
            nominative = i;
        }
    }
    if (nominative >= 0 && other >= 0) {
        warn("možnosti jsou v různých pádech: " + Said(AnswerOf(r, nominative)) + " a " +
             Said(AnswerOf(r, other)));
        return;
    }

    // The case the question asks for.
    const AskedCase asked = CaseAsked(question, r.Text);
    if (asked.Case == 0) return;
    for (int i = 0; i < 4; ++i) {
        const auto& all = answers[static_cast<size_t>(i)];
        if (all.empty() || (all.size() >= 2 && IsPreposition(all[0]) && !all[0].Capital)) continue;
        const std::vector<TextWord> words = CaseWords(AnswerOf(r, i));
        if (words.empty()) continue;
        bool fits = true;
        if (asked.Case == 7) {
            // Instrumental endings; "česky", "anglicky" are adverbs, not a 7th case.
            fits = std::any_of(words.begin(), words.end(), [](const TextWord& w) {
                return !EndsWithAny(w.Lower, {"sky", "cky"}) &&
                       EndsWithAny(w.Lower, {"em", "ou", "ím", "ým", "mi", "y", "í"});
            });
        } else {
            // Names only: a common noun ends in a consonant in the plural too ("ledvin", "plic").
            fits = !words[0].Capital || !std::all_of(words.begin(), words.end(), ConsonantFinal);
        }
        if (!fits) {
            warn("otázka se ptá v " + std::to_string(asked.Case) + ". pádě (" +
                 Said(Cp1250ToUtf8(asked.Word)) + "), možnost " + Said(AnswerOf(r, i)) + " tomu neodpovídá");
            return;
        }
    }
}

// ---- numbers made from one another ----

void PowerOfTenTell(const QuestionRecord& r, int right, const std::function<void(std::string)>& warn) {
    std::array<double, 4> values{};
    for (int i = 0; i < 4; ++i) {
        const auto v = SingleNumber(AnswerOf(r, i));
        if (!v || *v <= 0) return;
        values[static_cast<size_t>(i)] = *v;
    }
    // Options whose digits are the same and only the decimal point moves.
    auto related = [&](int a, int b) {
        const double ratio = std::log10(values[static_cast<size_t>(a)] / values[static_cast<size_t>(b)]);
        return std::abs(ratio - std::round(ratio)) < 1e-9 && std::round(ratio) != 0;
    };
    for (int odd = 0; odd < 4; ++odd) {
        std::vector<int> family;
        for (int i = 0; i < 4; ++i) {
            if (i != odd) family.push_back(i);
        }
        const bool together =
            related(family[0], family[1]) && related(family[0], family[2]) && related(family[1], family[2]);
        // 10, 100, 1 000 are round numbers, not one number shifted: a question of magnitude.
        const double digits = values[static_cast<size_t>(family[0])] /
                              std::pow(10.0, std::floor(std::log10(values[static_cast<size_t>(family[0])])));
        if (std::abs(digits - 1.0) < 1e-9) continue;
        const bool apart = !related(odd, family[0]);
        if (!together || !apart) continue;
        std::string shown;
        for (int i : family) shown += (shown.empty() ? "" : ", ") + Said(AnswerOf(r, i));
        warn("tři možnosti (" + shown + ") se liší jen násobkem deseti a " + Said(AnswerOf(r, odd)) +
             " stojí stranou: " +
             (odd == right ? "správná odpověď vyčnívá" : "správná je zřejmě mezi těmi třemi"));
        return;
    }
}

// ---- near repeats ----

bool IsStopWord(const std::string& folded) {
    static const std::set<std::string> stop = {
        "ktery",    "ktera",   "ktere",    "kterou",    "ktereho",   "kterem",    "kterym", "kteremu",
        "kteri",    "jaky",    "jaka",     "jake",      "jakou",     "jakeho",    "jakem",  "jakym",
        "jak",      "jmenuje", "jmenoval", "jmenovala", "jmenovalo", "jmenovali", "nazyva", "nazyval",
        "nazyvaji", "kolik",   "kdo",      "kdy",       "kde",       "cim",       "cem",    "koho",
        "komu",     "proc",    "odkud",    "tradicne",  "vetsina",   "podle",     "roce",   "roku",
        "stoleti",  "jeden",   "jedna",    "jedno",     "prvni",     "prvnim",    "mezi",   "ceho",
        "jako",     "nebo",    "take",     "jejich",    "jeho",      "tento",     "tato",   "toto",
        "tyto",     "techto",  "byl",      "byla",      "bylo",      "byli",      "jsou",   "znamy",
        "znama",    "zname",   "slavny",   "slavna",    "patri",     "lezi",      "stoji"};
    return stop.count(folded) > 0;
}

// Stems of a question's words that carry its subject: no question words, no short common words,
// but numbers and short names ("Au", "1936") are kept.
std::set<std::string> ContentStems(const std::string& text) {
    std::set<std::string> stems;
    const auto words = SplitWords(text);
    for (size_t i = 0; i < words.size(); ++i) {
        const TextWord& w = words[i];
        if (IsStopWord(w.Folded) || (IsPreposition(w) && (!w.Capital || i == 0))) continue;
        // The first word is capitalised anyway ("Ze které země…").
        if (w.Folded.size() < 4 && !(w.Capital && i > 0) && !w.Number) continue;
        stems.insert(w.Number ? w.Folded : CzechStem(w.Folded));
    }
    return stems;
}

// Shared root for similar texts; compounds count too ("biskup" in "arcibiskup").
bool Related(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const std::string& s = a.size() <= b.size() ? a : b;
    const std::string& l = a.size() <= b.size() ? b : a;
    return s.size() >= 4 && (l.starts_with(s) || l.ends_with(s));
}

// The right answer as a comparable key: its number, or the stems of its words without a leading
// preposition ("v Českých Budějovicích" = "České Budějovice"), number words as digits ("osm" = "8").
std::set<std::string> AnswerKey(const std::string& answer) {
    const auto words = SplitWords(answer);
    const bool named = std::any_of(words.begin(), words.end(), [](const TextWord& w) { return w.Capital; });
    if (const auto n = SingleNumber(answer); n && !named) {  // "Sputnik 1" is a name
        char s[32];
        std::snprintf(s, sizeof s, "#%.6g", *n);
        return {s};
    }
    static const std::map<std::string, std::string> numberWords = {
        {"jeden", "#1"}, {"jedna", "#1"}, {"dva", "#2"},  {"dve", "#2"}, {"tri", "#3"},   {"ctyri", "#4"},
        {"pet", "#5"},   {"sest", "#6"},  {"sedm", "#7"}, {"osm", "#8"}, {"devet", "#9"}, {"deset", "#10"}};
    std::set<std::string> key;
    for (size_t i = 0; i < words.size(); ++i) {
        const TextWord& w = words[i];
        if (i == 0 && words.size() > 1 && IsPreposition(w) && !w.Capital) continue;
        const auto it = numberWords.find(w.Folded);
        key.insert(it != numberWords.end() ? it->second : CzechStem(w.Folded));
    }
    return key;
}

struct RepeatEntry {
    const SetContent* Set;
    size_t Index;
    const SourceQuestion* Question;
    std::set<std::string> Stems;
    std::set<std::string> Answer;
    std::string RightText;
};

// How often a stem must be rare for two questions with one right answer to be one fact.
constexpr int kRareWordQuestions = 8;
constexpr int kRareWordQuestionsForNumbers = 3;
constexpr double kSimilarText = 0.9;

}  // namespace

ProblemList TellWarnings(const SetContent& set) {
    ProblemList warnings;
    if (set.Set.FastestFinger) return warnings;
    for (size_t i = 0; i < set.Questions.size(); ++i) {
        const SourceQuestion& q = set.Questions[i];
        const QuestionRecord& r = q.Record;
        const int right = CorrectIndex(r);
        if (right < 0) continue;
        char number[8];
        std::snprintf(number, sizeof number, "%03d", q.Number);
        const auto warn = [&](std::string message) {
            warnings.push_back(
                {set.FileOf(i), q.Line, "otázka " + std::string(number) + ": " + std::move(message)});
        };
        SharedRootTell(r, right, warn);
        GrammarTells(r, warn);
        PowerOfTenTell(r, right, warn);
    }
    return warnings;
}

ProblemList NearRepeatWarnings(const std::vector<SetContent>& sets) {
    std::vector<RepeatEntry> entries;
    std::map<std::string, int> use;  // stem -> questions using it
    for (const auto& set : sets) {
        if (set.Set.FastestFinger) continue;
        for (size_t i = 0; i < set.Questions.size(); ++i) {
            const SourceQuestion& q = set.Questions[i];
            const int right = CorrectIndex(q.Record);
            if (right < 0) continue;
            const std::string& answer = AnswerOf(q.Record, right);
            entries.push_back({&set, i, &q, ContentStems(q.Record.Text), AnswerKey(answer), answer});
            for (const auto& s : entries.back().Stems) ++use[s];
        }
    }
    const double total = static_cast<double>(entries.size());
    auto weight = [&](const std::string& stem) { return std::log(total / use[stem]); };

    ProblemList warnings;
    for (size_t a = 0; a < entries.size(); ++a) {
        for (size_t b = a + 1; b < entries.size(); ++b) {
            const RepeatEntry& x = entries[a];
            const RepeatEntry& y = entries[b];
            auto warn = [&](std::string message) {
                char n[8];
                std::snprintf(n, sizeof n, "%03d", y.Question->Number);
                warnings.push_back({y.Set->FileOf(y.Index), y.Question->Line,
                                    "otázka " + std::string(n) + ": " + std::move(message)});
            };
            const std::string otherId = QuestionId(*x.Set, *x.Question);

            // One right answer (or one inside the other: "jmelí" and "jmelí bílé") and a rare shared word.
            const bool sameAnswer =
                std::includes(x.Answer.begin(), x.Answer.end(), y.Answer.begin(), y.Answer.end()) ||
                std::includes(y.Answer.begin(), y.Answer.end(), x.Answer.begin(), x.Answer.end());
            if (sameAnswer && !x.Answer.empty() && !y.Answer.empty()) {
                const bool numeric = x.Answer.begin()->starts_with("#");
                const int rare = numeric ? kRareWordQuestionsForNumbers : kRareWordQuestions;
                std::string shared;
                for (const auto& s : x.Stems) {
                    if (use[s] > rare) continue;
                    if (std::any_of(y.Stems.begin(), y.Stems.end(), [&](const std::string& t) {
                            return use[t] <= rare && (s == t || SameRoot(s, t));
                        })) {
                        shared = s;
                        break;
                    }
                }
                if (!shared.empty()) {
                    warn("možná stejný fakt jako " + otherId + ": stejná správná odpověď (" +
                         Said(x.RightText) + ", " + Said(y.RightText) + ") a společné slovo „" + shared +
                         "…“");
                    continue;
                }
            }

            // Almost the same wording, weighed by how rare each word is.
            if (x.Stems.size() < 2 || y.Stems.size() < 2) continue;
            double shared = 0, all = 0;
            for (const auto* side : {&x, &y}) {
                const auto& other = side == &x ? y.Stems : x.Stems;
                for (const auto& s : side->Stems) {
                    all += weight(s);
                    if (std::any_of(other.begin(), other.end(),
                                    [&](const std::string& t) { return Related(s, t); }))
                        shared += weight(s);
                }
            }
            if (all > 0 && shared / all >= kSimilarText) {
                warn("téměř stejné znění jako " + otherId + " " + Said(x.Question->Record.Text) +
                     ": ptá se jinak, nebo na jiný fakt");
            }
        }
    }
    return warnings;
}

bool IsPersonTemplate(std::string_view question) {
    const auto words = SplitWords(question);
    if (words.empty()) return false;
    auto makes = [](const std::string& f) {
        for (std::string_view verb :
             {"napsal", "slozil", "zkomponoval", "namaloval", "reziroval", "natocil", "vytvoril", "navrhl",
              "nazpival", "nakreslil", "ilustroval", "vytesal", "zhudebnil", "autor", "autork"}) {
            if (f.starts_with(verb)) return true;
        }
        return false;
    };
    const bool makesWork =
        std::any_of(words.begin(), words.end(), [&](const TextWord& w) { return makes(w.Folded); });
    if (!makesWork) return false;
    const std::string& first = words[0].Folded;
    if (first == "kdo" || first == "ci") return true;
    // "Který (český) malíř…", "Jak se jmenuje autor…": a noun for a maker near the start.
    static const std::vector<std::string_view> makers = {
        "spisovatel", "basnik",    "basnir",   "malir",     "sochar",  "reziser", "skladatel", "architekt",
        "autor",      "vytvarnik", "dramatik", "zpevak",    "zpevack", "tvurce",  "fotograf",  "ilustrator",
        "kreslir",    "hudebnik",  "prozaik",  "romanopis", "textar",  "grafik",  "filmar"};
    if (!OneOf(first, {"ktery", "ktera", "kteri", "jaky", "jaka", "jak"})) return false;
    for (size_t i = 1; i < std::min<size_t>(words.size(), 5); ++i) {
        for (auto m : makers) {
            if (words[i].Folded.starts_with(m)) return true;
        }
    }
    return false;
}

bool HasSuperlative(std::string_view question) {
    for (const auto& w : SplitWords(question)) {
        if (w.Folded.size() >= 6 && w.Folded.starts_with("nej") && !w.Folded.starts_with("nejsou") &&
            !w.Folded.starts_with("nejen") && !w.Folded.starts_with("nejed"))
            return true;
    }
    return false;
}

}  // namespace tolarka::qst
