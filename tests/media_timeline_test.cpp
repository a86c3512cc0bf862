#include <gtest/gtest.h>

#include <future>

#include "platform/sdl/video_frame_queue.h"
#include "platform/sdl/video_timeline.h"

namespace tolarka {
namespace {

using platform::Millis;
using namespace platform::sdl;

// The first frame is due at the start whatever its timestamp; a rate change keeps the picture on
// show, and a restart keeps the rate. A slower rate, and a rate change while playing: ClipPlayback in
// media_video_test.cpp.
TEST(VideoTimeline, FirstFrameIsDueAtTheStartAndARateChangeKeepsThePictureOnShow) {
    VideoTimeline timeline;
    timeline.Start(5000);
    EXPECT_EQ(timeline.DueTime(240000), Millis{5000});
    timeline.AnchorAt(240000);
    EXPECT_EQ(timeline.DueTime(340000), Millis{5100});
    timeline.Start(0);
    timeline.AnchorAt(0);
    timeline.SetRate(0.5, 1000);  // clip at 1.0 s
    EXPECT_EQ(timeline.DueTime(1000000), Millis{1000});
    EXPECT_EQ(timeline.DueTime(1100000), Millis{1200});
    timeline.SetRate(2.0, 1200);  // clip at 1.1 s
    EXPECT_EQ(timeline.DueTime(1300000), Millis{1300});
    timeline.Start(10000);
    timeline.AnchorAt(0);
    EXPECT_EQ(timeline.DueTime(1000000), Millis{10500});
}

TEST(VideoTimeline, IgnoresRatesThatAreNotPositive) {
    VideoTimeline timeline;
    for (double bad :
         {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        timeline.SetRate(bad, 0);
        EXPECT_EQ(timeline.Rate(), 1.0);
    }
    timeline.SetRate(1e-9, 0);
    timeline.Start(0);
    timeline.AnchorAt(0);
    EXPECT_GT(timeline.DueTime(3600000000), Millis{0});  // an hour, no overflow
}

DecodedFrame FrameAt(std::int64_t pts) {
    DecodedFrame frame;
    frame.pts_us = pts;
    return frame;
}

TEST(VideoFrameQueue, DecoderWaitsWhileFullAndQuitsOnAbort) {
    VideoFrameQueue queue;
    bool was_empty = false;
    ASSERT_TRUE(queue.Push(FrameAt(0), was_empty));
    EXPECT_TRUE(was_empty);
    ASSERT_TRUE(queue.Push(FrameAt(1), was_empty));
    EXPECT_FALSE(was_empty);
    ASSERT_TRUE(queue.Push(FrameAt(2), was_empty));

    const auto pushElsewhere = [&queue](std::int64_t pts) {
        return std::async(std::launch::async, [&queue, pts] {
            bool empty = false;
            return queue.Push(FrameAt(pts), empty);
        });
    };
    auto blocked = pushElsewhere(3);
    EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_EQ(queue.PopFront()->pts_us, 0);  // makes room
    EXPECT_TRUE(blocked.get());
    EXPECT_EQ(queue.FrontPts(), std::int64_t{1});

    auto aborted = pushElsewhere(4);
    queue.Abort();
    EXPECT_FALSE(aborted.get());

    queue.Reset();
    EXPECT_FALSE(queue.FrontPts().has_value());
    EXPECT_FALSE(queue.Drained());
    queue.Finish();
    EXPECT_TRUE(queue.Drained());
}

}  // namespace
}  // namespace tolarka
