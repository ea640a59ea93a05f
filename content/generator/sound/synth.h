// A small synthesiser for the sound effects: oscillators with moving pitch,
// seeded noise, a resonant filter, envelopes, mixing, and conversion to
// 16-bit PCM without clipping. Everything runs at one rate, in doubles.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace sound {

inline constexpr int kRate = 22050;

using Buffer = std::vector<double>;
// A value that moves over time (seconds from the start of the sound).
using Curve = std::function<double(double)>;

// Curves for pitch, cutoff and loudness.
Curve constant(double v);
// From `a` to `b` over `seconds`, exponentially (a and b above 0), then stays at b.
Curve glide(double a, double b, double seconds);
// Linear from `a` to `b` over `seconds`, then stays at b.
Curve ramp(double a, double b, double seconds);
// Rises over `attack`, then falls exponentially by 60 dB over `decay`.
Curve strike(double attack, double decay);

enum class Wave { Sine, Triangle, Square, Saw };

Buffer silence(double seconds);
// An oscillator whose frequency (Hz) follows `pitch`; the phase is continuous.
Buffer tone(double seconds, const Curve& pitch, Wave wave, double duty = 0.5);
// White noise from a seeded generator.
Buffer noise(double seconds, uint64_t seed);
// Noise held for 1/rate_hz seconds per value: grainy, pitched crackle.
Buffer stepped_noise(double seconds, const Curve& rate_hz, uint64_t seed);

// Multiplies every sample by gain(t).
void shape(Buffer& b, const Curve& gain);
// A state-variable filter; `resonance` 0 (none) .. 0.95 (ringing).
enum class Filter { LowPass, BandPass, HighPass };
void filter(Buffer& b, Filter kind, const Curve& cutoff_hz, double resonance = 0.2);
// Soft saturation: warmer and louder without hard clipping.
void drive(Buffer& b, double amount);

// Adds `src` times `gain` into `dst` starting at `at` seconds, growing dst.
void mix(Buffer& dst, const Buffer& src, double gain = 1.0, double at = 0.0);
// A few fading repeats, `delay` seconds apart.
void echo(Buffer& b, double delay, double feedback, int repeats);

// Removes any constant offset, scales the peak to `peak` (below 1), fades the
// first millisecond in and the tail out (the last 15 %, 6 to 80 ms) so the
// sound starts without a click and ends in silence, and rounds to 16 bits.
std::vector<int16_t> to_pcm(const Buffer& b, double peak = 0.89);
// As to_pcm, but scaled to a loudness: an RMS of `rms` (of full scale) over
// the whole sound, or with `window` seconds over its loudest stretch of that
// length (silence after a shorter sound counting in, as a listener hears it).
// Peaks that would pass `ceiling` are rounded off by a soft limiter, so every
// effect reaches its level without clipping.
std::vector<int16_t> to_pcm_at(const Buffer& b, double rms, double ceiling = 0.94, double window = 0);

}  // namespace sound
