// Module "sound": the twelve effects, synthesised, as Sound/<name>.WAV
// (22050 Hz, 16-bit, mono). Each effect is made for what plays it; the ship's
// shot and the pick-ups are the most frequent, so they are the shortest.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "generator/art/preview.h"
#include "generator/art/random.h"
#include "generator/module.h"
#include "generator/sound/synth.h"
#include "writers/data_writers.h"

namespace sound {
namespace {

uint64_t seed(const char* name) { return art::seed_of(name); }

// A burst of fire: noise whose brightness falls with its loudness, over a
// low thump.
Buffer blast(double seconds, double bright, double low, const char* name) {
    Buffer n = noise(seconds, seed(name));
    filter(n, Filter::LowPass, glide(bright, 120, seconds * 0.8), 0.35);
    shape(n, strike(0.004, seconds));
    Buffer thump = tone(seconds * 0.6, glide(low, low * 0.35, seconds * 0.5), Wave::Sine);
    shape(thump, strike(0.002, seconds * 0.55));
    mix(n, thump, 0.9);
    return n;
}

// "g3": an enemy blows up (and may drop a power-up).
Buffer enemy_explosion() {
    Buffer b = blast(0.62, 5200, 110, "g3");
    // Crackle of debris in the tail.
    Buffer crackle = stepped_noise(0.5, glide(2400, 500, 0.5), seed("g3-crackle"));
    filter(crackle, Filter::HighPass, constant(900), 0.1);
    shape(crackle, [](double t) { return 0.35 * std::pow(10.0, -3.0 * t / 0.5) * (0.5 + 0.5 * std::sin(t * 190)); });
    mix(b, crackle, 1.0, 0.05);
    drive(b, 1.6);
    return b;
}

// "g4": the ship's laser, fired on every press: a short falling zap.
Buffer ship_shot() {
    Buffer b = tone(0.13, glide(1900, 260, 0.12), Wave::Square, 0.3);
    filter(b, Filter::LowPass, glide(7000, 1500, 0.12), 0.45);
    shape(b, strike(0.002, 0.13));
    Buffer click = noise(0.015, seed("g4"));
    shape(click, strike(0.0005, 0.015));
    mix(b, click, 0.4);
    return b;
}

// "g5": a heavier blaster.
Buffer heavy_shot() {
    Buffer b = tone(0.26, glide(900, 110, 0.24), Wave::Saw);
    Buffer sub = tone(0.26, glide(450, 60, 0.24), Wave::Square, 0.5);
    mix(b, sub, 0.6);
    filter(b, Filter::LowPass, glide(5000, 400, 0.24), 0.7);
    shape(b, strike(0.003, 0.26));
    drive(b, 2.0);
    return b;
}

// "g9": a rising whoosh, a charge or a launch; it swells, then dies away
// (the band-pass rings on, so the swell closes well before the end).
Buffer whoosh() {
    Buffer b = noise(0.6, seed("g9"));
    filter(b, Filter::BandPass, glide(250, 3200, 0.5), 0.6);
    const auto swell = [](double t) { return std::pow(std::sin(std::min(1.0, t / 0.5) * 3.14159265), 1.5); };
    shape(b, swell);
    Buffer whine = tone(0.6, glide(300, 1800, 0.5), Wave::Triangle);
    shape(whine, [swell](double t) { return 0.25 * swell(t); });
    mix(b, whine);
    shape(b, [](double t) { return t < 0.5 ? 1.0 : std::pow(10.0, -3.0 * (t - 0.5) / 0.1); });
    return b;
}

// "ex9": a boss comes apart: blasts on blasts over a long rumble.
Buffer boss_explosion() {
    Buffer b = blast(1.7, 3200, 70, "ex9");
    const double at[] = {0.18, 0.42, 0.75, 1.05};
    const double bright[] = {6000, 4200, 5200, 2800};
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ex9-" + std::to_string(i);
        mix(b, blast(0.6, bright[i], 90 - i * 8, name.c_str()), 0.75 - i * 0.1, at[i]);
    }
    // The long rumble: low noise that wavers, rolling on after the blasts and
    // dying away only in the last quarter second (a sub-bass tone under it
    // for weight; on its own it would be felt rather than heard).
    Buffer rumble = noise(2.2, seed("ex9-rumble"));
    filter(rumble, Filter::LowPass, glide(420, 140, 2.0), 0.45);
    filter(rumble, Filter::HighPass, constant(45), 0.1);
    shape(rumble, [](double t) {
        const double swell = std::min(1.0, t / 0.25);
        const double fall = t < 1.9 ? std::pow(10.0, -0.6 * t / 1.9) : 0.251 * std::pow(10.0, -3.0 * (t - 1.9) / 0.3);
        return swell * fall * (0.7 + 0.3 * std::sin(t * 23));
    });
    mix(b, rumble, 3.0);
    Buffer sub = tone(2.2, glide(55, 30, 2.0), Wave::Sine);
    shape(sub, [](double t) { return std::min(1.0, t / 0.05) * std::pow(10.0, -2.0 * t / 2.2); });
    mix(b, sub, 0.5);
    drive(b, 1.8);
    return b;
}

// "scream": the ship is lost: a falling, wavering wail that breaks off into
// a blast, louder than the wail, whose rumble rolls on after it.
Buffer ship_lost() {
    Buffer wail = tone(0.7, [](double t) { return 880 * std::pow(0.2, t / 0.7) * (1 + 0.04 * std::sin(t * 48)); },
                       Wave::Saw);
    filter(wail, Filter::BandPass, glide(1800, 600, 0.7), 0.8);
    shape(wail, [](double t) { return std::min(1.0, t / 0.02) * (t < 0.5 ? 1.0 : std::max(0.0, 1.0 - (t - 0.5) / 0.2)); });
    Buffer b;
    mix(b, wail, 0.6);
    mix(b, blast(1.1, 5200, 80, "scream"), 4.0, 0.45);
    Buffer rumble = noise(0.9, seed("scream-rumble"));
    filter(rumble, Filter::LowPass, glide(500, 150, 0.8), 0.4);
    shape(rumble, [](double t) { return std::min(1.0, t / 0.08) * std::pow(10.0, -2.4 * t / 0.9); });
    mix(b, rumble, 1.6, 0.55);
    drive(b, 1.5);
    return b;
}

// "yeah": a weapon power-up taken (also the effect-volume preview): a bright
// rising arpeggio.
Buffer weapon_pickup() {
    Buffer b;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i) {
        Buffer n = tone(0.22, constant(notes[i]), Wave::Triangle);
        Buffer sparkle = tone(0.22, constant(notes[i] * 2.0), Wave::Sine);
        mix(n, sparkle, 0.35);
        shape(n, strike(0.004, 0.2));
        mix(b, n, 0.8, i * 0.055);
    }
    echo(b, 0.07, 0.3, 2);
    return b;
}

// "drip": a bonus power-up taken: a round bloop upwards and a smaller,
// higher one after it, as a drop falls and splashes back.
Buffer bonus_pickup() {
    auto bloop = [](double from, double to) {
        Buffer b = tone(0.15, glide(from, to, 0.09), Wave::Sine);
        Buffer body = tone(0.15, glide(from / 2, to / 2, 0.09), Wave::Triangle);
        mix(b, body, 0.3);
        shape(b, strike(0.003, 0.15));
        return b;
    };
    Buffer b = bloop(520, 1500);
    mix(b, bloop(780, 2100), 0.45, 0.1);
    echo(b, 0.06, 0.25, 2);
    return b;
}

// "trap": the shield takes a hit: a metallic clang with a buzz.
Buffer shield_hit() {
    Buffer b;
    const double partials[] = {430, 1127, 1731, 2652, 3310};
    const double decays[] = {0.3, 0.2, 0.16, 0.1, 0.07};
    for (int i = 0; i < 5; ++i) {
        Buffer p = tone(0.32, constant(partials[i]), Wave::Sine);
        shape(p, strike(0.001, decays[i]));
        mix(b, p, 1.0 / (1 + i * 0.5));
    }
    Buffer buzz = tone(0.18, glide(140, 90, 0.18), Wave::Square, 0.4);
    filter(buzz, Filter::LowPass, constant(1600), 0.3);
    shape(buzz, strike(0.002, 0.18));
    mix(b, buzz, 0.45);
    Buffer hit = noise(0.03, seed("trap"));
    filter(hit, Filter::HighPass, constant(2500), 0.2);
    shape(hit, strike(0.0005, 0.03));
    mix(b, hit, 0.6);
    return b;
}

// "click" and "tick": interface clicks.
Buffer click(double seconds, double pitch, const char* name) {
    Buffer b = noise(seconds, seed(name));
    filter(b, Filter::BandPass, constant(pitch), 0.6);
    Buffer ping = tone(seconds, constant(pitch), Wave::Sine);
    mix(b, ping, 0.5);
    shape(b, strike(0.0003, seconds));
    return b;
}

// "orchit": a full-band stab: a detuned chord that snaps shut.
Buffer stab() {
    Buffer b;
    const double chord[] = {130.81, 196.0, 261.63, 329.63, 392.0};
    int voice = 0;
    for (double f : chord)
        for (double detune : {-0.006, 0.0, 0.007}) {
            Buffer v = tone(0.8, constant(f * (1 + detune)), Wave::Saw);
            mix(b, v, 0.2 + (voice++ % 3 == 1 ? 0.1 : 0.0));
        }
    filter(b, Filter::LowPass, glide(7000, 700, 0.5), 0.25);
    shape(b, [](double t) { return std::min(1.0, t / 0.006) * (0.25 + 0.75 * std::pow(10.0, -3.0 * t / 0.35)) * std::pow(10.0, -3.0 * t / 0.8); });
    Buffer attack = noise(0.06, seed("orchit"));
    filter(attack, Filter::BandPass, constant(1800), 0.3);
    shape(attack, strike(0.001, 0.06));
    mix(b, attack, 0.8);
    drive(b, 1.3);
    return b;
}

// A picture of a sound for the preview sheet: its waveform, 1 pixel per
// 2.5 ms, on a dark strip.
writers::Image waveform(const std::vector<int16_t>& pcm) {
    const int columns = std::max(1, int(pcm.size() / 55)), height = 64;
    writers::Image image(columns, height, writers::Rgb{16, 20, 32});
    for (int x = 0; x < columns; ++x) {
        int lo = 0, hi = 0;
        for (size_t i = size_t(x) * 55; i < std::min(pcm.size(), size_t(x + 1) * 55); ++i) {
            lo = std::min(lo, int(pcm[i]));
            hi = std::max(hi, int(pcm[i]));
        }
        const int top = height / 2 - hi * (height / 2 - 1) / 32768, bottom = height / 2 - lo * (height / 2 - 1) / 32768;
        for (int y = std::max(0, top); y <= std::min(height - 1, bottom); ++y) image.at(x, y) = writers::Rgb{90, 200, 255};
    }
    return image;
}

bool write_sounds(const content::Context& context) {
    struct Effect {
        const char* name;
        Buffer samples;
        bool pickup = false;
    };
    const Effect effects[] = {
        {"g3", enemy_explosion()},     {"g4", ship_shot()},      {"g5", heavy_shot()},
        {"g9", whoosh()},              {"ex9", boss_explosion()}, {"scream", ship_lost()},
        {"yeah", weapon_pickup(), true}, {"drip", bonus_pickup(), true}, {"trap", shield_hit()},
        {"click", click(0.035, 2200, "click")}, {"tick", click(0.02, 4200, "tick")}, {"orchit", stab()},
    };
    bool ok = true;
    writers::WaveOptions format;
    format.rate = kRate;
    format.bits = 16;
    format.channels = 1;
    std::vector<art::PreviewItem> preview;
    // One loudness for all of them (RMS -17 dBFS over the whole sound), so
    // none jumps out of the mix: the quiet clang and the loud wail alike.
    // The two pick-ups, short and heard as a pair, share a level over their
    // loudest 400 ms instead, as the ear takes in a short sound.
    const double loudness = std::pow(10.0, -17.0 / 20.0);
    const double pickup_loudness = std::pow(10.0, -15.5 / 20.0);
    for (const Effect& e : effects) {
        const std::vector<int16_t> pcm =
            e.pickup ? to_pcm_at(e.samples, pickup_loudness, 0.94, 0.4) : to_pcm_at(e.samples, loudness);
        ok = writers::write_file(context.path(std::string("Sound/") + e.name + ".WAV"), writers::encode_wav(pcm, format)) &&
             ok;
        preview.push_back({std::string(e.name) + " " + std::to_string(pcm.size() * 1000 / kRate) + " MS", {waveform(pcm)}, false, {}});
    }
    const char* dir = std::getenv("VELMORA_PREVIEWS");
    if (dir && *dir) {
        writers::make_directories(dir);
        art::write_preview_sheet(std::string(dir) + "/sound.png", "sound", preview);
    }
    return ok;
}

const content::Registration registration{"sound", &write_sounds};

}  // namespace
}  // namespace sound
