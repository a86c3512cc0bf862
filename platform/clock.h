#pragma once
#include <cstdint>

namespace tolarka::platform {

// Milliseconds since the runtime started. Every timer, pause and video frame reads this one
// clock, so the headless backend can make time jump instead of waiting.
using Millis = std::int64_t;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Millis Now() const = 0;
};

}  // namespace tolarka::platform
