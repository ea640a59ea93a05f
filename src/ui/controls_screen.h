// The Controls screen, opened from the options screen (in its game state):
// player one's fire key and player two's five keys, each given a new key by
// choosing the job and pressing the key. Escape (or the controller's B or
// Start) cancels; a key another job has is refused with a word on screen.
#pragma once

class Velmora_Win;

bool controls_screen_open();
void open_controls_screen();
// Back to the options screen (also for a test that starts afresh).
void close_controls_screen();
// One frame of the screen, drawn over the whole back buffer.
void draw_controls_screen(Velmora_Win& win);
