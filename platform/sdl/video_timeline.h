#pragma once
#include <cstdint>
#include <optional>

#include "platform/clock.h"

namespace tolarka::platform::sdl {

// Maps a clip's presentation times to clock times at a playback rate r:
// due = anchor_clock + (pts - anchor_pts) / r. The anchor moves on every start and rate change,
// so a new rate applies from the current picture on.
class VideoTimeline {
public:
    // The clip starts now; its first frame (whatever its timestamp) is due at once.
    void Start(Millis now);
    // Ignores rates that are not positive and finite; keeps others within 0.01 to 100.
    void SetRate(double rate, Millis now);
    double Rate() const { return rate_; }
    // Fixes the clip time of the start; called with the first frame's timestamp.
    void AnchorAt(std::int64_t pts_us);
    bool Anchored() const { return anchor_pts_us_.has_value(); }
    // Clock time at which a frame falls due; before anchoring, pts is taken for the first frame.
    Millis DueTime(std::int64_t pts_us) const;

private:
    Millis anchor_clock_ = 0;
    std::optional<std::int64_t> anchor_pts_us_;
    double rate_ = 1.0;
};

}  // namespace tolarka::platform::sdl
