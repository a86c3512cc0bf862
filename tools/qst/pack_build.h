#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/text_metrics.h"
#include "tools/qst/problem.h"

namespace tolarka::qst {

// Name of the list of files that `build` wrote into the output directory, one line per file:
// the name, then a space and the question's topic when it has one. It starts with a dot, so
// the game's directory listing skips it.
inline constexpr const char* kManifestName = ".tolarka-qst-manifest";

// The manifest of `dir`: file name -> topic (empty when none); empty when there is no manifest.
std::map<std::string, std::string> ReadManifest(const std::filesystem::path& dir);

struct BuildOptions {
    // Leave out the questions that have problems and write the rest; otherwise a single
    // problem refuses the whole build.
    bool Lenient = false;
    // Remove the files an earlier build wrote that no source produces any more. Without it,
    // nothing is ever deleted.
    bool Prune = false;
};

struct BuildResult {
    ProblemList Problems;  // everything `check` finds in the sources
    bool Refused = false;  // problems without Lenient: nothing was written
    int LeftOut = 0;       // questions not written because of their problems
    int Written = 0;       // files whose content changed
    int Unchanged = 0;     // files already up to date (left untouched, timestamps kept)
    int Removed = 0;       // stale files of an earlier build removed (only with Prune)
};

// Turns every NN.txt / FN.txt of `sourceDir` into question files in `outDir` (created when
// missing), after checking the sources as `check` does. Files it did not write are never
// touched. Throws std::runtime_error on I/O errors.
BuildResult BuildQuestionFiles(const std::filesystem::path& sourceDir, const std::filesystem::path& outDir,
                               platform::TextMetrics& metrics, const BuildOptions& options = {});

}  // namespace tolarka::qst
