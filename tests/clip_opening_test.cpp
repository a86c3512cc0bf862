// Which files the clip decoder opens: AVI files that are ordinary files, and nothing a file
// named *.avi could point it to.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>

#include "platform/sdl/video_decoder.h"
#include "tests/media_test_support.h"
#include "tests/support/system.h"

namespace tolarka {
namespace {

using platform::sdl::ClipCodec;
using platform::sdl::VideoDecoder;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ClipOpening, PlaylistsAndScriptsNamedAviAreNotFollowed) {
    ScratchDir dir;
    const std::string real = dir.File("real.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(real, {64, 48, 10, 5, ClipCodec::kMpeg4}));
    ASSERT_NE(VideoDecoder::Open(real), nullptr);
    EXPECT_EQ(VideoDecoder::Open(real)->FrameSize(), (platform::Size{64, 48}));

    // Each of these would let a format guesser play real.avi (or whatever else it names).
    WriteText(dir.File("concat.avi"), "ffconcat version 1.0\nfile 'real.avi'\n");
    WriteText(
        dir.File("hls.avi"),
        "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXT-X-MEDIA-SEQUENCE:0\n#EXTINF:1,\nreal.avi\n#EXT-X-ENDLIST\n");
    WriteText(dir.File("m3u.avi"), "#EXTM3U\n#EXTINF:1,clip\nreal.avi\n");
    // A clip of another container renamed to .avi.
    std::string bytes = ReadFile(real);
    bytes[8] = 'X';  // "AVI " -> "XVI ": no longer the AVI form type
    WriteFile(dir.File("notavi.avi"), {bytes.begin(), bytes.end()});
    for (const char* name : {"concat.avi", "hls.avi", "m3u.avi", "notavi.avi"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(VideoDecoder::Open(dir.File(name)), nullptr);
    }
}

TEST(ClipOpening, LinksToPipesAndDirectoriesReturnAtOnce) {
    TOLARKA_SKIP_WITHOUT(Feature::NamedPipes);
    TOLARKA_SKIP_WITHOUT(Feature::SymbolicLinks);
    ScratchDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_TRUE(testing::MakeFifo(fifo));
    std::filesystem::create_symlink(fifo, dir.File("link.avi"));
    std::filesystem::create_directory(dir.File("folder.avi"));
    for (const char* name : {"pipe", "link.avi", "folder.avi"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        auto opening = std::async(std::launch::async, [path] { return VideoDecoder::Open(path) != nullptr; });
        if (opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "opening blocks";
            testing::KnockOnFifo(fifo);
        }
        EXPECT_FALSE(opening.get());
    }
}

TEST(ClipOpening, AClipInMemoryDecodesLikeTheFile) {
    ScratchDir dir;
    const std::string real = dir.File("real.avi");
    ASSERT_TRUE(media_test::WriteSolidClip(real, {32, 24, 10, 6, ClipCodec::kMjpeg}));
    const std::string file = ReadFile(real);
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    auto fromFile = VideoDecoder::Open(real);
    auto fromMemory = VideoDecoder::OpenBytes(bytes);
    ASSERT_NE(fromFile, nullptr);
    ASSERT_NE(fromMemory, nullptr);
    for (int round = 0; round < 2; ++round) {
        int frames = 0;
        while (auto a = fromFile->Next()) {
            auto b = fromMemory->Next();
            ASSERT_TRUE(b.has_value()) << frames;
            EXPECT_EQ(std::pair(a->pts_us, a->frame->data[0][0]), std::pair(b->pts_us, b->frame->data[0][0]));
            ++frames;
        }
        EXPECT_FALSE(fromMemory->Next().has_value());
        EXPECT_EQ(frames, 6);
        ASSERT_TRUE(fromFile->Rewind());
        ASSERT_TRUE(fromMemory->Rewind());
    }
}

}  // namespace
}  // namespace tolarka
