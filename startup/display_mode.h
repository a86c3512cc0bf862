#pragma once
#include <cstdint>
#include <string>

#include "platform/display.h"

namespace tolarka {

// The one command line that keeps the display as it is (whole text, case-sensitive).
inline bool KeepsDisplay(const std::string& commandLine) { return commandLine == "no_fullscreen"; }

// Switches the display to width x height if it offers such a mode among all of its modes;
// otherwise nothing changes.
void ChangeDisplayMode(platform::Display& display, std::int16_t width, std::int16_t height);

// Switches back at the end of the program to the size remembered before the switch. A saved
// width not greater than the height (0 x 0 after "no_fullscreen") picks the width from a short
// table of common heights.
void RestoreDisplayMode(platform::Display& display, std::int16_t savedWidth, std::int16_t savedHeight,
                        const std::string& commandLine);

}  // namespace tolarka
