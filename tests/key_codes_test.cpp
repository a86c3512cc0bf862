// Keys of the real backend as the screens see them.
#include "platform/sdl/key_codes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/input.h"

using tolarka::platform::sdl::KeyCode;
using namespace tolarka::platform::keys;

// Answer letters, lifelines and editing keys keep their codes; every other key still counts as
// a key (the Czech number row types "ě" on the key of "2"; a Czech "z" key lies where "y" is).
TEST(KeyCodes, EveryKeyHasTheCodeTheScreensExpect) {
    const std::tuple<SDL_Keycode, SDL_Scancode, int> cases[] = {
        {SDLK_a, SDL_SCANCODE_A, 'A'},
        {SDLK_d, SDL_SCANCODE_D, 'D'},
        {SDLK_F5, SDL_SCANCODE_F5, kF5},
        {SDLK_F10, SDL_SCANCODE_F10, kF10},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, kReturn},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, kEscape},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, kBack},
        {0x11B, SDL_SCANCODE_2, '2'},
        {0xFD, SDL_SCANCODE_8, '8'},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {SDLK_KP_5, SDL_SCANCODE_KP_5, 101},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0}};
    for (const auto& [sym, scancode, code] : cases)
        EXPECT_EQ(KeyCode(SDL_Keysym{scancode, sym, 0, 0}), code) << scancode;
    const int comma = KeyCode(SDL_Keysym{SDL_SCANCODE_COMMA, SDLK_COMMA, 0, 0});
    EXPECT_TRUE(comma != 0 && (comma < 'A' || comma > 'D'));
}
