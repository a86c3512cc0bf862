#include "game/recent_questions.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "io/file_io.h"

namespace tolarka {

namespace fs = std::filesystem;

fs::path RecentListPath(const fs::path& appDir, int level) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.log", level);
    return appDir / "logs" / name;
}

RecentList ParseRecentList(std::span<const unsigned char> bytes) {
    RecentList list;
    size_t entry = 0;
    std::string line;
    for (size_t i = 0; i < bytes.size() && entry < list.size(); ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            list[entry++] = std::move(line);
            line.clear();
        } else if (line.size() <= kRecentLineLimit) {
            line.push_back(c);
        }
    }
    // A last line without its line end still counts.
    if (!line.empty() && entry < list.size()) {
        if (line.back() == '\r') line.pop_back();
        list[entry] = std::move(line);
    }
    for (auto& e : list)
        if (e.size() > kRecentLineLimit) e.resize(kRecentLineLimit);
    return list;
}

RecentList ReadRecentList(const fs::path& file) {
    // Only what 50 lines of the longest kept length hold is read, so a huge file costs nothing.
    const auto bytes = ReadLeadingBytes(file, kRecentListSize * (kRecentLineLimit + 2));
    return bytes ? ParseRecentList(*bytes) : RecentList{};
}

RecentList PushRecent(const RecentList& list, const std::string& number) {
    RecentList out;
    out[0] = number;
    std::copy(list.begin(), list.end() - 1, out.begin() + 1);
    return out;
}

bool WriteRecentList(const fs::path& file, const RecentList& list) {
    std::vector<unsigned char> bytes;
    for (const auto& entry : list) {
        bytes.insert(bytes.end(), entry.begin(), entry.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return ReplaceFile(file, bytes);
}

int ExcludeCount(int questionCount) { return std::clamp(questionCount / 2, 0, kRecentListSize); }

}  // namespace tolarka
