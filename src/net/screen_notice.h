// Lines of text over the picture on screen, without touching the game's
// surfaces: the host's port and join code while it waits, the frozen picture
// while the other player is awaited, the input delay when it changes and the
// message at the end of a network game.
#pragma once

#include <string>

class DirectDrawWin;
struct Surface;

namespace net {

// Darkens a band across the middle of `picture` and writes `text` in it, each
// of its lines centred.
void draw_notice(DirectDrawWin& window, Surface& picture, const std::string& text);

// Shows the front surface at once with the notice over it (the picture stands
// still while the other side is awaited). Headless runs show nothing.
void show_notice(DirectDrawWin& window, const std::string& text);

// A short label at the top of the play field, over the picture ("2 watching").
void draw_label(DirectDrawWin& window, Surface& picture, const std::string& text);

// The same with a bar under the text, filled to `fraction` (0..1).
void show_progress_notice(DirectDrawWin& window, const std::string& text, double fraction);

}  // namespace net
