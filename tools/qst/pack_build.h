#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tools/qst/problem.h"

namespace tolarka::qst {

// Name of the list of files that `build` wrote into the output directory. It starts with a
// dot, so the game's directory listing skips it.
inline constexpr const char* kManifestName = ".tolarka-qst-manifest";

struct BuildResult {
    ProblemList Problems;  // source syntax problems; those questions were left out
    int Written = 0;       // files whose content changed
    int Unchanged = 0;     // files already up to date (left untouched, timestamps kept)
    int Removed = 0;       // stale files of an earlier build removed
};

// Turns every NN.txt / FN.txt of `sourceDir` into question files in `outDir` (created when
// missing). Files the previous build wrote that no source produces any more are removed;
// files it did not write are never touched. Throws std::runtime_error on I/O errors.
BuildResult BuildQuestionFiles(const std::filesystem::path& sourceDir, const std::filesystem::path& outDir);

}  // namespace tolarka::qst
