// Drawing at the output's own resolution: sharp text at any scale, no text cut that fits at 1x,
// widgets in their logical places, the pointer landing on the widget it shows, only the screens
// that can be seen drawn.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_box_screen.h"
#include "platform/pictures.h"
#include "platform/screen.h"
#include "platform/sdl/offscreen_canvas.h"
#include "platform/sdl/output_view.h"
#include "platform/sdl/picture_raster.h"
#include "platform/sdl/png_codec.h"
#include "platform/sdl/renderer.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/window_manager.h"
#include "playing_world.h"
#include "tests/decoded_picture.h"
#include "tests/support/system.h"

using namespace tolarka::platform;
using tolarka::platform::sdl::OutputView;
using PixelCanvas = tolarka::testing::Canvas;

namespace {

const Font kQuestionFont{"MS Sans Serif", 13.5, false};
const std::string kQuestion = "Které město leží na soutoku Vltavy a Labe? Mělník, nebo Kolín?";

// A screen like the game's: a question in white on navy, word-wrapped, and a few blocks of
// colour that take clicks.
struct Board : Screen {
    explicit Board(Runtime& rt) : Screen(rt, "board") {}
    void Design() override {
        Form().SetBackColour(0x000000);
        question = &Form().Add<Label>("question");
        question->Move(1080, 1200, 4000, 1500);  // 72, 80 .. 338, 180: two or three lines
        question->SetFont(kQuestionFont);
        question->SetWordWrap(true);
        question->SetTransparent(true);
        question->SetForeColour(0xFFFFFF);
        question->SetCaption(kQuestion);
        const Colour colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
        for (int i = 0; i < 6; ++i) {
            auto& b = Form().Add<PictureBox>("block" + std::to_string(i));
            // Odd sizes and places, so that scaled edges fall between output pixels.
            b.Move(6000 + (i % 2) * 1515, 600 + (i / 2) * 1290, 1305 + i * 15, 1095 - i * 30);
            b.SetBackColour(colours[i]);
            b.onClick = [this, i] { clicked = i; };
            blocks.push_back(&b);
        }
    }
    Label* question = nullptr;
    std::vector<PictureBox*> blocks;
    int clicked = -1;
};

using Picture = tolarka::platform::sdl::SurfacePtr;

Uint32 PixelAt(const SDL_Surface* s, int x, int y) {
    return static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFF;
}

int Grey(Uint32 p) { return static_cast<int>(((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3); }

// Edge sharpness of light text on a dark ground inside a rectangle: of the pixels the text
// touches at all, the share that are solid ink. Text drawn at the output's size has solid
// cores and one-pixel edges; text scaled up from fewer pixels ramps over several.
double Sharpness(const SDL_Surface* s, const SDL_Rect& r) {
    int touched = 0, solid = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) {
            const int g = Grey(PixelAt(s, x, y));
            if (g > 40) ++touched;
            if (g > 215) ++solid;
        }
    return touched == 0 ? 0.0 : static_cast<double>(solid) / touched;
}

// Rows that hold text, as bands of consecutive inked rows.
std::vector<int> TextBandTops(const SDL_Surface* s, const SDL_Rect& r) {
    std::vector<int> tops;
    bool inBand = false;
    for (int y = r.y; y < r.y + r.h; ++y) {
        bool ink = false;
        for (int x = r.x; x < r.x + r.w && !ink; ++x) ink = Grey(PixelAt(s, x, y)) > 120;
        if (ink && !inBand) tops.push_back(y);
        inBand = ink;
    }
    return tops;
}

// The 1x picture scaled up with linear filtering, as a full screen did before.
PixelCanvas ScaledUp(SDL_Surface* small, int factor) {
    PixelCanvas big(small->w * factor, small->h * factor);
    const tolarka::platform::sdl::TexturePtr t(SDL_CreateTextureFromSurface(big.Renderer(), small));
    SDL_SetTextureScaleMode(t.get(), SDL_ScaleModeLinear);
    SDL_RenderCopy(big.Renderer(), t.get(), nullptr, nullptr);
    SDL_RenderPresent(big.Renderer());
    return big;
}

// A canvas of the logical screen's size at a scale.
PixelCanvas AtScale(double scale) {
    return PixelCanvas(static_cast<int>(std::lround(640 * scale)),
                       static_cast<int>(std::lround(480 * scale)));
}

struct Shots {
    headless::HeadlessBackend backend;
    sdl::OffscreenCanvas canvas{backend.Metrics()};
    Runtime rt{backend};
    Board board{rt};
    ScratchDir dir;
    Shots() {
        backend.SetCanvas(&canvas);
        board.Show();
        rt.RunUntil(10);
    }
    Picture At(double scale) {
        backend.SetScreenshotScale(scale);
        const std::string path = (dir.path() / ("shot" + std::to_string(scale) + ".png")).string();
        if (!backend.Screenshot(path)) return nullptr;
        const std::string png = ReadFile(path);
        const Picture raw = sdl::DecodePng(std::vector<std::uint8_t>(png.begin(), png.end()));
        return raw ? Picture(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_ARGB8888, 0)) : nullptr;
    }
};

SDL_Rect Scaled(const SDL_Rect& r, int k) { return {r.x * k, r.y * k, r.w * k, r.h * k}; }

}  // namespace

// Screenshots at 1x, 2x and 2.25x: the question's text at twice the size has solid cores where
// scaling up blurs, on the same lines; every widget keeps its logical rectangle.
TEST(ScaledRender, TextIsDrawnAtTheScaleAndWidgetsKeepTheirLogicalRectangles) {
    Shots s;
    Picture one = s.At(1.0);
    Picture two = s.At(2.0);
    ASSERT_TRUE(one && two) << SDL_GetError();
    ASSERT_EQ(std::pair(two->w, two->h), std::pair(1280, 960));
    const SDL_Rect text{72, 80, 266, 100};
    const double drawn = Sharpness(two.get(), Scaled(text, 2));
    const double blurred = Sharpness(ScaledUp(one.get(), 2).Surface(), Scaled(text, 2));
    EXPECT_GT(drawn, 0.5) << "blurred " << blurred;
    EXPECT_LT(blurred, drawn - 0.15) << "drawn " << drawn;
    // The same lines at both sizes: wrapping is measured in logical pixels.
    const auto linesOne = TextBandTops(one.get(), text);
    const auto linesTwo = TextBandTops(two.get(), Scaled(text, 2));
    ASSERT_GE(linesOne.size(), 2u);
    ASSERT_EQ(linesTwo.size(), linesOne.size());
    for (size_t i = 0; i < linesOne.size(); ++i) EXPECT_NEAR(linesTwo[i], 2 * linesOne[i], 3) << "line " << i;

    std::vector<Rect> before;
    for (auto* b : s.board.blocks) before.push_back(b->ScreenBounds());
    for (double scale : {1.0, 2.0, 2.25}) {
        Picture shot = s.At(scale);
        ASSERT_TRUE(shot) << SDL_GetError();
        const OutputView view{scale, 0, 0};
        for (size_t i = 0; i < s.board.blocks.size(); ++i) {
            const PictureBox& b = *s.board.blocks[i];
            EXPECT_EQ(b.ScreenBounds(), before[i]);
            const Rect r = b.ScreenBounds();
            const int l = TwipsToPixels(r.left), t = TwipsToPixels(r.top);
            const int w = TwipsToPixels(r.width), h = TwipsToPixels(r.height);
            const int x0 = view.OutX(l), y0 = view.OutY(t), x1 = view.OutX(l + w) - 1,
                      y1 = view.OutY(t + h) - 1;
            // Every corner inside, the pixels just outside belong to the black ground.
            const Uint32 c = b.BackColour();
            for (auto [x, y] : {std::pair{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}})
                EXPECT_EQ(PixelAt(shot.get(), x, y), c) << "block " << i << " at scale " << scale;
            for (auto [x, y] : {std::pair{x0 - 1, y0}, {x1 + 1, y0}, {x0, y0 - 1}, {x0, y1 + 1}})
                EXPECT_EQ(PixelAt(shot.get(), x, y), 0u) << "block " << i << " at scale " << scale;
        }
    }
}

TEST(ScaledRender, OutputViewFitsFourByThreeAndMapsEveryPixelBack) {
    for (const auto& [w, h, fit] : {std::tuple{1920, 1080, OutputView{2.25, 240, 0}},
                                    {3840, 2160, OutputView{4.5, 480, 0}},
                                    {800, 1000, OutputView{1.25, 0, 200}}}) {
        const OutputView v = sdl::FitView(w, h, 640, 480);
        EXPECT_DOUBLE_EQ(v.scale, fit.scale) << w;
        EXPECT_EQ(std::pair(v.x, v.y), std::pair(fit.x, fit.y)) << w;
        for (int lx = -1; lx <= 640; ++lx) {
            // Every output pixel of a logical pixel maps back to it, and the pixels tile.
            for (int ox = v.OutX(lx); ox < v.OutX(lx + 1); ++ox)
                ASSERT_EQ(v.LogicalX(ox), lx) << v.scale << " " << ox;
            ASSERT_GT(v.OutX(lx + 1), v.OutX(lx));
        }
    }
}

TEST(ScaledRender, PicturesAreRedrawnAtTheScaleNotStretched) {
    auto one = sdl::PictureSurface("N-div", 1.0);
    auto big = sdl::PictureSurface("N-DIV", 2.25);
    ASSERT_TRUE(one && big);
    EXPECT_EQ(one->w, 72);
    EXPECT_EQ(big->w, 162);
    EXPECT_EQ(big->h, 106);
    EXPECT_FALSE(sdl::PictureSurface("NO-SUCH-PICTURE", 2.0));

    // Damaged PNG data decodes to nothing, whatever part is missing or wrong.
    const auto file = Pictures().Find("N-DIV");
    ASSERT_TRUE(file);
    const std::vector<std::uint8_t> png(file->png.begin(), file->png.end());
    ASSERT_TRUE(sdl::DecodePng(png));
    for (const size_t cut : {size_t{0}, size_t{8}, size_t{40}, png.size() / 2, png.size() - 13})
        EXPECT_FALSE(sdl::DecodePng(std::span(png).first(cut))) << cut;
    auto flipped = png;
    flipped[png.size() / 2] ^= 0x5A;  // inside the image data: its checksum no longer matches
    EXPECT_FALSE(sdl::DecodePng(flipped));
}

namespace {
struct Plain : Screen {
    Plain(Runtime& rt, std::string name, int w, int h, bool dialog, bool transparent)
        : Screen(rt, std::move(name), w, h), dialog_(dialog), transparent_(transparent) {}
    void Design() override {
        Form().SetBackColour(0xC0C0C0);
        Form().SetTransparent(transparent_);
    }
    bool IsDialog() const override { return dialog_; }
    bool dialog_, transparent_;
};
}  // namespace

TEST(ScaledRender, ScreensBehindAnOpaqueFullScreenAreNotDrawn) {
    headless::HeadlessBackend backend;
    Runtime rt(backend);
    Plain menu(rt, "menu", 9600, 7200, false, false);
    Plain small(rt, "small", 3585, 1230, false, false);
    Plain clip(rt, "clip", 9600, 7200, false, false);
    Plain box(rt, "box", 5000, 2000, true, false);
    Plain glass(rt, "glass", 9600, 7200, false, true);
    for (Screen* s : std::initializer_list<Screen*>{&menu, &small, &clip, &box, &glass}) s->Load();
    using List = std::vector<const Screen*>;
    EXPECT_EQ(sdl::Renderer::SeenScreens(List{&menu, &small, &clip, &box}), (List{&clip, &box}));
    // A full-size screen that lets what lies beneath show through hides nothing; a small one
    // hides nothing either.
    EXPECT_EQ(sdl::Renderer::SeenScreens(List{&menu, &glass}), (List{&menu, &glass}));
    EXPECT_EQ(sdl::Renderer::SeenScreens(List{&menu, &small}), (List{&menu, &small}));
}

TEST(ScaledRender, OnlyProcessorEmulatedOpenGlCountsAsSoftware) {
    EXPECT_TRUE(sdl::IsEmulatedGl("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(sdl::IsEmulatedGl("Gallium 0.4 on softpipe"));
    EXPECT_TRUE(sdl::IsEmulatedGl("Software Rasterizer"));
    EXPECT_FALSE(sdl::IsEmulatedGl("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(sdl::IsEmulatedGl("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2"));
    EXPECT_FALSE(sdl::IsEmulatedGl("AMD Radeon RX 580 (polaris10, LLVM 15.0.6, DRM 3.49)"));
}

#ifndef _WIN32
// A session without a bus gets none started (libdbus would fork dbus-launch while SDL's video
// starts); a bus the session has, named or in the user's runtime directory, is left to be found.
TEST(GameWindow, NoSessionBusIsLaunchedAndAnExistingOneIsKept) {
    const auto saved = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const auto restore = [](const char* name, const std::optional<std::string>& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    };
    const auto address = saved("DBUS_SESSION_BUS_ADDRESS"), runtime = saved("XDG_RUNTIME_DIR");
    ScratchDir withBus, withoutBus;
    std::ofstream(withBus.path() / "bus").put('\n');  // its name is all that is looked for
    struct Case {
        std::optional<std::string> address, runtime;
        std::optional<std::string> expected;
    };
    const std::string named = "unix:path=/run/user/1000/bus";
    for (const Case& c : {Case{std::nullopt, withoutBus.path().string(), "disabled:"},
                          Case{std::nullopt, std::nullopt, "disabled:"},
                          Case{std::nullopt, withBus.path().string(), std::nullopt},
                          Case{named, withoutBus.path().string(), named}}) {
        restore("DBUS_SESSION_BUS_ADDRESS", c.address);
        restore("XDG_RUNTIME_DIR", c.runtime);
        sdl::SkipAbsentSessionBus();
        EXPECT_EQ(saved("DBUS_SESSION_BUS_ADDRESS"), c.expected)
            << c.runtime.value_or("(no runtime directory)");
    }
    restore("DBUS_SESSION_BUS_ADDRESS", address);
    restore("XDG_RUNTIME_DIR", runtime);
}
#endif

// The window takes the size and caption of the screens it shows; any size a window manager gives
// it instead, even one below the least the game asks for, keeps the game going, and a click on
// the letterboxed full screen lands on the widget under the pointer.
TEST(GameWindow, TakesTheSizeAndCaptionOfTheScreensItShowsAndSurvivesAnyOther) {
    sdl::SdlBackend backend;
    Runtime rt(backend);
    Plain startUp(rt, "frmStartUp", 3585, 1230, false, false);
    startUp.Caption = "Tolarka   Start-Up";
    Board board(rt);
    startUp.Show();
    rt.RunUntil(rt.Now() + 10);
    // The offscreen display is small enough for the window's own size.
    const auto ask = [&](void (*get)(SDL_Window*, int*, int*)) {
        int w = 0, h = 0;
        get(backend.Window(), &w, &h);
        return std::pair(w, h);
    };
    EXPECT_EQ(ask(SDL_GetWindowSize), std::pair(239, 82));
    EXPECT_STREQ(SDL_GetWindowTitle(backend.Window()), "Tolarka   Start-Up");
    // Centred on the desktop.
    SDL_Rect desk{};
    SDL_GetDisplayBounds(0, &desk);
    const auto [x, y] = ask(SDL_GetWindowPosition);
    EXPECT_NEAR(x, desk.x + (desk.w - 239) / 2, 1);
    EXPECT_NEAR(y, desk.y + (desk.h - 82) / 2, 1);
    // The start-up window's own picture fills it, caption bar not drawn into it.
    Uint32 pixel = 0;
    const SDL_Rect corner{0, 0, 1, 1};
    ASSERT_EQ(SDL_RenderReadPixels(backend.Target(), &corner, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    EXPECT_EQ(pixel & 0xFFFFFF, 0xC0C0C0u);

    startUp.Close();
    board.Show();
    rt.RunUntil(rt.Now() + 10);
    EXPECT_EQ(ask(SDL_GetWindowSize), std::pair(640, 480));
    EXPECT_STREQ(SDL_GetWindowTitle(backend.Window()), "Tolarka");
    SDL_SetWindowMinimumSize(backend.Window(), 1, 1);
    for (const auto& [w, h] : {std::pair{1, 1}, {8, 6}, {2, 900}, {900, 2}, {640, 480}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        SDL_SetWindowSize(backend.Window(), w, h);
        EXPECT_NO_THROW(rt.RunUntil(rt.Now() + 10));
        EXPECT_TRUE(board.Visible());
        EXPECT_EQ(board.question->Caption(), kQuestion);
    }
    // Back at full size the whole picture is there again: the first block where it belongs.
    pixel = 0;
    const SDL_Rect inBlock{440, 70, 1, 1};
    ASSERT_EQ(SDL_RenderReadPixels(backend.Target(), &inBlock, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    EXPECT_EQ(pixel & 0xFFFFFF, 0xFF0000u);

    // Full screen, letterboxed: a click lands on the widget under the pointer.
    SDL_SetWindowSize(backend.Window(), 1920, 1080);
    rt.MarkDirty();
    rt.DoEvents();
    ASSERT_DOUBLE_EQ(backend.View().scale, 2.25);
    ASSERT_EQ(backend.View().x, 240);
    const auto clickAt = [&](int x, int y) {
        board.clicked = -1;
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event e{};
            e.type = type;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
            e.button.windowID = SDL_GetWindowID(backend.Window());
            SDL_PushEvent(&e);
        }
        rt.DoEvents();
        return board.clicked;
    };
    for (size_t i = 0; i < board.blocks.size(); ++i) {
        const Rect r = board.blocks[i]->ScreenBounds();
        // A window pixel near the block's right bottom edge, inside it.
        const int wx = backend.View().OutX(TwipsToPixels(r.left + r.width)) - 2;
        const int wy = backend.View().OutY(TwipsToPixels(r.top + r.height)) - 2;
        EXPECT_EQ(clickAt(wx, wy), static_cast<int>(i)) << "window pixel " << wx << ", " << wy;
    }
    EXPECT_EQ(clickAt(100, 540), -1) << "the bar beside the picture is nobody's";
}

// Logging out sends SIGTERM, a terminal's Ctrl+C SIGINT: the program ends without the question
// a closed window gets.
TEST(GameWindow, TerminationSignalsEndTheProgramWithoutAsking) {
    TOLARKA_SKIP_WITHOUT(Feature::EndingSignals);
    for (const int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        sdl::SdlBackend backend;
        Runtime rt(backend);
        bool asked = false;
        rt.confirmQuit = [&] {
            asked = true;
            return false;  // a player would keep playing
        };
        Board board(rt);
        board.Show();
        rt.RunUntil(rt.Now() + 10);
        ASSERT_EQ(raise(sig), 0);
        // The signal reaches the loop as an event at its next pump; a loaded machine may be slow.
        for (int i = 0; i < 50 && !rt.Ended(); ++i) rt.RunUntil(rt.Now() + 100);
        EXPECT_FALSE(asked);
        EXPECT_TRUE(rt.Ended());
    }
}

TEST(ScaledRender, PicturesAtALargeScaleStayWithinTheirMemoryBudget) {
    headless::HeadlessBackend backend;
    Runtime rt(backend);
    struct Ladder : Screen {
        explicit Ladder(Runtime& rt) : Screen(rt, "ladder") {}
        void Design() override { image = &Form().Add<Image>("imgStupnice"); }
        Image* image = nullptr;
    } screen(rt);
    screen.Show();
    rt.RunUntil(10);
    const PixelCanvas target = AtScale(4.5);
    sdl::Renderer painter(target.Renderer(), backend.Metrics());
    painter.SetView(OutputView{4.5, 0, 0});
    size_t most = 0;
    // A whole game's ladders, one after another: about 4 MiB each at this scale.
    for (int level = 0; level <= 15; ++level) {
        screen.image->SetPicture((level < 10 ? "S0" : "S") + std::to_string(level));
        painter.Draw({&screen});
        most = std::max(most, painter.PictureBytes());
    }
    EXPECT_GT(most, size_t{32} << 20);
    EXPECT_LE(most, size_t{64} << 20);
    // The ladder on the screen is the one drawn, whatever went out of the cache.
    bool orange = false;
    for (int y = 0; y < target.Surface()->h && !orange; ++y) {
        const auto p = target.At(100 * 9 / 2, y);
        orange = p.r > 200 && p.b < 120;
    }
    EXPECT_TRUE(orange);
}

namespace {

// How far a line of text reaches out of what is visible of it: left, right, top, bottom.
std::array<int, 4> Overflow(const sdl::Renderer::DrawnText& t) {
    const SDL_Rect& d = t.drawn;
    const SDL_Rect& v = t.visible;
    return {std::max(0, v.x - d.x), std::max(0, d.x + d.w - v.x - v.w), std::max(0, v.y - d.y),
            std::max(0, d.y + d.h - v.y - v.h)};
}

// Draws screens at 1x and at larger scales, whole and not, and collects every line of text that
// its clip cuts more than at 1x (times the scale): a letter lost at one size only.
struct TextCuts {
    explicit TextCuts(TextMetrics& metrics) {
        for (double scale : {1.0, 1.5, 2.0, 2.25, 3.0, 3.375}) {
            auto canvas = std::make_unique<PixelCanvas>(AtScale(scale));
            auto painter = std::make_unique<sdl::Renderer>(canvas->Renderer(), metrics);
            painter->SetView(OutputView{scale, 0, 0});
            targets.push_back({scale, std::move(canvas), std::move(painter), {}});
        }
    }

    void Check(const std::string& sight, const std::vector<const Screen*>& screens) {
        std::vector<sdl::Renderer::DrawnText> base;
        for (auto& t : targets) {
            std::vector<sdl::Renderer::DrawnText> drawn;
            t.painter->RecordTexts(&drawn);
            t.painter->Draw(screens);
            t.painter->RecordTexts(nullptr);
            t.last = drawn;
            if (t.scale == 1.0) {
                base = std::move(drawn);
                lines += base.size();
                continue;
            }
            if (drawn.size() != base.size()) {
                faults.push_back(sight + ": other lines at " + std::to_string(t.scale));
                continue;
            }
            for (size_t i = 0; i < base.size(); ++i) {
                const auto one = Overflow(base[i]), scaled = Overflow(drawn[i]);
                for (int side = 0; side < 4; ++side) {
                    // A pixel of rounding across, two down (the font's height rounds on its own).
                    const double allowed = one[side] * t.scale + (side < 2 ? 1 : 2);
                    if (scaled[side] > allowed)
                        faults.push_back(sight + ": \"" + drawn[i].text + "\" at " + std::to_string(t.scale) +
                                         " cut by " + std::to_string(scaled[side]) + " px on side " +
                                         std::to_string(side) + " (at 1x " + std::to_string(one[side]) + ")");
                }
            }
        }
    }

    struct Target {
        double scale = 1;
        std::unique_ptr<PixelCanvas> canvas;
        std::unique_ptr<sdl::Renderer> painter;      // goes before its canvas
        std::vector<sdl::Renderer::DrawnText> last;  // the lines the last Check drew
    };
    std::vector<Target> targets;
    std::vector<std::string> faults;
    size_t lines = 0;
};

void ShowEveryWidget(Container& c) {
    for (const auto& child : c.Children()) {
        child->Show();
        if (auto* inner = dynamic_cast<Container*>(child.get())) ShowEveryWidget(*inner);
    }
}

// Every message box shown so far, drawn over the screens it came up on.
void CheckBoxes(TextCuts& cuts, tolarka::testing::GameWorld& w, const std::vector<const Screen*>& under) {
    for (const auto& shown : w.backend.Boxes()) {
        MessageBoxScreen box(w.rt, shown.request);
        box.Load();
        std::vector<const Screen*> screens = under;
        screens.push_back(&box);
        cuts.Check("box \"" + shown.request.text + "\"", screens);
    }
}

}  // namespace

TEST(ScaledRender, NoTextIsCutAtAnyScaleOnAnyScreenOrMessageBox) {
    using tolarka::testing::GameWorld;
    {
        // Nothing installed: the start-up window asks about each kind of missing file.
        GameWorld bare;
        TextCuts cuts(bare.backend.Metrics());
        bare.StartToMenu({kAnswerOk, kAnswerYes, kAnswerYes, kAnswerYes});
        ASSERT_EQ(bare.backend.Boxes().size(), 4u);
        CheckBoxes(cuts, bare, {&bare.app.StartUp()});
        EXPECT_TRUE(cuts.faults.empty()) << ::testing::PrintToString(cuts.faults);
    }
    GameWorld w;
    w.AddQuestionSet(2);
    w.AddMedia();
    TextCuts cuts(w.backend.Metrics());
    w.StartToMenu();
    cuts.Check("menu", w.rt.VisibleScreens());
    // The rules, page by page.
    w.backend.Click(w.rt.Now() + 10, 319, 265);
    for (int step = 1; step <= 6; ++step) {
        w.rt.RunUntil(w.rt.Now() + 5000);
        cuts.Check("rules after " + std::to_string(step * 5) + " s", w.rt.VisibleScreens());
    }
    w.rt.RunUntil(w.rt.Now() + 30000);
    // A question with its answers.
    w.StartGame("Jiří Novák");
    w.rt.RunUntil(w.rt.Now() + 8000);
    cuts.Check("game", w.rt.VisibleScreens());
    // Every screen with every widget shown, in its design captions.
    w.backend.AnswerNextBoxes({kAnswerOk, kAnswerOk, kAnswerOk});
    tolarka::App& app = w.app;
    Screen* const screens[] = {&app.StartUp(), &app.Splash(), &app.Menu(), &app.Rules(),  &app.Main(),
                               &app.Anim(),    &app.Save(),   &app.Load(), &app.Credits()};
    for (Screen* s : screens) {
        s->Load();
        ShowEveryWidget(s->Form());
        cuts.Check(s->Name() + " with every widget", {s});
        if (s != &app.Main()) continue;
        // The save banner's two lines lie wholly inside its label, whatever the scale.
        const auto* banner = dynamic_cast<const Label*>(app.Main().picUlozeni().Children().front().get());
        ASSERT_TRUE(banner);
        for (const auto& t : cuts.targets) {
            const double scale = t.scale;
            int bannerLines = 0;
            for (const auto& line : t.last) {
                if (banner->Caption().find(line.text) == std::string::npos) continue;
                ++bannerLines;
                EXPECT_GE(line.drawn.y, line.visible.y) << line.text << " at " << scale;
                EXPECT_LE(line.drawn.y + line.drawn.h, line.visible.y + line.visible.h)
                    << line.text << " at " << scale;
            }
            EXPECT_EQ(bannerLines, 2) << scale;
        }
    }
    CheckBoxes(cuts, w, {&app.Menu()});
    EXPECT_GT(cuts.lines, 100u);
    EXPECT_TRUE(cuts.faults.empty()) << ::testing::PrintToString(cuts.faults);
}

// A stretch of a game (the menu with the pointer over its buttons, a new game, answers, a
// lifeline, the next questions) painted as the window paints it, only what changed, and each
// presented frame compared with the whole scene drawn afresh.
TEST(DirtyDrawing, EveryFrameOfAGameIsTheFullRedrawOfItsState) {
    for (double scale : {1.0, 2.25}) {
        SCOPED_TRACE(scale);
        tolarka::testing::PlayingWorld w("B", false);
        sdl::OffscreenCanvas canvas(w.backend.Metrics());
        w.backend.SetCanvas(&canvas);
        canvas.PaintFrames(scale);
        const PixelCanvas full = AtScale(scale);
        ASSERT_TRUE(full.Renderer()) << SDL_GetError();
        int frames = 0;
        bool failed = false;
        {
            sdl::Renderer painter(full.Renderer(), w.backend.Metrics());
            painter.SetView(OutputView{scale, 0, 0});
            w.backend.onPresent = [&](Millis now) {
                ++frames;
                painter.Draw(w.rt.VisibleScreens());
                SDL_RenderFlush(full.Renderer());
                for (int y = 0; y < full.Surface()->h && !failed; ++y)
                    for (int x = 0; x < full.Surface()->w && !failed; ++x)
                        if ((failed = PixelAt(canvas.Frame(), x, y) != PixelAt(full.Surface(), x, y)))
                            ADD_FAILURE() << "frame " << frames << " at " << now
                                          << " ms differs from the full redraw, first at " << x << ", " << y;
            };
            w.StartToMenu();
            // The pointer over the menu's buttons lights them one after another.
            for (int y : {165, 205, 245, 285, 315, 100})
                w.backend.MouseMove(w.rt.Now() + 40, 319, y), w.rt.RunUntil(w.rt.Now() + 50);
            w.StartGame();
            for (int question = 0; question < 3; ++question) {
                const Millis ready = w.WaitForInput();
                if (question == 1) {
                    w.backend.Click(ready + 10, 132, 263);  // 50:50
                    w.rt.RunUntil(ready + 3000);
                }
                w.backend.KeyPress(w.rt.Now() + 10, 'B');
                w.NextQuestion();
            }
            w.backend.onPresent = nullptr;
            EXPECT_EQ(w.Main().State.Level, 4);
        }
        EXPECT_GT(frames, 40);
        // Most frames change only a widget or two.
        EXPECT_GT(canvas.FramesDrawnInPart(), frames / 2);
        w.backend.SetCanvas(nullptr);
    }
}
