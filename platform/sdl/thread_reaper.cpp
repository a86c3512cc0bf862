#include "platform/sdl/thread_reaper.h"

#include <algorithm>
#include <chrono>

namespace tolarka::platform::sdl {

namespace {
// Long enough for a stopped decoder to finish the read it is in on any working disk.
constexpr auto kGrace = std::chrono::seconds(2);
}  // namespace

ThreadReaper::~ThreadReaper() {
    const auto deadline = std::chrono::steady_clock::now() + kGrace;
    while (Pending() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    // What still runs holds everything it uses itself; it ends with the process.
    for (Entry& entry : entries_) entry.thread.detach();
}

void ThreadReaper::Take(std::thread thread, std::shared_ptr<const std::atomic<bool>> finished) {
    JoinFinished();
    entries_.push_back(Entry{std::move(thread), std::move(finished)});
}

std::size_t ThreadReaper::Pending() {
    JoinFinished();
    return entries_.size();
}

void ThreadReaper::JoinFinished() {
    const auto done = [](Entry& entry) {
        if (!entry.finished->load(std::memory_order_acquire)) return false;
        entry.thread.join();  // past its last act: returns at once
        return true;
    };
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), done), entries_.end());
}

}  // namespace tolarka::platform::sdl
