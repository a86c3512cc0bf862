// tolarka-qst: builds, dumps, checks and counts the game's question files.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/program_environment.h"
#include "io/file_io_system.h"
#include "platform/text_metrics.h"
#include "tools/qst/console.h"
#include "tools/qst/pack_build.h"
#include "tools/qst/pack_check.h"
#include "tools/qst/pack_dump.h"
#include "tools/qst/pack_stats.h"

namespace fs = std::filesystem;
using namespace tolarka::qst;

namespace {

constexpr int kOk = 0;
constexpr int kProblems = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "použití:\n"
    "  tolarka-qst build [--lenient] [--prune] ZDROJE VÝSTUP\n"
    "                     zdroje NN.txt/FN.txt -> soubory NN-NNN.qst; se zdroji, které\n"
    "                     check odmítne, nezapíše nic (--lenient vynechá jen vadné otázky);\n"
    "                     nic nemaže, jen s --prune odstraní soubory dřívějšího sestavení,\n"
    "                     které už žádný zdroj nevytváří\n"
    "  tolarka-qst dump [--out ADRESÁŘ] CESTA...     soubory .qst zpět do textu\n"
    "  tolarka-qst check CESTA...                    kontrola zdrojů nebo souborů .qst; otázka\n"
    "                     zdroje bez pole „téma“ dává varování (dřívější --require-topic\n"
    "                     se přijímá a nic nemění)\n"
    "  tolarka-qst stats CESTA...                    počty otázek na úroveň a sadu; vlastní adresář\n"
    "                     hráče (níže) spolu s dodanými otázkami, jako je hraje hra\n"
    "  tolarka-qst --help | --version\n"
    "vlastní otázky pro nainstalovanou hru: tolarka-qst build ZDROJE {own}\n"
    "  (úroveň, pro kterou tam je aspoň jeden soubor, se hraje jen z vlastních otázek)\n"
    "návratový kód: 0 v pořádku, 1 nalezeny problémy, 2 chybné použití nebo chyba čtení/zápisu\n";

// The usage with the player's own question folder where the game on this system reads it
// (~/.local/share/tolarka/qst, %APPDATA%\Tolarka\qst).
std::string UsageText() {
    const fs::path player = tolarka::PlayerDataDirectory();
    std::string text = kUsageText;
    text.replace(
        text.find("{own}"), 5,
        player.empty() ? std::string("VLASTNÍ_ADRESÁŘ") : tolarka::file_system::Utf8String(player / "qst"));
    return text;
}

int Usage() {
    std::cerr << UsageText();
    return kUsage;
}

void Print(const ProblemList& problems) {
    for (const auto& p : problems) std::cerr << p.ToString() << "\n";
}

// Arguments are UTF-8 (on Windows through the manifest's code page); a path made straight from
// narrow text there would read it in another encoding.
fs::path PathArgument(const std::string& arg) { return tolarka::file_system::Utf8Path(arg); }

std::vector<fs::path> Paths(const std::vector<std::string>& args, size_t from) {
    std::vector<fs::path> paths;
    for (size_t i = from; i < args.size(); ++i) paths.push_back(PathArgument(args[i]));
    return paths;
}

int Build(const std::vector<std::string>& args) {
    BuildOptions options;
    std::vector<fs::path> paths;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--lenient")
            options.Lenient = true;
        else if (args[i] == "--prune")
            options.Prune = true;
        else if (args[i].starts_with("--"))
            return Usage();
        else
            paths.push_back(PathArgument(args[i]));
    }
    if (paths.size() != 2) return Usage();
    tolarka::platform::TextMetrics metrics;
    const BuildResult r = BuildQuestionFiles(paths[0], paths[1], metrics, options);
    Print(r.Problems);
    if (r.Refused) {
        std::cout << "tolarka-qst: nic nezapsáno, zdroje mají problémů: " << r.Problems.size()
                  << " (opravte je, nebo s --lenient vynechte otázky s problémy)\n";
        return kProblems;
    }
    std::cout << "tolarka-qst: zapsáno " << r.Written << ", beze změny " << r.Unchanged << ", odstraněno "
              << r.Removed << ", vynecháno " << r.LeftOut
              << (r.Problems.empty() ? "" : " (problémy viz výše)") << "\n";
    return kOk;
}

int Dump(const std::vector<std::string>& args) {
    size_t i = 1;
    fs::path outDir;
    if (args.size() > i + 1 && args[i] == "--out") {
        outDir = PathArgument(args[i + 1]);
        i += 2;
    }
    if (args.size() <= i) return Usage();
    std::vector<fs::path> files;
    for (const auto& path : Paths(args, i)) {
        for (auto& f : ExpandPath(path)) {
            if (f.extension() == ".qst") files.push_back(f);
        }
    }
    ProblemList problems;
    const auto texts = DumpQuestionFiles(files, problems);
    Print(problems);
    if (!outDir.empty()) fs::create_directories(outDir);
    for (const auto& [name, text] : texts) {
        if (outDir.empty()) {
            if (texts.size() > 1) std::cout << "# ==== " << name << " ====\n";
            std::cout << text << (texts.size() > 1 ? "\n" : "");
            continue;
        }
        std::ofstream out(outDir / name, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) throw std::runtime_error("nelze zapsat " + (outDir / name).string());
    }
    return problems.empty() ? kOk : kProblems;
}

int Check(const std::vector<std::string>& args) {
    // Missing topics are always reported now; scripts that still ask for it keep working.
    size_t first = 1;
    if (args.size() > first && args[first] == "--require-topic") ++first;
    if (args.size() <= first || args[first].starts_with("--")) return Usage();
    tolarka::platform::TextMetrics metrics;
    int count = 0;
    ProblemList warnings;
    const ProblemList problems = CheckPaths(Paths(args, first), metrics, &count, &warnings);
    Print(problems);
    for (const auto& w : warnings) std::cerr << "varování: " << w.ToString() << "\n";
    std::cout << "tolarka-qst: zkontrolováno otázek: " << count << ", problémů: " << problems.size()
              << ", varování: " << warnings.size() << "\n";
    return problems.empty() ? kOk : kProblems;
}

// The shipped question files the game plays where the player has none of their own: installed
// beside this program (on Windows in its own folder, elsewhere in the data directory), or those
// of the build tree it was built in.
fs::path ShippedQuestions() {
    std::error_code ec;
    const fs::path self = tolarka::file_system::ProgramFolder();
    for (const fs::path& dir :
         {(self / TOLARKA_DATA_FROM_TOOL / "qst").lexically_normal(), fs::path(TOLARKA_BUILD_DATA) / "qst"})
        if (fs::is_directory(dir, ec)) return dir;
    return {};
}

// True when `path` is the player's own question directory, the one the game reads.
bool IsOwnQuestionDirectory(const fs::path& path) {
    const fs::path player = tolarka::PlayerDataDirectory();
    std::error_code ec;
    return !player.empty() && fs::equivalent(path, player / "qst", ec);
}

int Stats(const std::vector<std::string>& args) {
    if (args.size() < 2) return Usage();
    ProblemList problems;
    const fs::path shipped =
        args.size() == 2 && IsOwnQuestionDirectory(PathArgument(args[1])) ? ShippedQuestions() : fs::path();
    const auto stats = shipped.empty() ? CollectStats(Paths(args, 1), problems)
                                       : CollectPlayedStats(PathArgument(args[1]), shipped, problems);
    Print(problems);
    std::cout << FormatStats(stats);
    return MeetsTargets(stats) && StatsFlags(stats).empty() && problems.empty() ? kOk : kProblems;
}

}  // namespace

int main(int argc, char** argv) {
    ShowUtf8InConsole();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << UsageText();
        return kOk;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        std::cout << "tolarka-qst " << TOLARKA_VERSION << "\n";
        return kOk;
    }
    try {
        if (args[0] == "build") return Build(args);
        if (args[0] == "dump") return Dump(args);
        if (args[0] == "check") return Check(args);
        if (args[0] == "stats") return Stats(args);
        return Usage();
    } catch (const std::exception& e) {
        std::cerr << "tolarka-qst: " << e.what() << "\n";
        return kUsage;
    }
}
