// Sound making for the music's instruments: additive tones that loop
// seamlessly, noise, filters and sweeps for the drums, and the step that turns
// a signal into a module sample. Everything is deterministic (seeded noise,
// no clock).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "writers/s3m_writer.h"

namespace music {

using Signal = std::vector<double>;
using Curve = std::function<double(double seconds)>;

// A small seeded generator (splitmix64).
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform();  // [0, 1)
    double bipolar();  // [-1, 1)

private:
    uint64_t state_;
};

// Frequency of a MIDI note (69 = A 440 Hz). MIDI 60, middle C, is the
// module's C-5: a sample plays it at its c2spd.
double midi_hz(double note);
constexpr int kMiddleC = 60;

// Envelopes. `adsr` rises linearly over `attack`, falls exponentially to
// `sustain` with time constant `decay`; `strike` rises and then falls by
// 60 dB over `ring`.
Curve adsr(double attack, double decay, double sustain);
Curve strike(double attack, double ring);
Curve constant(double v);
// From a to b exponentially over `seconds` (both above 0), then b.
Curve glide(double a, double b, double seconds);

// One detuned copy of a tone.
struct Voice {
    double cents = 0;
    double gain = 1;
};

// A pitched tone described by its harmonics. Everything that moves (loudness,
// brightness, the faster fading of high harmonics) settles by the end of
// `attack` when the tone loops, so the loop that follows is seamless.
struct Tone {
    std::function<double(int harmonic)> wave;  // amplitude of harmonic 1, 2, ...
    std::vector<Voice> voices{Voice{}};
    Curve amp = constant(1);
    Curve cutoff;              // Hz at the reference pitch; empty: no filter
    std::function<double(double hz)> body;  // fixed resonances (formants); empty: none
    double resonance = 0;      // 0 .. 0.9
    double harmonic_decay = 0; // per second, times (harmonic - 1): plucked strings
    double stretch = 0;        // partial h sounds at h * (1 + stretch * (h - 1)): pianos
    std::function<double(int)> ratio;  // or at ratio(h) times the fundamental: bells, bars
    double breath = 0;         // noise at the start (chiff), gone before the loop
    double attack = 0.3;       // seconds before the loop, or the whole length without one
    double loop = 0;           // seconds of loop; 0: a one-shot that fades out at its end
    int max_harmonics = 64;
    uint64_t phase_seed = 0;   // 0: all harmonics start in sine phase
};

// A rendered sample: `period` samples per fundamental cycle (not necessarily
// whole), and the loop if any.
struct Rendered {
    Signal data;
    double period = 0;
    bool looped = false;
    uint32_t loop_start = 0;
    uint32_t loop_end = 0;
};

// Renders `tone` with the given samples per cycle; times in the tone are
// seconds at `reference_hz`.
Rendered render(const Tone& tone, double period, double reference_hz);

// Common waveforms as harmonic amplitudes.
double saw(int h);
double square(int h);
double triangle(int h);
std::function<double(int)> pulse(double duty);

// ---- unpitched sounds, at a fixed rate ----

Signal noise(int length, uint64_t seed);
// Phase-continuous sine whose frequency follows `hz`, shaped by `amp`.
Signal sweep(int length, double rate, const Curve& hz, const Curve& amp);
// Two-operator FM: carrier `hz`, modulator at `ratio` times it, index over time.
Signal fm(int length, double rate, double hz, double ratio, const Curve& index, const Curve& amp);
enum class Pass { Low, High, Band };
// A state-variable filter with moving cutoff; `q` 0.5 (soft) .. 10 (ringing).
void filter(Signal& s, double rate, Pass kind, const Curve& cutoff_hz, double q = 0.7);
void shape(Signal& s, double rate, const Curve& gain);
void add(Signal& into, const Signal& from, double gain = 1, int offset = 0);
void saturate(Signal& s, double drive);

// A module sample from a signal: scaled to full range, the ends of a
// one-shot faded so it neither starts nor stops with a click, stored 16-bit.
// `c2spd` is the rate at which C-5 plays.
writers::S3mSample to_sample(const Rendered& r, double c2spd, const char* name);
writers::S3mSample to_sample(const Signal& s, double c2spd, const char* name);

}  // namespace music
