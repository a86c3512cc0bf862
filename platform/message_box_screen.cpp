#include "platform/message_box_screen.h"

#include <algorithm>

#include "platform/runtime.h"
#include "platform/text_metrics.h"

namespace tolarka::platform {

namespace {
const Font kTextFont{"MS Sans Serif", 9.75, false};
const Font kTitleFont{"MS Sans Serif", 9.75, true};
constexpr int kTitleHeight = 22;  // pixels
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 14;
constexpr int kMaxTextWidth = 420;
}  // namespace

std::pair<int, int> MessageBoxScreen::SizeFor(Runtime& rt, const MessageBoxRequest& r) {
    TextMetrics& m = rt.Metrics();
    auto lines = m.Wrap(kTextFont, r.text, kMaxTextWidth);
    int textWidth = 0;
    for (auto& l : lines) textWidth = std::max(textWidth, m.Width(kTextFont, l));
    const int textHeight = static_cast<int>(lines.size()) * m.LineHeight(kTextFont);
    const int buttons = r.buttons == MessageButtons::YesNo ? 2 : 1;
    int width = std::max({kMargin * 3 + kIconSize + textWidth, buttons * (kButtonWidth + 10) + 2 * kMargin,
                          m.Width(kTitleFont, r.title) + 40, 200});
    int height = kTitleHeight + kMargin + std::max(kIconSize, textHeight) + kMargin + kButtonHeight + kMargin;
    return {std::min(width, 600), std::min(height, 460)};
}

MessageBoxScreen::MessageBoxScreen(Runtime& rt, MessageBoxRequest request)
    : Screen(rt, "msgbox", PixelsToTwips(SizeFor(rt, request).first),
             PixelsToTwips(SizeFor(rt, request).second)),
      request_(std::move(request)) {
    Caption = request_.title;
}

void MessageBoxScreen::Design() {
    Container& f = Form();
    f.SetBackColour(0xC0C0C0);
    const int w = TwipsToPixels(WidthTwips());
    const int h = TwipsToPixels(HeightTwips());
    auto px = [](int p) { return PixelsToTwips(p); };

    // Raised frame.
    auto line = [&](const char* name, int x1, int y1, int x2, int y2, Colour c) {
        f.Add<Line>(name).SetPoints(px(x1), px(y1), px(x2), px(y2));
        auto& l = static_cast<Line&>(*f.Children().back());
        l.SetLineColour(c);
    };
    line("frameTop", 0, 0, w - 1, 0, 0xFFFFFF);
    line("frameLeft", 0, 0, 0, h - 1, 0xFFFFFF);
    line("frameBottom", 0, h - 1, w - 1, h - 1, 0x404040);
    line("frameRight", w - 1, 0, w - 1, h - 1, 0x404040);

    auto& bar = f.Add<PictureBox>("titleBar");
    bar.Move(px(3), px(3), px(w - 6), px(kTitleHeight - 3));
    bar.SetBackColour(0x000080);
    auto& title = bar.Add<Label>("title");
    title.SetFont(kTitleFont);
    title.SetForeColour(0xFFFFFF);
    title.SetTransparent(true);
    title.Move(px(6), px(2), px(w - 20), px(kTitleHeight - 5));
    title.SetCaption(request_.title);

    const int top = kTitleHeight + kMargin;
    const bool info = request_.icon == MessageIcon::Information;
    auto& icon = f.Add<Shape>("icon");
    icon.SetKind(ShapeKind::Oval);
    icon.Move(px(kMargin), px(top), px(kIconSize), px(kIconSize));
    icon.SetFillColour(info ? 0x1E5AD2 : 0xF2C200);
    icon.SetBorderColour(info ? 0x0A2A80 : 0x806000);
    icon.SetBorderWidth(1);
    auto& mark = f.Add<Label>("iconMark");
    mark.SetFont(Font{"Verdana", 15, true});
    mark.SetTransparent(true);
    mark.SetForeColour(info ? 0xFFFFFF : 0x000000);
    mark.SetAlignment(Alignment::Center);
    mark.Move(px(kMargin), px(top + 5), px(kIconSize), px(kIconSize - 6));
    mark.SetCaption(info ? "i" : "!");

    auto& text = f.Add<Label>("text");
    text.SetFont(kTextFont);
    text.SetTransparent(true);
    text.SetWordWrap(true);
    const int textLeft = kMargin * 2 + kIconSize;
    text.Move(px(textLeft), px(top), px(w - textLeft - kMargin), px(h - top - kButtonHeight - 2 * kMargin));
    text.SetCaption(request_.text);

    const int buttonTop = h - kMargin - kButtonHeight;
    if (request_.buttons == MessageButtons::YesNo) {
        const int left = (w - 2 * kButtonWidth - 10) / 2;
        AddButton("Ano", left, buttonTop, kAnswerYes);
        AddButton("Ne", left + kButtonWidth + 10, buttonTop, kAnswerNo);
    } else {
        AddButton("OK", (w - kButtonWidth) / 2, buttonTop, kAnswerOk);
    }
}

void MessageBoxScreen::AddButton(const std::string& caption, int left, int top, int answer) {
    auto px = [](int p) { return PixelsToTwips(p); };
    auto& b = Form().Add<PictureBox>("button" + caption);
    b.Move(px(left), px(top), px(kButtonWidth), px(kButtonHeight));
    b.SetBackColour(0xC0C0C0);
    auto edge = [&](const char* n, int x1, int y1, int x2, int y2, Colour c) {
        auto& l = b.Add<Line>(n);
        l.SetPoints(px(x1), px(y1), px(x2), px(y2));
        l.SetLineColour(c);
    };
    edge("t", 0, 0, kButtonWidth - 1, 0, 0xFFFFFF);
    edge("l", 0, 0, 0, kButtonHeight - 1, 0xFFFFFF);
    edge("b", 0, kButtonHeight - 1, kButtonWidth - 1, kButtonHeight - 1, 0x000000);
    edge("r", kButtonWidth - 1, 0, kButtonWidth - 1, kButtonHeight - 1, 0x000000);
    auto& l = b.Add<Label>("caption");
    l.SetFont(kTextFont);
    l.SetTransparent(true);
    l.SetAlignment(Alignment::Center);
    l.Move(0, px(5), px(kButtonWidth), px(kButtonHeight - 8));
    l.SetCaption(caption);
    b.onClick = [this, answer] { Finish(answer); };
    l.onClick = [this, answer] { Finish(answer); };
}

bool MessageBoxScreen::OnKeyDown(int key) {
    const bool yesNo = request_.buttons == MessageButtons::YesNo;
    int answer = 0;
    if (key == keys::kReturn || key == keys::kSpace) answer = yesNo ? kAnswerYes : kAnswerOk;
    if (key == keys::kEscape && !yesNo) answer = kAnswerOk;  // a Yes/No box has no cancel button
    if (yesNo && key == 'A') answer = kAnswerYes;
    if (yesNo && key == 'N') answer = kAnswerNo;
    if (!yesNo && key == 'O') answer = kAnswerOk;
    if (answer != 0) Finish(answer);
    return true;
}

void MessageBoxScreen::Finish(int answer) {
    answer_ = answer;
    Close();
}

}  // namespace tolarka::platform
