#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>

#include "game/question_record.h"
#include "scratch_dir.h"
#include "tests/support/build_paths.h"
#include "tests/support/system.h"
#include "tools/qst/pack_balance.h"
#include "tools/qst/pack_build.h"
#include "tools/qst/pack_check.h"
#include "tools/qst/pack_dump.h"
#include "tools/qst/pack_stats.h"
#include "tools/qst/pack_tells.h"

using namespace tolarka;
using namespace tolarka::qst;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& p, std::string_view text) { std::ofstream(p, std::ios::binary) << text; }

// Every message, one a line, in sorted order.
std::string Messages(const ProblemList& problems) {
    std::vector<std::string> lines;
    for (const auto& p : problems) lines.push_back(p.ToString() + "\n");
    std::sort(lines.begin(), lines.end());
    return std::accumulate(lines.begin(), lines.end(), std::string());
}

// The messages of checking `paths`; the warnings go to `warnings` when it is given.
std::string Check(const std::vector<fs::path>& paths, std::string* warnings = nullptr) {
    platform::TextMetrics metrics;
    ProblemList found;
    const std::string problems = Messages(CheckPaths(paths, metrics, nullptr, &found));
    if (warnings) *warnings = Messages(found);
    return problems;
}

// One question block with the given field lines replacing the defaults ("<none>" leaves one out).
std::string Block(const std::string& number, std::map<std::string, std::string> fields) {
    const char* const keys[] = {"otázka", "A", "B", "C", "D", "správně", "hlasy", "autor", "korekce", "téma"};
    const char* const defaults[] = {"Kolik nohou má pavouk?", "Šest", "Osm", "Deset", "Čtyři", "B"};
    std::string out = "[" + number + "]\n";
    for (size_t i = 0; i < std::size(keys); ++i) {
        const std::string& value =
            fields.emplace(keys[i], i < std::size(defaults) ? defaults[i] : "<none>").first->second;
        if (value != "<none>") out += std::string(keys[i]) + ": " + value + "\n";
    }
    return out + "\n";
}

// Two sources in the form `dump` gives back: every field that a question file keeps, a topic
// only where one was given (the build remembers it beside the files).
const std::string kLevelSource =
    Block("001", {{"autor", "Tým Tolarka"}, {"korekce", "ano"}, {"téma", "zeměpis"}}) +
    Block("042", {{"otázka", "Jak se jmenuje „nejdelší“ česká řeka?"},
                  {"hlasy", "40 -1 0 32767"},
                  {"autor", ""},
                  {"korekce", "ne"}});
const std::string kFastestSource =
    Block("001", {{"hlasy", "4 1 2 3"}, {"autor", "Tým Tolarka"}, {"korekce", "ne"}});

// Messages of checking one source text as level 5 (or F1).
std::string CheckText(const std::string& text, const std::string& name = "05.txt") {
    ScratchDir dir;
    WriteFile(dir.path() / name, text);
    return Check({dir.path()});
}

// Builds as the tool does, with the check's text measure.
BuildResult Build(const fs::path& src, const fs::path& out, BuildOptions options = {}) {
    platform::TextMetrics metrics;
    return BuildQuestionFiles(src, out, metrics, options);
}

::testing::AssertionResult HasMessage(const std::string& messages, const std::string& part) {
    return ::testing::IsSubstring("part", "messages", part, messages);
}

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
    const QuestionSet set{false, level};
    return {set, std::move(questions), set.SourceFileName(), {}};
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

std::string BalanceOf(const SetContent& set) { return Messages(BalanceWarnings(set, MeasureBalance(set))); }

}  // namespace

// Sources to question files and back give the same text; only sources are asked for a topic.
TEST(QstTool, SourceToFilesToSourceIsLosslessAndARebuildKeepsWhatIsUpToDate) {
    ScratchDir src, out;
    WriteFile(src.path() / "07.txt", kLevelSource);
    WriteFile(src.path() / "F2.txt", kFastestSource);
    const BuildResult built = Build(src.path(), out.path());
    EXPECT_TRUE(built.Problems.empty());
    EXPECT_EQ(built.Written, 3);
    EXPECT_EQ(fs::file_size(out.path() / "07-042.qst"), kQuestionRecordSize);

    ProblemList problems;
    const auto texts = DumpQuestionFiles(ExpandPath(out.path()), problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts.at("07.txt") + "\n", kLevelSource);  // (no blank line after the last block)
    EXPECT_EQ(texts.at("F2.txt") + "\n", kFastestSource);

    std::string sourceWarnings, fileWarnings;
    EXPECT_EQ(Check({src.path()}, &sourceWarnings), "");
    EXPECT_EQ(Check({out.path()}, &fileWarnings), "");
    EXPECT_TRUE(HasMessage(sourceWarnings, "07.txt:12: otázka 042: chybí pole „téma“\n"));
    EXPECT_TRUE(HasMessage(sourceWarnings, "F2.txt:1: otázka 001: chybí pole „téma“\n"));
    EXPECT_EQ(std::count(sourceWarnings.begin(), sourceWarnings.end(), '\n'), 2) << sourceWarnings;
    EXPECT_EQ(fileWarnings, "");  // question files have no topic field

    // A rebuild rewrites nothing up to date and deletes only files an earlier build wrote, and
    // only with --prune (own questions built into a copy of the shipped set take nothing away).
    WriteFile(out.path() / "07-500.qst", "placed by hand");
    BuildResult again = Build(src.path(), out.path());
    EXPECT_EQ(again.Written, 0);
    EXPECT_EQ(again.Unchanged, 3);

    WriteFile(src.path() / "07.txt", kLevelSource.substr(0, kLevelSource.find("[042]")));
    again = Build(src.path(), out.path());
    EXPECT_EQ(again.Removed, 0);
    EXPECT_TRUE(fs::exists(out.path() / "07-042.qst"));
    // The build that no longer wrote 07-042.qst still remembers it as its own.
    again = Build(src.path(), out.path(), {.Prune = true});
    EXPECT_EQ(again.Removed, 1);
    EXPECT_FALSE(fs::exists(out.path() / "07-042.qst"));
    EXPECT_TRUE(fs::exists(out.path() / "07-001.qst"));
    EXPECT_TRUE(fs::exists(out.path() / "07-500.qst"));  // not ours: left alone

    EXPECT_THROW(Build(src.path() / "missing", out.path()), std::runtime_error);
}

TEST(QstTool, BuildRefusesWhatCheckRejectsUnlessLenient) {
    ScratchDir src, out;
    const std::string source = Block("001", {}) + Block("002", {{"správně", "b"}}) +
                               Block("003", {{"A", "Šest 😀"}}) + Block("004", {{"D", std::string(51, 'i')}}) +
                               Block("005", {{"hlasy", "10 20 x 40"}}) +
                               Block("006", {{"otázka", "Kolik nohou má moucha?"}});
    WriteFile(src.path() / "05.txt", source);
    const fs::path target = out.path() / "qst";

    const BuildResult refused = Build(src.path(), target);
    EXPECT_TRUE(refused.Refused);
    EXPECT_FALSE(fs::exists(target));
    // Exactly what check says about the same sources.
    EXPECT_EQ(Messages(refused.Problems), Check({src.path()}));
    EXPECT_TRUE(HasMessage(Messages(refused.Problems), "hlasy: čekám čtyři celá čísla"));

    const BuildResult lenient = Build(src.path(), target, {.Lenient = true});
    EXPECT_FALSE(lenient.Refused);
    EXPECT_EQ(lenient.LeftOut, 3);
    EXPECT_EQ(lenient.Written, 2);
    EXPECT_TRUE(fs::exists(target / "05-001.qst"));
    EXPECT_TRUE(fs::exists(target / "05-006.qst"));
    // Nothing half-parsed is written: not the votes read before the bad one either.
    for (const char* name : {"05-002.qst", "05-003.qst", "05-004.qst", "05-005.qst"})
        EXPECT_FALSE(fs::exists(target / name)) << name;
}

// What check says about one source file: every message expected is among them and, where a
// count is given, there are no others.
TEST(QstCheck, SourceProblemsNameFileLineAndQuestion) {
    std::string fifty;  // 50 Czech letters: 100 UTF-8 bytes, 50 in the answer field
    for (int i = 0; i < 50; ++i) fifty += "ž";
    const std::string longQuestion =
        "Který z uvedených panovníků nechal v polovině čtrnáctého století založit v Praze univerzitu, "
        "Nové Město pražské, most přes Vltavu a také hrad Karlštejn?";
    struct Case {
        std::string text;
        std::vector<std::string> messages;
        int count = -1;
        std::string file = "05.txt";
    };
    const Case cases[] = {
        {"otázka: bez hlavičky\n\n" + Block("001", {{"D", "<none>"}}) + Block("01", {}) + Block("000", {}) +
             "[002]\nbarva: modrá\n\n" + Block("001", {}) +
             Block("003", {{"korekce", "možná"}, {"hlasy", "1 2 3"}}) + "[004]\nA: x\nA: y\n",
         {"05.txt:1: pole mimo otázku", "05.txt:3: otázce 001 chybí pole „D“", "neplatná hlavička „[01]“",
          "neplatná hlavička „[000]“", "neznámé pole „barva“", "číslo otázky 001 už je na řádku 3",
          "korekce musí být „ano“ nebo „ne“", "hlasy: čekám čtyři celá čísla",
          "pole „A“ je v otázce dvakrát"}},
        // Topics are one of the fixed list, written exactly.
        {Block("001", {{"téma", "Zeměpis"}}) + Block("002", {{"téma", "film a divadlo"}}),
         {"05.txt:8: neznámé téma „Zeměpis“; povolená témata: zeměpis, dějiny"},
         1},
        {Block("001", {{"A", "\xC8ty\xF8i"}}), {"05.txt:3: řádek není v kódování UTF-8"}},
        {Block("001", {{"otázka", "Kolik je π na dvě místa?"}, {"C", "3,14 😀"}}),
         {"05.txt:2: otázka 001: otázka obsahuje znaky, které nejsou ve Windows-1250: π",
          "05.txt:5: otázka 001: odpověď C obsahuje znaky"},
         2},
        // Field widths count Windows-1250 bytes.
        {Block("001", {{"A", "ž" + fifty},
                       {"B", fifty},
                       {"otázka", std::string(251, 'i')},
                       {"autor", std::string(31, 'x')}}),
         {"odpověď A má 51 bajtů, nejvýš 50", "otázka má 251 bajtů, nejvýš 250",
          "autor má 31 bajtů, nejvýš 30"},
         5},  // and the two answers are too wide
        {Block("001", {{"C", ""}}), {"odpověď C je prázdná"}},
        // The same text twice in a level, whatever its spaces and case.
        {Block("001", {}) + Block("002", {{"otázka", "Kolik  nohou má PAVOUK? "}}) +
             Block("003", {{"otázka", "Kolik nohou má brouk?"}}),
         {"05.txt:10: otázka 002: stejné znění jako otázka 001 (05.txt:1)"},
         1},
        // The question and answers fit their labels.
        {Block("001", {{"otázka", longQuestion}, {"D", "Ferdinand Dobrotivý Habsburský"}}),
         {"otázka se nevejde na dva řádky po 520 px", "05.txt:6: otázka 001: odpověď D je široká"},
         2},
        {Block("001", {{"otázka", "Které město leží na soutoku Vltavy a Labe a proslulo vinařstvím?"},
                       {"A", "Ústí nad Labem"}}),
         {},
         0},
        // Fastest-finger sets need an order and a matching first item; positions 3 1 2 4 put B first.
        {Block("001", {}), {"pořadí v poli „hlasy“ musí obsahovat čísla 1 až 4"}, -1, "F1.txt"},
        {Block("001", {{"hlasy", "1 2 2 4"}}), {"F1.txt:8: otázka 001: pořadí"}, -1, "F1.txt"},
        {Block("001", {{"hlasy", "3 1 2 4"}, {"správně", "C"}}),
         {"F1.txt:7: otázka 001: správně musí být položka s pořadím 1, tedy B"},
         -1,
         "F1.txt"},
        {"", {"16.txt: neznámý název zdroje"}, -1, "16.txt"},
    };
    for (const Case& c : cases) {
        const auto m = CheckText(c.text, c.file);
        for (const auto& message : c.messages) EXPECT_TRUE(HasMessage(m, message)) << c.text;
        EXPECT_TRUE(c.count < 0 || std::count(m.begin(), m.end(), '\n') == c.count) << m;
    }
    for (const char* letter : {"b", "E", "@", "AB", ""})  // the right answer is one capital A-D
        EXPECT_TRUE(HasMessage(CheckText(Block("001", {{"správně", letter}})),
                               "05.txt:7: otázka 001: správná odpověď musí být"))
            << letter;
    // The same text at another level is fine.
    ScratchDir dir;
    WriteFile(dir.path() / "05.txt", Block("001", {}));
    WriteFile(dir.path() / "06.txt", Block("001", {}));
    EXPECT_EQ(Check({dir.path()}), "");
}

TEST(QstCheck, QuestionFilesAreCheckedByNameLengthAndContent) {
    ScratchDir dir;
    WriteFile(dir.path() / "03.txt", Block("001", {}));
    ASSERT_FALSE(Build(dir.path(), dir.path()).Refused);
    fs::remove(dir.path() / "03.txt");
    const std::string good = ReadFile(dir.path() / "03-001.qst");
    std::string undefinedByte = good, lower = good;
    undefinedByte.replace(0, 2, "\x81\x81");
    lower[450] = 'c';
    const std::pair<const char*, std::string> files[] = {
        {"03-1.qst", good},         {"16-001.qst", good},          {"03-002.qst", good.substr(0, 400)},
        {"03-003.qst", good + "x"}, {"03-004.qst", undefinedByte}, {"F4-009.qst", lower}};
    for (const auto& [name, bytes] : files) WriteFile(dir.path() / name, bytes);

    const std::string m = Check({dir.path()});
    // Each message starts with the file's path as it was given.
    EXPECT_TRUE(HasMessage(m, (dir.path() / "03-1.qst").string() + ": název neodpovídá"));
    for (const char* part :
         {"16-001.qst: název neodpovídá", "03-002.qst: soubor má 400 bajtů, záznam otázky má 491",
          "03-003.qst: soubor má 492 bajtů",
          "03-003.qst: otázka 003: stejné znění jako otázka 001 (03-001.qst)",
          "03-004.qst: otázka 004: otázka obsahuje znaky, které nejsou ve Windows-1250",
          "F4-009.qst: otázka 009: správná odpověď musí být"})
        EXPECT_TRUE(HasMessage(m, part));
    EXPECT_FALSE(HasMessage(m, "03-001.qst: otázka 001"));
}

TEST(QstStats, CountsSetsAndLettersAgainstTargets) {
    ScratchDir src, out;
    std::string level;
    for (int i = 1; i <= 40; ++i)
        level += Block(std::to_string(1000 + i).substr(1), {{"otázka", "Otázka číslo " + std::to_string(i)},
                                                            {"správně", std::string(1, "ABCD"[i % 4])}});
    WriteFile(src.path() / "01.txt", level);
    WriteFile(src.path() / "F1.txt", Block("001", {{"hlasy", "2 1 3 4"}}));
    ProblemList problems;
    auto stats = CollectStats({src.path()}, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(stats.size(), 20u);
    EXPECT_EQ(stats[0].Count, 40);
    EXPECT_EQ(stats[0].CorrectLetters, (std::array<int, 4>{10, 10, 10, 10}));
    EXPECT_EQ(stats[15].Count, 1);
    EXPECT_FALSE(MeetsTargets(stats));
    for (const char* part : {"celkem (jako na startu): 40 + 1", "chybí 10 do 11", "chybí 60 do 100"})
        EXPECT_TRUE(HasMessage(FormatStats(stats), part));

    // Shares from level 6 up: person questions at most 15 %, sport and language at least 5 % each.
    std::string six;  // the texts need not differ to be counted
    for (int i = 1; i <= 100; ++i)
        six += Block(std::to_string(1000 + i).substr(1),
                     {{"otázka", i <= 16 ? "Kdo napsal knihu?" : "Která hora je nejvyšší?"},
                      {"téma", i <= 4 ? "sport" : (i <= 10 ? "jazyk" : "zeměpis")}});
    ScratchDir shares;
    WriteFile(shares.path() / "06.txt", six);
    WriteFile(shares.path() / "05.txt", six);  // level 5 is not judged by shares
    const auto shareStats = CollectStats({shares.path()}, problems);
    EXPECT_EQ(shareStats[5].PersonTemplate, 16);
    EXPECT_EQ(shareStats[5].Superlatives, 84);
    EXPECT_EQ(shareStats[5].Topics[static_cast<size_t>(TopicIndex("jazyk"))], 6);
    std::vector<std::string> flags;  // of the two full levels
    for (const auto& f : StatsFlags(shareStats))
        if (f.starts_with("05") || f.starts_with("06")) flags.push_back(f);
    EXPECT_EQ(flags, (std::vector<std::string>{"06: otázky „Kdo napsal / složil…“ 16 %, nejvýš 15 %",
                                               "06: téma sport 4 %, aspoň 5 %"}));
    EXPECT_TRUE(HasMessage(FormatStats(shareStats), "06       16 %     84     90    0    0"));

    // Question files are counted as the start-up screen counts them.
    Build(src.path(), out.path());
    WriteFile(out.path() / "16-001.qst", "");
    stats = CollectStats({out.path()}, problems);
    EXPECT_EQ(stats[0].Count, 40);
    EXPECT_EQ(stats[15].Count, 2);  // F1-001.qst and 16-001.qst

    // The player's own directory is counted as the game plays it: a set with own files from those
    // alone, every other set from the shipped files.
    ScratchDir own;
    fs::copy_file(out.path() / "01-007.qst", own.path() / "01-007.qst");
    stats = CollectPlayedStats(own.path(), out.path(), problems);
    EXPECT_EQ(stats[0].Count, 1);
    EXPECT_TRUE(stats[0].Own);
    EXPECT_EQ(stats[15].Count, 2);
    EXPECT_FALSE(stats[15].Own);
    EXPECT_TRUE(HasMessage(FormatStats(stats), "* vlastní otázky hráče: 01;"));
}

namespace {

fs::path QstTool() {
    return tolarka::testing::ProgramFile(tolarka::testing::AppDir() / "tools" / "qst", "tolarka-qst");
}

std::string Quoted(const fs::path& p) { return "\"" + p.string() + "\""; }

// What the tool writes to standard output, and its exit code (-1 when it could not be run).
struct ToolRun {
    std::string output;
    int code = -1;
};
ToolRun RunTool(const fs::path& tool, const std::string& args) {
    ToolRun run;
    FILE* pipe =
        tolarka::testing::OpenPipe(tool.string() + " " + args + " 2>" + tolarka::testing::kNullDevice);
    if (!pipe) return run;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
    run.code = tolarka::testing::ExitCode(tolarka::testing::ClosePipe(pipe));
    return run;
}

}  // namespace

// The tool as run from a shell: each command's exit code and what it writes to standard output
// (errors and usage go to standard error: nothing there). The rows run in order.
TEST(QstTool, ExitCodesAndOutput) {
    const fs::path tool = QstTool();
    if (!fs::exists(tool)) GTEST_SKIP() << "tolarka-qst not built";
    ScratchDir good, mixed;
    WriteFile(good.path() / "05.txt", Block("001", {}));
    WriteFile(mixed.path() / "05.txt", Block("001", {}));
    WriteFile(mixed.path() / "06.txt", Block("001", {{"správně", "x"}}));
    const std::string g = good.path().string(), m = mixed.path().string();
    // The arguments, the exit code, and part of the output (empty: nothing at all).
    const std::tuple<std::string, int, std::string> rows[] = {
        {"check " + g, 0, "zkontrolováno otázek: 1, problémů: 0"},
        {"check --require-topic " + g, 0, "problémů: 0"},  // the old switch, now the default
        {"", 2, ""},
        {"frobnicate", 2, ""},
        {"check " + g + "/missing", 2, ""},
        {"build " + g + " " + g + "/qst", 0, "zapsáno 1, beze změny 0"},
        {"dump " + g + "/qst", 0, "otázka: Kolik nohou má pavouk?"},
        {"stats " + g, 1, "má být aspoň 11"},  // far below the targets
        {"check " + m, 1, "zkontrolováno otázek: 2, problémů: 1"},
        {"build " + m + " " + m + "/refused", 1, "nic nezapsáno"},
        {"build --lenient " + m + " " + m + "/lenient", 0,
         "zapsáno 1, beze změny 0, odstraněno 0, vynecháno 1"},
        {"build --prune --lenient " + m + " " + g + "/qst", 0, "zapsáno 0, beze změny 1, odstraněno 0"},
        {"build --bogus " + g + " " + g + "/qst", 2, ""},
        {"--help", 0, "--prune"},
        {"--version", 0, "tolarka-qst " TOLARKA_VERSION "\n"},
    };
    for (const auto& [args, expectedCode, expectedOutput] : rows) {
        const auto [output, code] = RunTool(tool, args);
        EXPECT_EQ(code, expectedCode) << args;
        EXPECT_TRUE(expectedOutput.empty() ? output.empty() : output.find(expectedOutput) != output.npos)
            << args << ":\n"
            << output;
    }
}

// stats of the player's own question folder (found as the game finds it on each system) counts
// the levels the player has no questions for from the shipped ones, as the game plays them; the
// help names that folder.
TEST(QstTool, StatsOfThePlayersFolderCountTheShippedQuestionsBesideTheOwn) {
    const fs::path tool = QstTool();
    if (!fs::exists(tool)) GTEST_SKIP() << "tolarka-qst not built";
    if (!fs::is_directory(tolarka::testing::AppDir() / "qst")) GTEST_SKIP() << "no shipped questions built";
    ScratchDir scratch;
    const tolarka::testing::PlayerFolderOfPrograms player(scratch.path());
    const fs::path own = player.path() / "qst";
    // On Windows the folder is the user's own: never touch questions already there.
    if (player.path().empty() || fs::exists(own)) GTEST_SKIP() << "the player's folder is in use: " << own;
    const ScratchDir ownDir(own);
    fs::create_directories(scratch.path() / "src");
    WriteFile(scratch.path() / "src" / "01.txt", Block("001", {}));
    ASSERT_EQ(RunTool(tool, "build " + Quoted(scratch.path() / "src") + " " + Quoted(own)).code, 0);

    const std::string played = RunTool(tool, "stats " + Quoted(own)).output;
    EXPECT_NE(played.find("* vlastní otázky hráče: 01;"), std::string::npos) << played;
    const std::string alone = RunTool(tool, "stats " + Quoted(scratch.path() / "src")).output;
    EXPECT_EQ(alone.find("vlastní otázky hráče"), std::string::npos) << alone;
    const std::string help = RunTool(tool, "--help").output;
    EXPECT_NE(help.find("ZDROJE " + own.string() + "\n"), std::string::npos) << help;
}

// The questions shipped with the game must pass every check.
TEST(QstCheck, ShippedQuestionsPass) {
    const fs::path dir = tolarka::testing::SourceDir() / "data" / "questions";
    if (!fs::is_directory(dir) || fs::is_empty(dir)) GTEST_SKIP() << "no question sources yet";
    std::string warnings;
    EXPECT_EQ(Check({dir}, &warnings), "");
    EXPECT_EQ(warnings, "");  // the pack gives nothing away by position or length and repeats no fact
    ProblemList problems;
    const auto stats = CollectStats({dir}, problems);
    EXPECT_TRUE(MeetsTargets(stats)) << FormatStats(stats);  // (and so holds questions)
}

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
    EXPECT_EQ(BalanceOf(clean), "");

    // Ordered answers always in the middle: the old tell.
    auto middle = PlainQuestions(40);
    for (int i = 0; i < 10; ++i)
        middle.push_back(Q(100 + i, i % 2 ? "Kolik? | 10 | *20 | 30 | 40" : "Kolik? | 10 | 20 | *30 | 40"));
    EXPECT_TRUE(HasMessage(BalanceOf(Level(12, middle)),
                           "12.txt: u číselných možností je správná nejmenší nebo největší hodnota v 0 %"));

    // One letter too often; the right answer always the longest.
    auto skewed = PlainQuestions(40, 'B');
    for (auto& q : skewed) q.Record.AnswerB = "mnohem delší odpověď";
    const std::string ws = BalanceOf(Level(3, skewed));
    EXPECT_TRUE(HasMessage(ws, "písmena nejsou vyrovnaná"));
    EXPECT_TRUE(HasMessage(ws, "nejdelší v 100 %"));

    // Small levels and fastest-finger sets are not judged.
    EXPECT_EQ(BalanceOf(Level(4, PlainQuestions(10, 'B'))), "");
}

TEST(QstBalance, RepeatsAcrossLevelsAreFound) {
    auto low = PlainQuestions(20), high = PlainQuestions(20);
    low.insert(
        low.end(),
        {Q(50, "Kdo napsal báseň „Máj“? | *Karel Hynek Mácha | Jan Neruda | Karel Havlíček | Jiří Wolker"),
         Q(51, "Která řeka protéká Olomoucí? | *Morava | Labe | Odra | Dyje"),
         Q(80, "Kdo složil operu X? | Antonín Dvořák | *Bedřich Smetana | Leoš Janáček | Josef Suk"),
         Q(81, "Kdo složil operu Y? | Antonín Dvořák | *Bedřich Smetana | Leoš Janáček | Josef Suk")});
    high.insert(
        high.end(),
        {Q(60, "Jak se jmenuje milá Viléma v Máchově „Máji“? | *Jarmila | Marie | Božena | Ludmila"),
         Q(61, "Čím se proslavil Karel Hynek Mácha kromě básně „Máj“? | *deníky | operou | sochou | mostem"),
         Q(62, "Ve kterém roce se narodil Karel Hynek Mácha? | 1800 | *1810 | 1820 | 1830"),
         Q(63, "Které pohoří leží na severu Čech? | *Krkonoše | Šumava | Beskydy | Tatry")});
    // One right answer for more than two questions; two are allowed (80, 81).
    for (int i = 0; i < 3; ++i)
        high.push_back(Q(70 + i, "Otázka o skladateli " + std::to_string(i) +
                                     "? | *Antonín Dvořák | Bedřich Smetana | Leoš Janáček | Josef Suk"));
    const std::string w = Messages(RepeatWarnings({Level(2, low), Level(13, high)}));

    // The poem is named by three questions, its author by name by three (an adjective does not count).
    EXPECT_TRUE(HasMessage(w, "„máj“ se objevuje v 3 otázkách (02-050, 13-060, 13-061)"));
    EXPECT_TRUE(HasMessage(w, "„mách“ se objevuje v 3 otázkách (02-050, 13-061, 13-062)"));
    EXPECT_TRUE(HasMessage(w, "odpověď „Antonín Dvořák“ je správná u 3 otázek (13-070, 13-071, 13-072)"));
    EXPECT_FALSE(HasMessage(w, "odpověď „Bedřich Smetana“"));
    // The pair that shares the author in the right answer is flagged at the later question.
    EXPECT_TRUE(HasMessage(w, "13.txt:610: možná se ptá na totéž jako 02-050"));
    EXPECT_FALSE(HasMessage(w, "Olomouc"));
    EXPECT_FALSE(HasMessage(w, "13-063"));
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
        const std::string w = Messages(TellWarnings(Level(5, {Q(7, row)})));
        if (*expected) {
            EXPECT_TRUE(w.starts_with("05.txt:70: otázka 007: ")) << row << "\n" << w;
            EXPECT_TRUE(HasMessage(w, expected)) << row;
        } else {
            EXPECT_EQ(w, "") << row;
        }
    }
}

TEST(QstTells, OneFactAskedTwiceAcrossLevels) {
    auto low = PlainQuestions(20), high = PlainQuestions(20, 0, 100);
    low.insert(
        low.end(),
        {Q(50, "Kolik nohou má pavouk? | čtyři | šest | *osm | deset"),
         Q(51,
           "Jak se nazývá poloparazitická rostlina na větvích stromů, zdobící domy o Vánocích? | "
           "břečťan | *jmelí | cesmína | kokotice"),
         Q(52,
           "Kdo byl prvním pražským arcibiskupem? | svatý Vojtěch | Jan z Jenštejna | Jan Očko z "
           "Vlašimi | *Arnošt z Pardubic"),
         Q(53, "Hlavním městem kterého státu je Paramaribo? | Hondurasu | Guyany | Belize | *Surinamu")});
    high.insert(high.end(),
                {Q(60, "Kolik očí má většina pavouků? | 4 | 6 | *8 | 10"),
                 Q(61,
                   "Která rostlina cizopasí na stromech a tvoří v korunách zelené koule? | *jmelí bílé | "
                   "kokotice evropská | podbílek šupinatý | záraza menší"),
                 Q(62, "Kdo byl prvním pražským biskupem? | Vojtěch | Kosmas | *Dětmar | Šebíř"),
                 Q(63, "Hlavním městem kterého státu je Thimphu? | Laosu | *Bhútánu | Bangladéše | Nepálu")});
    // One template with another subject (063) is another fact.
    EXPECT_EQ(
        Messages(NearRepeatWarnings({Level(2, low), Level(13, high)})),
        "13.txt:600: otázka 060: možná stejný fakt jako 02-050: stejná správná odpověď („osm“, „8“) a "
        "společné slovo „pavouk…“\n"
        "13.txt:610: otázka 061: možná stejný fakt jako 02-051: stejná správná odpověď („jmelí“, „jmelí "
        "bílé“) a společné slovo „rostl…“\n"
        "13.txt:620: otázka 062: téměř stejné znění jako 02-052 „Kdo byl prvním pražským arcibiskupem?“: "
        "ptá se jinak, nebo na jiný fakt\n");
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
