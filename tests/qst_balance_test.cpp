#include <gtest/gtest.h>

#include "tools/qst/pack_balance.h"
#include "tools/qst/pack_tells.h"

using namespace tolarka;
using namespace tolarka::qst;

namespace {

SourceQuestion Q(int number, std::string text, std::array<std::string, 4> answers, char correct) {
    SourceQuestion q;
    q.Number = number;
    q.Line = number * 10;
    q.Record.Text = std::move(text);
    q.Record.AnswerA = answers[0];
    q.Record.AnswerB = answers[1];
    q.Record.AnswerC = answers[2];
    q.Record.AnswerD = answers[3];
    q.Record.CorrectLetter = std::string(1, correct);
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
        qs.push_back(Q(i + 1, "Otázka číslo " + tag + "?",
                       {"prvni" + tag, "druha" + tag, "treti" + tag, "ctvrta" + tag},
                       letter ? letter : static_cast<char>('A' + i % 4)));
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
    auto values = OrderedNumbers(Q(1, "?", {"1 234 km", "2.500 km", "10 000 km", "12 345,5 km"}, 'A').Record);
    ASSERT_TRUE(values);
    EXPECT_DOUBLE_EQ((*values)[1], 2500);
    EXPECT_DOUBLE_EQ((*values)[3], 12345.5);
    EXPECT_TRUE(OrderedNumbers(Q(1, "?", {"1918", "1945", "1968", "1989"}, 'A').Record));
    EXPECT_TRUE(OrderedNumbers(Q(1, "?", {"asi 40 %", "30 %", "20 %", "10 %"}, 'A').Record))
        << "descending counts";
    // Not ordered, not all numbers, or more than a number and a unit.
    EXPECT_FALSE(OrderedNumbers(Q(1, "?", {"1945", "1918", "1968", "1989"}, 'A').Record));
    EXPECT_FALSE(OrderedNumbers(Q(1, "?", {"1918", "1945", "nikdy", "1989"}, 'A').Record));
    EXPECT_FALSE(OrderedNumbers(Q(1, "?", {"Karel IV.", "8 dní", "2 roky", "3 a 4"}, 'A').Record));
    EXPECT_FALSE(OrderedNumbers(Q(1, "?", {"5", "5", "6", "7"}, 'A').Record)) << "equal values";
}

TEST(QstBalance, LevelFiguresAndTheirWarnings) {
    // A clean level: letters even, ordered answers half at the ends.
    auto qs = PlainQuestions(40);
    const std::array<char, 8> orderedRight = {'A', 'B', 'C', 'D', 'D', 'C', 'B', 'A'};
    for (int i = 0; i < 8; ++i)
        qs.push_back(Q(100 + i, "Kolik?", {"10", "20", "30", "40"}, orderedRight[static_cast<size_t>(i)]));
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
        middle.push_back(Q(100 + i, "Kolik?", {"10", "20", "30", "40"}, i % 2 ? 'B' : 'C'));
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
    low.push_back(Q(50, "Kdo napsal báseň „Máj“?",
                    {"Karel Hynek Mácha", "Jan Neruda", "Karel Havlíček", "Jiří Wolker"}, 'A'));
    low.push_back(Q(51, "Která řeka protéká Olomoucí?", {"Morava", "Labe", "Odra", "Dyje"}, 'A'));
    auto high = PlainQuestions(20);
    high.push_back(Q(60, "Jak se jmenuje milá Viléma v Máchově „Máji“?",
                     {"Jarmila", "Marie", "Božena", "Ludmila"}, 'A'));
    high.push_back(Q(61, "Čím se proslavil Karel Hynek Mácha kromě básně „Máj“?",
                     {"deníky", "operou", "sochou", "mostem"}, 'A'));
    high.push_back(
        Q(62, "Ve kterém roce se narodil Karel Hynek Mácha?", {"1800", "1810", "1820", "1830"}, 'B'));
    high.push_back(
        Q(63, "Které pohoří leží na severu Čech?", {"Krkonoše", "Šumava", "Beskydy", "Tatry"}, 'A'));
    const std::vector<SetContent> sets = {Level(2, low), Level(13, high)};
    const ProblemList w = RepeatWarnings(sets);

    // The poem is named by three questions, its author by name by three (an adjective does not count).
    EXPECT_TRUE(Mentions(w, "„máj“ se objevuje v 3 otázkách (02-050, 13-060, 13-061)"));
    EXPECT_TRUE(Mentions(w, "„mách“ se objevuje v 3 otázkách (02-050, 13-061, 13-062)"));
    // The pair that shares the author in the right answer is flagged at the later question.
    bool pairFound = false;
    for (const auto& p : w) {
        if (p.Message.find("totéž jako 02-050") != std::string::npos && p.File == "13.txt") pairFound = true;
        EXPECT_EQ(p.Message.find("Olomouc"), std::string::npos);
        EXPECT_EQ(p.Message.find("13-063"), std::string::npos) << p.ToString();
    }
    EXPECT_TRUE(pairFound);
}

TEST(QstBalance, OneRightAnswerForMoreThanTwoQuestions) {
    auto qs = PlainQuestions(10);
    for (int i = 0; i < 3; ++i)
        qs.push_back(Q(70 + i, "Otázka o skladateli " + std::to_string(i) + "?",
                       {"Antonín Dvořák", "Bedřich Smetana", "Leoš Janáček", "Josef Suk"}, 'A'));
    const ProblemList w = RepeatWarnings({Level(6, qs)});
    EXPECT_TRUE(Mentions(w, "odpověď „Antonín Dvořák“ je správná u 3 otázek (06-070, 06-071, 06-072)"));
    // Two uses are allowed.
    qs.pop_back();
    EXPECT_FALSE(Mentions(RepeatWarnings({Level(6, qs)}), "je správná u"));
}

TEST(QstTells, EachTellIsFoundAndFairQuestionsPass) {
    struct Case {
        const char* Text;
        std::array<std::string, 4> Answers;
        char Right;
        const char* Expected;  // part of the warning, or nullptr for none
    };
    const Case cases[] = {
        // A word root of the question in the right answer only.
        {"Jak se nazývá nemoc, při níž tělo neumí hospodařit s cukrem?",
         {"dna", "cukrovka", "žloutenka", "chudokrevnost"},
         'B',
         "slovo „cukrem“ z otázky má stejný kořen jako „cukrovka“"},
        {"Která zpěvačka poprvé zpívala píseň „Modlitba pro Martu“?",
         {"Helena Vondráčková", "Marta Kubišová", "Hana Hegerová", "Eva Pilarová"},
         'B',
         "„Martu“"},
        {"Který strom je u nás jediným opadavým jehličnanem?",
         {"modřín opadavý", "jedle bělokorá", "borovice lesní", "tis červený"},
         'A',
         "„opadavým“"},
        // ... not when a wrong answer shares it too.
        {"Který strom je u nás jediným opadavým jehličnanem?",
         {"modřín opadavý", "jedle opadavá", "borovice lesní", "tis červený"},
         'A',
         nullptr},
        // A preposition before some answers only.
        {"Ve kterém městě stojí Špilberk?",
         {"v Olomouci", "Brno", "v Plzni", "v Opavě"},
         'B',
         "„v Olomouci“ s předložkou, „Brno“ bez ní"},
        {"Doplňte přísloví: „Darovanému koni…“",
         {"na kopyta nesahej", "na zuby nehleď", "do hřívy nesahej", "podkovy nepočítej"},
         'B',
         nullptr},
        // Adjectives in different cases.
        {"Jakou barvu má zralé rajče?",
         {"modrou", "červená", "fialovou", "černou"},
         'B',
         "v různých pádech: „červená“ a „modrou“"},
        // The case the question asks for.
        {"Komu se připisuje spis „Orthographia bohemica“?",
         {"Jan Hus", "Janu Blahoslavovi", "J. A. Komenskému", "Josefu Dobrovskému"},
         'A',
         "ptá v 3. pádě („Komu“), možnost „Jan Hus“"},
        {"Komu se připisuje spis „Orthographia bohemica“?",
         {"Janu Husovi", "Janu Blahoslavovi", "J. A. Komenskému", "Josefu Dobrovskému"},
         'A',
         nullptr},
        {"Hlavním městem kterého státu je Thimphu?",
         {"Laos", "Bhútán", "Bangladéš", "Nepál"},
         'B',
         "ptá v 2. pádě („kterého“), možnost „Laos“"},
        {"Hlavním městem kterého státu je Thimphu?",
         {"Laosu", "Bhútánu", "Bangladéše", "Nepálu"},
         'B',
         nullptr},
        {"Jak se jmenuje dravec, kterého cvičí lovci?", {"sokol", "orel", "čáp", "jestřáb"}, 'A', nullptr},
        {"Jakým jazykem se mluví v Brazílii?",
         {"brazilsky", "portugalsky", "francouzsky", "španělsky"},
         'B',
         "ptá v 7. pádě („Jakým“)"},
        {"Jakým jazykem se mluví v Brazílii?",
         {"brazilštinou", "portugalštinou", "francouzštinou", "španělštinou"},
         'B',
         nullptr},
        // Names, Roman numerals and numbers are no case mix.
        {"Kdo se stal prvním kancléřem sjednoceného Německa?",
         {"Vilém I.", "Helmuth von Moltke", "Konrad Adenauer", "Otto von Bismarck"},
         'D',
         nullptr},
        {"Kolik nohou má pavouk?", {"6", "8", "10", "12"}, 'B', nullptr},
        // Options made from the right number by powers of ten.
        {"Kolik kilometrů je přibližně od Země k Měsíci?",
         {"3 840", "38 400", "150 000", "384 000"},
         'D',
         "tři možnosti („3 840“, „38 400“, „384 000“) se liší jen násobkem deseti"},
        {"Kolik kilometrů je přibližně od Země k Měsíci?",
         {"384", "3 840", "38 400", "384 000"},
         'D',
         nullptr},
    };
    for (const auto& c : cases) {
        const SetContent set = Level(5, {Q(7, c.Text, c.Answers, c.Right)});
        const ProblemList w = TellWarnings(set);
        if (c.Expected) {
            EXPECT_TRUE(Mentions(w, c.Expected))
                << c.Text << (w.empty() ? " (nothing found)" : "\n" + w[0].Message);
            if (!w.empty()) {
                EXPECT_TRUE(w[0].ToString().starts_with("05.txt:70: otázka 007: ")) << w[0].ToString();
            }
        } else {
            EXPECT_TRUE(w.empty()) << c.Text << ": " << w[0].Message;
        }
    }
}

TEST(QstTells, OneFactAskedTwiceAcrossLevels) {
    auto low = PlainQuestions(20);
    low.push_back(Q(50, "Kolik nohou má pavouk?", {"čtyři", "šest", "osm", "deset"}, 'C'));
    low.push_back(Q(51, "Jak se nazývá poloparazitická rostlina na větvích stromů, zdobící domy o Vánocích?",
                    {"břečťan", "jmelí", "cesmína", "kokotice"}, 'B'));
    low.push_back(Q(52, "Kdo byl prvním pražským arcibiskupem?",
                    {"svatý Vojtěch", "Jan z Jenštejna", "Jan Očko z Vlašimi", "Arnošt z Pardubic"}, 'D'));
    low.push_back(Q(53, "Hlavním městem kterého státu je Paramaribo?",
                    {"Hondurasu", "Guyany", "Belize", "Surinamu"}, 'D'));
    auto high = PlainQuestions(20, 0, 100);
    high.push_back(Q(60, "Kolik očí má většina pavouků?", {"4", "6", "8", "10"}, 'C'));
    high.push_back(Q(61, "Která rostlina cizopasí na stromech a tvoří v korunách zelené koule?",
                     {"jmelí bílé", "kokotice evropská", "podbílek šupinatý", "záraza menší"}, 'A'));
    high.push_back(Q(62, "Kdo byl prvním pražským biskupem?", {"Vojtěch", "Kosmas", "Dětmar", "Šebíř"}, 'C'));
    high.push_back(
        Q(63, "Hlavním městem kterého státu je Thimphu?", {"Laosu", "Bhútánu", "Bangladéše", "Nepálu"}, 'B'));
    const ProblemList w = NearRepeatWarnings({Level(2, low), Level(13, high)});
    std::vector<std::string> m;
    for (const auto& p : w) m.push_back(p.ToString());
    EXPECT_TRUE(
        Mentions(w, "otázka 060: možná stejný fakt jako 02-050: stejná správná odpověď („osm“, „8“)"));
    EXPECT_TRUE(Mentions(w, "otázka 061: možná stejný fakt jako 02-051"));
    EXPECT_TRUE(Mentions(w, "otázka 062: téměř stejné znění jako 02-052"));
    // One template with another subject is another fact.
    EXPECT_FALSE(Mentions(w, "otázka 063")) << ::testing::PrintToString(m);
    EXPECT_EQ(w.size(), 3u) << ::testing::PrintToString(m);
    EXPECT_EQ(w.front().File, "13.txt");
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
