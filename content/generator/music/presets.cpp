#include "generator/music/presets.h"

namespace music {

HatPair add_hats(Song& song, double closed, double open, uint64_t seed) {
    const int closed_hat = song.add("closed hat", drums::hat(closed, seed));
    return {closed_hat, song.add("open hat", drums::hat(open, seed + 1))};
}

Line ringing(int channel, int instrument, int octave, int volume, int step) {
    Line line{channel, instrument, octave, volume, step};
    line.vibrato_after = 0;
    line.cut_rests = false;
    return line;
}

}  // namespace music
