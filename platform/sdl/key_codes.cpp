#include "platform/sdl/key_codes.h"

#include "platform/input.h"

namespace tolarka::platform::sdl {

namespace {

int FromKeycode(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return keys::kF1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 97 + (k - SDLK_KP_1);
    switch (k) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return keys::kReturn;
        case SDLK_ESCAPE: return keys::kEscape;
        case SDLK_BACKSPACE: return keys::kBack;
        case SDLK_TAB: return keys::kTab;
        case SDLK_SPACE: return keys::kSpace;
        case SDLK_DELETE: return keys::kDelete;
        case SDLK_LEFT: return keys::kLeft;
        case SDLK_UP: return 38;
        case SDLK_RIGHT: return keys::kRight;
        case SDLK_DOWN: return 40;
        case SDLK_HOME: return keys::kHome;
        case SDLK_END: return keys::kEnd;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_INSERT: return 45;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 17;
        case SDLK_LALT:
        case SDLK_RALT: return 18;
        case SDLK_PAUSE: return 19;
        case SDLK_CAPSLOCK: return 20;
        case SDLK_KP_0: return 96;
        case SDLK_KP_MULTIPLY: return 106;
        case SDLK_KP_PLUS: return 107;
        case SDLK_KP_MINUS: return 109;
        case SDLK_KP_PERIOD: return 110;
        case SDLK_KP_DIVIDE: return 111;
        default: return 0;
    }
}

}  // namespace

int KeyCode(const SDL_Keysym& key) {
    if (const int code = FromKeycode(key.sym)) return code;
    // National layouts put other characters on the letter and digit keys (the Czech number row
    // types ě, š, č, ...): such keys still count by their place.
    const SDL_Scancode s = key.scancode;
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return 'A' + (s - SDL_SCANCODE_A);
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
    if (s == SDL_SCANCODE_0) return '0';
    // Punctuation and every other key: a code of its own class that no screen names.
    return s == SDL_SCANCODE_UNKNOWN ? 0 : 0xFF;
}

}  // namespace tolarka::platform::sdl
