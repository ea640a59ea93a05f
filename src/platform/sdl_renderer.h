// The SDL renderer for the game window, chosen as renderer_choice.h says.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/renderer_choice.h"

namespace platform {

// A renderer for `window`, or null when none can be made. `description`
// names the one made ("software", "opengl on llvmpipe ...").
SDL_Renderer* create_window_renderer(SDL_Window* window, RendererSetting setting, std::string& description);

}  // namespace platform
