#include "startup/display_mode.h"

namespace tolarka {

namespace {
// A display never lists this many modes; the bound only protects against a broken driver.
constexpr int kMaxModes = 4096;
}  // namespace

void ChangeDisplayMode(platform::Display& display, std::int16_t width, std::int16_t height) {
    bool found = false;
    for (int i = 0; i < kMaxModes; ++i) {
        const auto mode = display.EnumDisplayMode(i);
        if (!mode) break;
        if (mode->width == width && mode->height == height) found = true;
    }
    if (found) display.SetDisplayMode(platform::DisplayMode{width, height});
}

void RestoreDisplayMode(platform::Display& display, std::int16_t savedWidth, std::int16_t savedHeight,
                        const std::string& commandLine) {
    if (savedWidth > savedHeight) {
        if (!KeepsDisplay(commandLine)) ChangeDisplayMode(display, savedWidth, savedHeight);
        return;
    }
    switch (savedHeight) {
        case 768: ChangeDisplayMode(display, 1024, 768); break;
        case 600: ChangeDisplayMode(display, 800, 600); break;
        case 576: ChangeDisplayMode(display, 720, 576); break;
        case 1024: ChangeDisplayMode(display, 1280, 1024); break;
        default: break;
    }
}

}  // namespace tolarka
