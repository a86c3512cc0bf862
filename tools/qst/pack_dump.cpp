#include "tools/qst/pack_dump.h"

#include <algorithm>
#include <set>

#include "tools/qst/pack_build.h"
#include "tools/qst/pack_check.h"

namespace tolarka::qst {

namespace fs = std::filesystem;

std::map<std::string, std::string> DumpQuestionFiles(const std::vector<std::filesystem::path>& files,
                                                     ProblemList& problems) {
    std::map<std::string, std::string> texts;
    // The topics are not in the records: a build's manifest beside the files keeps them.
    std::map<std::string, std::string> topics;
    std::set<fs::path> manifestsRead;
    for (const auto& file : files) {
        if (!manifestsRead.insert(file.parent_path()).second) continue;
        for (auto& [name, topic] : ReadManifest(file.parent_path())) topics.emplace(name, std::move(topic));
    }
    for (auto& set : LoadQuestionFiles(files, problems)) {
        for (size_t i = 0; i < set.Questions.size(); ++i) {
            const auto it = topics.find(fs::path(set.QuestionFiles[i]).filename().string());
            if (it != topics.end() && TopicIndex(it->second) >= 0) set.Questions[i].Topic = it->second;
        }
        std::sort(set.Questions.begin(), set.Questions.end(),
                  [](const SourceQuestion& a, const SourceQuestion& b) { return a.Number < b.Number; });
        texts[set.Set.SourceFileName()] = FormatQuestionSource(set.Questions);
    }
    return texts;
}

}  // namespace tolarka::qst
