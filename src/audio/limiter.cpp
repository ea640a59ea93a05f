#include "audio/limiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/mixer.h"

namespace mixer {

namespace {

// The gain recovers toward 1 with this time constant once the peaks have gone.
constexpr double kReleaseSeconds = 0.040;
const float kReleaseStep = float(1.0 - std::exp(-1.0 / (kReleaseSeconds * kRate)));
// Closer to the target than this (0.01 dB) counts as there, so the gain gets
// back to exactly 1 and quiet passages pass untouched.
constexpr float kSnap = 1e-3f;

// Rounds to the nearest whole number, halves to even (as std::nearbyint does
// in the default rounding mode), without a library call: adding 1.5 * 2^23
// leaves no fraction bits. Exact for |x| < 2^22; the caller clamps first.
float round_even(float x) {
    constexpr float kMagic = 12582912.0f;
    return (x + kMagic) - kMagic;  // IEEE arithmetic: never folded to x
}

int16_t to_output(int32_t sample, float gain) {
    if (gain == 1.0f) return int16_t(std::clamp(sample, int32_t{-32768}, int32_t{32767}));
    const float scaled = std::clamp(float(sample) * gain, -32768.0f, 32767.0f);
    return int16_t(round_even(scaled));
}

}  // namespace

Limiter::Limiter() { reset(); }

void Limiter::reset() {
    delay_.fill(0);
    window_min_.fill(1.0f);
    position_ = 0;
    lowest_needed_.reset();
    lowered_ = 0;
    min_sum_ = kLookAheadFrames;
    release_gain_ = 1.0f;
}

float Limiter::frame_gain(int32_t left, int32_t right) const {
    const int64_t peak = std::max(std::llabs(int64_t(left)), std::llabs(int64_t(right)));
    return peak > kCeiling ? float(kCeiling) / float(peak) : 1.0f;
}

void Limiter::process(const int32_t* in, int16_t* out, int frames) {
    constexpr size_t n = kLookAheadFrames;
    for (int f = 0; f < frames; ++f) {
        const int32_t left = in[2 * f], right = in[2 * f + 1];
        delay_[2 * position_] = left;
        delay_[2 * position_ + 1] = right;
        const float needed = frame_gain(left, right);

        // The lowest gain any frame of the window needs, then its average over
        // the last window: the average falls in a straight ramp across the
        // look-ahead and never above what the leaving frame needs, since every
        // minimum it averages covers that frame. A count of the minima below 1
        // lets quiet passages skip the average.
        const float lowest = lowest_needed_.push(needed);
        lowered_ += int(lowest < 1.0f) - int(window_min_[position_] < 1.0f);
        min_sum_ += double(lowest) - double(window_min_[position_]);
        window_min_[position_] = lowest;
        if (lowered_ == 0) min_sum_ = double(n);  // exact again, whatever rounding gathered
        const float target = lowered_ == 0 ? 1.0f : std::min(1.0f, float(min_sum_ / double(n)));

        if (target <= release_gain_) {
            release_gain_ = target;
        } else {
            release_gain_ += (target - release_gain_) * kReleaseStep;
            if (target - release_gain_ < kSnap) release_gain_ = target;
        }

        const size_t leaving = (position_ + 1) % n;  // the frame that entered n - 1 frames ago
        out[2 * f] = to_output(delay_[2 * leaving], release_gain_);
        out[2 * f + 1] = to_output(delay_[2 * leaving + 1], release_gain_);
        position_ = leaving;
    }
}

}  // namespace mixer
