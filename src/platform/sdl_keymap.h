// SDL keys to the Windows virtual-key codes the game's tables use.
#pragma once

#include <SDL.h>

namespace platform {

// 0 for keys the game has no code for. Keypad digits go by scancode, so they
// are 0x60..0x69 whatever NumLock says; letters and digits follow the layout
// where it has them and the key's position where it does not.
int vkey_for(SDL_Scancode scancode, SDL_Keycode keycode);

// What the game gets for a key: the code of the job the player named it for
// (input_options.h), else its own code as vkey_for gives it.
int game_vkey_for(SDL_Scancode scancode, SDL_Keycode keycode);

}  // namespace platform
