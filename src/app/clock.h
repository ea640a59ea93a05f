// The game's millisecond clock and frame deadlines, read through the platform
// back end (real time with a window, a virtual clock headless).
#pragma once

#include <cstdint>

// Returns once now_ms() has reached `deadline_ms`: sleeps most of the way and
// spins the rest (headless: the virtual clock jumps there). A deadline already
// passed returns at once; the 32-bit wrap of the millisecond count is handled.
void wait_until_ms(uint32_t deadline_ms);
