#include "game/recent_questions.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "game/file_io.h"

namespace tolarka {

namespace fs = std::filesystem;

fs::path RecentListPath(const fs::path& appDir, int level) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.log", level);
    return appDir / "logs" / name;
}

RecentList ReadRecentList(const fs::path& file) {
    RecentList list;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    for (size_t i = 0; in && i < list.size() && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        list[i] = line;
    }
    return list;
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
