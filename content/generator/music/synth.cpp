#include "generator/music/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace music {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Partials stay below this many cycles per sample, fading in from half of it:
// the players resample without interpolation, so anything near the sample's
// own Nyquist frequency would come back as an audible mirror image.
constexpr double kTopFrequency = 0.3;
constexpr int kBlock = 32;  // samples between updates of the envelopes

double taper(double cycles_per_sample) {
    if (cycles_per_sample >= kTopFrequency) return 0;
    const double start = kTopFrequency / 2;
    if (cycles_per_sample <= start) return 1;
    const double x = (cycles_per_sample - start) / (kTopFrequency - start);
    const double c = std::cos(x * std::numbers::pi / 2);
    return c * c;
}

// A resonant two-pole response times a plain one: 24 dB per octave.
double lowpass_gain(double hz, double cutoff, double resonance) {
    const double x = hz / std::max(cutoff, 1.0);
    const double q = 0.707 + 6.0 * resonance;
    const double resonant = 1 / std::sqrt((1 - x * x) * (1 - x * x) + (x / q) * (x / q));
    const double plain = 1 / std::sqrt((1 - x * x) * (1 - x * x) + 2 * x * x);
    return resonant * plain;
}

struct Partial {
    int harmonic;
    double step;       // radians per sample
    double phase;
    double base_gain;  // waveform, voice, taper
    double hz;         // at the reference pitch
};

}  // namespace

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() { return double(next() >> 11) / double(1ull << 53); }
double Rng::bipolar() { return 2 * uniform() - 1; }

double midi_hz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12); }

Curve adsr(double attack, double decay, double sustain) {
    return [=](double t) {
        if (t < attack) return t / attack;
        return sustain + (1 - sustain) * std::exp(-(t - attack) / decay);
    };
}

Curve strike(double attack, double ring) {
    return [=](double t) {
        if (t < attack) return t / attack;
        return std::pow(10.0, -3.0 * (t - attack) / ring);
    };
}

Curve constant(double v) {
    return [=](double) { return v; };
}

Curve glide(double a, double b, double seconds) {
    return [=](double t) { return t >= seconds ? b : a * std::pow(b / a, t / seconds); };
}

double saw(int h) { return 1.0 / h; }
double square(int h) { return h % 2 == 1 ? 1.0 / h : 0.0; }
double triangle(int h) { return h % 2 == 1 ? ((h / 2) % 2 == 0 ? 1.0 : -1.0) / (double(h) * h) : 0.0; }
std::function<double(int)> pulse(double duty) {
    return [duty](int h) { return std::sin(std::numbers::pi * h * duty) / h; };
}

Rendered render(const Tone& tone, double period, double reference_hz) {
    const double rate = period * reference_hz;  // samples per second at the reference pitch
    Rendered out;
    const int attack = std::max(1, int(std::lround(tone.attack * rate)));
    double cycles = 0;  // of the fundamental in one loop
    int loop_length = 0;
    if (tone.loop > 0) {
        cycles = std::max(1.0, std::round(tone.loop * rate / period));
        // Every detuned voice must gain or lose at least one whole cycle per
        // loop, or it would not be detuned at all.
        for (const Voice& v : tone.voices)
            if (v.cents != 0) cycles = std::max(cycles, std::ceil(1.0 / std::abs(std::exp2(v.cents / 1200) - 1)));
        loop_length = int(std::lround(cycles * period));
        out.period = double(loop_length) / cycles;
        out.looped = true;
        out.loop_start = uint32_t(attack);
        out.loop_end = uint32_t(attack + loop_length);
    } else {
        out.period = period;
    }
    const int length = attack + loop_length;
    out.data.assign(size_t(length), 0.0);

    Rng rng(tone.phase_seed);
    std::vector<Partial> partials;
    for (const Voice& v : tone.voices) {
        const double ratio = std::exp2(v.cents / 1200);
        double voice_cycles = 0;
        if (out.looped) {
            voice_cycles = cycles + std::round(cycles * (ratio - 1));
            if (v.cents != 0 && voice_cycles == cycles) voice_cycles += v.cents > 0 ? 1 : -1;
        }
        for (int h = 1; h <= tone.max_harmonics; ++h) {
            const double amplitude = tone.wave(h);
            const double stretched = tone.ratio ? tone.ratio(h) : h * (1 + tone.stretch * (h - 1));
            double per_sample = 0;  // cycles per sample
            if (out.looped)
                per_sample = std::round(stretched * voice_cycles) / loop_length;
            else
                per_sample = stretched * ratio / out.period;
            const double t = taper(per_sample);
            if (t == 0 || amplitude == 0) continue;
            const double phase = tone.phase_seed != 0 ? kTwoPi * rng.uniform() : 0.0;
            const double hz = per_sample * rate;
            const double body = tone.body ? tone.body(hz) : 1.0;
            partials.push_back({h, kTwoPi * per_sample, phase, amplitude * v.gain * t * body, hz});
        }
    }

    const double attack_seconds = attack / rate;
    auto gain_at = [&](const Partial& p, double t, double amp, double cutoff) {
        if (out.looped) t = std::min(t, attack_seconds);
        double g = p.base_gain * amp;
        if (tone.cutoff) g *= lowpass_gain(p.hz, cutoff, tone.resonance);
        if (tone.harmonic_decay > 0) g *= std::exp(-tone.harmonic_decay * (p.harmonic - 1) * t);
        return g;
    };
    for (int start = 0; start < length; start += kBlock) {
        const int end = std::min(length, start + kBlock);
        double t0 = start / rate;
        double t1 = end / rate;
        if (out.looped) {
            t0 = std::min(t0, attack_seconds);
            t1 = std::min(t1, attack_seconds);
        }
        const double amp0 = tone.amp(t0), amp1 = tone.amp(t1);
        const double cut0 = tone.cutoff ? tone.cutoff(t0) : 0, cut1 = tone.cutoff ? tone.cutoff(t1) : 0;
        for (const Partial& p : partials) {
            const double g0 = gain_at(p, t0, amp0, cut0);
            const double g1 = gain_at(p, t1, amp1, cut1);
            if (g0 == 0 && g1 == 0) continue;
            // Exact phase at the block start, then a rotation per sample.
            const double phase = std::fmod(p.phase + p.step * start, kTwoPi);
            double c = std::cos(phase), s = std::sin(phase);
            const double cr = std::cos(p.step), sr = std::sin(p.step);
            const double dg = (g1 - g0) / (end - start);
            double g = g0;
            for (int i = start; i < end; ++i) {
                out.data[size_t(i)] += g * s;
                const double nc = c * cr - s * sr;
                s = s * cr + c * sr;
                c = nc;
                g += dg;
            }
        }
    }
    if (tone.breath > 0) {
        // Filtered noise that fades out well before the loop begins.
        Signal chiff = noise(attack, tone.phase_seed + 77);
        filter(chiff, rate, Pass::Band, constant(reference_hz * 4), 1.2);
        const double fade = std::min(0.08, attack_seconds);
        for (int i = 0; i < attack; ++i) {
            const double t = i / rate;
            const double env = t < 0.005 ? t / 0.005 : std::max(0.0, 1 - (t - 0.005) / fade);
            out.data[size_t(i)] += tone.breath * env * env * chiff[size_t(i)];
        }
    }
    return out;
}

Signal noise(int length, uint64_t seed) {
    Rng rng(seed);
    Signal s(size_t(std::max(length, 0)));
    for (double& v : s) v = rng.bipolar();
    return s;
}

Signal sweep(int length, double rate, const Curve& hz, const Curve& amp) {
    Signal s(size_t(std::max(length, 0)));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        s[i] = amp(t) * std::sin(phase);
        phase = std::fmod(phase + kTwoPi * hz(t) / rate, kTwoPi);
    }
    return s;
}

Signal fm(int length, double rate, double hz, double ratio, const Curve& index, const Curve& amp) {
    Signal s(size_t(std::max(length, 0)));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double mod = index(t) * std::sin(kTwoPi * hz * ratio * t);
        s[i] = amp(t) * std::sin(kTwoPi * hz * t + mod);
    }
    return s;
}

void filter(Signal& s, double rate, Pass kind, const Curve& cutoff_hz, double q) {
    // Trapezoidal state-variable filter: stable at any cutoff below Nyquist.
    double ic1 = 0, ic2 = 0;
    double a1 = 0, a2 = 0, a3 = 0;
    const double k = 1 / std::max(q, 0.05);
    for (size_t i = 0; i < s.size(); ++i) {
        if (i % kBlock == 0) {
            const double fc = std::clamp(cutoff_hz(double(i) / rate), 10.0, rate * 0.45);
            const double g = std::tan(std::numbers::pi * fc / rate);
            a1 = 1 / (1 + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
        }
        const double v0 = s[i];
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        switch (kind) {
        case Pass::Low: s[i] = v2; break;
        case Pass::Band: s[i] = v1; break;
        case Pass::High: s[i] = v0 - k * v1 - v2; break;
        }
    }
}

void shape(Signal& s, double rate, const Curve& gain) {
    for (size_t i = 0; i < s.size(); ++i) s[i] *= gain(double(i) / rate);
}

void add(Signal& into, const Signal& from, double gain, int offset) {
    const size_t need = size_t(std::max(offset, 0)) + from.size();
    if (into.size() < need) into.resize(need, 0.0);
    for (size_t i = 0; i < from.size(); ++i) into[size_t(std::max(offset, 0)) + i] += gain * from[i];
}

void saturate(Signal& s, double drive) {
    const double norm = std::tanh(drive);
    for (double& v : s) v = std::tanh(v * drive) / norm;
}

writers::S3mSample to_sample(const Rendered& r, double c2spd, const char* name) {
    writers::S3mSample out;
    out.name = name;
    out.sixteen_bit = true;
    out.c2spd = uint32_t(std::lround(c2spd));
    out.loop = r.looped;
    out.loop_start = r.loop_start;
    out.loop_end = r.loop_end;

    Signal scaled = r.data;
    // A short rise, so a sound whose first value is far from zero does not
    // start with a click; it stays out of the loop.
    const size_t rise = std::min<size_t>({16, scaled.size(), r.looped ? r.loop_start : scaled.size()});
    for (size_t i = 0; i < rise; ++i) scaled[i] *= double(i) / double(rise);
    if (!r.looped) {
        // A one-shot ends at zero.
        const size_t fall = std::min<size_t>(256, scaled.size() / 4);
        for (size_t i = 0; i < fall; ++i) {
            const double x = double(i + 1) / double(fall);
            scaled[scaled.size() - 1 - i] *= x * x;
        }
    }
    // Full range after the fades, so 16 bits are used to the top.
    double peak = 0;
    for (double v : scaled) peak = std::max(peak, std::abs(v));
    const double scale = peak > 0 ? 32000.0 / peak : 0.0;
    for (double& v : scaled) v *= scale;
    out.data.reserve(scaled.size());
    for (double v : scaled)
        out.data.push_back(int16_t(std::isfinite(v) ? std::lround(std::clamp(v, -32767.0, 32767.0)) : 0));
    return out;
}

writers::S3mSample to_sample(const Signal& s, double c2spd, const char* name) {
    Rendered r;
    r.data = s;
    return to_sample(r, c2spd, name);
}

}  // namespace music
