#pragma once
#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

namespace tolarka::platform::sdl {

// Takes the threads the main thread has told to stop but must not wait for: one may be inside a
// read of a slow disk. Each comes with a flag it sets as its very last act. Finished ones are
// joined whenever another is handed over; the rest when the reaper goes, after a short grace
// period, and a thread still busy then is left to end with the process. Main thread only.
class ThreadReaper {
public:
    ThreadReaper() = default;
    ~ThreadReaper();
    ThreadReaper(const ThreadReaper&) = delete;
    ThreadReaper& operator=(const ThreadReaper&) = delete;

    void Take(std::thread thread, std::shared_ptr<const std::atomic<bool>> finished);
    // Threads taken and not joined yet (finished ones are joined first).
    std::size_t Pending();

private:
    struct Entry {
        std::thread thread;
        std::shared_ptr<const std::atomic<bool>> finished;
    };
    void JoinFinished();
    std::vector<Entry> entries_;
};

}  // namespace tolarka::platform::sdl
