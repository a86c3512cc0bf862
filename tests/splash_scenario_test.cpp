// The splash on the headless backend: its two pages, the hint timing, the keys, the display
// switch and the game's pointer.
#include <gtest/gtest.h>

#include "game_world.h"
#include "platform/widget_dump.h"
#include "startup/frm_splash.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::AppPointer;
using platform::DisplayMode;

namespace {

struct SplashWorld : GameWorld {
    explicit SplashWorld(const std::string& commandLine = "") : GameWorld(commandLine) {
        AddQuestionSet(2);
        AddMedia();
    }
    frmSplash& Splash() { return app.Splash(); }
    // The moment the splash was loaded and activated (its timer starts then).
    Millis Shown() const { return When("frmSplash.Image1 picture SPLASH-TV").value_or(-1); }
    bool Page1() { return Splash().Picture1().Visible() && !Splash().Picture2().Visible(); }
    bool Page2() { return Splash().Picture2().Visible() && !Splash().Picture1().Visible(); }
};

}  // namespace

TEST(Splash, EachPageTakesAKeyOnlyAfterItsHint) {
    SplashWorld w;
    w.StartToSplash();
    const Millis t0 = w.Shown();
    ASSERT_GE(t0, 0);
    EXPECT_EQ(w.Splash().Label2().Caption(), "pokračujte stiskem libovolné klávesy...");
    const std::string tree = platform::DumpWidgets(w.Splash());
    const auto logo = tree.find("Image imgLogo");
    ASSERT_NE(logo, std::string::npos);
    EXPECT_NE(tree.substr(logo, tree.find('\n', logo) - logo).find(" hidden"), std::string::npos);

    // Keys and clicks before a page's hint do nothing; page two starts its own 1.5 s from the
    // key that opened it, and takes no clicks.
    for (Millis key : {1400, 2200, 3699, 3900}) w.backend.KeyPress(t0 + key, 'X');
    for (Millis click : {1450, 3800}) w.backend.Click(t0 + click, 320, 240);
    // Page one, page two, the hint's label, the hint taken as shown, the splash, the menu (the
    // splash's pictures keep their flags when it closes).
    const auto state = [&] {
        return GameWorld::Flags({w.Page1(), w.Page2(), w.Splash().Label2().Visible(), w.Splash().HintShown(),
                                 w.Splash().Visible(), w.Menu().Visible()});
    };
    const GameWorld::Samples timeline = {{1000, "100010"}, {1499, "100010"}, {1500, "101110"},
                                         {2200, "010010"}, {3699, "010010"}, {3700, "011110"},
                                         {3800, "011110"}, {3900, "011101"}};
    EXPECT_EQ(w.SampleAt(t0, timeline, state), timeline);
    EXPECT_TRUE(w.Menu().picMenu().Visible());
    EXPECT_EQ(w.When("frmMenu.WMPintro play", t0), t0 + 2200 + 1700);
}

// Only the exact argument keeps the desktop's display; else the splash switches it once and
// remembers the desktop's size, also when it is loaded again, and the credits switch back.
TEST(Splash, SwitchesTheDisplayOnceUnlessTheExactArgumentKeepsIt) {
    for (const std::string line :
         {"", "no_fullscreen", "NO_FULLSCREEN", "no_fullscreen x", " no_fullscreen"}) {
        SCOPED_TRACE("command line \"" + line + "\"");
        const bool kept = line == "no_fullscreen";
        SplashWorld w(line);
        w.backend.SetDisplay({1280, 1024}, {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}});
        w.StartToMenu();
        EXPECT_EQ(w.Screens(), "Menu*");
        EXPECT_EQ(w.backend.Pointer(), AppPointer::Custom);
        EXPECT_EQ(w.When("display mode"), kept ? std::nullopt : std::optional(w.Shown()));
        w.Splash().Show();
        w.rt.RunUntil(w.rt.Now() + 100);
        EXPECT_EQ(
            std::to_string(w.Splash().SavedScreenWidth) + "x" + std::to_string(w.Splash().SavedScreenHeight),
            kept ? "0x0" : "1280x1024");
        // Quitting through the credits switches back to the desktop's mode.
        w.PassSplash();
        w.Click(319, 315);  // "Ukončit hru"
        w.RunFor(6000);
        EXPECT_TRUE(w.backend.Ended());
        using Lines = std::vector<std::string>;
        EXPECT_EQ(w.Lines("display mode"),
                  (kept ? Lines{} : Lines{"display mode 640x480", "display mode 1280x1024"}));
    }
}
