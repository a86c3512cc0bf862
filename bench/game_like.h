#pragma once
// A screen laid out like the game screen with a question up (ladder, lifelines, question frame,
// four answers), for the benchmarks that need a realistic picture without playing a game.
#include <string>

#include "platform/runtime.h"
#include "platform/screen.h"

namespace tolarka::bench {

struct GameLike : platform::Screen {
    explicit GameLike(platform::Runtime& rt, std::string name = "frmMain") : Screen(rt, std::move(name)) {}
    void Design() override {
        using namespace platform;
        Form().SetBackColour(0x000020);
        auto pic = [this](const std::string& name, const char* picture, int x, int y) {
            auto& i = Form().Add<Image>(name);
            i.Move(PixelsToTwips(x), PixelsToTwips(y), 0, 0);
            i.SetPicture(picture);
        };
        auto label = [this](const std::string& name, const std::string& text, int x, int y, int w, int h) {
            auto& l = Form().Add<Label>(name);
            l.Move(PixelsToTwips(x), PixelsToTwips(y), PixelsToTwips(w), PixelsToTwips(h));
            l.SetTransparent(true);
            l.SetWordWrap(true);
            l.SetFont(Font{"MS Sans Serif", 13.5, false});
            l.SetForeColour(0xFFFFFF);
            l.SetCaption(text);
        };
        pic("imgStupnice", "S05", 470, 10);
        pic("imgN5050", "N-5050", 470, 330);
        pic("imgNDiv", "N-DIV", 520, 330);
        pic("imgNTel", "N-TEL", 570, 330);
        pic("imgZadani", "ZADANI", 0, 305);
        const char* boxes[] = {"A-M", "B-M", "C-M", "D-M"};
        for (int i = 0; i < 4; ++i)
            pic("imgOdp" + std::to_string(i), boxes[i], (i % 2) * 320, 400 + (i / 2) * 40);
        label("lblZadani", "Které město leží na soutoku Vltavy a Labe, kde se víno pěstuje už od středověku?",
              72, 320, 497, 49);
        const char* answers[] = {"Mělník", "Kolín", "Litoměřice", "Roudnice nad Labem"};
        for (int i = 0; i < 4; ++i)
            label("lblOdp" + std::to_string(i), answers[i], 80 + (i % 2) * 320, 408 + (i / 2) * 40, 233, 25);
        // The studio clip's place, black until a clip plays in it.
        auto& area = Form().Add<PictureBox>("picFade");
        area.Move(870, 315, 5100, 2880);
        area.SetBackColour(0x000000);
        WMPfade = &area.Add<MediaView>("WMPfade");
        WMPfade->Move(0, 0, 5100, 2880);
    }
    platform::MediaView* WMPfade = nullptr;
};

// A full-screen clip screen, opaque, over whatever lies beneath (the animation screen).
struct ClipLike : platform::Screen {
    explicit ClipLike(platform::Runtime& rt) : Screen(rt, "frmAnim") {}
    void Design() override {
        Form().SetBackColour(0x000000);
        WMP = &Form().Add<platform::MediaView>("WMP1");
        WMP->Move(0, 0, 9600, 7200);
    }
    platform::MediaView* WMP = nullptr;
};

}  // namespace tolarka::bench
