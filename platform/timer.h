#pragma once
#include <functional>
#include <string>

#include "platform/clock.h"

namespace tolarka::platform {

class Runtime;

// A screen's timer: ticks every Interval ms from the moment it is enabled, on the UI thread.
// Disabling and re-enabling restarts the count, and so does changing the interval of a running
// timer. An interval of 0 never ticks.
class Timer {
public:
    Timer(Runtime& runtime, std::string name);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& Name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    void Start() { SetEnabled(true); }
    void Stop() { SetEnabled(false); }

    std::function<void()> onTick;

    // Runtime side.
    Millis Due() const { return due_; }
    bool IsDue(Millis now) const { return enabled_ && interval_ > 0 && !inTick_ && due_ <= now; }
    void Fire(Millis now);
    int Order() const { return order_; }
    // Inside its own tick (a handler that waits in a modal loop): it cannot tick again yet.
    bool InTick() const { return inTick_; }

private:
    void Restart();
    Runtime& runtime_;
    std::string name_;
    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    Millis due_ = 0;
    int order_;
};

}  // namespace tolarka::platform
