// The three lifelines played on the game screen in virtual time: 50:50, the audience, the phone.
#include <gtest/gtest.h>

#include "game/phone_call.h"
#include "playing_world.h"

using namespace tolarka;
using namespace tolarka::testing;
using namespace tolarka::platform::keys;

namespace {

// Lifeline icons, in pixels.
constexpr int kIconY = 263, kFiftyX = 132, kPhoneX = 228, kAudienceX = 324;

// The number that makes "draw from n" give d.
double Giving(int d, int n) { return (d - 0.5) / n; }

// The vote captions of the graph on the clip screen or on the game screen.
std::string Shown(GameWorld& w, bool anim) {
    std::string out;
    for (int i = 0; i < 4; ++i) out += (anim ? w.Anim().lblNDiv(i) : w.Main().lblNDiv(i)).Caption() + " ";
    return out;
}

}  // namespace

// The 50:50 draws the votes again; the audience asked after it sees them split between the two
// answers left (the split: lifeline_logic_test).
TEST(FiftyFifty, RemovesTwoWrongAnswersThatStayUnusableForTheQuestion) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Then({Giving(1, 4), Giving(3, 4), 0.17, 0.0, 0.99});  // A, then C; the votes
    const Millis t = w.Key(kF5);
    EXPECT_TRUE(m.State.FiftyFiftyApplied && !m.State.FiftyFiftyAvailable && !m.State.InputLocked);
    EXPECT_EQ(w.Lifelines() + " " + w.Answers(), "N-5050x(off) N-div N-tel -B-D");
    EXPECT_EQ(m.State.Question.AudienceVotes, (Votes{1, 93, 2, 4}));
    EXPECT_EQ(w.Lines("frmMain.WMP2", t), w.Starts("frmMain.WMP2", w.Sfx("50-50.wav")));
    EXPECT_TRUE(w.Lines("frmMain.WMP1", t).empty());  // the music goes on

    // Removed answers take neither keys nor clicks (box A at 160, 410); the icon works once.
    for (int key : {int{'A'}, int{'C'}, int{kF5}}) w.Key(key);
    for (const auto& [x, y] : {std::pair{160, 410}, {kFiftyX, kIconY}}) w.Click(x, y);
    EXPECT_TRUE(m.State.ChosenLetter.empty() && !m.State.InputLocked);
    EXPECT_EQ(w.Lines("50-50.wav").size(), 1u);
    w.Click(kAudienceX, kIconY);
    ASSERT_EQ(w.Anim().Playing().file, "/gfx/aud.avi");
    EXPECT_EQ(Shown(w, true), "0% 94% 0% 6% ");

    w.RunFor(17000);
    w.Key('B');
    w.NextQuestion();
    w.WaitForInput();
    EXPECT_EQ(m.State.Level, 2);
    EXPECT_FALSE(m.State.FiftyFiftyApplied);
    EXPECT_EQ(w.Lifelines() + " " + w.Answers(), "N-5050x(off) N-divx(off) N-tel ABCD");
    w.Key(kF5);
    EXPECT_EQ(w.Lines("50-50.wav").size(), 1u);
}

TEST(Audience, ClipShowsTheVotesThenTheGraphStaysOnTheGameScreen) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    const Millis t = w.Click(kAudienceX, kIconY);
    EXPECT_TRUE(m.State.AudienceAsked && !m.State.AudienceAvailable && m.State.InputLocked);
    EXPECT_EQ(w.Lifelines(), "N-5050(off) N-divx(off) N-tel(off)");
    EXPECT_EQ(w.When("frmMain.WMP1 stop", t), t);
    ASSERT_TRUE(w.Anim().Visible());
    EXPECT_EQ(w.Files("frmAnim.WMPanim", t) + "|" + w.Files("frmAnim.WMPanimSND", t) + "|" + Shown(w, true),
              "/gfx/aud.avi|/sfx/aud.wav|2% 92% 4% 2% ");

    const Millis shown = *w.When("frmAnim.WMPanim play", t);
    EXPECT_EQ(w.When("frmAnim.WMPanimSND play", t), shown);
    // The graph on the clip screen after 8 s, its bars after 14 s; after 16 s the clip screen
    // goes and the graph stays on the game screen.
    const auto state = [&] {
        return GameWorld::Flags({w.Anim().Visible(), w.Anim().picNDivGraf().Visible(),
                                 w.Anim().colNDiv(0).Visible() && w.Anim().lblNDiv(3).Visible(),
                                 m.State.InputLocked, m.picNDivGraf().Visible()});
    };
    const GameWorld::Samples timeline = {{7999, "10010"},  {8000, "11010"},  {13999, "11010"},
                                         {14000, "11110"}, {15999, "11110"}, {16000, "01101"}};
    EXPECT_EQ(w.SampleAt(shown, timeline, state), timeline);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(m.colNDiv(i).Visible() && m.lblNDiv(i).Visible()) << i;
    EXPECT_FALSE(m.picFade().Visible());
    EXPECT_EQ(w.Lines("frmMain.WMP1", shown + 16000), w.Starts("frmMain.WMP1", w.Sfx("bgm1.wav")));
    EXPECT_EQ(Shown(w, false), "2% 92% 4% 2% ");

    // Once per game. A 50:50 after it draws nothing beyond its two answers and keeps four bars; the
    // graph goes during a call and comes back after it, and goes with the hand-over after the answer.
    w.Key(kF7);
    w.Click(kAudienceX, kIconY);
    EXPECT_FALSE(w.Anim().Visible());
    w.Then({Giving(1, 4), Giving(4, 4), 0.5, 0.5, 0.5});
    w.Click(kFiftyX, kIconY);
    EXPECT_EQ(w.draws->size(), 3u);
    EXPECT_EQ(m.State.Question.AudienceVotes, (Votes{2, 92, 4, 2}));
    EXPECT_EQ(Shown(w, false) + w.Answers(), "2% 92% 4% 2% -BC-");
    EXPECT_TRUE(m.picNDivGraf().Visible() && m.colNDiv(0).Visible());
    const Millis call = *w.RunUntilLogged("frmMain.WMP3 play", w.Key(kF6));
    EXPECT_FALSE(m.picNDivGraf().Visible() || m.picFade().Visible());
    w.rt.RunUntil(*w.RunUntilLogged("frmMain.WMP3 stop", call) + 1300);
    EXPECT_TRUE(m.picNDivGraf().Visible() && m.colNDiv(1).Visible() && !m.picFade().Visible());
    const Millis pick = w.Key('B');
    w.RunUntilLogged("frmAnim.WMPanim play", pick);
    EXPECT_EQ(w.Anim().Playing().file, "/gfx/r1.avi");
    EXPECT_FALSE(m.picNDivGraf().Visible());
    EXPECT_TRUE(m.picFade().Visible());
}

TEST(Phone, CallIsTypedOutAfterTheClipAndTheGameResumes) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    // B named (d 51), alternative A, k 18 (the friend knows), sentence row 1.
    w.Then({Giving(51, 100), Giving(1, 100), Giving(18, 18), Giving(1, 9)});
    const Millis t = w.Click(kPhoneX, kIconY);
    EXPECT_TRUE(!m.State.PhoneAvailable && m.State.InputLocked && !m.picFade().Visible());
    EXPECT_EQ(w.Lifelines(), "N-5050(off) N-div(off) N-telx(off)");
    EXPECT_EQ(w.Lines("frmAnim.WMPanim file", t).at(0), "frmAnim.WMPanim file " + w.Gfx("tel.avi"));
    EXPECT_EQ(w.Lines("frmMain.WMP2", t), w.Starts("frmMain.WMP2", w.Sfx("tel.wav")));
    EXPECT_EQ(w.When("frmMain.WMP1 stop", t), t);
    const std::string transcript =
        "Otázka 1/1 – která odpověď platí?\r\nA: první,  B: druhá,  C: třetí,  D: čtvrtá\r\n            \r\n"
        "Podle mě to je B: druhá. Na sto procent.";
    EXPECT_EQ(m.Phone.PhoneTranscript, transcript);

    // The call starts once the clip's screen has gone, 3.7 s after it showed, and types a
    // character every 62 ms; five ticks after the last one it ends, and 1.3 s later the game
    // takes input again.
    const Millis shown = *w.When("frmAnim.WMPanim play", t), start = shown + 3700;
    const auto units = TypingUnits(transcript);
    const Millis n = static_cast<Millis>(units.size()), end = start + 62 * (n + 5);
    std::string first40;
    for (size_t i = 0; i < 40; ++i) first40 += units[i];
    // The clip screen, the call's text box, the countdown, the studio, locked input; the text.
    const auto state = [&] {
        return GameWorld::Flags({w.Anim().Visible(), m.txtNTelVypis().Visible(), m.WMP3().Visible(),
                                 m.picFade().Visible(), m.State.InputLocked}) +
               m.txtNTelVypis().Text();
    };
    const GameWorld::Samples opening = {{-1, "10001"}, {0, "01101"}};
    EXPECT_EQ(w.SampleAt(start, opening, state), opening);
    EXPECT_EQ(w.When("frmMain.WMP3 play", t), start);
    EXPECT_EQ(w.Lines("frmMain.WMP3 file").back(), "frmMain.WMP3 file " + w.Gfx("odpocet.avi"));
    EXPECT_EQ(m.WMP3().Left(), 2520);
    EXPECT_EQ(m.WMP3().Top(), (3090 - m.WMP3().Height()) / 2 + 120);
    const GameWorld::Samples typing = {{61, "01101"},
                                       {62, "01101O"},
                                       {62 * 40, "01101" + first40},
                                       {62 * n, "01101" + transcript},
                                       {end - start - 1, "01101" + transcript},
                                       {end - start, "00011" + transcript}};
    EXPECT_EQ(w.SampleAt(start, typing, state), typing);
    EXPECT_EQ(w.Lines("frmMain.WMP2", end),
              (std::vector<std::string>{"frmMain.WMP2 stop", "frmMain.WMP2 file " + w.Sfx("tel-end.wav"),
                                        "frmMain.WMP2 play"}));
    EXPECT_EQ(w.When("frmMain.WMP3 stop", start), end);
    EXPECT_LE(m.WMP3().Top() + m.WMP3().Height(), 0) << "the countdown is not wholly above the screen";
    EXPECT_FALSE(m.picNDivGraf().Visible());
    const GameWorld::Samples resume = {{1299, "00011" + transcript}, {1300, "00010" + transcript}};
    EXPECT_EQ(w.SampleAt(end, resume, state), resume);
    EXPECT_EQ(w.Lines("frmMain.WMP1", end), w.Starts("frmMain.WMP1", w.Sfx("bgm1.wav")));
    EXPECT_EQ(w.Answers(), "ABCD");

    w.Key(kF6);
    EXPECT_FALSE(w.Anim().Visible());
    EXPECT_EQ(w.Lines("tel.wav").size(), 1u);
}

TEST(Phone, LongTranscriptIsCutOffAtThirtySecondsWithoutTheClosingSound) {
    PlayingWorld w("B", false);
    const auto q = GameWorld::MakeQuestion(
        std::string(249, 'x') + "?", "B",
        {std::string(50, 'a'), std::string(50, 'b'), std::string(50, 'c'), std::string(50, 'd')});
    for (int n = 1; n <= 2; ++n) w.AddQuestion(1, n, q);
    w.Begin();
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Then({Giving(51, 100), Giving(1, 100), Giving(18, 18), Giving(1, 9)});
    const Millis t = w.Click(kPhoneX, kIconY);
    ASSERT_GT(TypingUnits(m.Phone.PhoneTranscript).size(), 478u);
    const Millis start = *w.RunUntilLogged("frmMain.WMP3 play", t);
    // The text box shown, locked input, and the characters typed: 483 ticks of 62 ms fit in
    // 30 s; the rest is never typed.
    const auto state = [&] {
        return GameWorld::Flags({m.txtNTelVypis().Visible(), m.State.InputLocked}) +
               std::to_string(TypingUnits(m.txtNTelVypis().Text()).size());
    };
    const GameWorld::Samples timeline = {
        {29999, "11483"}, {30000, "01483"}, {31299, "01483"}, {31300, "00483"}};
    EXPECT_EQ(w.SampleAt(start, timeline, state), timeline);
    EXPECT_TRUE(w.Lines("tel-end.wav").empty());
    EXPECT_TRUE(w.Lines("frmMain.WMP2 stop", t).empty());  // the ring runs out by itself
}

// The audience's graph of an earlier question does not come back after a call (one of the same
// question does: the audience scenario).
TEST(Phone, TheAudienceGraphOfAnEarlierQuestionDoesNotComeBackAfterTheCall) {
    PlayingWorld w;
    frmMain& m = w.Main();
    w.WaitForInput();
    w.Key(kF7);
    w.RunFor(17000);
    w.Key('B');
    w.NextQuestion();
    ASSERT_EQ(m.State.Level, 2);
    w.WaitForInput();
    EXPECT_FALSE(m.picNDivGraf().Visible());
    const Millis start = *w.RunUntilLogged("frmMain.WMP3 play", w.Key(kF6));
    EXPECT_FALSE(m.picNDivGraf().Visible() || m.picFade().Visible());
    w.rt.RunUntil(*w.RunUntilLogged("frmMain.WMP3 stop", start));
    EXPECT_TRUE(!m.picNDivGraf().Visible() && m.picFade().Visible());
}

TEST(Lifelines, RefusedWhileInputIsLockedOrTheGameIsDecided) {
    PlayingWorld w;
    frmMain& m = w.Main();
    // Tries every lifeline by key and by click; the lifelines' flags, the clip screen, the 50:50's
    // icon and the answers that take input after.
    const auto tryAll = [&] {
        for (int key : {kF5, kF6, kF7}) w.Key(key);
        for (int x : {kFiftyX, kPhoneX, kAudienceX}) w.Click(x, kIconY);
        return GameWorld::Flags({m.State.FiftyFiftyAvailable, m.State.PhoneAvailable,
                                 m.State.AudienceAvailable, m.State.FiftyFiftyApplied, m.State.AudienceAsked,
                                 w.Anim().Visible()}) +
               " " + m.imgN5050().Picture() + (m.State.InputLocked ? "" : " " + w.Answers());
    };
    EXPECT_EQ(tryAll(), "111000 N-5050");  // while the question builds up
    // After walking away through the game menu: "MENU", then "UKONČIT HRU".
    const Millis ready = w.WaitForInput();
    w.backend.Click(ready + 1, 40, 17);
    w.backend.Click(ready + 600, 300, 17);
    w.rt.RunUntil(ready + 4000);
    ASSERT_TRUE(m.State.OutOfCompetition);
    EXPECT_EQ(tryAll(), "111000 N-5050 ABCD");
    w.Key('B');
    EXPECT_EQ(tryAll(), "111000 N-5050");  // while an answer is locked in
}
