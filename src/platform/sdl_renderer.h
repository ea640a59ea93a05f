// The SDL renderer for the game window, chosen as renderer_choice.h says.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/renderer_choice.h"

namespace platform {

// Makes what draws into `window`: an accelerated SDL renderer, or for the
// software choice none (`renderer` null: the window's own surface). False
// when neither can be had. `description` names it ("software", "opengl on
// llvmpipe ...").
bool create_window_renderer(SDL_Window* window, RendererSetting setting, SDL_Renderer*& renderer,
                            std::string& description);

}  // namespace platform
