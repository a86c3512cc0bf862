#include "platform/sdl/video_timeline.h"

#include <algorithm>
#include <cmath>

namespace tolarka::platform::sdl {

namespace {
// Far beyond any use; keeps the clock arithmetic away from overflow.
constexpr double kMinRate = 0.01;
constexpr double kMaxRate = 100.0;
}  // namespace

void VideoTimeline::Start(Millis now) {
    anchor_clock_ = now;
    anchor_pts_us_.reset();
}

void VideoTimeline::SetRate(double rate, Millis now) {
    if (!std::isfinite(rate) || rate <= 0.0) return;
    rate = std::clamp(rate, kMinRate, kMaxRate);
    if (anchor_pts_us_) {
        // The clip time shown now becomes the new anchor.
        const double elapsed_us = static_cast<double>(now - anchor_clock_) * 1000.0 * rate_;
        anchor_pts_us_ = *anchor_pts_us_ + std::llround(elapsed_us);
        anchor_clock_ = now;
    }
    rate_ = rate;
}

void VideoTimeline::AnchorAt(std::int64_t pts_us) { anchor_pts_us_ = pts_us; }

Millis VideoTimeline::DueTime(std::int64_t pts_us) const {
    const std::int64_t from = anchor_pts_us_.value_or(pts_us);
    return anchor_clock_ + std::llround(static_cast<double>(pts_us - from) / (1000.0 * rate_));
}

}  // namespace tolarka::platform::sdl
