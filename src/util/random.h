// The one source of random numbers for game logic, seeded at start-up
// (--seed), so that a run is a pure function of data, seed and input. The
// range is 0..32767, which the game's tables and odds are written for.
#pragma once

constexpr int kGameRandMax = 32767;

void game_srand(unsigned seed);
int game_rand();
// The generator's whole state, for digests of the game state.
unsigned long game_rand_state();
