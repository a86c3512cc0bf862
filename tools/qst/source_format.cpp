#include "tools/qst/source_format.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>

namespace tolarka::qst {

namespace {

// A stray carriage return (a line ending in CR CR LF) counts as a blank too: written back, it
// would not survive as part of the text.
std::string_view TrimBlanks(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80                  ? 1
                   : (c >= 0xC2 && c < 0xE0) ? 2
                   : (c >= 0xE0 && c < 0xF0) ? 3
                   : (c >= 0xF0 && c < 0xF5) ? 4
                                             : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

// "[042]" -> 42; 0 for anything else (including [000]).
int ParseHeader(std::string_view line) {
    if (line.size() != 5 || line.front() != '[' || line.back() != ']') return 0;
    int n = 0;
    for (char c : line.substr(1, 3)) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool ParseVotes(std::string_view value, std::array<int16_t, 4>& votes) {
    size_t pos = 0;
    for (auto& vote : votes) {
        while (pos < value.size() && value[pos] == ' ') ++pos;
        int v = 0;
        const auto [end, ec] = std::from_chars(value.data() + pos, value.data() + value.size(), v);
        if (ec != std::errc() || v < std::numeric_limits<int16_t>::min() ||
            v > std::numeric_limits<int16_t>::max()) {
            return false;
        }
        vote = static_cast<int16_t>(v);
        pos = static_cast<size_t>(end - value.data());
        if (pos < value.size() && value[pos] != ' ') return false;
    }
    return TrimBlanks(value.substr(pos)).empty();
}

std::string* FieldFor(QuestionRecord& r, std::string_view key) {
    if (key == kKeyText) return &r.Text;
    if (key == "A") return &r.AnswerA;
    if (key == "B") return &r.AnswerB;
    if (key == "C") return &r.AnswerC;
    if (key == "D") return &r.AnswerD;
    if (key == kKeyCorrect) return &r.CorrectLetter;
    if (key == kKeyAuthor) return &r.Author;
    return nullptr;
}

std::string Quoted(std::string_view s) { return "„" + std::string(s) + "“"; }

// Collects one block and decides whether it is complete.
class BlockBuilder {
public:
    BlockBuilder(const std::string& file, ProblemList& problems) : file_(file), problems_(problems) {}

    void Start(int number, int line) {
        open_ = true;
        broken_ = false;
        rejected_ = false;
        q_ = SourceQuestion{};
        q_.Number = number;
        q_.Line = line;
        q_.Record.Author = std::string(kDefaultAuthor);
    }
    void StartBroken() {
        open_ = true;
        broken_ = true;
    }
    bool Open() const { return open_; }
    // The open block had a line that could not be used: it is reported, then left out.
    void Reject() {
        if (open_) rejected_ = true;
    }
    bool Broken() const { return broken_; }

    void Field(std::string_view key, std::string_view value, int line) {
        if (broken_) return;
        const std::string k(key);
        if (q_.FieldLines.count(k) > 0) {
            Report(line, "pole " + Quoted(key) + " je v otázce dvakrát (poprvé na řádku " +
                             std::to_string(q_.FieldLines[k]) + ")");
            return;
        }
        if (std::string* text = FieldFor(q_.Record, key)) {
            *text = std::string(value);
        } else if (key == kKeyCorrected) {
            if (value != "ano" && value != "ne") {
                Report(line, "korekce musí být „ano“ nebo „ne“, je " + Quoted(value));
                return;
            }
            q_.Record.Corrected = value == "ano";
        } else if (key == kKeyTopic) {
            if (TopicIndex(value) < 0) {
                std::string known;
                for (std::string_view t : kTopics) known += (known.empty() ? "" : ", ") + std::string(t);
                Report(line, "neznámé téma " + Quoted(value) + "; povolená témata: " + known);
                return;
            }
            q_.Topic = std::string(value);
        } else if (key == kKeyVotes) {
            // Parsed aside: a rejected line leaves no part of its numbers in the question.
            std::array<int16_t, 4> votes{};
            if (!ParseVotes(value, votes)) {
                Report(line, "hlasy: čekám čtyři celá čísla od -32768 do 32767 oddělená mezerou, je " +
                                 Quoted(value));
                return;
            }
            q_.Record.AudienceVotes = votes;
            q_.HasVotes = true;
        } else {
            Report(line, "neznámé pole " + Quoted(key));
            return;
        }
        q_.FieldLines[k] = line;
    }

    // Ends the block; returns it when complete.
    std::optional<SourceQuestion> Finish() {
        if (!open_) return std::nullopt;
        open_ = false;
        if (broken_) return std::nullopt;
        bool complete = true;
        for (std::string_view key : {kKeyText, std::string_view("A"), std::string_view("B"),
                                     std::string_view("C"), std::string_view("D"), kKeyCorrect}) {
            if (q_.FieldLines.count(std::string(key)) == 0) {
                Report(q_.Line, "otázce " + Number(q_.Number) + " chybí pole " + Quoted(key));
                complete = false;
            }
        }
        if (!complete || rejected_) return std::nullopt;
        return q_;
    }

    static std::string Number(int n) {
        char s[16];
        std::snprintf(s, sizeof s, "%03d", n);
        return s;
    }

private:
    // A rejected line leaves its whole question out: half of a question is never built.
    void Report(int line, std::string message) {
        problems_.push_back({file_, line, std::move(message)});
        Reject();
    }

    const std::string& file_;
    ProblemList& problems_;
    bool open_ = false;
    bool broken_ = false;
    bool rejected_ = false;
    SourceQuestion q_;
};

}  // namespace

int TopicIndex(std::string_view topic) {
    for (size_t i = 0; i < kTopics.size(); ++i) {
        if (kTopics[i] == topic) return static_cast<int>(i);
    }
    return -1;
}

ParsedSource ParseQuestionSource(std::string_view text, const std::string& fileName) {
    ParsedSource out;
    BlockBuilder block(fileName, out.Problems);
    std::map<int, int> numberLines;  // number -> line of its header
    int lineNo = 0;
    // Ends the open block at the line before `nextLine`.
    auto finish = [&](int nextLine) {
        if (auto q = block.Finish()) {
            q->EndLine = nextLine - 1;
            out.Questions.push_back(std::move(*q));
        }
    };

    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view raw = text.substr(pos, eol - pos);
        pos = eol + 1;
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (!IsValidUtf8(raw)) {
            out.Problems.push_back({fileName, lineNo, "řádek není v kódování UTF-8"});
            block.Reject();
            continue;
        }
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == '#') continue;

        if (line.front() == '[') {
            finish(lineNo);
            const int number = ParseHeader(line);
            if (number == 0) {
                out.Problems.push_back(
                    {fileName, lineNo, "neplatná hlavička " + Quoted(line) + " (čekám [001] až [999])"});
                block.StartBroken();
            } else if (numberLines.count(number) > 0) {
                out.Problems.push_back({fileName, lineNo,
                                        "číslo otázky " + BlockBuilder::Number(number) + " už je na řádku " +
                                            std::to_string(numberLines[number])});
                block.StartBroken();
            } else {
                numberLines[number] = lineNo;
                block.Start(number, lineNo);
            }
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            out.Problems.push_back({fileName, lineNo, "řádek bez dvojtečky: čekám „pole: hodnota“"});
            block.Reject();
            continue;
        }
        if (!block.Open()) {
            out.Problems.push_back({fileName, lineNo, "pole mimo otázku: chybí hlavička [NNN]"});
            continue;
        }
        block.Field(TrimBlanks(line.substr(0, colon)), TrimBlanks(line.substr(colon + 1)), lineNo);
    }
    finish(lineNo + 1);
    return out;
}

std::string FormatQuestionSource(const std::vector<SourceQuestion>& questions) {
    std::string out;
    for (const auto& q : questions) {
        const QuestionRecord& r = q.Record;
        if (!out.empty()) out += "\n";
        out += "[" + BlockBuilder::Number(q.Number) + "]\n";
        out += std::string(kKeyText) + ": " + r.Text + "\n";
        out += "A: " + r.AnswerA + "\n";
        out += "B: " + r.AnswerB + "\n";
        out += "C: " + r.AnswerC + "\n";
        out += "D: " + r.AnswerD + "\n";
        out += std::string(kKeyCorrect) + ": " + r.CorrectLetter + "\n";
        if (q.HasVotes) {
            out += std::string(kKeyVotes) + ":";
            for (int16_t v : r.AudienceVotes) out += " " + std::to_string(v);
            out += "\n";
        }
        out += std::string(kKeyAuthor) + ": " + r.Author + "\n";
        out += std::string(kKeyCorrected) + ": " + (r.Corrected ? "ano" : "ne") + "\n";
        if (!q.Topic.empty()) out += std::string(kKeyTopic) + ": " + q.Topic + "\n";
    }
    return out;
}

SourceQuestion FromRecord(int number, const QuestionRecord& record) {
    SourceQuestion q;
    q.Number = number;
    q.Record.Text = Trimmed(record.Text);
    q.Record.AnswerA = Trimmed(record.AnswerA);
    q.Record.AnswerB = Trimmed(record.AnswerB);
    q.Record.AnswerC = Trimmed(record.AnswerC);
    q.Record.AnswerD = Trimmed(record.AnswerD);
    q.Record.CorrectLetter = Trimmed(record.CorrectLetter);
    q.Record.Author = Trimmed(record.Author);
    q.Record.AudienceVotes = record.AudienceVotes;
    q.Record.Corrected = record.Corrected;
    q.HasVotes = record.AudienceVotes != std::array<int16_t, 4>{};
    return q;
}

}  // namespace tolarka::qst
