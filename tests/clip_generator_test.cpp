// The clip generator's parts: the AVI writer, the countdown numbers, the catalogue, determinism.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "canvas.h"
#include "clip_catalogue.h"
#include "clip_reader.h"
#include "render_clip.h"
#include "scenes.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> SolidBgra(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = b;
        pixels[i + 1] = g;
        pixels[i + 2] = r;
        pixels[i + 3] = 255;
    }
    return pixels;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AviWriter, WritesAClipFfmpegReadsBackWithItsLengthAndColour) {
    ScratchDir dir;
    const fs::path path = dir.path() / "solid.avi";
    const auto orange = SolidBgra(64, 48, 240, 140, 20);
    {
        clipgen::AviWriter writer(path, clipgen::VideoFormat{64, 48, 10, 200});
        for (int i = 0; i < 25; ++i) writer.WriteFrame(orange.data(), 64 * 4);
        writer.Finish();
        EXPECT_EQ(writer.FramesWritten(), 25);
    }
    const auto info = cliptest::ReadClip(path.string());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->streams, 1);
    EXPECT_EQ(info->codec, "mpeg4");
    EXPECT_EQ(info->width, 64);
    EXPECT_EQ(info->height, 48);
    EXPECT_EQ(info->frames, 25);
    EXPECT_NEAR(info->seconds, 2.5, 1e-6);
    ASSERT_TRUE(info->firstFrameDecoded);
    // Middle pixel, allowing for the YUV round trip.
    const std::size_t mid = (24 * 64 + 32) * 3;
    EXPECT_NEAR(info->firstFrameRgb[mid], 240, 12);
    EXPECT_NEAR(info->firstFrameRgb[mid + 1], 140, 12);
    EXPECT_NEAR(info->firstFrameRgb[mid + 2], 20, 12);
    EXPECT_FALSE(fs::exists(path.string() + ".part"));
}

TEST(AviWriter, AnUnfinishedClipLeavesNoFileBehind) {
    ScratchDir dir;
    const fs::path path = dir.path() / "broken.avi";
    {
        clipgen::AviWriter writer(path, clipgen::VideoFormat{32, 32, 10, 100});
        const auto grey = SolidBgra(32, 32, 90, 90, 90);
        writer.WriteFrame(grey.data(), 32 * 4);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(AviWriter, RefusesSizesTheEncoderCannotTake) {
    ScratchDir dir;
    EXPECT_THROW(clipgen::AviWriter(dir.path() / "odd.avi", clipgen::VideoFormat{33, 32, 10, 100}),
                 std::runtime_error);
    EXPECT_THROW(clipgen::AviWriter(dir.path() / "empty.avi", clipgen::VideoFormat{0, 32, 10, 100}),
                 std::runtime_error);
    EXPECT_THROW(clipgen::AviWriter(dir.path() / "still.avi", clipgen::VideoFormat{32, 32, 0, 100}),
                 std::runtime_error);
    EXPECT_THROW(clipgen::AviWriter(dir.path() / "missing" / "x.avi", clipgen::VideoFormat{32, 32, 10, 100}),
                 std::runtime_error);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Countdown, ShowsThirtyAtTheStartAndCountsWholeSecondsDownToZero) {
    EXPECT_EQ(clipgen::CountdownNumber(0.0), 30);
    EXPECT_EQ(clipgen::CountdownNumber(0.99), 30);
    EXPECT_EQ(clipgen::CountdownNumber(1.0), 29);
    EXPECT_EQ(clipgen::CountdownNumber(15.0 / 15), 29);  // frame 15 of a 15 fps clip
    EXPECT_EQ(clipgen::CountdownNumber(20.5), 10);
    EXPECT_EQ(clipgen::CountdownNumber(29.999), 1);
    EXPECT_EQ(clipgen::CountdownNumber(30.0), 0);
    EXPECT_EQ(clipgen::CountdownNumber(30.6), 0);
}

TEST(Countdown, OutOfRangeTimesStayOnTheDial) {
    EXPECT_EQ(clipgen::CountdownNumber(-1.0), 30);
    EXPECT_EQ(clipgen::CountdownNumber(std::numeric_limits<double>::quiet_NaN()), 30);
    EXPECT_EQ(clipgen::CountdownNumber(1e9), 0);
}

TEST(ClipCatalogue, HoldsEveryClipTheGameNamesOnceWithEncodableSizes) {
    const std::set<std::string> game = {"aud.avi",     "ex.avi",        "fade1.avi",     "fade2.avi",
                                        "fade3.avi",   "lights-r2.avi", "lights-r3.avi", "lights-st.avi",
                                        "odpocet.avi", "r1.avi",        "r23.avi",       "r4.avi",
                                        "tel.avi",     "ff-int.avi"};
    std::set<std::string> seen;
    for (const clipgen::ClipFormat& clip : clipgen::ClipCatalogue()) {
        EXPECT_TRUE(seen.insert(clip.file).second) << clip.file << " twice";
        EXPECT_EQ(clip.width % 2, 0) << clip.file;
        EXPECT_EQ(clip.height % 2, 0) << clip.file;
        // Long enough even for a player that ignores the slower rate.
        EXPECT_GE(static_cast<double>(clipgen::FrameCount(clip)) / clip.fps, clip.shownSeconds) << clip.file;
        EXPECT_GE(clip.fps, 10) << clip.file;
        EXPECT_LE(clip.fps, 25) << clip.file;
    }
    EXPECT_EQ(seen, game);
    EXPECT_EQ(clipgen::FindClip("nothing.avi"), nullptr);
}

TEST(RenderClip, TheSameClipComesOutByteForByteTheSame) {
    ScratchDir first;
    ScratchDir second;
    const clipgen::ClipFormat* clip = clipgen::FindClip("fade2.avi");
    ASSERT_NE(clip, nullptr);
    const int frames = clipgen::RenderClip(*clip, first.path());
    EXPECT_EQ(frames, clipgen::FrameCount(*clip));
    clipgen::RenderClip(*clip, second.path());
    const std::string a = ReadAll(first.path() / "fade2.avi");
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == ReadAll(second.path() / "fade2.avi"));
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
