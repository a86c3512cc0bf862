#pragma once
#include <string>

namespace tolarka::platform {

enum class MessageIcon { Information, Exclamation };
enum class MessageButtons { Ok, YesNo };
// Answers, numbered like the classic message box results.
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

struct MessageBoxRequest {
    std::string title;
    std::string text;  // lines separated by CR LF
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

}  // namespace tolarka::platform
