// The display-mode routines over a scripted display: which modes count and what goes back.
#include <gtest/gtest.h>

#include <vector>

#include "startup/display_mode.h"

using tolarka::ChangeDisplayMode;
using tolarka::RestoreDisplayMode;
using tolarka::platform::DisplayMode;

namespace {

struct FakeDisplay : tolarka::platform::Display {
    std::vector<DisplayMode> modes;
    std::vector<DisplayMode> changes;
    DisplayMode DisplaySize() const override { return changes.empty() ? DisplayMode{} : changes.back(); }
    std::optional<DisplayMode> EnumDisplayMode(int index) const override {
        if (index < 0 || static_cast<size_t>(index) >= modes.size()) return std::nullopt;
        return modes[static_cast<size_t>(index)];
    }
    void SetDisplayMode(DisplayMode mode) override { changes.push_back(mode); }
};

using Modes = std::vector<DisplayMode>;

}  // namespace

TEST(DisplayMode, ChangesOnlyToAModeTheDisplayOffersWhereverItIsListed) {
    FakeDisplay d;
    // The same size listed at several depths and rates, the wanted one last.
    d.modes = {{800, 600}, {800, 600}, {1024, 768}, {640, 480}};
    ChangeDisplayMode(d, 640, 480);
    EXPECT_EQ(d.changes, (Modes{{640, 480}}));

    FakeDisplay none;
    none.modes = {{800, 600}, {1024, 768}, {480, 640}};
    ChangeDisplayMode(none, 640, 480);
    EXPECT_TRUE(none.changes.empty());
}

TEST(DisplayMode, RestoreGoesBackToALandscapeSizeUnlessTheDisplayWasKept) {
    FakeDisplay d;
    d.modes = {{640, 480}, {1024, 768}, {1280, 1024}, {1920, 1080}};
    RestoreDisplayMode(d, 1280, 1024, "");
    RestoreDisplayMode(d, 1920, 1080, "no_fullscreen x");
    EXPECT_EQ(d.changes, (Modes{{1280, 1024}, {1920, 1080}}));

    FakeDisplay kept;
    kept.modes = d.modes;
    RestoreDisplayMode(kept, 1280, 1024, "no_fullscreen");
    RestoreDisplayMode(kept, 0, 0, "no_fullscreen");
    EXPECT_TRUE(kept.changes.empty());

    // A size the display no longer offers stays at 640 x 480.
    FakeDisplay gone;
    gone.modes = {{640, 480}, {1024, 768}};
    RestoreDisplayMode(gone, 1600, 1200, "");
    EXPECT_TRUE(gone.changes.empty());
}

TEST(DisplayMode, RestoreOfANonLandscapeSizeTakesTheWidthFromTheHeight) {
    FakeDisplay d;
    d.modes = {{720, 576}, {800, 600}, {1024, 768}, {1280, 1024}};
    for (auto [w, h] :
         {std::pair{768, 1024}, {600, 768}, {600, 600}, {576, 576}, {500, 1200}, {0, 0}, {-5, 768}})
        RestoreDisplayMode(d, static_cast<std::int16_t>(w), static_cast<std::int16_t>(h), "");
    EXPECT_EQ(d.changes, (Modes{{1280, 1024}, {1024, 768}, {800, 600}, {720, 576}, {1024, 768}}));
}
