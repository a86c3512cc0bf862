#include "tools/qst/pack_check.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "io/cp1250.h"
#include "tools/qst/pack_balance.h"
#include "tools/qst/pack_tells.h"

namespace tolarka::qst {

namespace fs = std::filesystem;

namespace {

std::string Quoted(std::string_view s) { return "„" + std::string(s) + "“"; }

std::string NumberText(int n) {
    char s[16];
    std::snprintf(s, sizeof s, "%03d", n);
    return s;
}

// The characters of well-formed UTF-8 text that Windows-1250 lacks, each listed once.
std::string MissingCharacters(std::string_view utf8) {
    std::string missing;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80) ++n;
        const std::string_view ch = utf8.substr(i, n);
        if (!IsRepresentableInCp1250(ch) && missing.find(ch) == std::string::npos) {
            missing += missing.empty() ? "" : " ";
            missing += ch;
        }
        i += n;
    }
    return missing;
}

// Text compared for duplicates: spaces collapsed, ASCII letters folded.
std::string DuplicateKey(std::string_view text) {
    std::string key;
    for (char c : text) {
        if (c == ' ' && (key.empty() || key.back() == ' ')) continue;
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    while (!key.empty() && key.back() == ' ') key.pop_back();
    return key;
}

struct TextField {
    std::string_view Key;
    std::string Label;  // as messages name it
    const std::string* Value;
    size_t Width;
};

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("nelze číst " + file.string());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

ProblemList CheckSet(const SetContent& content, platform::TextMetrics& metrics) {
    ProblemList problems;
    std::map<std::string, size_t> texts;  // duplicate key -> first question
    for (size_t i = 0; i < content.Questions.size(); ++i) {
        const SourceQuestion& q = content.Questions[i];
        const QuestionRecord& r = q.Record;
        const std::string file = content.FileOf(i);
        auto report = [&](std::string_view key, std::string message) {
            problems.push_back({file, key.empty() ? q.Line : q.LineOf(key),
                                "otázka " + NumberText(q.Number) + ": " + std::move(message)});
        };

        const TextField fields[] = {
            {kKeyText, "otázka", &r.Text, question_layout::kTextWidth},
            {"A", "odpověď A", &r.AnswerA, question_layout::kAnswerWidth},
            {"B", "odpověď B", &r.AnswerB, question_layout::kAnswerWidth},
            {"C", "odpověď C", &r.AnswerC, question_layout::kAnswerWidth},
            {"D", "odpověď D", &r.AnswerD, question_layout::kAnswerWidth},
            {kKeyAuthor, "autor", &r.Author, question_layout::kAuthorWidth},
        };
        for (const auto& f : fields) {
            if (!IsRepresentableInCp1250(*f.Value)) {
                report(f.Key, f.Label + " obsahuje znaky, které nejsou ve Windows-1250: " +
                                  MissingCharacters(*f.Value));
                continue;
            }
            const size_t bytes = Utf8ToCp1250(*f.Value).size();
            if (bytes > f.Width) {
                report(f.Key, f.Label + " má " + std::to_string(bytes) + " bajtů, nejvýš " +
                                  std::to_string(f.Width));
            }
            if (f.Value->empty() && f.Key != kKeyAuthor) report(f.Key, f.Label + " je prázdná");
        }

        if (r.CorrectLetter.size() != 1 || r.CorrectLetter[0] < 'A' || r.CorrectLetter[0] > 'D') {
            report(kKeyCorrect,
                   "správná odpověď musí být velké písmeno A, B, C nebo D, je " + Quoted(r.CorrectLetter));
        }

        if (content.Set.FastestFinger) {
            // Ordering task: hlasy = the position of items A..D in the correct order.
            std::array<int16_t, 4> sorted = r.AudienceVotes;
            std::sort(sorted.begin(), sorted.end());
            if (sorted != std::array<int16_t, 4>{1, 2, 3, 4}) {
                report(q.HasVotes ? kKeyVotes : std::string_view(),
                       "pořadí v poli „hlasy“ musí obsahovat čísla 1 až 4, každé jednou");
            } else {
                const auto one = std::find(r.AudienceVotes.begin(), r.AudienceVotes.end(), int16_t{1});
                const std::string first(1, static_cast<char>('A' + (one - r.AudienceVotes.begin())));
                if (r.CorrectLetter != first) {
                    report(kKeyCorrect, "správně musí být položka s pořadím 1, tedy " + first);
                }
            }
        }

        if (IsRepresentableInCp1250(r.Text)) {
            const auto lines = metrics.Wrap(kQuestionFont, r.Text, kQuestionLineWidth);
            if (static_cast<int>(lines.size()) > kQuestionMaxLines) {
                report(kKeyText, "otázka se nevejde na dva řádky po " + std::to_string(kQuestionLineWidth) +
                                     " px (zabere " + std::to_string(lines.size()) + ")");
            }
        }
        const std::pair<std::string_view, const std::string*> answers[] = {
            {"A", &r.AnswerA}, {"B", &r.AnswerB}, {"C", &r.AnswerC}, {"D", &r.AnswerD}};
        for (const auto& [letter, text] : answers) {
            if (!IsRepresentableInCp1250(*text)) continue;
            const int width = metrics.Width(kQuestionFont, *text);
            if (width > kAnswerWidth) {
                report(letter, "odpověď " + std::string(letter) + " je široká " + std::to_string(width) +
                                   " px, nejvýš " + std::to_string(kAnswerWidth) + " px");
            }
        }

        const std::string key = DuplicateKey(r.Text);
        const auto [it, inserted] = texts.emplace(key, i);
        if (!inserted && !key.empty()) {
            const SourceQuestion& first = content.Questions[it->second];
            std::string where = fs::path(content.FileOf(it->second)).filename().string();
            if (first.Line > 0) where += ":" + std::to_string(first.Line);
            report(kKeyText, "stejné znění jako otázka " + NumberText(first.Number) + " (" + where + ")");
        }
    }
    return problems;
}

std::vector<SetContent> LoadSources(const std::vector<fs::path>& files, ProblemList& problems) {
    std::vector<SetContent> sets;
    for (const auto& file : files) {
        // Messages name the file as it was given, so that it can be found again.
        const std::string shown = file.string();
        const auto set = SetFromSourceName(file.filename().string());
        if (!set) {
            problems.push_back(
                {shown, 0, "neznámý název zdroje: čekám 01.txt až 15.txt nebo F1.txt až F5.txt"});
            continue;
        }
        ParsedSource parsed = ParseQuestionSource(ReadWhole(file), shown);
        problems.insert(problems.end(), parsed.Problems.begin(), parsed.Problems.end());
        sets.push_back(SetContent{*set, std::move(parsed.Questions), shown, {}});
    }
    return sets;
}

std::vector<SetContent> LoadQuestionFiles(const std::vector<fs::path>& files, ProblemList& problems) {
    std::map<int, SetContent> byOrder;
    for (const auto& file : files) {
        const std::string shown = file.string();
        const auto id = IdFromQuestionFileName(file.filename().string());
        if (!id) {
            problems.push_back(
                {shown, 0, "název neodpovídá vzoru 01-001.qst až 15-999.qst ani F1-001.qst až F5-999.qst"});
            continue;
        }
        const std::string bytes = ReadWhole(file);
        if (bytes.size() != kQuestionRecordSize) {
            problems.push_back({shown, 0,
                                "soubor má " + std::to_string(bytes.size()) + " bajtů, záznam otázky má " +
                                    std::to_string(kQuestionRecordSize)});
            if (bytes.size() < kQuestionRecordSize) continue;
        }
        const auto record = DecodeQuestionRecord(
            std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
        SetContent& content = byOrder[id->Set.Order()];
        content.Set = id->Set;
        content.Questions.push_back(FromRecord(id->Number, *record));
        content.QuestionFiles.push_back(shown);
    }
    std::vector<SetContent> sets;
    for (auto& [order, content] : byOrder) sets.push_back(std::move(content));
    return sets;
}

std::vector<fs::path> ExpandPath(const fs::path& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return {path};
    if (!fs::is_directory(path, ec)) throw std::runtime_error("cesta neexistuje: " + path.string());
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path, ec)) {
        const auto ext = entry.path().extension();
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.' &&
            (ext == ".txt" || ext == ".qst")) {
            files.push_back(entry.path());
        }
    }
    if (ec) throw std::runtime_error("nelze číst adresář " + path.string());
    std::sort(files.begin(), files.end());
    return files;
}

ProblemList CheckPaths(const std::vector<fs::path>& paths, platform::TextMetrics& metrics,
                       int* questionsChecked, ProblemList* warnings, const CheckOptions& options) {
    std::vector<fs::path> sources, questionFiles;
    for (const auto& path : paths) {
        for (auto& file : ExpandPath(path))
            (file.extension() == ".qst" ? questionFiles : sources).push_back(file);
    }
    ProblemList problems;
    std::vector<SetContent> sets = LoadSources(sources, problems);
    auto fromFiles = LoadQuestionFiles(questionFiles, problems);
    sets.insert(sets.end(), std::make_move_iterator(fromFiles.begin()),
                std::make_move_iterator(fromFiles.end()));
    int count = 0;
    for (const auto& set : sets) {
        auto found = CheckSet(set, metrics);
        problems.insert(problems.end(), found.begin(), found.end());
        count += static_cast<int>(set.Questions.size());
    }
    if (questionsChecked) *questionsChecked = count;
    if (warnings) {
        for (const auto& set : sets) {
            auto found = BalanceWarnings(set, MeasureBalance(set));
            warnings->insert(warnings->end(), found.begin(), found.end());
        }
        auto repeats = RepeatWarnings(sets);
        warnings->insert(warnings->end(), repeats.begin(), repeats.end());
        if (options.Tells) {
            for (const auto& set : sets) {
                auto tells = TellWarnings(set);
                warnings->insert(warnings->end(), tells.begin(), tells.end());
            }
            auto nearRepeats = NearRepeatWarnings(sets);
            warnings->insert(warnings->end(), nearRepeats.begin(), nearRepeats.end());
        }
        for (const auto& set : sets) {
            // Question files have no field for the topic; only sources are asked for one.
            if (set.SourceFile.empty()) continue;
            for (const auto& q : set.Questions) {
                if (q.Topic.empty())
                    warnings->push_back(
                        {set.SourceFile, q.Line, "otázka " + NumberText(q.Number) + ": chybí pole „téma“"});
            }
        }
    }
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        return std::tie(a.File, a.Line) < std::tie(b.File, b.Line);
    });
    return problems;
}

}  // namespace tolarka::qst
