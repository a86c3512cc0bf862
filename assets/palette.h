#pragma once
// The studio palette shared by every screen: deep navy and violet fields, bright cyan lines,
// warm orange and gold for money and selection, green for the right answer.
#include "assets/painter.h"

namespace tolarka::art::palette {

inline constexpr Color kBlack = Hex(0x000000);
inline constexpr Color kWhite = Hex(0xFFFFFF);
inline constexpr Color kNavyDeep = Hex(0x050A2E);
inline constexpr Color kNavy = Hex(0x0D1A5C);
inline constexpr Color kNavyLight = Hex(0x22359A);
inline constexpr Color kVioletDeep = Hex(0x1E0B4A);
inline constexpr Color kViolet = Hex(0x46208C);
inline constexpr Color kVioletLight = Hex(0x7040C0);
inline constexpr Color kCyan = Hex(0x40E4FF);
inline constexpr Color kCyanSoft = Hex(0x9CF2FF);
inline constexpr Color kOrange = Hex(0xFF9A1F);
inline constexpr Color kOrangeDeep = Hex(0xD05A00);
inline constexpr Color kOrangeLight = Hex(0xFFC060);
inline constexpr Color kGold = Hex(0xFFD23A);
inline constexpr Color kLetter = Hex(0xFFE98A);  // light yellow answer letters
inline constexpr Color kGreen = Hex(0x26C24A);
inline constexpr Color kGreenDeep = Hex(0x0B6E22);
inline constexpr Color kRed = Hex(0xE8202A);
inline constexpr Color kDarkRed = Hex(0x8A0A0A);
inline constexpr Color kLadderText = Hex(0xFFA733);  // ordinary ladder rows
inline constexpr Color kMarkedText = Hex(0x1A0C00);  // text on the marked ladder row

}  // namespace tolarka::art::palette
