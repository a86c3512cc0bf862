#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/qst/problem.h"

namespace tolarka::qst {

// Question files turned back into source text, one text per set, keyed by the source file
// name ("07.txt"), questions in number order. Unreadable or misnamed files are reported.
std::map<std::string, std::string> DumpQuestionFiles(const std::vector<std::filesystem::path>& files,
                                                     ProblemList& problems);

}  // namespace tolarka::qst
