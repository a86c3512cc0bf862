// The clip generator's parts: the AVI writer, the countdown numbers, the catalogue, determinism.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "canvas.h"
#include "clip_catalogue.h"
#include "render_clip.h"
#include "scenes.h"
#include "scratch_dir.h"
#include "tests/media_test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> SolidBgra(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < w * h; ++i) pixels.insert(pixels.end(), {b, g, r, 255});
    return pixels;
}

// A clip the game reads back with its length and colour; an unfinished clip, or one of a size
// the encoder cannot take, leaves no file behind.
TEST(AviWriter, WritesAClipTheGameReadsBackOrNoFileAtAll) {
    ScratchDir dir;
    const fs::path path = dir.path() / "solid.avi";
    const auto orange = SolidBgra(64, 48, 240, 140, 20);
    {
        clipgen::AviWriter writer(path, clipgen::VideoFormat{64, 48, 10, 200});
        for (int i = 0; i < 25; ++i) writer.WriteFrame(orange.data(), 64 * 4);
        writer.Finish();
        EXPECT_EQ(writer.FramesWritten(), 25);
    }
    const auto clip = tolarka::media_test::ReadClip(path.string());
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->size, (tolarka::platform::Size{64, 48}));
    EXPECT_EQ(clip->frames, 25);
    EXPECT_NEAR(clip->seconds, 2.5, 1e-6);
    // Allowing for the YUV round trip.
    EXPECT_NEAR(clip->middle.r, 240, 12);
    EXPECT_NEAR(clip->middle.g, 140, 12);
    EXPECT_NEAR(clip->middle.b, 20, 12);
    fs::remove(path);
    {
        clipgen::AviWriter writer(dir.path() / "broken.avi", clipgen::VideoFormat{32, 32, 10, 100});
        writer.WriteFrame(orange.data(), 32 * 4);
    }
    const std::pair<const char*, clipgen::VideoFormat> refused[] = {{"odd.avi", {33, 32, 10, 100}},
                                                                    {"empty.avi", {0, 32, 10, 100}},
                                                                    {"still.avi", {32, 32, 0, 100}},
                                                                    {"missing/x.avi", {32, 32, 10, 100}}};
    for (const auto& [name, format] : refused)
        EXPECT_THROW(clipgen::AviWriter(dir.path() / name, format), std::runtime_error) << name;
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// Whole seconds down from 30 at the start to 0 at the end; times off the dial stay on it.
TEST(Countdown, ShowsThirtyAtTheStartAndCountsWholeSecondsDownToZero) {
    const std::pair<double, int> shown[] = {
        {0.0, 30}, {0.99, 30}, {1.0, 29},  {20.5, 10}, {29.999, 1},
        {30.0, 0}, {30.6, 0},  {-1.0, 30}, {1e9, 0},   {std::numeric_limits<double>::quiet_NaN(), 30}};
    for (const auto& [seconds, number] : shown)
        EXPECT_EQ(clipgen::CountdownNumber(seconds), number) << seconds;
}

// The names are tied to the screens' in media_names_test.cpp; the sizes are checked by the encoder.
TEST(ClipCatalogue, EveryClipLastsAsLongAsItIsShown) {
    for (const clipgen::ClipFormat& clip : clipgen::ClipCatalogue())
        EXPECT_GE(static_cast<double>(clipgen::FrameCount(clip)) / clip.fps, clip.shownSeconds) << clip.file;
    EXPECT_EQ(clipgen::FindClip("nothing.avi"), nullptr);
}

TEST(RenderClip, TheSameClipComesOutByteForByteTheSame) {
    ScratchDir first, second;
    const clipgen::ClipFormat* clip = clipgen::FindClip("fade2.avi");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clipgen::RenderClip(*clip, first.path()), clipgen::FrameCount(*clip));
    clipgen::RenderClip(*clip, second.path());
    const std::string a = ReadFile(first.path() / "fade2.avi");
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == ReadFile(second.path() / "fade2.avi"));
}

// The game draws its notice strip over the top of the animation screen and the amount won over a
// band near the bottom; the clips under those overlays keep both parts dim so the overlays read.
TEST(RenderClip, ClipsUnderTheOverlaysKeepTheirBandsDim) {
    for (const char* file : {"r1.avi", "r23.avi", "ex.avi", "lights-st.avi"}) {
        const clipgen::ClipFormat* clip = clipgen::FindClip(file);
        ASSERT_NE(clip, nullptr);
        clipgen::Canvas canvas(clip->width, clip->height);
        auto scene = clip->makeScene(clip->width, clip->height);
        auto meanLuma = [&](int top, int bottom) {
            const unsigned char* px = canvas.Pixels();
            double sum = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < clip->width; ++x) {
                    const unsigned char* p = px + y * canvas.Stride() + x * 4;
                    sum += 0.11 * p[0] + 0.59 * p[1] + 0.3 * p[2];
                }
            return sum / ((bottom - top) * clip->width);
        };
        for (double t = 0; t < 4.0; t += 0.5) {
            scene->Paint(canvas.Context(), t);
            EXPECT_LT(meanLuma(16, 49), 90) << file << " at " << t << " s";
            EXPECT_LT(meanLuma(396, 437), 90) << file << " at " << t << " s";
        }
    }
}

}  // namespace
