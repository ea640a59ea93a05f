// The one source of random numbers for game logic, seeded at start-up
// (--seed), so that a run is a pure function of data, seed and input. Same
// range as the C library's rand() on the original platform: 0..32767.
#pragma once

constexpr int kGameRandMax = 32767;

void game_srand(unsigned seed);
int game_rand();
