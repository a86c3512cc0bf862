// The names of the clips and sounds are spelt in several places: the start-up checklist, the
// screens that play them, the generators' catalogues and the build's lists of generated files.
// These tests tie them together, so that none can drift from the others.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "scratch_dir.h"
#include "startup/media_checklist.h"
#include "tests/support/build_paths.h"
#include "tools/clipgen/clip_catalogue.h"
#include "tools/sfxgen/catalogue.h"

namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

const fs::path kSource = tolarka::testing::SourceDir();

// The file names after "set(<variable>" up to the closing parenthesis of a CMake file.
Names CMakeList(const fs::path& file, const std::string& variable) {
    const std::string text = ReadFile(file);
    const auto start = text.find("set(" + variable);
    if (start == std::string::npos) return {};
    const auto end = text.find(')', start);
    std::istringstream words(text.substr(start + 4 + variable.size(), end - start - 4 - variable.size()));
    Names names;
    for (std::string w; words >> w;) names.insert(w);
    return names;
}

template <size_t N>
Names Checklist(const std::array<std::string_view, N>& list) {
    Names names;
    for (auto path : list) names.insert(std::string(path.substr(path.rfind('/') + 1)));
    return names;
}

// Every "….wav" and "….avi" named in a string literal of the screens' sources.
Names NamedInScreens() {
    const std::regex literal(R"re("(?:[^"\n]*/)?([A-Za-z0-9_-]+\.(?:wav|avi))")re");
    Names names;
    for (const char* dir : {"game", "anim", "startup", "saves", "app"})
        for (const auto& entry : fs::directory_iterator(kSource / dir)) {
            const std::string text = ReadFile(entry.path());
            for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it)
                names.insert((*it)[1].str());
        }
    return names;
}

}  // namespace

// The qualifier's intro clip is made and shipped, but nothing plays it and the start-up check
// leaves it out: this edition has no qualifier.
TEST(MediaNames, SoundsAndClipsAreTheSameInTheChecklistTheGeneratorTheBuildAndTheScreens) {
    Names sounds, clips, checked = Checklist(tolarka::kSoundChecklist);
    for (const auto& s : tolarka::sfxgen::Catalogue()) sounds.insert(std::string(s.fileName));
    for (const auto& c : clipgen::ClipCatalogue()) clips.insert(c.file);
    EXPECT_EQ(CMakeList(kSource / "tools/sfxgen/CMakeLists.txt", "TOLARKA_SFX_FILES"), sounds);
    EXPECT_EQ(CMakeList(kSource / "tools/clipgen/CMakeLists.txt", "CLIPGEN_FILES"), clips);
    EXPECT_EQ(clips.erase("ff-int.avi"), 1u);
    sounds.merge(clips);
    checked.merge(Checklist(tolarka::kGraphicsChecklist));
    EXPECT_EQ(sounds, checked);
    EXPECT_EQ(NamedInScreens(), checked);
}
