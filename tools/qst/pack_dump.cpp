#include "tools/qst/pack_dump.h"

#include <algorithm>

#include "tools/qst/pack_check.h"

namespace tolarka::qst {

std::map<std::string, std::string> DumpQuestionFiles(const std::vector<std::filesystem::path>& files,
                                                     ProblemList& problems) {
    std::map<std::string, std::string> texts;
    for (auto& set : LoadQuestionFiles(files, problems)) {
        std::sort(set.Questions.begin(), set.Questions.end(),
                  [](const SourceQuestion& a, const SourceQuestion& b) { return a.Number < b.Number; });
        texts[set.Set.SourceFileName()] = FormatQuestionSource(set.Questions);
    }
    return texts;
}

}  // namespace tolarka::qst
