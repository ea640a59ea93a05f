// Instruments and parts the tunes share, so a tune names them instead of
// setting each one up again.
#pragma once

#include <cstdint>

#include "generator/music/arrange.h"

namespace music {

// The closed and the open hi-hat, added in that order as "closed hat" and
// "open hat": they ring `closed` and `open` seconds, their noise seeded
// `seed` and `seed + 1`.
struct HatPair {
    int closed, open;
};
HatPair add_hats(Song& song, double closed, double open, uint64_t seed);

// A struck or plucked part: its notes ring on through rests and never waver.
Line ringing(int channel, int instrument, int octave, int volume, int step = 2);

}  // namespace music
