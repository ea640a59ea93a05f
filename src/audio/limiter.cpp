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

int16_t to_output(int32_t sample, float gain) {
    const float scaled = gain == 1.0f ? float(sample) : std::nearbyint(float(sample) * gain);
    return int16_t(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

Limiter::Limiter() { reset(); }

void Limiter::reset() {
    delay_.fill(0);
    needed_.fill(1.0f);
    window_min_.fill(1.0f);
    position_ = 0;
    loud_ = 0;
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
        loud_ += int(needed < 1.0f) - int(needed_[position_] < 1.0f);
        needed_[position_] = needed;

        // The lowest gain any frame of the window needs, then its average over
        // the last window: the average falls in a straight ramp across the
        // look-ahead and never above what the leaving frame needs, since every
        // minimum it averages covers that frame. Counts of the entries below 1
        // let quiet passages skip both scans.
        const float lowest = loud_ == 0 ? 1.0f : *std::min_element(needed_.begin(), needed_.end());
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
