#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game/question_record.h"
#include "scratch_dir.h"
#include "tests/support/build_paths.h"
#include "tests/support/system.h"
#include "tools/qst/pack_build.h"
#include "tools/qst/pack_check.h"
#include "tools/qst/pack_dump.h"
#include "tools/qst/pack_stats.h"

using namespace tolarka;
using namespace tolarka::qst;
namespace fs = std::filesystem;

namespace {

const char* const kLevelSource =
    "[001]\n"
    "otázka: Které město je hlavním městem Slovenska?\n"
    "A: Košice\n"
    "B: Bratislava\n"
    "C: Nitra\n"
    "D: Žilina\n"
    "správně: B\n"
    "autor: Tým Tolarka\n"
    "korekce: ano\n"
    "téma: zeměpis\n"
    "\n"
    "[042]\n"
    "otázka: Jak se jmenuje „nejdelší“ česká řeka?\n"
    "A: Vltava\n"
    "B: Labe\n"
    "C: Morava\n"
    "D: Dyje\n"
    "správně: A\n"
    "hlasy: 40 -1 0 32767\n"
    "autor: \n"
    "korekce: ne\n";

const char* const kFastestSource =
    "[001]\n"
    "otázka: Seřaďte od nejmenšího po největší.\n"
    "A: Slon\n"
    "B: Myš\n"
    "C: Kočka\n"
    "D: Kůň\n"
    "správně: B\n"
    "hlasy: 4 1 2 3\n"
    "autor: Tým Tolarka\n"
    "korekce: ne\n";

void WriteFile(const fs::path& p, std::string_view text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

// One question block with the given field lines replacing the defaults.
std::string Block(const std::string& number, std::map<std::string, std::string> fields) {
    std::map<std::string, std::string> all = {{"otázka", "Kolik nohou má pavouk?"},
                                              {"A", "Šest"},
                                              {"B", "Osm"},
                                              {"C", "Deset"},
                                              {"D", "Čtyři"},
                                              {"správně", "B"}};
    for (auto& [k, v] : fields) all[k] = v;
    std::string out = "[" + number + "]\n";
    for (const char* key : {"otázka", "A", "B", "C", "D", "správně", "hlasy", "autor", "korekce", "téma"}) {
        if (all.count(key) && all[key] != "<none>") out += std::string(key) + ": " + all[key] + "\n";
    }
    return out + "\n";
}

// Messages of checking one source text as level 5 (or F1).
std::vector<std::string> CheckText(const std::string& text, const std::string& name = "05.txt") {
    ScratchDir dir;
    WriteFile(dir.path() / name, text);
    platform::TextMetrics metrics;
    std::vector<std::string> out;
    for (const auto& p : CheckPaths({dir.path()}, metrics)) out.push_back(p.ToString());
    return out;
}

// Builds as the tool does, with the check's text measure.
BuildResult Build(const fs::path& src, const fs::path& out, BuildOptions options = {}) {
    platform::TextMetrics metrics;
    return BuildQuestionFiles(src, out, metrics, options);
}

::testing::AssertionResult HasMessage(const std::vector<std::string>& messages, const std::string& part) {
    for (const auto& m : messages) {
        if (m.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    }
    std::string all;
    for (const auto& m : messages) all += "\n  " + m;
    return ::testing::AssertionFailure() << "no message containing \"" << part << "\" among:" << all;
}

}  // namespace

TEST(QstTool, SourceToFilesToSourceIsLossless) {
    ScratchDir src, out, back;
    WriteFile(src.path() / "07.txt", kLevelSource);
    WriteFile(src.path() / "F2.txt", kFastestSource);
    const BuildResult built = Build(src.path(), out.path());
    EXPECT_TRUE(built.Problems.empty());
    EXPECT_EQ(built.Written, 3);
    EXPECT_EQ(fs::file_size(out.path() / "07-042.qst"), kQuestionRecordSize);
    ASSERT_TRUE(fs::exists(out.path() / "F2-001.qst"));

    const auto record = ReadQuestionFile(out.path() / "07-042.qst");
    ASSERT_TRUE(record);
    EXPECT_EQ(Trimmed(record->Text), "Jak se jmenuje „nejdelší“ česká řeka?");
    EXPECT_EQ(record->AudienceVotes, (std::array<int16_t, 4>{40, -1, 0, 32767}));
    EXPECT_EQ(Trimmed(record->Author), "");
    EXPECT_FALSE(record->Corrected);

    ProblemList problems;
    const auto texts = DumpQuestionFiles(ExpandPath(out.path()), problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts.at("07.txt"), kLevelSource);
    EXPECT_EQ(texts.at("F2.txt"), kFastestSource);
}

TEST(QstTool, RebuildKeepsUpToDateFilesAndDeletesOnlyWithPrune) {
    ScratchDir src, out;
    WriteFile(src.path() / "07.txt", kLevelSource);
    Build(src.path(), out.path());
    WriteFile(out.path() / "07-500.qst", "placed by hand");

    BuildResult again = Build(src.path(), out.path());
    EXPECT_EQ(again.Written, 0);
    EXPECT_EQ(again.Unchanged, 2);

    WriteFile(src.path() / "07.txt",
              std::string(kLevelSource).substr(0, std::string(kLevelSource).find("[042]")));
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

TEST(QstTool, AddingOwnQuestionsToACopyOfTheShippedSetDeletesNothing) {
    ScratchDir shippedSrc, mine, qst;
    WriteFile(shippedSrc.path() / "07.txt", kLevelSource);
    Build(shippedSrc.path(), qst.path());  // the copy carries the shipped build's manifest
    WriteFile(mine.path() / "05.txt", Block("001", {}));
    const BuildResult added = Build(mine.path(), qst.path());
    EXPECT_EQ(added.Written, 1);
    EXPECT_EQ(added.Removed, 0);
    for (const char* name : {"07-001.qst", "07-042.qst", "05-001.qst"})
        EXPECT_TRUE(fs::exists(qst.path() / name)) << name;
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
    std::vector<std::string> fromBuild, fromCheck = CheckText(source);
    for (const auto& p : refused.Problems) fromBuild.push_back(p.ToString());
    std::sort(fromBuild.begin(), fromBuild.end());
    std::sort(fromCheck.begin(), fromCheck.end());
    for (auto& m : fromCheck) m = m.substr(m.find("05.txt"));
    for (auto& m : fromBuild) m = m.substr(m.find("05.txt"));
    EXPECT_EQ(fromBuild, fromCheck);
    EXPECT_TRUE(HasMessage(fromBuild, "hlasy: čekám čtyři celá čísla"));

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

TEST(QstCheck, EverySourceQuestionWithoutATopicWarns) {
    ScratchDir dir;
    WriteFile(dir.path() / "07.txt", kLevelSource);
    WriteFile(dir.path() / "F2.txt", kFastestSource);
    platform::TextMetrics metrics;
    auto topicWarnings = [&](const fs::path& path) {
        ProblemList warnings;
        EXPECT_TRUE(CheckPaths({path}, metrics, nullptr, &warnings).empty());
        std::vector<std::string> m;
        for (const auto& w : warnings)
            if (w.Message.find("téma") != std::string::npos)
                m.push_back(fs::path(w.File).filename().string() + ":" + std::to_string(w.Line) + ": " +
                            w.Message);
        return m;
    };
    EXPECT_EQ(topicWarnings(dir.path()),
              (std::vector<std::string>{"07.txt:12: otázka 042: chybí pole „téma“",
                                        "F2.txt:1: otázka 001: chybí pole „téma“"}));
    // Question files have no topic field: they are not asked for one.
    ASSERT_FALSE(Build(dir.path(), dir.path() / "qst").Refused);
    EXPECT_TRUE(topicWarnings(dir.path() / "qst").empty());
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
        std::string file, text;
        std::vector<std::string> messages;
        int count = -1;
    };
    const Case cases[] = {
        {"07.txt", kLevelSource, {}, 0},
        {"F2.txt", kFastestSource, {}, 0},
        {"05.txt",
         "otázka: bez hlavičky\n\n" + Block("001", {{"D", "<none>"}}) + Block("01", {}) + Block("000", {}) +
             "[002]\nbarva: modrá\n\n" + Block("001", {}) +
             Block("003", {{"korekce", "možná"}, {"hlasy", "1 2 3"}}) + "[004]\nA: x\nA: y\n",
         {"05.txt:1: pole mimo otázku", "05.txt:3: otázce 001 chybí pole „D“", "neplatná hlavička „[01]“",
          "neplatná hlavička „[000]“", "neznámé pole „barva“", "číslo otázky 001 už je na řádku 3",
          "korekce musí být „ano“ nebo „ne“", "hlasy: čekám čtyři celá čísla",
          "pole „A“ je v otázce dvakrát"}},
        // Topics are one of the fixed list, written exactly.
        {"05.txt",
         Block("001", {{"téma", "Zeměpis"}}) + Block("002", {{"téma", "film a divadlo"}}),
         {"05.txt:8: neznámé téma „Zeměpis“; povolená témata: zeměpis, dějiny"},
         1},
        {"05.txt", Block("001", {{"A", "\xC8ty\xF8i"}}), {"05.txt:3: řádek není v kódování UTF-8"}},
        {"05.txt",
         Block("001", {{"otázka", "Kolik je π na dvě místa?"}, {"C", "3,14 😀"}}),
         {"05.txt:2: otázka 001: otázka obsahuje znaky, které nejsou ve Windows-1250: π",
          "05.txt:5: otázka 001: odpověď C obsahuje znaky"},
         2},
        // Field widths count Windows-1250 bytes.
        {"05.txt",
         Block("001", {{"A", "ž" + fifty},
                       {"B", fifty},
                       {"otázka", std::string(251, 'i')},
                       {"autor", std::string(31, 'x')}}),
         {"odpověď A má 51 bajtů, nejvýš 50", "otázka má 251 bajtů, nejvýš 250",
          "autor má 31 bajtů, nejvýš 30"},
         5},  // and the two answers are too wide
        {"05.txt", Block("001", {{"C", ""}}), {"odpověď C je prázdná"}},
        {"05.txt", Block("001", {{"správně", "b"}}), {"05.txt:7: otázka 001: správná odpověď musí být"}},
        {"05.txt", Block("001", {{"správně", "E"}}), {"05.txt:7: otázka 001: správná odpověď musí být"}},
        {"05.txt", Block("001", {{"správně", "AB"}}), {"05.txt:7: otázka 001: správná odpověď musí být"}},
        {"05.txt", Block("001", {{"správně", ""}}), {"05.txt:7: otázka 001: správná odpověď musí být"}},
        // The same text twice in a level, whatever its spaces and case.
        {"05.txt",
         Block("001", {}) + Block("002", {{"otázka", "Kolik  nohou má PAVOUK? "}}) +
             Block("003", {{"otázka", "Kolik nohou má brouk?"}}),
         {"05.txt:10: otázka 002: stejné znění jako otázka 001 (05.txt:1)"},
         1},
        // The question and answers fit their labels.
        {"05.txt",
         Block("001", {{"otázka", longQuestion}, {"D", "Ferdinand Dobrotivý Habsburský"}}),
         {"otázka se nevejde na dva řádky po 520 px", "05.txt:6: otázka 001: odpověď D je široká"},
         2},
        {"05.txt",
         Block("001", {{"otázka", "Které město leží na soutoku Vltavy a Labe a proslulo vinařstvím?"},
                       {"A", "Ústí nad Labem"}}),
         {},
         0},
        // Fastest-finger sets need an order and a matching first item; positions 3 1 2 4 put B first.
        {"F1.txt", Block("001", {}), {"pořadí v poli „hlasy“ musí obsahovat čísla 1 až 4"}},
        {"F1.txt", Block("001", {{"hlasy", "1 2 2 4"}}), {"F1.txt:8: otázka 001: pořadí"}},
        {"F1.txt",
         Block("001", {{"hlasy", "3 1 2 4"}, {"správně", "C"}}),
         {"F1.txt:7: otázka 001: správně musí být položka s pořadím 1, tedy B"}},
        {"F1.txt", Block("001", {{"hlasy", "2 1 3 4"}}), {}, 0},
        {"16.txt", "", {"16.txt: neznámý název zdroje"}},
    };
    for (const Case& c : cases) {
        const auto m = CheckText(c.text, c.file);
        for (const auto& message : c.messages) EXPECT_TRUE(HasMessage(m, message)) << c.text;
        if (c.count >= 0) {
            EXPECT_EQ(m.size(), static_cast<size_t>(c.count)) << ::testing::PrintToString(m);
        }
    }
    // The same text at another level is fine.
    ScratchDir dir;
    WriteFile(dir.path() / "05.txt", Block("001", {}));
    WriteFile(dir.path() / "06.txt", Block("001", {}));
    platform::TextMetrics metrics;
    EXPECT_TRUE(CheckPaths({dir.path()}, metrics).empty());
}

TEST(QstCheck, QuestionFilesAreCheckedByNameLengthAndContent) {
    ScratchDir dir;
    QuestionRecord good;
    good.Text = "Kolik nohou má pavouk?";
    good.AnswerA = "Šest";
    good.AnswerB = "Osm";
    good.AnswerC = "Deset";
    good.AnswerD = "Čtyři";
    good.CorrectLetter = "B";
    auto bytes = EncodeQuestionRecord(good);
    auto write = [&](const std::string& name, const std::vector<unsigned char>& b) {
        WriteFile(dir.path() / name, std::string(b.begin(), b.end()));
    };
    write("03-001.qst", bytes);
    write("03-1.qst", bytes);
    write("16-001.qst", bytes);
    write("03-002.qst", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 400));
    auto longer = bytes;
    longer.push_back('x');
    write("03-003.qst", longer);
    auto undefinedByte = bytes;
    undefinedByte[0] = 0x81;
    undefinedByte[1] = 0x81;
    write("03-004.qst", undefinedByte);
    auto lower = bytes;
    lower[450] = 'c';
    write("F4-009.qst", lower);

    platform::TextMetrics metrics;
    std::vector<std::string> m;
    for (const auto& p : CheckPaths({dir.path()}, metrics)) m.push_back(p.ToString());
    // Each message starts with the file's path as it was given.
    EXPECT_TRUE(HasMessage(m, (dir.path() / "03-1.qst").string() + ": název neodpovídá"));
    EXPECT_TRUE(HasMessage(m, "16-001.qst: název neodpovídá"));
    EXPECT_TRUE(HasMessage(m, "03-002.qst: soubor má 400 bajtů, záznam otázky má 491"));
    EXPECT_TRUE(HasMessage(m, "03-003.qst: soubor má 492 bajtů"));
    EXPECT_TRUE(HasMessage(m, "03-003.qst: otázka 003: stejné znění jako otázka 001 (03-001.qst)"));
    EXPECT_TRUE(HasMessage(m, "03-004.qst: otázka 004: otázka obsahuje znaky, které nejsou ve Windows-1250"));
    EXPECT_TRUE(HasMessage(m, "F4-009.qst: otázka 009: správná odpověď musí být"));
    EXPECT_FALSE(HasMessage(m, "03-001.qst: otázka 001"));
}

TEST(QstStats, CountsSetsAndLettersAgainstTargets) {
    ScratchDir src, out;
    std::string level;
    for (int i = 1; i <= 40; ++i) {
        char n[8];
        std::snprintf(n, sizeof n, "%03d", i);
        level += Block(
            n, {{"otázka", "Otázka číslo " + std::to_string(i)}, {"správně", std::string(1, "ABCD"[i % 4])}});
    }
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
    const std::string table = FormatStats(stats);
    EXPECT_NE(table.find("celkem (jako na startu): 40 + 1"), std::string::npos) << table;
    EXPECT_NE(table.find("chybí 10 do 11"), std::string::npos) << table;
    EXPECT_NE(table.find("chybí 60 do 100"), std::string::npos) << table;

    // Shares from level 6 up: person questions at most 15 %, sport and language at least 5 % each.
    std::string six;
    for (int i = 1; i <= 100; ++i) {
        char n[8];
        std::snprintf(n, sizeof n, "%03d", i);
        const std::string text = i <= 16 ? "Kdo napsal knihu číslo " + std::to_string(i) + "?"
                                         : "Která hora je nejvyšší v pohoří " + std::to_string(i) + "?";
        six += Block(n, {{"otázka", text}, {"téma", i <= 4 ? "sport" : i <= 10 ? "jazyk" : "zeměpis"}});
    }
    ScratchDir shares;
    WriteFile(shares.path() / "06.txt", six);
    WriteFile(shares.path() / "05.txt", six);  // level 5 is not judged by shares
    const auto shareStats = CollectStats({shares.path()}, problems);
    EXPECT_EQ(shareStats[5].PersonTemplate, 16);
    EXPECT_EQ(shareStats[5].Superlatives, 84);
    EXPECT_EQ(shareStats[5].Topics[static_cast<size_t>(TopicIndex("jazyk"))], 6);
    std::vector<std::string> flags = StatsFlags(shareStats);
    flags.erase(std::remove_if(flags.begin(), flags.end(),
                               [](const std::string& f) {
                                   return f.find("aspoň 100") != std::string::npos ||
                                          f.find("aspoň 11") != std::string::npos;
                               }),
                flags.end());
    EXPECT_EQ(flags, (std::vector<std::string>{"06: otázky „Kdo napsal / složil…“ 16 %, nejvýš 15 %",
                                               "06: téma sport 4 %, aspoň 5 %"}));
    EXPECT_NE(FormatStats(shareStats).find("06       16 %     84     90    0    0"), std::string::npos)
        << FormatStats(shareStats);

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
    EXPECT_NE(FormatStats(stats).find("* vlastní otázky hráče: 01;"), std::string::npos)
        << FormatStats(stats);
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
    struct Row {
        std::string args;
        int code;
        std::string output;  // part of it; empty: nothing at all
    };
    const Row rows[] = {
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
    for (const Row& row : rows) {
        const auto [output, code] = RunTool(tool, row.args);
        EXPECT_EQ(code, row.code) << row.args;
        if (row.output.empty()) {
            EXPECT_EQ(output, "") << row.args;
        } else {
            EXPECT_NE(output.find(row.output), std::string::npos) << row.args << ":\n" << output;
        }
    }
    EXPECT_FALSE(fs::exists(m + "/refused"));
    EXPECT_TRUE(fs::exists(m + "/lenient/05-001.qst") && !fs::exists(m + "/lenient/06-001.qst"));
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
    struct Cleanup {
        fs::path dir;
        ~Cleanup() {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } cleanup{own};
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
    platform::TextMetrics metrics;
    int count = 0;
    ProblemList warnings;
    const auto problems = CheckPaths({dir}, metrics, &count, &warnings);
    EXPECT_GT(count, 0);
    for (const auto& p : problems) ADD_FAILURE() << p.ToString();
    // The shipped pack gives nothing away by position or length and repeats no fact.
    for (const auto& w : warnings) ADD_FAILURE() << "varování: " << w.ToString();
    const auto stats = CollectStats({dir}, warnings);
    EXPECT_TRUE(MeetsTargets(stats)) << FormatStats(stats);
}
