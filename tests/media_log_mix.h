#pragma once
// What the game plays at once, read from the headless backend's media log, and the sum of those
// sounds as the mixer adds them: 16-bit samples at full channel volume, clipped at full scale.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tolarka::testing {

// A sound played on one channel from `start` until `end` (ms of the game's clock).
struct Segment {
    std::string channel;
    std::string file;  // the file's name without its directory
    long long start = 0, end = 0;
    bool loop = false;
};

// Facts about a sound the log does not hold: its length in ms (nullopt: not a sound) and
// whether its channel repeats it.
struct SoundFacts {
    std::function<std::optional<long long>(const std::string& file)> lengthMs;
    std::function<bool(const std::string& file)> loops;
};

// Lines "<ms> <screen>.<view> file|play|stop [path]" and "<ms> system sound <path>"; a file set
// or played again ends what its channel played, a one-shot ends by itself, and whatever still
// plays at the last line ends there.
inline std::vector<Segment> SegmentsFromLog(const std::vector<std::string>& log, const SoundFacts& facts) {
    std::vector<Segment> done;
    std::map<std::string, std::string> fileOf;  // channel -> file set last
    std::map<std::string, Segment> playing;
    long long last = 0;
    auto finish = [&](const std::string& channel, long long t) {
        auto it = playing.find(channel);
        if (it == playing.end()) return;
        Segment s = it->second;
        playing.erase(it);
        s.end = std::min(s.end, t);
        if (s.end > s.start) done.push_back(s);
    };
    auto start = [&](const std::string& channel, const std::string& file, long long t) {
        finish(channel, t);
        const auto length = facts.lengthMs(file);
        if (!length) return;
        const bool loop = facts.loops(file);
        playing[channel] = Segment{channel, file, t, loop ? INT64_MAX : t + *length, loop};
    };
    auto baseName = [](const std::string& path) {
        const auto slash = path.find_last_of('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    for (const std::string& line : log) {
        const auto space = line.find(' ');
        if (space == std::string::npos) continue;
        const long long t = std::stoll(line.substr(0, space));
        last = std::max(last, t);
        const std::string rest = line.substr(space + 1);
        if (rest.rfind("system sound ", 0) == 0) {
            start("system", baseName(rest.substr(13)), t);
            continue;
        }
        const auto verbAt = rest.find(' ');
        if (verbAt == std::string::npos) continue;
        const std::string channel = rest.substr(0, verbAt);
        const std::string verb = rest.substr(verbAt + 1);
        if (verb.rfind("file ", 0) == 0) {
            finish(channel, t);
            fileOf[channel] = baseName(verb.substr(5));
        } else if (verb == "play") {
            start(channel, fileOf[channel], t);
        } else if (verb == "stop") {
            finish(channel, t);
        }
    }
    while (!playing.empty()) finish(playing.begin()->first, last);
    std::sort(done.begin(), done.end(), [](const Segment& a, const Segment& b) { return a.start < b.start; });
    return done;
}

// Sounds heard together from `from` to `to`.
struct Overlap {
    std::vector<Segment> members;
    long long from = 0, to = 0;
    // The files with each one-shot's start relative to the overlap's first one-shot: the same
    // key is the same sum (a loop's phase depends on how long the player thought).
    std::string Key() const {
        std::vector<std::string> parts;
        long long first = INT64_MAX;
        for (const Segment& s : members)
            if (!s.loop) first = std::min(first, s.start);
        for (const Segment& s : members)
            parts.push_back(s.file + (s.loop ? "" : "@" + std::to_string(s.start - first)));
        std::sort(parts.begin(), parts.end());
        std::string key;
        for (const auto& p : parts) key += (key.empty() ? "" : " + ") + p;
        return key;
    }
};

// Every stretch of time in which two or more segments play, split where the set changes.
inline std::vector<Overlap> OverlapsOf(const std::vector<Segment>& segments) {
    std::set<long long> cuts;
    for (const Segment& s : segments) {
        cuts.insert(s.start);
        cuts.insert(s.end);
    }
    std::vector<Overlap> out;
    for (auto it = cuts.begin(); it != cuts.end() && std::next(it) != cuts.end(); ++it) {
        Overlap o{{}, *it, *std::next(it)};
        for (const Segment& s : segments)
            if (s.start <= o.from && s.end >= o.to) o.members.push_back(s);
        if (o.members.size() < 2) continue;
        // Consecutive stretches of the very same segments are one overlap.
        auto same = [](const Segment& a, const Segment& b) {
            return a.channel == b.channel && a.start == b.start;
        };
        if (!out.empty() && out.back().to == o.from &&
            std::equal(o.members.begin(), o.members.end(), out.back().members.begin(),
                       out.back().members.end(), same)) {
            out.back().to = o.to;
            continue;
        }
        out.push_back(o);
    }
    return out;
}

struct MixResult {
    long long clipped = 0;  // samples whose sum lies beyond full scale
    int peak = 0;           // the largest magnitude of the sum
    long long peakAt = 0;   // its sample, counted from the overlap's start
};

// Adds the overlap's sounds sample by sample at 44.1 kHz. A loop is read `loopShift` samples
// further on, standing for a player who thought longer.
inline MixResult MixOverlap(
    const Overlap& o, const std::function<const std::vector<std::int16_t>*(const std::string&)>& samplesOf,
    long long loopShift = 0) {
    constexpr long long kPerMs = 441;  // samples per 10 ms
    MixResult r;
    const long long first = o.from * kPerMs / 10, last = o.to * kPerMs / 10;
    std::vector<std::pair<const std::vector<std::int16_t>*, const Segment*>> parts;
    for (const Segment& s : o.members)
        if (const auto* samples = samplesOf(s.file); samples && !samples->empty())
            parts.emplace_back(samples, &s);
    for (long long i = first; i < last; ++i) {
        int sum = 0;
        for (const auto& [samples, s] : parts) {
            long long at = i - s->start * kPerMs / 10;
            const auto n = static_cast<long long>(samples->size());
            if (s->loop) at = (at + loopShift) % n;
            if (at >= 0 && at < n) sum += (*samples)[static_cast<std::size_t>(at)];
        }
        if (sum > 32767 || sum < -32768) ++r.clipped;
        const int magnitude = sum < 0 ? -sum : sum;
        if (magnitude > r.peak) {
            r.peak = magnitude;
            r.peakAt = i - first;
        }
    }
    return r;
}

// The largest magnitude the overlap can reach whatever the phase of its loops: the one-shots
// summed as they play together, plus each loop's own largest swing in the same direction.
inline int WorstOverLoopPhases(
    const Overlap& o, const std::function<const std::vector<std::int16_t>*(const std::string&)>& samplesOf) {
    Overlap oneShots = o;
    int loopUp = 0, loopDown = 0;
    std::erase_if(oneShots.members, [&](const Segment& s) {
        if (!s.loop) return false;
        if (const auto* samples = samplesOf(s.file)) {
            for (std::int16_t x : *samples) {
                loopUp = std::max<int>(loopUp, x);
                loopDown = std::min<int>(loopDown, x);
            }
        }
        return true;
    });
    int up = 0, down = 0;
    constexpr long long kPerMs = 441;
    for (long long i = o.from * kPerMs / 10; i < o.to * kPerMs / 10; ++i) {
        int sum = 0;
        for (const Segment& s : oneShots.members) {
            const auto* samples = samplesOf(s.file);
            const long long at = i - s.start * kPerMs / 10;
            if (samples && at >= 0 && at < static_cast<long long>(samples->size()))
                sum += (*samples)[static_cast<std::size_t>(at)];
        }
        up = std::max(up, sum);
        down = std::min(down, sum);
    }
    return std::max(up + loopUp, -(down + loopDown));
}

}  // namespace tolarka::testing
