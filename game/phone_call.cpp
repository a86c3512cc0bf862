#include "game/phone_call.h"

#include "game/question_record.h"

namespace tolarka {

namespace {

// Draws that keep being refused stop here; only a broken or scripted source gets this far.
constexpr int kMaxDraws = 10000;

constexpr const char* kLetters[4] = {"A", "B", "C", "D"};

const char* const kRefusals[9] = {
    "Vůbec nemám tušení jaká možnost by to mohla být. Omlouvám se...",
    "Bohužel vůbec netuším co by to mohlo být.",
    "Tak to je oříšek... Ne. Bohužel nevím.",
    "Bohužel vůbec netuším co by to mohlo být.",
    "Tak to bohužel nevím. A tipovat si netroufám.",
    "Tak tohle bohužel nevím.",
    "S touto otázkou ti bohužel moc neporadím.",
    "To je na mě moc, ani netuším co by to tak mohlo být.",
    "Promiň, ale tohle opravdu nevím.",
};

struct Frame {
    const char* prefix;
    const char* suffix;
};

// Levels 1 to 5: the friend sounds sure.
const Frame kLowLevels[9] = {
    {"Podle mě to je ", ". Na sto procent."},
    {"Určitě to bude ", "."},
    {"Řekl bych, že to bude ", "."},
    {"Podle mě to je ", ". Na sto procent."},
    {"Určitě to bude ", "."},
    {"Řekla bych, že to bude ", ", ale není to stoprocentní."},
    {"Podle mě to je ", ". Skoro jistě."},
    {"Určitě to bude ", "."},
    {"Řekl bych, že to bude ", ", ale není to stoprocentně jistý."},
};

// Levels 6 to 15: less sure; row 9 names two answers.
const Frame kHighLevels[9] = {
    {"Úplně jistý si sice nejsem, ale řekl bych že to je ", "."},
    {"Řekla bych, že tohle vím. Zkus dát ", "."},
    {"Řekl bych, že to bude ", ", ale není to stoprocentně jistý."},
    {"Podle mě to asi je ", ", ale nejsem si příliš jistý."},
    {"Jistě to sice nevím, ale řekla bych, že je to ", "."},
    {"Nejsem zcela jistá, ale asi to bude ", "."},
    {"Nejsem si úplně jistý, ale asi to je ", "."},
    {"Myslím, že by to mohla být možnost ", "."},
    {"Nevím to úplně přesně, ale bude to buď ", "."},
};

// The answer whose vote range holds d (1..100); -1 when the votes do not reach d.
int PickByVotes(int d, const Votes& votes) {
    int upTo = 0;
    for (int i = 0; i < 4; ++i) {
        const int low = upTo;
        upTo += votes[static_cast<size_t>(i)];
        if (d > low && d <= upTo) return i;
    }
    return -1;
}

std::string Named(const PhoneCallQuestion& q, int i) {
    return std::string(kLetters[i]) + ": " + Trimmed(q.Answers[static_cast<size_t>(i)]);
}

std::string OptionsLine(const PhoneCallQuestion& q) {
    if (!q.FiftyFiftyApplied)
        return Named(q, 0) + ",  " + Named(q, 1) + ",  " + Named(q, 2) + ",  " + Named(q, 3);
    std::vector<std::string> left;
    for (int i = 0; i < 4; ++i)
        if (q.OnScreen[static_cast<size_t>(i)]) left.push_back(Named(q, i));
    std::string line;
    for (size_t i = 0; i < left.size(); ++i) line += (i ? " nebo " : "") + left[i];
    return line;
}

int FriendsPick(const PhoneCallQuestion& q, const UniformSource& uniform) {
    for (int i = 0; i < kMaxDraws; ++i) {
        const int pick = PickByVotes(DrawFrom(uniform(), 100), q.AudienceVotes);
        if (pick >= 0 && q.OnScreen[static_cast<size_t>(pick)]) return pick;
    }
    // Votes that cannot name an answer on screen: the best-voted answer still showing.
    int best = -1;
    for (int i = 0; i < 4; ++i)
        if (q.OnScreen[static_cast<size_t>(i)] &&
            (best < 0 ||
             q.AudienceVotes[static_cast<size_t>(i)] > q.AudienceVotes[static_cast<size_t>(best)]))
            best = i;
    return best < 0 ? 0 : best;
}

std::string Alternative(const PhoneCallQuestion& q, const std::string& answer, const UniformSource& uniform) {
    for (int i = 0; i < kMaxDraws; ++i) {
        const int pick = PickByVotes(DrawFrom(uniform(), 100), q.AudienceVotes);
        if (pick < 0) continue;
        std::string alternative = Named(q, pick);
        if (alternative != answer) return alternative;
    }
    for (int i = 0; i < 4; ++i)
        if (Named(q, i) != answer) return Named(q, i);
    return answer;
}

}  // namespace

PhoneCall PreparePhoneCall(const PhoneCallQuestion& q, const UniformSource& uniform) {
    PhoneCall call;
    const std::string question = Trimmed(q.Text);
    const std::string options = OptionsLine(q);
    call.FriendAnswer = Named(q, FriendsPick(q, uniform));

    bool anyHundred = false;
    for (auto v : q.AudienceVotes) anyHundred = anyHundred || v == 100;
    if (!q.FiftyFiftyApplied && !anyHundred)
        call.FriendAlternative = Alternative(q, call.FriendAnswer, uniform);

    int k = 0, t = 0;
    for (int i = 0; i < kMaxDraws; ++i) {
        k = DrawFrom(uniform(), 18);
        t = DrawFrom(uniform(), 9);
        if (!(t == 9 && q.FiftyFiftyApplied)) break;
    }
    if (t == 9 && q.FiftyFiftyApplied) t = 8;
    call.Sentence = t;
    call.Knows = k > q.Level;
    if (!call.Knows) {
        call.FriendSentence = kRefusals[t - 1];
    } else {
        const Frame& f = (q.Level <= 5 ? kLowLevels : kHighLevels)[t - 1];
        call.FriendSentence = f.prefix + call.FriendAnswer;
        if (q.Level > 5 && t == 9 && !call.FriendAlternative.empty())
            call.FriendSentence += " nebo " + call.FriendAlternative;
        call.FriendSentence += f.suffix;
    }
    call.PhoneTranscript =
        question + "\r\n" + options + "\r\n" + std::string(12, ' ') + "\r\n" + call.FriendSentence;
    return call;
}

std::vector<std::string> TypingUnits(const std::string& transcript) {
    std::vector<std::string> units;
    for (size_t i = 0; i < transcript.size();) {
        size_t next = i + 1;
        while (next < transcript.size() && (static_cast<unsigned char>(transcript[next]) & 0xC0) == 0x80)
            ++next;
        units.push_back(transcript.substr(i, next - i));
        i = next;
    }
    return units;
}

}  // namespace tolarka
