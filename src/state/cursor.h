// The one thing of the window a behaviour touches: where the mouse cursor
// stands. A ship placed without the mouse (at a portal, after its step) puts
// the cursor there so the next mouse motion starts from it. The window
// defines it; behaviours call it without knowing the window.
#pragma once

// Sets Velmora_Win::curx and cury under the window's lock.
void place_cursor(int x, int y);
