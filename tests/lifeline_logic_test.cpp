// The lifelines' draws: which answers the 50:50 removes, the audience votes and their split,
// and the friend's call.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "game/audience_votes.h"
#include "game/fifty_fifty.h"
#include "game/phone_call.h"
#include "game/random_source.h"

using namespace tolarka;

namespace {

// Gives the listed numbers in order, then `rest` for ever.
UniformSource Script(std::vector<double> numbers, double rest = 0.0) {
    auto queue = std::make_shared<std::deque<double>>(numbers.begin(), numbers.end());
    return [queue, rest] {
        if (queue->empty()) return rest;
        const double u = queue->front();
        queue->pop_front();
        return u;
    };
}
// The number that makes "draw from n" give d.
double Giving(int d, int n) { return (d - 0.5) / n; }

PhoneCallQuestion Question(int level, Votes votes) {
    return {level, "  Kolik nohou má pavouk?   ", {"šest ", " osm", "deset", "dvanáct"}, votes};
}

}  // namespace

// Every draw is scripted, so a bias in which wrong answer stays could only come from the draw
// itself (its uniformity: question_selection_test.cpp).
TEST(FiftyFifty, RedrawsUntilTwoDifferentWrongAnswersAreFound) {
    // Correct B: B is refused, then D taken, D again refused, then A.
    const auto removed =
        DrawFiftyFifty("B", Script({Giving(2, 4), Giving(4, 4), Giving(4, 4), Giving(1, 4)}));
    EXPECT_EQ(removed, (std::array<int, 2>{3, 0}));
    // A source stuck on the correct answer still ends, with two wrong answers.
    EXPECT_EQ(DrawFiftyFifty("A", Script({}, 0.0)), (std::array<int, 2>{1, 2}));
    EXPECT_EQ(DrawFiftyFifty("D", Script({}, 0.99)), (std::array<int, 2>{0, 1}));
    // Without a valid correct letter any two different answers go.
    const auto any = DrawFiftyFifty("X", Script({0.1, 0.1, 0.6}));
    EXPECT_EQ(any, (std::array<int, 2>{0, 2}));
}

TEST(AudienceVotes, CorrectShareRoundsHalfToEvenAndWrongSharesFollowTheLetterOrder) {
    // Level 1, A correct, P = 95: q = 1, r = 2, split 1 / 0 / 1 to B, C, D.
    EXPECT_EQ(DrawAudienceVotes(1, "A", {}, Script({0.5, 0.5, 0.5})), (Votes{95, 2, 1, 2}));
    // Level 15, D correct, P = 20: q = 20, r = 20, all of it goes to A as x3.
    EXPECT_EQ(DrawAudienceVotes(15, "D", {}, Script({0.0, 0.0, 0.0})), (Votes{40, 20, 20, 20}));
    // Level 2: 8u + 85 = 86.5 rounds to 86, 85.5 to 86 too.
    EXPECT_EQ(DrawAudienceVotes(2, "B", {}, Script({0.1875, 0, 0}))[1], 86);
    EXPECT_EQ(DrawAudienceVotes(2, "B", {}, Script({0.0625, 0, 0}))[1], 86);
    // x1, x2, x3 receivers for C: B, A, D.
    EXPECT_EQ(DrawAudienceVotes(13, "C", {}, Script({0.0, 0.5, 0.5})), (Votes{25, 30, 20, 25}));
    // Levels outside 1..15 take the nearest band.
    EXPECT_EQ(DrawAudienceVotes(0, "A", {}, Script({0.5, 0.5, 0.5})), (Votes{95, 2, 1, 2}));
    // A letter outside A..D keeps what the file held.
    EXPECT_EQ(DrawAudienceVotes(3, "E", {7, 8, 9, 10}, Script({0.5})), (Votes{7, 8, 9, 10}));
}

TEST(AudienceVotes, EveryLevelSumsToHundredWithTheCorrectShareInItsBand) {
    const int base[16] = {0, 92, 85, 80, 68, 60, 50, 40, 32, 25, 25, 23, 21, 20, 20, 20};
    const int spread[16] = {0, 6, 8, 10, 17, 20, 22, 20, 20, 20, 20, 15, 15, 15, 15, 15};
    const UniformSource u = MakeClockSeededSource();
    for (int level = 1; level <= 15; ++level)
        for (const char* letter : {"A", "B", "C", "D"})
            for (int i = 0; i < 200; ++i) {
                const Votes v = DrawAudienceVotes(level, letter, {}, u);
                ASSERT_EQ(v[0] + v[1] + v[2] + v[3], 100);
                const int p = v[static_cast<size_t>(letter[0] - 'A')];
                ASSERT_GE(p, base[level]);
                ASSERT_LE(p, base[level] + spread[level]);
                for (auto x : v) ASSERT_GE(x, 0);
            }
}

TEST(AudienceVotes, AfterFiftyFiftyTheRemovedShareIsSplitFloorFirst) {
    const Votes v{41, 25, 20, 14};
    // Every pair that can remain: the floor of half the removed votes to the first, the ceiling
    // to the second (A and C: 39 removed, 19 to A and 20 to C).
    const std::pair<std::array<bool, 4>, Votes> cases[] = {
        {{true, true, false, false}, {58, 42, 0, 0}}, {{true, false, true, false}, {60, 0, 40, 0}},
        {{true, false, false, true}, {63, 0, 0, 37}}, {{false, true, true, false}, {0, 52, 48, 0}},
        {{false, true, false, true}, {0, 55, 0, 45}}, {{false, false, true, true}, {0, 0, 53, 47}}};
    for (const auto& [remaining, shown] : cases) EXPECT_EQ(DisplayedVotes(v, true, remaining), shown);
    // Without the 50:50 the votes show as drawn.
    EXPECT_EQ(DisplayedVotes(v, false, {true, false, true, false}), v);
}

TEST(AudienceVotes, DamagedVotesShowWithinZeroToHundred) {
    // A file whose correct letter is not A..D keeps its own votes; any 16-bit value may stand there.
    const Votes damaged{-32768, 32767, 250, -1};
    const Votes kept = DrawAudienceVotes(5, "X", damaged, [] { return 0.5; });
    EXPECT_EQ(DisplayedVotes(kept, false, {true, true, true, true}), (Votes{0, 100, 100, 0}));
    // The 50:50 split adds the removed shares: still within the graph.
    for (const auto& remaining : {std::array<bool, 4>{true, true, false, false},
                                  {false, true, true, false},
                                  {true, false, false, true}})
        for (int v : DisplayedVotes(kept, true, remaining)) EXPECT_TRUE(v >= 0 && v <= 100) << v;
    EXPECT_EQ(DisplayedVotes(Votes{32767, 32767, 32767, 0}, true, {false, true, false, true}),
              (Votes{0, 100, 0, 100}));
}

TEST(PhoneCall, PickFollowsTheVoteRanges) {
    const Votes v{95, 2, 1, 2};
    auto pick = [&](int d) {
        return PreparePhoneCall(Question(1, v),
                                Script({Giving(d, 100), Giving(1, 100), Giving(18, 18), Giving(2, 9)}))
            .FriendAnswer.substr(0, 1);
    };
    for (const auto& [d, letter] :
         {std::pair{1, "A"}, {95, "A"}, {96, "B"}, {97, "B"}, {98, "C"}, {99, "D"}, {100, "D"}})
        EXPECT_EQ(pick(d), letter) << d;
}

// The friend refuses when k is at most the level, else says the sentence of row t of the level's
// band; an alternative is drawn again while it repeats the answer.
TEST(PhoneCall, RefusalUpToTheLevelTheTableByLevelBandAndTheAlternative) {
    const Votes v{10, 60, 20, 10};
    auto call = [&](int level, int k, int t, std::vector<double> alternatives = {Giving(1, 100)}) {
        alternatives.insert(alternatives.begin(), Giving(50, 100));
        alternatives.insert(alternatives.end(), {Giving(k, 18), Giving(t, 9)});
        return PreparePhoneCall(Question(level, v), Script(alternatives)).FriendSentence;
    };
    EXPECT_EQ(call(5, 5, 6), "Tak tohle bohužel nevím.");
    EXPECT_EQ(call(5, 6, 6), "Řekla bych, že to bude B: osm, ale není to stoprocentní.");
    EXPECT_EQ(call(6, 6, 6), "Tak tohle bohužel nevím.");
    EXPECT_EQ(call(6, 7, 6), "Nejsem zcela jistá, ale asi to bude B: osm.");
    EXPECT_EQ(call(15, 15, 9), "Promiň, ale tohle opravdu nevím.");
    EXPECT_EQ(call(15, 16, 9), "Nevím to úplně přesně, ale bude to buď B: osm nebo A: šest.");
    EXPECT_EQ(call(1, 1, 2), "Bohužel vůbec netuším co by to mohlo být.");
    EXPECT_EQ(call(1, 2, 9), "Řekl bych, že to bude B: osm, ale není to stoprocentně jistý.");
    // The alternative first repeats B twice, then names D.
    EXPECT_EQ(call(8, 18, 9, {Giving(11, 100), Giving(70, 100), Giving(95, 100)}),
              "Nevím to úplně přesně, ale bude to buď B: osm nebo D: dvanáct.");
}

TEST(PhoneCall, AfterFiftyFiftyOnlyTheTwoRemainingAnswersAreRead) {
    PhoneCallQuestion q = Question(10, {10, 60, 20, 10});
    q.FiftyFiftyApplied = true;
    q.OnScreen = {true, false, true, false};
    // d = 50 falls on the removed B: the preparation starts again; d = 85 names C. Then t = 9 is
    // drawn again with k, and t = 3 stays. No alternative is drawn.
    const auto call = PreparePhoneCall(q, Script({Giving(50, 100), Giving(85, 100), Giving(18, 18),
                                                  Giving(9, 9), Giving(18, 18), Giving(3, 9)}));
    EXPECT_EQ(call.FriendAnswer, "C: deset");
    EXPECT_EQ(call.FriendAlternative, "");
    EXPECT_EQ(call.Sentence, 3);
    EXPECT_EQ(call.FriendSentence, "Řekl bych, že to bude C: deset, ale není to stoprocentně jistý.");
    EXPECT_EQ(call.PhoneTranscript,
              "Kolik nohou má pavouk?\r\nA: šest nebo C: deset\r\n            \r\n" + call.FriendSentence);

    // Over many real draws: never a removed answer, never row 9, refusals about level / 18.
    const UniformSource u = MakeClockSeededSource();
    int refusals = 0;
    const int runs = 9000;
    for (int i = 0; i < runs; ++i) {
        const auto c = PreparePhoneCall(q, u);
        ASSERT_NE(c.Sentence, 9);
        ASSERT_TRUE(c.FriendAnswer[0] == 'A' || c.FriendAnswer[0] == 'C') << c.FriendAnswer;
        refusals += c.Knows ? 0 : 1;
    }
    EXPECT_NEAR(refusals, runs * 10 / 18, runs / 30);
}

TEST(PhoneCall, VotesThatNameNoAnswerOnScreenStillEndTheCall) {
    PhoneCallQuestion q = Question(2, {0, 100, 0, 0});
    q.FiftyFiftyApplied = true;
    q.OnScreen = {true, false, false, true};
    const auto call = PreparePhoneCall(q, MakeClockSeededSource());
    EXPECT_TRUE(call.FriendAnswer[0] == 'A' || call.FriendAnswer[0] == 'D');
    // A source stuck on the two-answer sentence after the 50:50 still gives a one-answer one.
    EXPECT_EQ(PreparePhoneCall(q, Script({}, 0.99)).Sentence, 8);
    // Votes from a damaged file that do not reach 100, and a source stuck on one number.
    const auto stuck = PreparePhoneCall(Question(7, {0, 0, 0, 0}), Script({}, 0.99));
    EXPECT_FALSE(stuck.FriendAnswer.empty());
    EXPECT_NE(stuck.FriendAlternative, stuck.FriendAnswer);
}

TEST(PhoneCall, TypingUnitsAreCharactersWithLineBreaksInTwoTicks) {
    const auto units = TypingUnits("Až\r\nš");
    EXPECT_EQ(units, (std::vector<std::string>{"A", "ž", "\r", "\n", "š"}));
    EXPECT_TRUE(TypingUnits("").empty());
}
