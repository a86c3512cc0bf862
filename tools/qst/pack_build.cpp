#include "tools/qst/pack_build.h"

#include <fstream>
#include <iterator>
#include <map>
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

// Whether a problem of the set lies on the lines of one question's block.
bool HasProblemWithin(const ProblemList& problems, int firstLine, int lastLine) {
    for (const auto& p : problems) {
        if (p.Line >= firstLine && p.Line <= lastLine) return true;
    }
    return false;
}

}  // namespace

std::map<std::string, std::string> ReadManifest(const fs::path& dir) {
    std::map<std::string, std::string> entries;
    std::ifstream in(dir / kManifestName);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const size_t space = line.find(' ');
        entries[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    return entries;
}

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

    std::map<std::string, std::string> written;  // name -> topic
    for (size_t s = 0; s < sets.size(); ++s) {
        const SetContent& set = sets[s];
        for (const auto& q : set.Questions) {
            if (HasProblemWithin(setProblems[s], q.Line, q.EndLine)) {
                ++result.LeftOut;
                continue;
            }
            const std::string name = set.Set.QuestionFileName(q.Number);
            const auto bytes = EncodeQuestionRecord(q.Record);
            written[name] = q.Topic;
            if (ReadBytes(outDir / name) == bytes) {
                ++result.Unchanged;
                continue;
            }
            WriteAtomically(outDir / name, bytes.data(), bytes.size());
            ++result.Written;
        }
    }

    // The manifest lists every file a build wrote that is still there, so a later --prune can
    // remove the ones no source produces any more, and the topic of each, which the record
    // has no room for (so `dump` gives it back).
    std::map<std::string, std::string> listed = written;
    for (const auto& [old, topic] : ReadManifest(outDir)) {
        // Only plain names that the build could have made: never a path outside outDir.
        if (written.count(old) > 0 || !IdFromQuestionFileName(old)) continue;
        if (options.Prune) {
            if (fs::remove(outDir / old, ec)) ++result.Removed;
        } else if (fs::exists(outDir / old, ec)) {
            listed[old] = topic;
        }
    }
    std::string list;
    for (const auto& [name, topic] : listed) list += name + (topic.empty() ? "" : " " + topic) + "\n";
    WriteAtomically(outDir / kManifestName, list.data(), list.size());
    return result;
}

}  // namespace tolarka::qst
