// The three lifelines played on the game screen in virtual time: 50:50, the audience, the phone.
#include <gtest/gtest.h>

#include "game/phone_call.h"
#include "playing_world.h"

using namespace tolarka;
using namespace tolarka::testing;
using platform::keys::kF5;
using platform::keys::kF6;
using platform::keys::kF7;

namespace {

// Lifeline icons, in pixels.
constexpr int kIconY = 263, kFiftyX = 132, kPhoneX = 228, kAudienceX = 324;

// The number that makes "draw from n" give d.
double Giving(int d, int n) { return (d - 0.5) / n; }

using Captions = std::vector<std::string>;
// The vote captions of the graph on the clip screen or on the game screen.
Captions Shown(GameWorld& w, bool anim) {
    Captions out;
    for (int i = 0; i < 4; ++i)
        out.push_back(anim ? w.Anim().lblNDiv(i).Caption() : w.Main().lblNDiv(i).Caption());
    return out;
}

}  // namespace

TEST(FiftyFifty, RemovesTwoWrongAnswersThatStayUnusableForTheQuestion) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Then({Giving(1, 4), Giving(4, 4)});  // A, then D; the votes are drawn again with 0.0
    const Millis t = w.Click(kFiftyX, kIconY);
    EXPECT_TRUE(m.State.FiftyFiftyApplied);
    EXPECT_FALSE(m.State.FiftyFiftyAvailable);
    EXPECT_EQ(m.imgN5050().Picture(), "N-5050x");
    EXPECT_FALSE(m.imgN5050().Enabled());
    const bool shown[4] = {false, true, true, false};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m.lblAnswer(i).Visible(), shown[i]) << i;
        EXPECT_EQ(m.imgAnswer(i).Enabled(), shown[i]) << i;
    }
    EXPECT_EQ(w.Lines("frmMain.WMP2", t),
              (std::vector<std::string>{"frmMain.WMP2 file " + w.Sfx("50-50.wav"), "frmMain.WMP2 play"}));
    EXPECT_TRUE(w.Lines("frmMain.WMP1", t).empty());  // the music goes on
    EXPECT_FALSE(m.State.InputLocked);

    // Removed answers take neither keys nor clicks; the icon works once.
    w.Key('A');
    w.Key('D');
    w.Click(160, 410);  // box A
    w.Key(kF5);
    w.Click(kFiftyX, kIconY);
    EXPECT_TRUE(m.State.ChosenLetter.empty());
    EXPECT_FALSE(m.State.InputLocked);
    EXPECT_EQ(w.Lines("50-50.wav").size(), 1u);

    w.Key('B');
    w.NextQuestion();
    ASSERT_EQ(m.State.Level, 2);
    w.WaitForInput();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(m.lblAnswer(i).Visible()) << i;
    EXPECT_FALSE(m.State.FiftyFiftyApplied);
    EXPECT_EQ(m.imgN5050().Picture(), "N-5050x");
    EXPECT_FALSE(m.imgN5050().Enabled());
    w.Key(kF5);
    EXPECT_EQ(w.Lines("50-50.wav").size(), 1u);
}

TEST(Audience, ClipShowsTheVotesThenTheGraphStaysOnTheGameScreen) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    const Millis t = w.Click(kAudienceX, kIconY);
    EXPECT_TRUE(m.State.AudienceAsked);
    EXPECT_FALSE(m.State.AudienceAvailable);
    EXPECT_EQ(m.imgNDiv().Picture(), "N-divx");
    EXPECT_FALSE(m.imgNDiv().Enabled());
    EXPECT_TRUE(m.State.InputLocked);
    EXPECT_EQ(w.When("frmMain.WMP1 stop", t), t);
    ASSERT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/aud.avi");
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", t).at(0), "frmAnim.WMPanim file " + w.Gfx("aud.avi"));
    EXPECT_EQ(w.Lines("frmAnim.WMPanimSND file", t).at(0), "frmAnim.WMPanimSND file " + w.Sfx("aud.wav"));
    EXPECT_EQ(Shown(w, true), (Captions{"2%", "92%", "4%", "2%"}));

    const Millis shown = *w.When("frmAnim.WMPanim play", t);
    EXPECT_EQ(w.When("frmAnim.WMPanimSND play", t), shown);
    w.rt.RunUntil(shown + 7999);
    EXPECT_FALSE(w.Anim().picNDivGraf().Visible());
    w.rt.RunUntil(shown + 8000);
    EXPECT_TRUE(w.Anim().picNDivGraf().Visible());
    EXPECT_FALSE(w.Anim().colNDiv(0).Visible());
    w.rt.RunUntil(shown + 14000);
    EXPECT_TRUE(w.Anim().colNDiv(0).Visible());
    EXPECT_TRUE(w.Anim().lblNDiv(3).Visible());
    w.rt.RunUntil(shown + 15999);
    EXPECT_TRUE(m.State.InputLocked);
    EXPECT_FALSE(m.picNDivGraf().Visible());
    w.rt.RunUntil(shown + 16000);
    EXPECT_FALSE(w.Anim().Visible());
    EXPECT_FALSE(m.State.InputLocked);
    EXPECT_TRUE(m.picNDivGraf().Visible());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(m.colNDiv(i).Visible() && m.lblNDiv(i).Visible()) << i;
    EXPECT_FALSE(m.picFade().Visible());
    EXPECT_EQ(w.Lines("frmMain.WMP1", shown + 16000),
              (std::vector<std::string>{"frmMain.WMP1 file " + w.Sfx("bgm1.wav"), "frmMain.WMP1 play"}));
    EXPECT_EQ(Shown(w, false), (Captions{"2%", "92%", "4%", "2%"}));

    // Once per game; the graph goes with the hand-over after the answer.
    w.Key(kF7);
    w.Click(kAudienceX, kIconY);
    EXPECT_FALSE(w.Anim().Visible());
    const Millis pick = w.Key('B');
    w.RunUntilLogged("frmAnim.WMPanim play", pick);
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/r1.avi");
    EXPECT_FALSE(m.picNDivGraf().Visible());
    EXPECT_TRUE(m.picFade().Visible());
}

TEST(Audience, AfterFiftyFiftyTheRemovedVotesAreSplitBetweenTheTwoLeft) {
    PlayingWorld w;
    w.WaitForInput();
    // 50:50 removes A and C and draws the votes again.
    w.Then({Giving(1, 4), Giving(3, 4), 0.17, 0.0, 0.99});
    w.Click(kFiftyX, kIconY);
    EXPECT_EQ(w.Main().State.Question.AudienceVotes, (Votes{1, 93, 2, 4}));
    w.Click(kAudienceX, kIconY);
    ASSERT_EQ(w.Anim().Playing().file, "/gfx/aud.avi");
    // The graph shows the votes as split after the 50:50 (the split: lifeline_logic_test).
    EXPECT_EQ(Shown(w, true), (Captions{"0%", "94%", "0%", "6%"}));
}

TEST(Audience, FiftyFiftyAfterTheAudienceKeepsFourBars) {
    PlayingWorld w;
    const Millis ready = w.WaitForInput();
    w.Click(kAudienceX, kIconY);
    w.rt.RunUntil(ready + 17000);
    ASSERT_FALSE(w.Main().State.InputLocked);
    w.Then({Giving(1, 4), Giving(4, 4), 0.5, 0.5, 0.5});
    w.Click(kFiftyX, kIconY);
    EXPECT_EQ(w.draws->size(), 3u);  // nothing drawn beyond the two answers
    EXPECT_EQ(w.Main().State.Question.AudienceVotes, (Votes{2, 92, 4, 2}));
    EXPECT_EQ(Shown(w, false), (Captions{"2%", "92%", "4%", "2%"}));
    EXPECT_TRUE(w.Main().colNDiv(0).Visible());
    EXPECT_FALSE(w.Main().lblAnswer(0).Visible());
}

TEST(Phone, CallIsTypedOutAfterTheClipAndTheGameResumes) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    // B named (d 51), alternative A, k 18 (the friend knows), sentence row 1.
    w.Then({Giving(51, 100), Giving(1, 100), Giving(18, 18), Giving(1, 9)});
    const Millis t = w.Click(kPhoneX, kIconY);
    EXPECT_FALSE(m.State.PhoneAvailable);
    EXPECT_EQ(m.imgNTel().Picture(), "N-telx");
    EXPECT_FALSE(m.imgNTel().Enabled());
    EXPECT_TRUE(m.State.InputLocked);
    EXPECT_FALSE(m.picFade().Visible());
    ASSERT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/tel.avi");
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", t).at(0), "frmAnim.WMPanim file " + w.Gfx("tel.avi"));
    EXPECT_EQ(w.Lines("frmMain.WMP2", t),
              (std::vector<std::string>{"frmMain.WMP2 file " + w.Sfx("tel.wav"), "frmMain.WMP2 play"}));
    EXPECT_EQ(w.When("frmMain.WMP1 stop", t), t);
    const std::string transcript =
        "Otázka 1/1 – která odpověď platí?\r\nA: první,  B: druhá,  C: třetí,  D: čtvrtá\r\n            \r\n"
        "Podle mě to je B: druhá. Na sto procent.";
    EXPECT_EQ(m.Phone.PhoneTranscript, transcript);
    EXPECT_EQ(m.Phone.FriendAnswer, "B: druhá");

    // The call starts once the clip's screen has gone, 3.7 s after it showed.
    const Millis shown = *w.When("frmAnim.WMPanim play", t);
    w.rt.RunUntil(shown + 3699);
    EXPECT_FALSE(m.txtNTelVypis().Visible());
    w.rt.RunUntil(shown + 3700);
    const Millis start = shown + 3700;
    EXPECT_FALSE(w.Anim().Visible());
    EXPECT_TRUE(m.txtNTelVypis().Visible());
    EXPECT_EQ(m.txtNTelVypis().Text(), "");
    EXPECT_EQ(w.When("frmMain.WMP3 play", t), start);
    EXPECT_EQ(w.Lines("frmMain.WMP3 file").back(), "frmMain.WMP3 file " + w.Gfx("odpocet.avi"));
    EXPECT_TRUE(m.WMP3().Visible());
    EXPECT_EQ(m.WMP3().Left(), 2520);
    EXPECT_EQ(m.WMP3().Top(), (3090 - m.WMP3().Height()) / 2 + 120);

    const auto units = TypingUnits(transcript);
    const Millis n = static_cast<Millis>(units.size());
    auto typed = [&](size_t count) {
        std::string s;
        for (size_t i = 0; i < count; ++i) s += units[i];
        return s;
    };
    w.rt.RunUntil(start + 61);
    EXPECT_EQ(m.txtNTelVypis().Text(), "");
    w.rt.RunUntil(start + 62);
    EXPECT_EQ(m.txtNTelVypis().Text(), "O");
    w.rt.RunUntil(start + 62 * 40);
    EXPECT_EQ(m.txtNTelVypis().Text(), typed(40));
    w.rt.RunUntil(start + 62 * n);
    EXPECT_EQ(m.txtNTelVypis().Text(), transcript);
    // Five ticks after the last character the call ends with its closing sound.
    const Millis end = start + 62 * (n + 5);
    w.rt.RunUntil(end - 1);
    EXPECT_TRUE(m.txtNTelVypis().Visible());
    w.rt.RunUntil(end);
    EXPECT_FALSE(m.txtNTelVypis().Visible());
    EXPECT_EQ(w.Lines("frmMain.WMP2", end),
              (std::vector<std::string>{"frmMain.WMP2 stop", "frmMain.WMP2 file " + w.Sfx("tel-end.wav"),
                                        "frmMain.WMP2 play"}));
    EXPECT_EQ(w.When("frmMain.WMP3 stop", start), end);
    EXPECT_LE(m.WMP3().Top() + m.WMP3().Height(), 0) << "the countdown is not wholly above the screen";
    EXPECT_FALSE(m.WMP3().Visible());
    EXPECT_TRUE(m.picFade().Visible());
    EXPECT_FALSE(m.picNDivGraf().Visible());
    w.rt.RunUntil(end + 1299);
    EXPECT_TRUE(m.State.InputLocked);
    w.rt.RunUntil(end + 1300);
    EXPECT_FALSE(m.State.InputLocked);
    EXPECT_EQ(w.Lines("frmMain.WMP1", end),
              (std::vector<std::string>{"frmMain.WMP1 file " + w.Sfx("bgm1.wav"), "frmMain.WMP1 play"}));
    EXPECT_TRUE(m.imgAnswer(1).Enabled());

    w.Key(kF6);
    EXPECT_FALSE(w.Anim().Visible());
    EXPECT_EQ(w.Lines("tel.wav").size(), 1u);
}

TEST(Phone, LongTranscriptIsCutOffAtThirtySecondsWithoutTheClosingSound) {
    PlayingWorld w("B", false);
    for (int n = 1; n <= 2; ++n) {
        QuestionRecord q;
        q.Text = std::string(249, 'x') + "?";
        q.AnswerA = std::string(50, 'a');
        q.AnswerB = std::string(50, 'b');
        q.AnswerC = std::string(50, 'c');
        q.AnswerD = std::string(50, 'd');
        q.CorrectLetter = "B";
        WriteFile(w.Path("qst/01-00" + std::to_string(n) + ".qst"), EncodeQuestionRecord(q));
    }
    w.Begin();
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Then({Giving(51, 100), Giving(1, 100), Giving(18, 18), Giving(1, 9)});
    const Millis t = w.Click(kPhoneX, kIconY);
    ASSERT_GT(TypingUnits(m.Phone.PhoneTranscript).size(), 478u);
    const Millis start = *w.RunUntilLogged("frmMain.WMP3 play", t);
    w.rt.RunUntil(start + 29999);
    EXPECT_TRUE(m.txtNTelVypis().Visible());
    w.rt.RunUntil(start + 30000);
    EXPECT_FALSE(m.txtNTelVypis().Visible());
    // 483 ticks of 62 ms fit in 30 s; the rest is never typed.
    EXPECT_EQ(TypingUnits(m.txtNTelVypis().Text()).size(), 483u);
    w.rt.RunUntil(start + 31299);
    EXPECT_EQ(TypingUnits(m.txtNTelVypis().Text()).size(), 483u);
    EXPECT_TRUE(m.State.InputLocked);
    EXPECT_TRUE(w.Lines("tel-end.wav").empty());
    EXPECT_TRUE(w.Lines("frmMain.WMP2 stop", t).empty());  // the ring runs out by itself
    w.rt.RunUntil(start + 31300);
    EXPECT_FALSE(m.State.InputLocked);
}

TEST(Phone, AudienceGraphOfTheSameQuestionComesBackAfterTheCall) {
    PlayingWorld w;
    frmMain& m = w.Main();
    const Millis ready = w.WaitForInput();
    w.Click(kAudienceX, kIconY);
    w.rt.RunUntil(ready + 17000);
    ASSERT_TRUE(m.picNDivGraf().Visible());
    const Millis t = w.Click(kPhoneX, kIconY);
    const Millis start = *w.RunUntilLogged("frmMain.WMP3 play", t);
    EXPECT_FALSE(m.picNDivGraf().Visible());
    EXPECT_FALSE(m.picFade().Visible());
    const Millis end = *w.RunUntilLogged("frmMain.WMP3 stop", start);
    w.rt.RunUntil(end);
    EXPECT_TRUE(m.picNDivGraf().Visible());
    EXPECT_TRUE(m.colNDiv(1).Visible());
    EXPECT_FALSE(m.picFade().Visible());
}

TEST(Phone, AudienceOfAnEarlierQuestionStaysHidden) {
    PlayingWorld w;
    frmMain& m = w.Main();
    const Millis ready = w.WaitForInput();
    w.Click(kAudienceX, kIconY);
    w.rt.RunUntil(ready + 17000);
    w.Key('B');
    w.NextQuestion();
    ASSERT_EQ(m.State.Level, 2);
    w.WaitForInput();
    EXPECT_FALSE(m.picNDivGraf().Visible());
    const Millis t = w.Click(kPhoneX, kIconY);
    const Millis end = *w.RunUntilLogged("frmMain.WMP3 stop", *w.RunUntilLogged("frmMain.WMP3 play", t));
    w.rt.RunUntil(end);
    EXPECT_FALSE(m.picNDivGraf().Visible());
    EXPECT_TRUE(m.picFade().Visible());
}

TEST(Lifelines, RefusedWhileInputIsLockedOrTheGameIsDecided) {
    PlayingWorld w;
    frmMain& m = w.Main();
    auto tryAll = [&] {
        for (int key : {kF5, kF6, kF7}) w.Key(key);
        for (int x : {kFiftyX, kPhoneX, kAudienceX}) w.Click(x, kIconY);
    };
    auto untouched = [&](const char* when) {
        EXPECT_TRUE(m.State.FiftyFiftyAvailable && m.State.PhoneAvailable && m.State.AudienceAvailable)
            << when;
        EXPECT_FALSE(m.State.FiftyFiftyApplied || m.State.AudienceAsked) << when;
        EXPECT_FALSE(w.Anim().Visible()) << when;
        EXPECT_EQ(m.imgN5050().Picture(), "N-5050") << when;
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(m.State.InputLocked || m.lblAnswer(i).Visible()) << when;
    };
    // While the question builds up.
    tryAll();
    untouched("build-up");
    // After walking away through the game menu: "MENU", then "UKONČIT HRU".
    const Millis ready = w.WaitForInput();
    w.backend.Click(ready + 1, 40, 17);
    w.backend.Click(ready + 600, 300, 17);
    w.rt.RunUntil(ready + 4000);
    ASSERT_TRUE(m.State.OutOfCompetition);
    ASSERT_FALSE(m.State.InputLocked);
    tryAll();
    untouched("out of competition");
    // While an answer is locked in.
    w.Key('B');
    ASSERT_TRUE(m.State.InputLocked);
    tryAll();
    untouched("answer locked");
}

TEST(Lifelines, F5F7AndF6StartTheirLifelines) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Key(kF5);
    EXPECT_TRUE(m.State.FiftyFiftyApplied);
    EXPECT_EQ(w.Lines("50-50.wav").size(), 1u);
    const Millis audience = w.Key(kF7);
    ASSERT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/aud.avi");
    EXPECT_TRUE(m.State.AudienceAsked);
    w.rt.RunUntil(*w.When("frmAnim.WMPanim play", audience) + 16000);
    ASSERT_FALSE(w.Anim().Visible());
    ASSERT_FALSE(m.State.InputLocked);
    w.Key(kF6);
    ASSERT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/tel.avi");
    EXPECT_FALSE(m.State.PhoneAvailable);
}
