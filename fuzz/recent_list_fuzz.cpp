// Any bytes as a level's recent-question list: at most 50 entries of bounded length, and a list
// written back reads as itself.
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "game/recent_questions.h"

using namespace tolarka;

FUZZ_TARGET(bytes) {
    const RecentList list = ParseRecentList(bytes);
    for (const auto& entry : list) FUZZ_CHECK(entry.size() <= kRecentLineLimit);
    const RecentList pushed = PushRecent(list, "042");
    FUZZ_CHECK(pushed[0] == "042");
    // The bytes the list is written as (CR LF after each entry) give the same list again, as
    // long as no entry holds a line break of its own.
    std::vector<unsigned char> written;
    bool plain = true;
    for (const auto& entry : pushed) {
        plain = plain && entry.find('\n') == std::string::npos && (entry.empty() || entry.back() != '\r');
        written.insert(written.end(), entry.begin(), entry.end());
        written.push_back('\r');
        written.push_back('\n');
    }
    if (plain) FUZZ_CHECK(ParseRecentList(written) == pushed);
}
