#pragma once
#include <string>

namespace tolarka::platform {

// Key codes as the screens name them (the classic virtual-key numbers): letters are their
// upper-case ASCII codes, digits their ASCII codes.
namespace keys {
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDelete = 46;
constexpr int kHome = 36;
constexpr int kEnd = 35;
constexpr int kF1 = 112;
constexpr int kF5 = 116;
constexpr int kF6 = 117;
constexpr int kF7 = 118;
constexpr int kF10 = 121;
}  // namespace keys

// Quit: the window was closed (the game may ask first). Terminate: the session wants the program
// gone (SIGTERM when the desktop logs out, SIGINT from a terminal): it ends without asking.
enum class InputKind { KeyDown, KeyUp, Text, MouseMove, MouseDown, MouseUp, Wake, Quit, Terminate };

// One input event in screen pixels (640 x 480 logical coordinates).
struct InputEvent {
    InputKind kind = InputKind::Wake;
    int key = 0;       // KeyDown / KeyUp
    std::string text;  // Text: UTF-8 typed characters
    int x = 0, y = 0;  // mouse events
};

}  // namespace tolarka::platform
