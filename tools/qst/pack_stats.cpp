#include "tools/qst/pack_stats.h"

#include <cstdio>

#include "startup/question_files.h"
#include "tools/qst/pack_check.h"
#include "tools/qst/pack_tells.h"

namespace tolarka::qst {

namespace fs = std::filesystem;

namespace {

int PercentOf(int part, int whole) { return whole > 0 ? (part * 100 + whole / 2) / whole : 0; }

// Column heads of the topic table, in the order of kTopics.
constexpr std::array<const char*, kTopics.size()> kTopicHeads = {
    "zem", "děj", "pří", "věd", "tec", "lit", "hud", "umě", "fil", "spo", "jaz", "spl", "kaž", "jíd"};

}  // namespace

std::vector<SetStats> CollectStats(const std::vector<fs::path>& paths, ProblemList& problems) {
    std::vector<SetStats> stats;
    for (int order = 1; order <= 20; ++order) {
        SetStats row;
        row.Set = order <= 15 ? QuestionSet{false, order} : QuestionSet{true, order - 15};
        stats.push_back(row);
    }

    std::vector<fs::path> sources, questionFiles;
    std::vector<std::string> names;
    for (const auto& path : paths) {
        for (auto& file : ExpandPath(path)) {
            if (file.extension() == ".qst") {
                names.push_back(file.filename().string());
                questionFiles.push_back(file);
            } else {
                sources.push_back(file);
            }
        }
    }
    const QuestionCounts counts = CountQuestionFiles(names);
    for (size_t i = 0; i < stats.size(); ++i) stats[i].Count = counts[i + 1];

    auto sets = LoadSources(sources, problems);
    auto fromFiles = LoadQuestionFiles(questionFiles, problems);
    const size_t sourceSets = sets.size();
    sets.insert(sets.end(), fromFiles.begin(), fromFiles.end());
    for (size_t s = 0; s < sets.size(); ++s) {
        SetStats& row = stats[static_cast<size_t>(sets[s].Set.Order() - 1)];
        if (s < sourceSets) row.Count += static_cast<int>(sets[s].Questions.size());
        const Balance b = MeasureBalance(sets[s]);
        row.Tells.Questions += b.Questions;
        row.Tells.Ordered += b.Ordered;
        row.Tells.OrderedExtreme += b.OrderedExtreme;
        row.Tells.LongestCorrect += b.LongestCorrect;
        for (size_t i = 0; i < 4; ++i) {
            row.Tells.Letters[i] += b.Letters[i];
            row.Tells.OrderedLetters[i] += b.OrderedLetters[i];
            row.Tells.OtherLetters[i] += b.OtherLetters[i];
        }
        for (const auto& q : sets[s].Questions) {
            ++row.Read;
            if (IsPersonTemplate(q.Record.Text)) ++row.PersonTemplate;
            if (HasSuperlative(q.Record.Text)) ++row.Superlatives;
            const int topic = TopicIndex(q.Topic);
            if (topic >= 0)
                ++row.Topics[static_cast<size_t>(topic)];
            else
                ++row.NoTopic;
            const std::string& letter = q.Record.CorrectLetter;
            if (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'D')
                ++row.CorrectLetters[letter[0] - 'A'];
        }
    }
    return stats;
}

std::vector<SetStats> CollectPlayedStats(const fs::path& own, const fs::path& shipped,
                                         ProblemList& problems) {
    std::vector<SetStats> played = CollectStats({own}, problems);
    const std::vector<SetStats> base = CollectStats({shipped}, problems);
    for (size_t i = 0; i < played.size(); ++i) {
        if (played[i].Count > 0)
            played[i].Own = true;
        else
            played[i] = base[i];
    }
    return played;
}

std::string FormatStats(const std::vector<SetStats>& stats) {
    std::string out = "sada  otázek     A    B    C    D  start (min. 2)  cíl\n";
    QuestionCounts counts{};
    for (size_t i = 0; i < stats.size(); ++i) {
        const SetStats& s = stats[i];
        counts[i + 1] = s.Count;
        const std::string target = s.Count >= s.Target() ? "ok (" + std::to_string(s.Target()) + ")"
                                                         : "chybí " + std::to_string(s.Target() - s.Count) +
                                                               " do " + std::to_string(s.Target());
        char row[160];
        std::snprintf(row, sizeof row, "%-4s  %6d  %4d %4d %4d %4d  %-14s  ",
                      (s.Set.Name() + (s.Own ? "*" : "")).c_str(), s.Count, s.CorrectLetters[0],
                      s.CorrectLetters[1], s.CorrectLetters[2], s.CorrectLetters[3],
                      s.Count >= kMinimumQuestionsPerCounter ? "ok" : "MÁLO");
        out += row + target + "\n";
    }
    out += "celkem (jako na startu): " + QuestionTotalsText(counts) + "\n";
    std::string own;
    for (const auto& s : stats)
        if (s.Own) own += (own.empty() ? "" : ", ") + s.Set.Name();
    if (!own.empty()) out += "* vlastní otázky hráče: " + own + "; ostatní sady jsou dodané se hrou\n";
    out += "\núroveň  číselné  krajní   A  B  C  D (číselné)   A  B  C  D (ostatní)  nejdelší\n";
    for (const auto& s : stats) {
        if (s.Set.FastestFinger) continue;
        const Balance& b = s.Tells;
        char row[200];
        std::snprintf(row, sizeof row,
                      "%-6s  %7d  %5d %%  %2d %2d %2d %2d             %3d %3d %3d %3d         %3d %%\n",
                      s.Set.Name().c_str(), b.Ordered, b.Ordered ? b.OrderedExtreme * 100 / b.Ordered : 0,
                      b.OrderedLetters[0], b.OrderedLetters[1], b.OrderedLetters[2], b.OrderedLetters[3],
                      b.OtherLetters[0], b.OtherLetters[1], b.OtherLetters[2], b.OtherLetters[3],
                      b.Questions ? b.LongestCorrect * 100 / b.Questions : 0);
        out += row;
    }
    out += "(krajní: správná je nejmenší nebo největší hodnota; nejdelší: správná odpověď je nejdelší)\n";

    out += "\núroveň  osoby  superl.";
    for (const char* head : kTopicHeads) out += std::string("  ") + head;
    out += "  bez\n";
    for (const auto& s : stats) {
        if (s.Set.FastestFinger) continue;
        char row[64];
        std::snprintf(row, sizeof row, "%-6s  %3d %%  %5d  ", s.Set.Name().c_str(),
                      PercentOf(s.PersonTemplate, s.Read), s.Superlatives);
        out += row;
        for (int n : s.Topics) {
            std::snprintf(row, sizeof row, " %4d", n);
            out += row;
        }
        std::snprintf(row, sizeof row, " %4d\n", s.NoTopic);
        out += row;
    }
    out +=
        "(osoby: podíl otázek „Kdo napsal / složil / namaloval…“; superl.: otázky s „nej…“;\n"
        " témata počtem otázek: ";
    for (size_t i = 0; i < kTopics.size(); ++i)
        out += std::string(kTopicHeads[i]) + " " + std::string(kTopics[i]) +
               (i + 1 < kTopics.size() ? ", " : ")\n");

    const auto flags = StatsFlags(stats);
    if (!flags.empty()) {
        out += "\nnesplněno:\n";
        for (const auto& f : flags) out += "  " + f + "\n";
    }
    return out;
}

std::vector<std::string> StatsFlags(const std::vector<SetStats>& stats) {
    std::vector<std::string> flags;
    for (const auto& s : stats) {
        const std::string name = s.Set.Name();
        if (s.Count < s.Target())
            flags.push_back(name + ": " + std::to_string(s.Count) +
                            (s.Set.FastestFinger ? " úloh" : " otázek") + ", má být aspoň " +
                            std::to_string(s.Target()));
        if (s.Set.FastestFinger || s.Set.Index < kFirstSpreadLevel || s.Read == 0) continue;
        const int person = PercentOf(s.PersonTemplate, s.Read);
        if (s.PersonTemplate * 100 > kMaxPersonTemplatePercent * s.Read)
            flags.push_back(name + ": otázky „Kdo napsal / složil…“ " + std::to_string(person) +
                            " %, nejvýš " + std::to_string(kMaxPersonTemplatePercent) + " %");
        const int sportCount = s.Topics[static_cast<size_t>(TopicIndex("sport"))];
        const int sport = PercentOf(sportCount, s.Read);
        if (sportCount * 100 < kMinSportPercent * s.Read)
            flags.push_back(name + ": téma sport " + std::to_string(sport) + " %, aspoň " +
                            std::to_string(kMinSportPercent) + " %");
        const int languageCount = s.Topics[static_cast<size_t>(TopicIndex("jazyk"))];
        const int language = PercentOf(languageCount, s.Read);
        if (languageCount * 100 < kMinLanguagePercent * s.Read)
            flags.push_back(name + ": téma jazyk " + std::to_string(language) + " %, aspoň " +
                            std::to_string(kMinLanguagePercent) + " %");
    }
    return flags;
}

bool MeetsTargets(const std::vector<SetStats>& stats) {
    for (const auto& s : stats) {
        if (s.Count < s.Target()) return false;
    }
    return true;
}

}  // namespace tolarka::qst
