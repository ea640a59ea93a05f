#include "platform/sdl_keymap.h"

#include <cctype>
#include <string>
#include <vector>

#include "platform/input_options.h"

namespace platform {

namespace {

std::string trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])) != 0) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])) != 0) --e;
    return s.substr(b, e - b);
}

// SDL's code for one key name; SDLK_UNKNOWN for names it does not know and
// for the keys the game keeps: Escape opens the menu, F12 takes a picture.
SDL_Keycode usable_key(const std::string& name) {
    if (name.empty()) return SDLK_UNKNOWN;
    const SDL_Keycode code = SDL_GetKeyFromName(name.c_str());
    if (code == SDLK_ESCAPE || code == SDLK_F12) return SDLK_UNKNOWN;
    return code;
}

}  // namespace

bool key_codes_for_names(const std::string& names, std::vector<int32_t>& codes, std::string& bad) {
    codes.clear();
    bad.clear();
    const std::string whole = trimmed(names);
    // A name with a comma in it (",", "Keypad ,") stands alone.
    if (const SDL_Keycode code = usable_key(whole); code != SDLK_UNKNOWN) {
        codes.push_back(code);
        return true;
    }
    size_t start = 0;
    while (true) {
        const size_t comma = whole.find(',', start);
        const std::string name = trimmed(whole.substr(start, comma == std::string::npos ? std::string::npos
                                                                                          : comma - start));
        const SDL_Keycode code = usable_key(name);
        if (code == SDLK_UNKNOWN) {
            bad = name;
            codes.clear();
            return false;
        }
        codes.push_back(code);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

std::string key_name(int vkey, int32_t key) {
    SDL_Keycode code = key;
    if (code == SDLK_UNKNOWN && vkey != 0) {
        // By position, through the names SDL gives its scancodes, so no
        // keyboard needs to be open (a replay, a headless run).
        for (int sc = SDL_SCANCODE_UNKNOWN + 1; sc < SDL_NUM_SCANCODES && code == SDLK_UNKNOWN; ++sc) {
            const char* name = SDL_GetScancodeName(static_cast<SDL_Scancode>(sc));
            if (name == nullptr || name[0] == '\0') continue;
            const SDL_Keycode candidate = SDL_GetKeyFromName(name);
            if (candidate != SDLK_UNKNOWN && vkey_for(static_cast<SDL_Scancode>(sc), candidate) == vkey) code = candidate;
        }
    }
    if (code == SDLK_UNKNOWN) return {};
    const std::string name = SDL_GetKeyName(code);
    return usable_key(name) != SDLK_UNKNOWN ? name : std::string();
}

int game_vkey_for(SDL_Scancode scancode, SDL_Keycode keycode) {
    const int job = job_vkey_for_key(keycode);
    return job != 0 ? job : vkey_for(scancode, keycode);
}

int vkey_for(SDL_Scancode sc, SDL_Keycode kc) {
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 0x61 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_KP_0: return 0x60;
        case SDL_SCANCODE_KP_MULTIPLY: return 0x6A;
        case SDL_SCANCODE_KP_PLUS: return 0x6B;
        case SDL_SCANCODE_KP_MINUS: return 0x6D;
        case SDL_SCANCODE_KP_PERIOD: return 0x6E;
        case SDL_SCANCODE_KP_DIVIDE: return 0x6F;
        case SDL_SCANCODE_KP_ENTER: return 0x0D;
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL: return 0x11;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT: return 0x10;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT: return 0x12;
        case SDL_SCANCODE_LEFT: return 0x25;
        case SDL_SCANCODE_UP: return 0x26;
        case SDL_SCANCODE_RIGHT: return 0x27;
        case SDL_SCANCODE_DOWN: return 0x28;
        default: break;
    }
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 0x70 + (sc - SDL_SCANCODE_F1);
    if (kc >= SDLK_a && kc <= SDLK_z) return 'A' + (kc - SDLK_a);
    if (kc >= SDLK_0 && kc <= SDLK_9) return '0' + (kc - SDLK_0);
    switch (kc) {
        case SDLK_SPACE: return 0x20;
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_RETURN: return 0x0D;
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_PAUSE: return 0x13;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        default: break;
    }
    // Layouts without Latin letters or digits on these keys: go by position.
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return '0';
    return 0;
}

}  // namespace platform
