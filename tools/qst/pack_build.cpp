#include "tools/qst/pack_build.h"

#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

#include "game/question_record.h"
#include "tools/qst/pack_check.h"

namespace tolarka::qst {

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes through a temporary file renamed over the target, so a reader never sees half a file.
void WriteAtomically(const fs::path& file, const void* data, size_t size) {
    fs::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) throw std::runtime_error("nelze zapsat " + temp.string());
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (ec) throw std::runtime_error("nelze přejmenovat " + temp.string() + ": " + ec.message());
}

std::set<std::string> ReadManifest(const fs::path& file) {
    std::set<std::string> names;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) names.insert(line);
    }
    return names;
}

// Whether a problem of the set lies on the lines of one question's block.
bool HasProblemWithin(const ProblemList& problems, int firstLine, int lastLine) {
    for (const auto& p : problems) {
        if (p.Line >= firstLine && p.Line <= lastLine) return true;
    }
    return false;
}

}  // namespace

BuildResult BuildQuestionFiles(const fs::path& sourceDir, const fs::path& outDir,
                               platform::TextMetrics& metrics, const BuildOptions& options) {
    BuildResult result;
    std::vector<fs::path> sources;
    for (const auto& file : ExpandPath(sourceDir)) {
        if (file.extension() == ".txt") sources.push_back(file);
    }
    const std::vector<SetContent> sets = LoadSources(sources, result.Problems);
    std::vector<ProblemList> setProblems;
    for (const auto& set : sets) {
        setProblems.push_back(CheckSet(set, metrics));
        result.Problems.insert(result.Problems.end(), setProblems.back().begin(), setProblems.back().end());
    }
    if (!result.Problems.empty() && !options.Lenient) {
        result.Refused = true;
        return result;
    }

    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec) throw std::runtime_error("nelze vytvořit adresář " + outDir.string() + ": " + ec.message());

    std::set<std::string> written;
    for (size_t s = 0; s < sets.size(); ++s) {
        const SetContent& set = sets[s];
        for (const auto& q : set.Questions) {
            if (HasProblemWithin(setProblems[s], q.Line, q.EndLine)) {
                ++result.LeftOut;
                continue;
            }
            const std::string name = set.Set.QuestionFileName(q.Number);
            const auto bytes = EncodeQuestionRecord(q.Record);
            written.insert(name);
            if (ReadBytes(outDir / name) == bytes) {
                ++result.Unchanged;
                continue;
            }
            WriteAtomically(outDir / name, bytes.data(), bytes.size());
            ++result.Written;
        }
    }

    // The manifest lists every file a build wrote that is still there, so a later --prune can
    // remove the ones no source produces any more.
    const fs::path manifest = outDir / kManifestName;
    std::set<std::string> listed = written;
    for (const auto& old : ReadManifest(manifest)) {
        // Only plain names that the build could have made: never a path outside outDir.
        if (written.count(old) > 0 || !IdFromQuestionFileName(old)) continue;
        if (options.Prune) {
            if (fs::remove(outDir / old, ec)) ++result.Removed;
        } else if (fs::exists(outDir / old, ec)) {
            listed.insert(old);
        }
    }
    std::string list;
    for (const auto& name : listed) list += name + "\n";
    WriteAtomically(manifest, list.data(), list.size());
    return result;
}

}  // namespace tolarka::qst
