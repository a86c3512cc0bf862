#include "clip_catalogue.h"

#include <cmath>

#include "scenes.h"

namespace clipgen {
namespace {

// Lengths carry a margin of at least 0.2 s over the time on screen. Clips played at rate 0.8 are
// made as long as their wall time, so they also last when a player ignores the rate.
std::vector<ClipFormat> BuildCatalogue() {
    std::vector<ClipFormat> clips;
    auto add = [&clips](std::string file, int w, int h, int fps, double seconds, double shown, double rate,
                        std::string where, std::function<std::unique_ptr<Scene>(int, int)> make) {
        ClipFormat c;
        c.file = std::move(file);
        c.width = w;
        c.height = h;
        c.fps = fps;
        c.kilobitsPerSecond = w >= 640 ? 300 : 160;
        c.seconds = seconds;
        c.shownSeconds = shown;
        c.slowestRate = rate;
        c.where = std::move(where);
        c.makeScene = std::move(make);
        clips.push_back(std::move(c));
    };
    add("lights-st.avi", 640, 480, 15, 4.7, 4.5, 0.8,
        "animation screen: clip 9 (new game, loaded game), second part of clip 10",
        [](int w, int h) { return MakeLightsScene(LightsKind::GameStart, w, h); });
    add("lights-r2.avi", 640, 480, 15, 3.8, 3.6, 1.0, "animation screen: second part of clip 1 up to level 9",
        [](int w, int h) { return MakeLightsScene(LightsKind::BandTwo, w, h); });
    add("lights-r3.avi", 640, 480, 15, 3.8, 3.6, 1.0, "animation screen: second part of clip 1 from level 10",
        [](int w, int h) { return MakeLightsScene(LightsKind::BandThree, w, h); });
    add("fade1.avi", 340, 192, 15, 3.5, 3.3, 1.0, "game screen picFade at each reveal, levels 1-5",
        [](int w, int h) { return MakeFadeScene(Band::One, w, h); });
    add("fade2.avi", 340, 192, 15, 3.5, 3.3, 1.0, "game screen picFade at each reveal, levels 6-10",
        [](int w, int h) { return MakeFadeScene(Band::Two, w, h); });
    add("fade3.avi", 340, 192, 15, 7.1, 6.9, 1.0, "game screen picFade at each reveal, levels 11-15",
        [](int w, int h) { return MakeFadeScene(Band::Three, w, h); });
    add("odpocet.avi", 192, 192, 15, 30.6, 30.0, 1.0, "game screen WMP3 during the phone call",
        [](int w, int h) { return MakeCountdownScene(w, h); });
    add("aud.avi", 640, 480, 15, 16.2, 16.0, 1.0, "animation screen: clip 4 (ask the audience)",
        [](int w, int h) { return MakeAudienceScene(w, h); });
    add("tel.avi", 640, 480, 15, 3.9, 3.7, 1.0, "animation screen: clip 5 (phone a friend)",
        [](int w, int h) { return MakePhoneScene(w, h); });
    add("r1.avi", 640, 480, 15, 4.2, 4.0, 1.0, "animation screen: clip 0 (right answer, levels 1-4)",
        [](int w, int h) { return MakeRightAnswerScene(RightKind::Low, w, h); });
    add("r23.avi", 640, 480, 15, 4.7, 4.5, 0.8,
        "animation screen: clip 1 (first 3 s), clip 10 (first 4.5 s at rate 0.8)",
        [](int w, int h) { return MakeRightAnswerScene(RightKind::Middle, w, h); });
    add("r4.avi", 640, 480, 15, 20.0, 19.8, 1.0, "animation screen: clip 2 (top prize)",
        [](int w, int h) { return MakeTopPrizeScene(w, h); });
    add("ex.avi", 640, 480, 15, 7.4, 7.2, 1.0, "animation screen: clip 3 (end of the game)",
        [](int w, int h) { return MakeGameOverScene(w, h); });
    add("ff-int.avi", 640, 480, 15, 3.8, 3.6, 1.0,
        "animation screen: clip 6, never asked for in this edition",
        [](int w, int h) { return MakeFastestFingerScene(w, h); });
    return clips;
}

}  // namespace

const std::vector<ClipFormat>& ClipCatalogue() {
    static const std::vector<ClipFormat> clips = BuildCatalogue();
    return clips;
}

const ClipFormat* FindClip(const std::string& file) {
    for (const ClipFormat& clip : ClipCatalogue())
        if (clip.file == file) return &clip;
    return nullptr;
}

int FrameCount(const ClipFormat& clip) { return static_cast<int>(std::ceil(clip.seconds * clip.fps - 1e-9)); }

}  // namespace clipgen
