// The clips beside the built game: every file the game plays is there, small, decoded whole by
// the game's decoder, has the size its place on screen needs, and lasts as long as it is shown.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/media_test_support.h"
#include "tests/support/build_paths.h"

namespace {

struct ExpectedClip {
    const char* file;
    int width;
    int height;
    double shownSeconds;  // wall time the game keeps the clip on screen, at the slowest rate
};

// Times from the game's timers: the animation screen's end timers, the 0.8 rate of clips 9 and 10
// counted as wall time, the reveal-to-hand-over gap for the studio clips (3.3 s after a wrong answer,
// 6.9 s at level 15) and the 30-second phone limit.
constexpr ExpectedClip kClips[] = {
    {"aud.avi", 640, 480, 16.0},      {"ex.avi", 640, 480, 7.2},        {"fade1.avi", 340, 192, 3.3},
    {"fade2.avi", 340, 192, 3.3},     {"fade3.avi", 340, 192, 6.9},     {"lights-r2.avi", 640, 480, 3.6},
    {"lights-r3.avi", 640, 480, 3.6}, {"lights-st.avi", 640, 480, 4.5}, {"odpocet.avi", 192, 192, 30.0},
    {"r1.avi", 640, 480, 4.0},        {"r23.avi", 640, 480, 4.5},       {"r4.avi", 640, 480, 19.8},
    {"tel.avi", 640, 480, 3.7},       {"ff-int.avi", 640, 480, 3.6},
};

TEST(BuiltClip, EveryClipDecodesFitsItsPlaceLastsAndStaysSmall) {
#ifndef TOLARKA_CLIPS_BUILT
    GTEST_SKIP() << "clips are not generated in this build (TOLARKA_CONTENT is OFF)";
#endif
    for (const ExpectedClip& want : kClips) {
        const std::filesystem::path path = tolarka::testing::AppDir() / "gfx" / want.file;
        SCOPED_TRACE(path);
        ASSERT_TRUE(std::filesystem::is_regular_file(path));
        EXPECT_LT(std::filesystem::file_size(path), 1024u * 1024u);
        const auto clip = tolarka::media_test::ReadClip(path.string());
        ASSERT_TRUE(clip.has_value()) << "the game cannot open it";
        EXPECT_EQ(clip->size, (tolarka::platform::Size{want.width, want.height}));
        EXPECT_GE(clip->seconds, want.shownSeconds);
    }
}

}  // namespace
