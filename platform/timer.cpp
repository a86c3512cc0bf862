#include "platform/timer.h"

#include "platform/runtime.h"

namespace tolarka::platform {

Timer::Timer(Runtime& runtime, std::string name)
    : runtime_(runtime), name_(std::move(name)), order_(runtime.RegisterTimer(*this)) {}

Timer::~Timer() { runtime_.UnregisterTimer(*this); }

void Timer::Restart() { due_ = runtime_.Now() + interval_; }

void Timer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms < 0 ? 0 : ms;
    if (enabled_) Restart();
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) Restart();
}

void Timer::Fire(Millis now) {
    // The next tick is due one interval after this one; ticks missed while the thread was
    // blocked collapse into one, as window timers do.
    due_ = due_ + interval_ > now ? due_ + interval_ : now + interval_;
    inTick_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inTick_};
    if (onTick) onTick();
}

}  // namespace tolarka::platform
