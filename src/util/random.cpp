#include "util/random.h"

namespace {
unsigned long rand_state = 1;
}

void game_srand(unsigned seed) { rand_state = seed; }

unsigned long game_rand_state() { return rand_state; }

// A linear congruential generator with 15-bit output, the same on every machine.
int game_rand() {
    rand_state = (rand_state * 214013UL + 2531011UL) & 0xFFFFFFFFUL;
    return static_cast<int>((rand_state >> 16) & 0x7FFF);
}
