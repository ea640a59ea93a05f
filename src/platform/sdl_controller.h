// Game controllers in the SDL back end: the first one connected steers player
// two through the same key events the keyboard gives (controller_map.h).
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/platform.h"

namespace platform {

// Starts watching for controllers (those already connected are reported by
// SDL as arrivals). Does nothing when the settings turned controllers off.
void controllers_start();
// Closes every controller and stops watching.
void controllers_stop();
// Handles one SDL event if it is a controller's: true, with the key events it
// causes appended to `out`. False for every other event.
bool controller_event(const SDL_Event& event, std::vector<Event>& out);
// Key-ups for everything a controller holds (the window lost the focus).
void controllers_release(std::vector<Event>& out);

}  // namespace platform
