#include <gtest/gtest.h>

#include "tools/qst/pack_balance.h"
#include "tools/qst/pack_tells.h"

using namespace tolarka;
using namespace tolarka::qst;

namespace {

// A question from one row, "text | A | B | C | D", the right answer marked with '*'.
SourceQuestion Q(int number, std::string_view row) {
    SourceQuestion q;
    q.Number = number;
    q.Line = number * 10;
    std::string* fields[] = {&q.Record.Text, &q.Record.AnswerA, &q.Record.AnswerB, &q.Record.AnswerC,
                             &q.Record.AnswerD};
    for (int i = 0; i < 5; ++i) {
        const size_t bar = std::min(row.find(" | "), row.size());
        *fields[i] = row.substr(0, bar);
        row.remove_prefix(std::min(bar + 3, row.size()));
        if (i > 0 && fields[i]->starts_with('*')) {
            fields[i]->erase(0, 1);
            q.Record.CorrectLetter = std::string(1, static_cast<char>('A' + i - 1));
        }
    }
    return q;
}

SetContent Level(int level, std::vector<SourceQuestion> questions) {
    SetContent set{QuestionSet{false, level}, std::move(questions), "", {}};
    set.SourceFile = set.Set.SourceFileName();
    return set;
}

// A level of `n` questions of distinct made-up subjects with plain word answers; the right
// letter cycles A..D unless `letter` fixes it.
std::vector<SourceQuestion> PlainQuestions(int n, char letter = 0, int firstTag = 0) {
    std::vector<SourceQuestion> qs;
    for (int i = 0; i < n; ++i) {
        const std::string tag = std::to_string(firstTag + i);
        const int right = letter ? letter - 'A' : i % 4;
        std::string row = "Otázka číslo " + tag + "?";
        for (int a = 0; a < 4; ++a)
            row += std::string(" | ") + (a == right ? "*" : "") +
                   std::array{"prvni", "druha", "treti", "ctvrta"}[a] + tag;
        qs.push_back(Q(i + 1, row));
    }
    return qs;
}

bool Mentions(const ProblemList& problems, const std::string& part) {
    for (const auto& p : problems)
        if (p.Message.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(QstBalance, OrderedNumbersAreReadTheCzechWay) {
    auto values = OrderedNumbers(Q(1, "? | *1 234 km | 2.500 km | 10 000 km | 12 345,5 km").Record);
    ASSERT_TRUE(values);
    EXPECT_DOUBLE_EQ((*values)[1], 2500);
    EXPECT_DOUBLE_EQ((*values)[3], 12345.5);
    // Years and descending counts are ordered; a swap, a word, more than a number and a unit, or
    // equal values are not.
    const std::pair<const char*, bool> rows[] = {
        {"? | *1918 | 1945 | 1968 | 1989", true},           {"? | *asi 40 % | 30 % | 20 % | 10 %", true},
        {"? | *1945 | 1918 | 1968 | 1989", false},          {"? | *1918 | 1945 | nikdy | 1989", false},
        {"? | *Karel IV. | 8 dní | 2 roky | 3 a 4", false}, {"? | *5 | 5 | 6 | 7", false}};
    for (const auto& [row, ordered] : rows)
        EXPECT_EQ(OrderedNumbers(Q(1, row).Record).has_value(), ordered) << row;
}

TEST(QstBalance, LevelFiguresAndTheirWarnings) {
    // A clean level: letters even, ordered answers half at the ends.
    auto qs = PlainQuestions(40);
    for (const char* row : {"Kolik? | *10 | 20 | 30 | 40", "Kolik? | 10 | *20 | 30 | 40",
                            "Kolik? | 10 | 20 | *30 | 40", "Kolik? | 10 | 20 | 30 | *40"})
        for (int twice = 0; twice < 2; ++twice) qs.push_back(Q(100 + static_cast<int>(qs.size()), row));
    const SetContent clean = Level(5, qs);
    const Balance b = MeasureBalance(clean);
    EXPECT_EQ(b.Questions, 48);
    EXPECT_EQ(b.Ordered, 8);
    EXPECT_EQ(b.OrderedExtreme, 4);
    EXPECT_EQ(b.Letters, (std::array<int, 4>{12, 12, 12, 12}));
    EXPECT_TRUE(BalanceWarnings(clean, b).empty());

    // Ordered answers always in the middle: the old tell.
    auto middle = PlainQuestions(40);
    for (int i = 0; i < 10; ++i)
        middle.push_back(Q(100 + i, i % 2 ? "Kolik? | 10 | *20 | 30 | 40" : "Kolik? | 10 | 20 | *30 | 40"));
    const SetContent tell = Level(12, middle);
    const ProblemList w = BalanceWarnings(tell, MeasureBalance(tell));
    EXPECT_TRUE(Mentions(w, "nejmenší nebo největší hodnota v 0 %"));
    EXPECT_EQ(w.front().File, "12.txt");

    // One letter too often; the right answer always the longest.
    auto skewed = PlainQuestions(40, 'B');
    for (auto& q : skewed) q.Record.AnswerB = "mnohem delší odpověď";
    const SetContent s = Level(3, skewed);
    const ProblemList ws = BalanceWarnings(s, MeasureBalance(s));
    EXPECT_TRUE(Mentions(ws, "písmena nejsou vyrovnaná"));
    EXPECT_TRUE(Mentions(ws, "nejdelší v 100 %"));

    // Small levels and fastest-finger sets are not judged.
    const SetContent small = Level(4, PlainQuestions(10, 'B'));
    EXPECT_TRUE(BalanceWarnings(small, MeasureBalance(small)).empty());
}

TEST(QstBalance, RepeatsAcrossLevelsAreFound) {
    auto low = PlainQuestions(20);
    low.push_back(
        Q(50, "Kdo napsal báseň „Máj“? | *Karel Hynek Mácha | Jan Neruda | Karel Havlíček | Jiří Wolker"));
    low.push_back(Q(51, "Která řeka protéká Olomoucí? | *Morava | Labe | Odra | Dyje"));
    auto high = PlainQuestions(20);
    high.push_back(
        Q(60, "Jak se jmenuje milá Viléma v Máchově „Máji“? | *Jarmila | Marie | Božena | Ludmila"));
    high.push_back(
        Q(61, "Čím se proslavil Karel Hynek Mácha kromě básně „Máj“? | *deníky | operou | sochou | mostem"));
    high.push_back(Q(62, "Ve kterém roce se narodil Karel Hynek Mácha? | 1800 | *1810 | 1820 | 1830"));
    high.push_back(Q(63, "Které pohoří leží na severu Čech? | *Krkonoše | Šumava | Beskydy | Tatry"));
    // One right answer for more than two questions; two are allowed.
    for (int i = 0; i < 3; ++i)
        high.push_back(Q(70 + i, "Otázka o skladateli " + std::to_string(i) +
                                     "? | *Antonín Dvořák | Bedřich Smetana | Leoš Janáček | Josef Suk"));
    low.push_back(
        Q(80, "Kdo složil operu X? | Antonín Dvořák | *Bedřich Smetana | Leoš Janáček | Josef Suk"));
    low.push_back(
        Q(81, "Kdo složil operu Y? | Antonín Dvořák | *Bedřich Smetana | Leoš Janáček | Josef Suk"));
    const ProblemList w = RepeatWarnings({Level(2, low), Level(13, high)});

    // The poem is named by three questions, its author by name by three (an adjective does not count).
    EXPECT_TRUE(Mentions(w, "„máj“ se objevuje v 3 otázkách (02-050, 13-060, 13-061)"));
    EXPECT_TRUE(Mentions(w, "„mách“ se objevuje v 3 otázkách (02-050, 13-061, 13-062)"));
    EXPECT_TRUE(Mentions(w, "odpověď „Antonín Dvořák“ je správná u 3 otázek (13-070, 13-071, 13-072)"));
    EXPECT_FALSE(Mentions(w, "odpověď „Bedřich Smetana“"));
    // The pair that shares the author in the right answer is flagged at the later question.
    bool pairFound = false;
    for (const auto& p : w) {
        if (p.Message.find("totéž jako 02-050") != std::string::npos && p.File == "13.txt") pairFound = true;
        EXPECT_EQ(p.Message.find("Olomouc"), std::string::npos);
        EXPECT_EQ(p.Message.find("13-063"), std::string::npos) << p.ToString();
    }
    EXPECT_TRUE(pairFound);
}

TEST(QstTells, EachTellIsFoundAndFairQuestionsPass) {
    // A question at level 5 and part of the warning it gets ("" for none).
    const std::pair<const char*, const char*> cases[] = {
        // A word root of the question in the right answer only.
        {"Jak se nazývá nemoc, při níž tělo neumí hospodařit s cukrem? | dna | *cukrovka | žloutenka | "
         "chudokrevnost",
         "slovo „cukrem“ z otázky má stejný kořen jako „cukrovka“"},
        {"Která zpěvačka poprvé zpívala píseň „Modlitba pro Martu“? | Helena Vondráčková | *Marta Kubišová | "
         "Hana Hegerová | Eva Pilarová",
         "„Martu“"},
        {"Který strom je u nás jediným opadavým jehličnanem? | *modřín opadavý | jedle bělokorá | borovice "
         "lesní | tis červený",
         "„opadavým“"},
        // ... not when a wrong answer shares it too.
        {"Který strom je u nás jediným opadavým jehličnanem? | *modřín opadavý | jedle opadavá | borovice "
         "lesní | tis červený",
         ""},
        // A preposition before some answers only.
        {"Ve kterém městě stojí Špilberk? | v Olomouci | *Brno | v Plzni | v Opavě",
         "„v Olomouci“ s předložkou, „Brno“ bez ní"},
        {"Doplňte přísloví: „Darovanému koni…“ | na kopyta nesahej | *na zuby nehleď | do hřívy nesahej | "
         "podkovy nepočítej",
         ""},
        // Adjectives in different cases.
        {"Jakou barvu má zralé rajče? | modrou | *červená | fialovou | černou",
         "v různých pádech: „červená“ a „modrou“"},
        // The case the question asks for.
        {"Komu se připisuje spis „Orthographia bohemica“? | *Jan Hus | Janu Blahoslavovi | J. A. Komenskému "
         "| Josefu Dobrovskému",
         "ptá v 3. pádě („Komu“), možnost „Jan Hus“"},
        {"Komu se připisuje spis „Orthographia bohemica“? | *Janu Husovi | Janu Blahoslavovi | J. A. "
         "Komenskému | Josefu Dobrovskému",
         ""},
        {"Hlavním městem kterého státu je Thimphu? | Laos | *Bhútán | Bangladéš | Nepál",
         "ptá v 2. pádě („kterého“), možnost „Laos“"},
        {"Hlavním městem kterého státu je Thimphu? | Laosu | *Bhútánu | Bangladéše | Nepálu", ""},
        {"Jak se jmenuje dravec, kterého cvičí lovci? | *sokol | orel | čáp | jestřáb", ""},
        {"Jakým jazykem se mluví v Brazílii? | brazilsky | *portugalsky | francouzsky | španělsky",
         "ptá v 7. pádě („Jakým“)"},
        {"Jakým jazykem se mluví v Brazílii? | brazilštinou | *portugalštinou | francouzštinou | "
         "španělštinou",
         ""},
        // Names, Roman numerals and numbers are no case mix.
        {"Kdo se stal prvním kancléřem sjednoceného Německa? | Vilém I. | Helmuth von Moltke | Konrad "
         "Adenauer | *Otto von Bismarck",
         ""},
        {"Kolik nohou má pavouk? | 6 | *8 | 10 | 12", ""},
        // Options made from the right number by powers of ten.
        {"Kolik kilometrů je přibližně od Země k Měsíci? | 3 840 | 38 400 | 150 000 | *384 000",
         "tři možnosti („3 840“, „38 400“, „384 000“) se liší jen násobkem deseti"},
        {"Kolik kilometrů je přibližně od Země k Měsíci? | 384 | 3 840 | 38 400 | *384 000", ""},
    };
    for (const auto& [row, expected] : cases) {
        const ProblemList w = TellWarnings(Level(5, {Q(7, row)}));
        if (*expected) {
            ASSERT_FALSE(w.empty()) << row;
            EXPECT_TRUE(Mentions(w, expected)) << row << "\n" << w[0].Message;
            EXPECT_TRUE(w[0].ToString().starts_with("05.txt:70: otázka 007: ")) << w[0].ToString();
        } else {
            EXPECT_TRUE(w.empty()) << row << ": " << w[0].Message;
        }
    }
}

TEST(QstTells, OneFactAskedTwiceAcrossLevels) {
    auto low = PlainQuestions(20);
    low.push_back(Q(50, "Kolik nohou má pavouk? | čtyři | šest | *osm | deset"));
    low.push_back(Q(51,
                    "Jak se nazývá poloparazitická rostlina na větvích stromů, zdobící domy o Vánocích? | "
                    "břečťan | *jmelí | cesmína | kokotice"));
    low.push_back(Q(52,
                    "Kdo byl prvním pražským arcibiskupem? | svatý Vojtěch | Jan z Jenštejna | Jan Očko z "
                    "Vlašimi | *Arnošt z Pardubic"));
    low.push_back(
        Q(53, "Hlavním městem kterého státu je Paramaribo? | Hondurasu | Guyany | Belize | *Surinamu"));
    auto high = PlainQuestions(20, 0, 100);
    high.push_back(Q(60, "Kolik očí má většina pavouků? | 4 | 6 | *8 | 10"));
    high.push_back(Q(61,
                     "Která rostlina cizopasí na stromech a tvoří v korunách zelené koule? | *jmelí bílé | "
                     "kokotice evropská | podbílek šupinatý | záraza menší"));
    high.push_back(Q(62, "Kdo byl prvním pražským biskupem? | Vojtěch | Kosmas | *Dětmar | Šebíř"));
    high.push_back(
        Q(63, "Hlavním městem kterého státu je Thimphu? | Laosu | *Bhútánu | Bangladéše | Nepálu"));
    const ProblemList w = NearRepeatWarnings({Level(2, low), Level(13, high)});
    // One template with another subject (063) is another fact.
    std::vector<std::string> m;
    for (const auto& p : w) m.push_back(p.ToString());
    EXPECT_EQ(
        m, (std::vector<std::string>{
               "13.txt:600: otázka 060: možná stejný fakt jako 02-050: stejná správná odpověď („osm“, „8“) "
               "a společné slovo „pavouk…“",
               "13.txt:610: otázka 061: možná stejný fakt jako 02-051: stejná správná odpověď („jmelí“, "
               "„jmelí bílé“) a společné slovo „rostl…“",
               "13.txt:620: otázka 062: téměř stejné znění jako 02-052 „Kdo byl prvním pražským "
               "arcibiskupem?“: ptá se jinak, nebo na jiný fakt"}));
}

TEST(QstTells, PersonTemplateAndSuperlatives) {
    for (const char* person :
         {"Kdo napsal román „Babička“?", "Kdo složil operu „Rusalka“?",
          "Který malíř je autorem obrazu „Polibek“?", "Kdo je autorkou knihy „Saturnin“?",
          "Který český režisér natočil film „Obchod na korze“?"})
        EXPECT_TRUE(IsPersonTemplate(person)) << person;
    for (const char* other :
         {"Kdo byl prvním prezidentem Československa?", "Který programovací jazyk vytvořil Guido van Rossum?",
          "Ve kterém roce napsal Mácha „Máj“?"})
        EXPECT_FALSE(IsPersonTemplate(other)) << other;
    EXPECT_TRUE(HasSuperlative("Která hora je nejvyšší v Alpách?"));
    EXPECT_FALSE(HasSuperlative("Které z těchto zvířat nejsou savci?"));
}
