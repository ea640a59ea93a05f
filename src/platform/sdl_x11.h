// What SDL does not tell about a window on X11: where it really is, and
// whether a window manager is there to carry out a full-screen request. On a
// bare X server nobody does, and SDL then believes in a size the window never
// got.
#pragma once

#include <SDL.h>

namespace platform::x11 {

// The window's client area in root coordinates as the X server has it.
// False when the window is not an X11 window.
bool real_geometry(SDL_Window* window, SDL_Rect& out);

// True when a window manager runs on the window's screen and says it handles
// full-screen windows (or the window is not on X11: nothing to make up for).
bool manager_does_fullscreen(SDL_Window* window);

// True when the window is on X11 and a window manager runs there, which may
// put a frame around it some time after it is shown.
bool frame_may_come(SDL_Window* window);

// Moves and sizes the window directly, as a window manager would have.
void place(SDL_Window* window, const SDL_Rect& r);

// When the X server goes away (the session ends, the server is killed) the
// program ends with status 1. Xlib's own reaction, exit(), runs the back
// end's destructor, which waits on the dead connection forever at full speed.
void end_when_display_lost();

}  // namespace platform::x11
