#include "generator/music/instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace music {

namespace {

// Players read a 32-bit c2spd, but trackers of the format's era kept it
// below 65536; a sample outside this band is moved by octaves instead.
constexpr double kHighestC2spd = 60000;
constexpr double kLowestC2spd = 4000;

// A smooth bump for formants and bodies.
double bump(double hz, double centre, double width) {
    const double x = (hz - centre) / width;
    return 1 / (1 + x * x);
}

double vowel_ah(double hz) {
    return 0.12 + bump(hz, 780, 110) + 0.5 * bump(hz, 1180, 120) + 0.22 * bump(hz, 2800, 200);
}

// Partials by table: ratio and amplitude of partial h (1-based); past the
// table's end there are none.
struct PartialTable {
    std::vector<double> ratios;
    std::vector<double> amplitudes;
    void apply(Tone& t) const {
        auto r = ratios;
        auto a = amplitudes;
        t.max_harmonics = int(r.size());
        t.ratio = [r](int h) { return r[size_t(h - 1)]; };
        t.wave = [a](int h) { return a[size_t(h - 1)]; };
    }
};

int samples(double seconds) { return int(std::lround(seconds * drums::kRate)); }

// The metallic core of hats and cymbals: square waves at unrelated pitches.
Signal metal(int length, double scale) {
    static const double kPitches[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Signal s(size_t(std::max(length, 0)), 0.0);
    for (double p : kPitches) {
        const double hz = p * scale;
        for (size_t i = 0; i < s.size(); ++i) {
            const double phase = std::fmod(hz * double(i) / drums::kRate, 1.0);
            s[i] += phase < 0.5 ? 1.0 : -1.0;
        }
    }
    for (double& v : s) v /= 6;
    return s;
}

}  // namespace

Instrument pitched(const std::string& name, const Tone& tone, int low, int high, double top_rate) {
    Instrument inst;
    inst.name = name;
    for (int lo = low; lo <= high; lo += 12) {
        // A short remainder joins the zone below instead of getting its own.
        const int top = high - lo < 15 ? high : lo + 11;
        const double reference = midi_hz((lo + top) / 2.0);
        const double period = top_rate / midi_hz(top);
        const Rendered r = render(tone, period, reference);
        double c2spd = r.period * midi_hz(kMiddleC);
        int shift = 0;
        while (c2spd > kHighestC2spd) {
            c2spd /= 2;
            shift += 12;
        }
        while (c2spd < kLowestC2spd) {
            c2spd *= 2;
            shift -= 12;
        }
        Instrument::Zone zone;
        zone.top = top;
        zone.shift = shift;
        zone.sample = to_sample(r, c2spd, (name + " " + std::to_string(lo) + "-" + std::to_string(top)).c_str());
        inst.zones.push_back(std::move(zone));
        if (top == high) break;
    }
    return inst;
}

Instrument unpitched(const std::string& name, const Signal& s, double rate) {
    Instrument inst;
    inst.name = name;
    Instrument::Zone zone;
    zone.sample = to_sample(s, rate, name.c_str());
    inst.zones.push_back(std::move(zone));
    return inst;
}

namespace tones {

Tone bass_synth(double brightness, double resonance) {
    Tone t;
    t.wave = [](int h) { return 0.8 * saw(h) + 0.35 * square(h); };
    t.cutoff = glide(2600 * brightness, 520 * brightness, 0.22);
    t.resonance = resonance;
    t.amp = adsr(0.003, 0.14, 0.72);
    t.attack = 0.3;
    t.loop = 0.5;
    t.max_harmonics = 40;
    return t;
}

Tone bass_sub() {
    Tone t;
    t.wave = [](int h) { return h == 1 ? 1.0 : h == 2 ? 0.28 : h == 3 ? 0.1 : h == 4 ? 0.04 : 0.0; };
    t.amp = adsr(0.004, 0.2, 0.85);
    t.attack = 0.25;
    t.loop = 0.5;
    t.max_harmonics = 4;
    return t;
}

Tone bass_pluck() {
    Tone t;
    t.wave = saw;
    t.cutoff = glide(4200, 320, 0.45);
    t.resonance = 0.45;
    t.harmonic_decay = 3;
    t.amp = strike(0.002, 1.5);
    t.attack = 1.3;
    t.max_harmonics = 40;
    return t;
}

Tone lead_saw(double detune_cents, double brightness) {
    Tone t;
    t.wave = saw;
    t.voices = {{-detune_cents / 2, 1.0}, {detune_cents / 2, 0.85}};
    t.cutoff = glide(900 * brightness, 4200 * brightness, 0.07);
    t.resonance = 0.2;
    t.amp = adsr(0.008, 0.25, 0.82);
    t.attack = 0.25;
    t.loop = 0.8;
    t.phase_seed = 5;
    return t;
}

Tone lead_square(double duty) {
    Tone t;
    t.wave = pulse(duty);
    t.cutoff = constant(5200);
    t.amp = adsr(0.004, 0.12, 0.8);
    t.attack = 0.15;
    t.loop = 0.3;
    return t;
}

Tone brass() {
    Tone t;
    t.wave = saw;
    t.voices = {{-5, 1.0}, {5, 0.9}};
    t.cutoff = glide(380, 2400, 0.12);
    t.resonance = 0.15;
    t.amp = adsr(0.035, 0.3, 0.85);
    t.breath = 0.12;
    t.attack = 0.35;
    t.loop = 0.8;
    t.phase_seed = 6;
    return t;
}

Tone flute() {
    Tone t;
    t.wave = [](int h) { return h == 1 ? 1.0 : h == 2 ? 0.22 : h == 3 ? 0.1 : h == 4 ? 0.03 : 0.0; };
    t.voices = {{0, 1.0}, {4, 0.25}};
    t.amp = adsr(0.06, 0.3, 0.9);
    t.breath = 0.45;
    t.attack = 0.3;
    t.loop = 0.6;
    t.max_harmonics = 4;
    t.phase_seed = 7;
    return t;
}

Tone strings(uint64_t seed) {
    Tone t;
    t.wave = saw;
    t.voices = {{-9, 1.0}, {0, 0.9}, {8, 1.0}};
    t.cutoff = constant(2800);
    t.resonance = 0.1;
    t.amp = adsr(0.35, 0.3, 0.9);
    t.attack = 0.7;
    t.loop = 1.2;
    t.phase_seed = seed;
    return t;
}

Tone choir(uint64_t seed) {
    Tone t;
    t.wave = [](int h) { return 1.0 / std::sqrt(double(h)); };
    t.body = vowel_ah;
    t.voices = {{-11, 1.0}, {0, 0.8}, {9, 1.0}, {17, 0.5}};
    t.amp = adsr(0.3, 0.4, 0.9);
    t.attack = 0.7;
    t.loop = 1.2;
    t.max_harmonics = 32;
    t.phase_seed = seed;
    return t;
}

Tone warm_pad(uint64_t seed) {
    Tone t;
    t.wave = [](int h) { return triangle(h) + 0.3 * saw(h); };
    t.voices = {{-6, 1.0}, {6, 1.0}};
    t.cutoff = constant(1700);
    t.amp = adsr(0.5, 0.5, 0.95);
    t.attack = 0.9;
    t.loop = 1.2;
    t.phase_seed = seed;
    return t;
}

Tone organ() {
    Tone t;
    t.wave = [](int h) {
        switch (h) {
        case 1: return 1.0;
        case 2: return 0.7;
        case 3: return 0.45;
        case 4: return 0.4;
        case 6: return 0.25;
        case 8: return 0.2;
        case 10: return 0.08;
        case 12: return 0.07;
        default: return 0.0;
        }
    };
    t.voices = {{0, 1.0}, {3, 0.35}};
    t.amp = adsr(0.008, 0.05, 1.0);
    t.breath = 0.08;
    t.attack = 0.12;
    t.loop = 0.8;
    t.max_harmonics = 12;
    t.phase_seed = 8;
    return t;
}

Tone pluck(double brightness) {
    Tone t;
    // Plucked near one end: every harmonic present, the high ones faint.
    t.wave = [](int h) { return 1.0 / std::pow(double(h), 1.3); };
    t.cutoff = glide(5200 * brightness, 1300 * brightness, 0.6);
    t.harmonic_decay = 2.5;
    t.amp = strike(0.002, 1.8);
    t.attack = 1.6;
    return t;
}

Tone harpsichord() {
    Tone t;
    t.wave = [](int h) { return (h % 5 == 0 ? 0.4 : 1.0) / std::pow(double(h), 0.85); };
    t.stretch = 0.0004;
    t.harmonic_decay = 2.2;
    t.amp = strike(0.001, 1.5);
    t.attack = 1.4;
    return t;
}

Tone epiano() {
    Tone t;
    PartialTable{{1, 2, 3, 4, 7.05}, {1.0, 0.3, 0.1, 0.04, 0.22}}.apply(t);
    t.harmonic_decay = 1.2;
    t.amp = strike(0.003, 2.4);
    t.attack = 2.2;
    return t;
}

Tone bell() {
    Tone t;
    PartialTable{{0.5, 1, 1.19, 1.5, 2.0, 2.5, 2.67, 3.0, 4.1, 5.43},
                 {0.35, 1.0, 0.5, 0.3, 0.45, 0.22, 0.18, 0.2, 0.12, 0.08}}
        .apply(t);
    t.harmonic_decay = 0.7;
    t.amp = strike(0.002, 2.6);
    t.attack = 2.2;
    return t;
}

Tone glass() {
    Tone t;
    PartialTable{{1, 2.32, 4.25, 6.63, 9.38}, {1.0, 0.45, 0.28, 0.14, 0.07}}.apply(t);
    t.voices = {{0, 1.0}, {6, 0.5}};
    t.harmonic_decay = 0.8;
    t.amp = strike(0.001, 2.2);
    t.attack = 2.2;
    return t;
}

Tone mallet() {
    Tone t;
    PartialTable{{1, 3.93, 9.2}, {1.0, 0.35, 0.1}}.apply(t);
    t.harmonic_decay = 5;
    t.amp = strike(0.001, 0.8);
    t.attack = 0.85;
    return t;
}

Tone clav() {
    Tone t;
    t.wave = pulse(0.15);
    t.cutoff = glide(5000, 1500, 0.2);
    t.resonance = 0.35;
    t.harmonic_decay = 3;
    t.amp = strike(0.001, 0.6);
    t.attack = 0.6;
    t.max_harmonics = 40;
    return t;
}

Tone buzz() {
    Tone t;
    t.wave = pulse(0.12);
    t.voices = {{-12, 1.0}, {12, 0.8}};
    t.cutoff = constant(5200);
    t.amp = adsr(0.01, 0.1, 0.9);
    t.attack = 0.15;
    t.loop = 0.6;
    t.phase_seed = 9;
    return t;
}

}  // namespace tones

namespace drums {

Signal kick(double punch, double low_hz) {
    const double top = low_hz * (1 + 2.4 * punch);
    Signal s = sweep(samples(0.45), kRate,
                     [=](double t) { return low_hz + (top - low_hz) * std::exp(-t / 0.03); },
                     strike(0.0008, 0.42));
    Signal click = noise(samples(0.004), 101);
    filter(click, kRate, Pass::High, constant(1800));
    add(s, click, 0.35 * punch);
    saturate(s, 1.4);
    return s;
}

Signal snare(double body_hz, double snap) {
    Signal s = sweep(samples(0.25), kRate, glide(body_hz * 1.3, body_hz, 0.03), strike(0.001, 0.16));
    add(s, sweep(samples(0.15), kRate, constant(body_hz * 1.75), strike(0.001, 0.08)), 0.45);
    Signal rattle = noise(samples(0.3), 102);
    filter(rattle, kRate, Pass::Band, constant(3800), 0.55);
    shape(rattle, kRate, strike(0.001, 0.2 * snap + 0.05));
    add(s, rattle, 1.1 * snap);
    saturate(s, 1.3);
    return s;
}

Signal clap() {
    Signal s = noise(samples(0.3), 103);
    filter(s, kRate, Pass::Band, constant(1250), 1.4);
    shape(s, kRate, [](double t) {
        double burst = 0;
        for (double at : {0.0, 0.011, 0.022})
            if (t >= at) burst = std::max(burst, std::exp(-(t - at) / 0.005));
        const double tail = t >= 0.03 ? 0.7 * std::exp(-(t - 0.03) / 0.07) : 0.0;
        return std::max(burst, tail);
    });
    return s;
}

Signal hat(double seconds, uint64_t seed) {
    const int n = samples(seconds + 0.05);
    Signal s = noise(n, seed);
    filter(s, kRate, Pass::High, constant(7200), 0.7);
    Signal m = metal(n, 2.0);
    filter(m, kRate, Pass::Band, constant(8500), 1.5);
    add(s, m, 0.8);
    shape(s, kRate, strike(0.0004, seconds));
    return s;
}

Signal crash(uint64_t seed) {
    const int n = samples(1.7);
    Signal s = noise(n, seed);
    Signal m = metal(n, 1.6);
    add(s, m, 0.7);
    filter(s, kRate, Pass::High, constant(4200), 0.6);
    filter(s, kRate, Pass::Low, glide(13000, 6000, 1.5), 0.6);
    shape(s, kRate, strike(0.002, 1.6));
    return s;
}

Signal ride() {
    const int n = samples(1.4);
    Signal s = metal(n, 1.3);
    filter(s, kRate, Pass::Band, constant(5200), 2.0);
    add(s, sweep(n, kRate, constant(3150), constant(0.25)));
    Signal hiss = noise(n, 104);
    filter(hiss, kRate, Pass::High, constant(8000));
    add(s, hiss, 0.2);
    shape(s, kRate, strike(0.001, 1.3));
    return s;
}

Signal tom(double hz) {
    Signal s = sweep(samples(0.6), kRate, glide(hz * 1.6, hz, 0.08), strike(0.001, 0.55));
    Signal skin = noise(samples(0.05), 105);
    filter(skin, kRate, Pass::Low, constant(1200));
    shape(skin, kRate, strike(0.001, 0.04));
    add(s, skin, 0.25);
    return s;
}

Signal shaker() {
    Signal s = noise(samples(0.12), 106);
    filter(s, kRate, Pass::Band, constant(6500), 1.0);
    shape(s, kRate, [](double t) { return t < 0.015 ? t / 0.015 : std::exp(-(t - 0.015) / 0.025); });
    return s;
}

Signal rim() {
    Signal s = sweep(samples(0.08), kRate, constant(1750), strike(0.0003, 0.04));
    Signal n = noise(samples(0.03), 107);
    filter(n, kRate, Pass::Band, constant(4200), 1.5);
    shape(n, kRate, strike(0.0003, 0.02));
    add(s, n, 0.6);
    return s;
}

Signal clank() {
    const int n = samples(0.7);
    Signal s = fm(n, kRate, 380, 1.414, glide(6, 0.6, 0.3), strike(0.001, 0.6));
    add(s, fm(n, kRate, 1210, 2.76, constant(2.5), strike(0.001, 0.3)), 0.45);
    Signal hit = noise(samples(0.02), 108);
    filter(hit, kRate, Pass::High, constant(2500));
    add(s, hit, 0.4);
    saturate(s, 1.2);
    return s;
}

Signal timpani(double hz) {
    const int n = samples(1.8);
    Signal s(size_t(n), 0.0);
    const double modes[] = {1.0, 1.5, 1.98, 2.44};
    const double gains[] = {1.0, 0.5, 0.3, 0.15};
    for (int i = 0; i < 4; ++i)
        add(s, sweep(n, kRate, glide(hz * modes[i] * 1.02, hz * modes[i], 0.2), strike(0.003, 1.6 - 0.3 * i)),
            gains[i]);
    Signal thump = noise(samples(0.08), 109);
    filter(thump, kRate, Pass::Low, constant(600));
    shape(thump, kRate, strike(0.002, 0.07));
    add(s, thump, 0.3);
    return s;
}

Signal riser(double seconds) {
    Signal s = noise(samples(seconds), 110);
    filter(s, kRate, Pass::Band, glide(300, 9000, seconds), 2.0);
    shape(s, kRate, [=](double t) { return (t / seconds) * (t / seconds); });
    return s;
}

}  // namespace drums

}  // namespace music
