// The last stage of the mix: music and effects are summed with headroom (32
// bits) and brought under the output's full scale by a look-ahead limiter, so
// a loud effect over loud music turns the whole mix down for a moment instead
// of flattening its peaks at the rail.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "audio/sliding_minimum.h"

namespace mixer {

class Limiter {
public:
    // Frames between a sample entering and leaving: the gain starts falling
    // this long before a peak, so the peak itself already meets the ceiling.
    static constexpr int kLookAheadFrames = 64;  // 1.45 ms at 44100 Hz
    static constexpr int kLatencyFrames = kLookAheadFrames - 1;
    // Highest magnitude let out: -0.3 dB below full scale.
    static constexpr int32_t kCeiling = 31656;

    Limiter();

    // Turns `frames` stereo frames of summed samples into output frames
    // `kLatencyFrames` later. Allocates nothing; one thread at a time.
    void process(const int32_t* in, int16_t* out, int frames);
    // Forgets everything: silence in the delay line, unity gain.
    void reset();
    // The gain applied to the frame that left last (1 when nothing is limited).
    float gain() const { return release_gain_; }

private:
    float frame_gain(int32_t left, int32_t right) const;

    std::array<int32_t, 2 * kLookAheadFrames> delay_{};  // stereo frames waiting to leave
    SlidingMinimum<kLookAheadFrames> lowest_needed_{1.0f};  // gain the waiting frames need
    std::array<float, kLookAheadFrames> window_min_{};      // that lowest as each frame arrived
    size_t position_ = 0;  // where the next frame enters
    int lowered_ = 0;      // entries of `window_min_` below 1
    double min_sum_ = kLookAheadFrames;  // sum of `window_min_`
    float release_gain_ = 1.0f;
};

}  // namespace mixer
