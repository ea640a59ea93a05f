// A line of text over the picture on screen, without touching the game's
// surfaces: the frozen picture while the other player is awaited, and the
// message at the end of a network game.
#pragma once

#include <string>

class DirectDrawWin;

namespace net {

// Shows the front surface with a darkened band across its middle holding
// `text`, centred. Headless runs show nothing.
void show_notice(DirectDrawWin& window, const std::string& text);

}  // namespace net
