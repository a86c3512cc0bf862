// The splash on the headless backend: its two pages, the hint timing, the keys, the display
// switch and the game's pointer.
#include <gtest/gtest.h>

#include "game_world.h"
#include "platform/text_metrics.h"
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
    void KeyAt(Millis t) {
        backend.KeyPress(t, 'X');
        rt.RunUntil(t);
    }
    bool Page1() { return Splash().Picture1().Visible() && !Splash().Picture2().Visible(); }
    bool Page2() { return Splash().Picture2().Visible() && !Splash().Picture1().Visible(); }
};

}  // namespace

TEST(Splash, EachPageTakesAKeyOnlyAfterItsHint) {
    SplashWorld w;
    w.StartToSplash();
    const Millis t0 = w.Shown();
    ASSERT_GE(t0, 0);
    ASSERT_TRUE(w.Splash().Visible());
    EXPECT_TRUE(w.Page1());
    EXPECT_FALSE(w.Splash().Label2().Visible());
    EXPECT_EQ(w.Splash().Label2().Caption(), "pokračujte stiskem libovolné klávesy...");
    const std::string tree = platform::DumpWidgets(w.Splash());
    const auto logo = tree.find("Image imgLogo");
    ASSERT_NE(logo, std::string::npos);
    EXPECT_NE(tree.substr(logo, tree.find('\n', logo) - logo).find(" hidden"), std::string::npos);

    // Keys and clicks before the hint do nothing.
    w.KeyAt(t0 + 1400);
    w.backend.Click(t0 + 1450, 320, 240);
    w.rt.RunUntil(t0 + 1499);
    EXPECT_TRUE(w.Page1());
    EXPECT_FALSE(w.Splash().Label2().Visible());
    EXPECT_FALSE(w.Splash().HintShown());
    w.rt.RunUntil(t0 + 1500);
    EXPECT_TRUE(w.Splash().Label2().Visible());
    EXPECT_TRUE(w.Splash().HintShown());

    // Page two starts its own 1.5 s from the key that opened it.
    const Millis t1 = t0 + 2200;
    w.KeyAt(t1);
    EXPECT_TRUE(w.Page2());
    EXPECT_FALSE(w.Splash().Label2().Visible());
    EXPECT_FALSE(w.Splash().HintShown());
    w.KeyAt(t1 + 1499);
    EXPECT_TRUE(w.Page2());
    EXPECT_FALSE(w.Splash().Label2().Visible());
    w.rt.RunUntil(t1 + 1500);
    EXPECT_TRUE(w.Splash().Label2().Visible());
    EXPECT_FALSE(w.Menu().Visible());

    w.backend.Click(t1 + 1600, 320, 240);
    w.rt.RunUntil(t1 + 1600);
    EXPECT_TRUE(w.Splash().Visible());
    w.KeyAt(t1 + 1700);
    EXPECT_FALSE(w.Splash().Visible());
    EXPECT_TRUE(w.Menu().Visible());
    EXPECT_TRUE(w.Menu().picMenu().Visible());
    EXPECT_EQ(w.When("frmMenu.WMPintro play", t0), t1 + 1700);
}

TEST(Splash, NoticesFitTheirLabels) {
    SplashWorld w;
    w.StartToSplash();
    // Every notice and the small print fit their labels as the player sees them.
    platform::TextMetrics metrics;
    std::vector<const platform::Label*> labels;
    for (const auto* page : {&w.Splash().Picture1(), &w.Splash().Picture2()})
        for (const auto& child : page->Children())
            if (const auto* label = dynamic_cast<const platform::Label*>(child.get()))
                labels.push_back(label);
    ASSERT_EQ(labels.size(), 9u);
    for (const auto* label : labels) {
        const auto lines =
            metrics.Wrap(label->GetFont(), label->Caption(), platform::TwipsToPixels(label->Width()));
        EXPECT_LE(static_cast<int>(lines.size()) * metrics.LineHeight(label->GetFont()),
                  platform::TwipsToPixels(label->Height()) + 2)
            << label->Name() << " " << lines.size() << " lines, last: " << lines.back();
    }
    EXPECT_EQ(w.backend.Pointer(), AppPointer::Custom);
}

TEST(Splash, SwitchesTheDisplayOnceAndRemembersTheDesktop) {
    SplashWorld w;
    w.backend.SetDisplay({1280, 1024}, {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}});
    w.StartToMenu();
    EXPECT_EQ(w.Lines("display mode"), std::vector<std::string>{"display mode 640x480"});
    EXPECT_EQ(w.When("display mode"), w.Shown());
    EXPECT_EQ(w.Splash().SavedScreenWidth, 1280);
    EXPECT_EQ(w.Splash().SavedScreenHeight, 1024);
    // Loaded again, the splash neither switches nor forgets the desktop.
    w.Splash().Show();
    w.rt.RunUntil(w.rt.Now() + 100);
    EXPECT_EQ(w.Lines("display mode").size(), 1u);
    EXPECT_EQ(w.Splash().SavedScreenWidth, 1280);
}

TEST(Splash, OnlyTheExactArgumentKeepsTheDisplay) {
    SplashWorld kept("no_fullscreen");
    kept.StartToMenu();
    EXPECT_TRUE(kept.Menu().Visible());
    EXPECT_TRUE(kept.Lines("display mode").empty());
    EXPECT_EQ(kept.Splash().SavedScreenWidth, 0);
    EXPECT_EQ(kept.Splash().SavedScreenHeight, 0);
    EXPECT_EQ(kept.backend.Pointer(), AppPointer::Custom);

    for (const char* other : {"NO_FULLSCREEN", "no_fullscreen x", " no_fullscreen"}) {
        SplashWorld w(other);
        w.StartToSplash();
        EXPECT_EQ(w.Lines("display mode"), std::vector<std::string>{"display mode 640x480"}) << other;
    }
}
