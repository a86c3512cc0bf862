#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

namespace tolarka {

// The media files whose presence the start-up screen checks, in checking order, relative to
// the program's directory.
constexpr std::array<std::string_view, 13> kGraphicsChecklist = {
    "gfx/aud.avi",       "gfx/ex.avi",        "gfx/fade1.avi",     "gfx/fade2.avi",   "gfx/fade3.avi",
    "gfx/lights-r2.avi", "gfx/lights-r3.avi", "gfx/lights-st.avi", "gfx/odpocet.avi", "gfx/r1.avi",
    "gfx/r23.avi",       "gfx/r4.avi",        "gfx/tel.avi",
};

constexpr std::array<std::string_view, 22> kSoundChecklist = {
    "sfx/50-50.wav", "sfx/aud.wav", "sfx/bgm1.wav",    "sfx/bgm2.wav",   "sfx/bgm3.wav",
    "sfx/bgm4.wav",  "sfx/ex.wav",  "sfx/klakson.wav", "sfx/lights.wav", "sfx/lights2.wav",
    "sfx/menu.wav",  "sfx/r1.wav",  "sfx/r2.wav",      "sfx/r3.wav",     "sfx/r4.wav",
    "sfx/sel.wav",   "sfx/tel.wav", "sfx/tel-end.wav", "sfx/w1.wav",     "sfx/w23.wav",
    "sfx/w4.wav",    "sfx/zb.wav",
};

// True when every file of `list` exists under `appDir`. Every file is tested, in order, even
// after one is found missing.
bool AllMediaPresent(const std::filesystem::path& appDir, std::span<const std::string_view> list,
                     const std::function<bool(const std::filesystem::path&)>& exists);

}  // namespace tolarka
