// Keys of the real backend as the screens see them.
#include "platform/sdl/key_codes.h"

#include <gtest/gtest.h>

#include "platform/input.h"

using tolarka::platform::sdl::KeyCode;
namespace keys = tolarka::platform::keys;

namespace {
SDL_Keysym Key(SDL_Keycode sym, SDL_Scancode scancode) {
    SDL_Keysym k{};
    k.sym = sym;
    k.scancode = scancode;
    return k;
}
}  // namespace

TEST(KeyCodes, AnswerLettersLifelinesAndEditingKeysKeepTheirCodes) {
    EXPECT_EQ(KeyCode(Key(SDLK_a, SDL_SCANCODE_A)), 'A');
    EXPECT_EQ(KeyCode(Key(SDLK_d, SDL_SCANCODE_D)), 'D');
    EXPECT_EQ(KeyCode(Key(SDLK_F5, SDL_SCANCODE_F5)), keys::kF5);
    EXPECT_EQ(KeyCode(Key(SDLK_F10, SDL_SCANCODE_F10)), keys::kF10);
    EXPECT_EQ(KeyCode(Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)), keys::kReturn);
    EXPECT_EQ(KeyCode(Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE)), keys::kEscape);
    EXPECT_EQ(KeyCode(Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE)), keys::kBack);
}

TEST(KeyCodes, EveryOtherKeyStillCountsAsAKey) {
    // The Czech number row types "ě" on the key of "2"; a Czech "z" key lies where "y" is.
    EXPECT_EQ(KeyCode(Key(0x11B, SDL_SCANCODE_2)), '2');
    EXPECT_EQ(KeyCode(Key(0xFD, SDL_SCANCODE_8)), '8');
    EXPECT_EQ(KeyCode(Key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT)), 16);
    EXPECT_EQ(KeyCode(Key(SDLK_RCTRL, SDL_SCANCODE_RCTRL)), 17);
    EXPECT_EQ(KeyCode(Key(SDLK_DOWN, SDL_SCANCODE_DOWN)), 40);
    EXPECT_EQ(KeyCode(Key(SDLK_KP_5, SDL_SCANCODE_KP_5)), 101);
    const int comma = KeyCode(Key(SDLK_COMMA, SDL_SCANCODE_COMMA));
    EXPECT_NE(comma, 0);
    EXPECT_FALSE(comma >= 'A' && comma <= 'D');
    EXPECT_EQ(KeyCode(Key(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN)), 0);
}
