#pragma once
#include <string>
#include <vector>

namespace tolarka::qst {

// One finding of the tool, in Czech, tied to a file and (for sources) a line.
struct Problem {
    std::string File;
    int Line = 0;  // 0 when the problem concerns the whole file
    std::string Message;

    // "07.txt:12: message" or "07-042.qst: message".
    std::string ToString() const {
        return File + (Line > 0 ? ":" + std::to_string(Line) : std::string()) + ": " + Message;
    }
};

using ProblemList = std::vector<Problem>;

}  // namespace tolarka::qst
