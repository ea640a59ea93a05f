#include "generator/sound/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "generator/art/random.h"

namespace sound {

namespace {

size_t samples_for(double seconds) { return size_t(std::lround(std::max(0.0, seconds) * kRate)); }
double time_of(size_t i) { return double(i) / kRate; }
}  // namespace

Curve constant(double v) {
    return [v](double) { return v; };
}

Curve glide(double a, double b, double seconds) {
    return [=](double t) {
        if (seconds <= 0 || t >= seconds) return b;
        return a * std::pow(b / a, std::max(0.0, t) / seconds);
    };
}

Curve ramp(double a, double b, double seconds) {
    return [=](double t) {
        if (seconds <= 0 || t >= seconds) return b;
        return a + (b - a) * std::max(0.0, t) / seconds;
    };
}

Curve strike(double attack, double decay) {
    return [=](double t) {
        if (t < 0) return 0.0;
        if (t < attack) return t / attack;
        return std::pow(10.0, -3.0 * (t - attack) / decay);  // -60 dB at `decay`
    };
}

Buffer silence(double seconds) { return Buffer(samples_for(seconds), 0.0); }

Buffer tone(double seconds, const Curve& pitch, Wave wave, double duty) {
    Buffer out(samples_for(seconds));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double v = 0;
        switch (wave) {
            case Wave::Sine: v = std::sin(2 * std::numbers::pi * phase); break;
            case Wave::Triangle: v = 1.0 - 4.0 * std::abs(phase - 0.5); break;
            case Wave::Square: v = phase < duty ? 1.0 : -1.0; break;
            case Wave::Saw: v = 2.0 * phase - 1.0; break;
        }
        out[i] = v;
        phase += std::max(0.0, pitch(time_of(i))) / kRate;
        phase -= std::floor(phase);
    }
    return out;
}

Buffer noise(double seconds, uint64_t seed) {
    art::Random random(seed);
    Buffer out(samples_for(seconds));
    for (double& v : out) v = random.range(-1.0, 1.0);
    return out;
}

Buffer stepped_noise(double seconds, const Curve& rate_hz, uint64_t seed) {
    art::Random random(seed);
    Buffer out(samples_for(seconds));
    double held = random.range(-1.0, 1.0), clock = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        clock += std::max(1.0, rate_hz(time_of(i))) / kRate;
        if (clock >= 1.0) {
            clock -= std::floor(clock);
            held = random.range(-1.0, 1.0);
        }
        out[i] = held;
    }
    return out;
}

void shape(Buffer& b, const Curve& gain) {
    for (size_t i = 0; i < b.size(); ++i) b[i] *= gain(time_of(i));
}

void filter(Buffer& b, Filter kind, const Curve& cutoff_hz, double resonance) {
    // Chamberlin state-variable filter, run twice per sample for stability
    // at high cutoffs.
    double low = 0, band = 0;
    const double damping = 2.0 * (1.0 - std::clamp(resonance, 0.0, 0.97));
    for (size_t i = 0; i < b.size(); ++i) {
        const double fc = std::clamp(cutoff_hz(time_of(i)), 10.0, kRate * 0.45);
        const double f = 2.0 * std::sin(std::numbers::pi * fc / (2.0 * kRate));
        double high = 0;
        for (int pass = 0; pass < 2; ++pass) {
            low += f * band;
            high = b[i] - low - damping * band;
            band += f * high;
        }
        b[i] = kind == Filter::LowPass ? low : (kind == Filter::BandPass ? band : high);
    }
}

void drive(Buffer& b, double amount) {
    const double k = std::max(0.01, amount);
    const double norm = 1.0 / std::tanh(k);
    for (double& v : b) v = std::tanh(v * k) * norm;
}

void mix(Buffer& dst, const Buffer& src, double gain, double at) {
    const size_t start = samples_for(at);
    if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0);
    for (size_t i = 0; i < src.size(); ++i) dst[start + i] += src[i] * gain;
}

void echo(Buffer& b, double delay, double feedback, int repeats) {
    const Buffer dry = b;
    double gain = 1.0;
    for (int r = 1; r <= repeats; ++r) {
        gain *= feedback;
        mix(b, dry, gain, delay * r);
    }
}

namespace {

// The offset blocked, the first millisecond faded in, the tail faded out.
Buffer finished(const Buffer& input) {
    // Block any constant offset (a pulse wave carries one): it would thump
    // when the sound starts and waste headroom. Starting from the first value
    // lets an offset present from the start leave without a step.
    Buffer b(input.size());
    double last_in = input.empty() ? 0.0 : input.front(), last_out = 0;
    for (size_t i = 0; i < input.size(); ++i) {
        last_out = input[i] - last_in + 0.995 * last_out;
        last_in = input[i];
        b[i] = last_out;
    }
    const size_t fade_in = std::min(b.size(), samples_for(0.001));
    const size_t fade_out =
        std::min(b.size(), std::clamp(b.size() * 15 / 100, samples_for(0.006), samples_for(0.08)));
    for (size_t i = 0; i < fade_in; ++i) b[i] *= double(i) / double(fade_in);
    for (size_t i = b.size() - fade_out; i < b.size(); ++i) {
        const double left = double(b.size() - i) / double(fade_out + 1);  // 1 .. 0
        b[i] *= 0.5 - 0.5 * std::cos(left * 3.14159265358979);
    }
    return b;
}

double peak_of(const Buffer& b) {
    double top = 0;
    for (double v : b) top = std::max(top, std::abs(v));
    return top;
}

double rms_of(const Buffer& b) {
    double sum = 0;
    for (double v : b) sum += v * v;
    return b.empty() ? 0.0 : std::sqrt(sum / double(b.size()));
}

// RMS of the loudest `window` samples in a row (0: the whole sound).
double loudest_rms(const Buffer& b, size_t window) {
    if (window == 0 || b.empty()) return rms_of(b);
    double sum = 0, best = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        sum += b[i] * b[i];
        if (i >= window) sum -= b[i - window] * b[i - window];
        best = std::max(best, sum);
    }
    return std::sqrt(std::max(best, 0.0) / double(window));
}

std::vector<int16_t> rounded(const Buffer& b, double scale) {
    std::vector<int16_t> out(b.size());
    for (size_t i = 0; i < b.size(); ++i) out[i] = int16_t(std::lround(std::clamp(b[i] * scale, -1.0, 1.0) * 32767.0));
    return out;
}

}  // namespace

std::vector<int16_t> to_pcm(const Buffer& input, double peak) {
    const Buffer b = finished(input);
    const double top = peak_of(b);
    return rounded(b, top > 0 ? std::min(peak, 0.99) / top : 0.0);
}

std::vector<int16_t> to_pcm_at(const Buffer& input, double rms, double ceiling, double window) {
    Buffer b = finished(input);
    const size_t span = samples_for(window);
    const double knee = ceiling * 0.7;
    // Scale to the loudness; round off what passes the knee; again, until
    // the peaks stay under the ceiling at the right loudness.
    for (int pass = 0; pass < 8; ++pass) {
        const double level = loudest_rms(b, span);
        if (level <= 0) return rounded(b, 0.0);
        const double gain = rms / level;
        for (double& v : b) v *= gain;
        if (peak_of(b) <= ceiling) break;
        for (double& v : b) {
            const double a = std::abs(v);
            if (a > knee) v = std::copysign(knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee)), v);
        }
    }
    return rounded(b, 1.0);
}

}  // namespace sound
