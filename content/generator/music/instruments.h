// The instruments of the tunes: recipes for tones and drums, and the step that
// turns a pitched tone into samples covering its range.
#pragma once

#include <string>
#include <vector>

#include "generator/music/synth.h"
#include "writers/s3m_writer.h"

namespace music {

// One instrument as a module holds it: a sample per range of notes. A note is
// written `shift` semitones away from its pitch, so that every sample's c2spd
// stays in the range players accept.
struct Instrument {
    struct Zone {
        int top = 127;  // highest MIDI note the sample plays
        int shift = 0;  // added to the MIDI note when it is written
        writers::S3mSample sample;
    };
    std::string name;
    std::vector<Zone> zones;
};

// Renders `tone` in octave-wide zones from `low` to `high` (MIDI notes). Each
// sample plays its zone's top note at about `top_rate` samples a second:
// fast enough to hold the tone's harmonics, slow enough for fine pitch steps.
Instrument pitched(const std::string& name, const Tone& tone, int low, int high, double top_rate = 30000);
// One sample that C-5 plays at `rate` (drums; toms take other notes for other pitches).
Instrument unpitched(const std::string& name, const Signal& s, double rate);

// Tone recipes. `seed` varies the random phases of a tone with many voices.
namespace tones {
Tone bass_synth(double brightness = 1.0, double resonance = 0.3);  // filtered saw, plucky attack
Tone bass_sub();                                                    // round, nearly a sine
Tone bass_pluck();                                                  // bright slap that decays
Tone lead_saw(double detune_cents = 7, double brightness = 1.0);    // two saws, opens fast
Tone lead_square(double duty = 0.25);                               // hollow pulse
Tone brass();                                                       // saw with a slow opening
Tone flute();                                                       // sine with a breathy start
Tone strings(uint64_t seed = 1);                                    // three detuned saws, slow rise
Tone choir(uint64_t seed = 2);                                      // "ah" formants, detuned
Tone warm_pad(uint64_t seed = 3);                                   // soft triangle stack
Tone organ();                                                       // drawbar harmonics
Tone pluck(double brightness = 1.0);                                // harp-like string
Tone harpsichord();                                                 // bright, quick, a little stretched
Tone epiano();                                                      // soft tine with a bell edge
Tone bell();                                                        // inharmonic, long ring
Tone glass();                                                       // high glassy partials
Tone mallet();                                                      // wooden bar
Tone clav();                                                        // short nasal pluck
Tone buzz();                                                        // thin, bright pulse for insects
}  // namespace tones

// Drum recipes, each at its own rate; `unpitched` turns them into instruments.
namespace drums {
constexpr double kRate = 24000;
Signal kick(double punch = 1.0, double low_hz = 48);
Signal snare(double body_hz = 190, double snap = 1.0);
Signal clap();
Signal hat(double seconds, uint64_t seed = 11);  // closed at 0.05 s, open at 0.4 s
Signal crash(uint64_t seed = 21);
Signal ride();
Signal tom(double hz = 110);
Signal shaker();
Signal rim();
Signal clank();              // struck metal
Signal timpani(double hz = 73);
Signal riser(double seconds);  // noise that swells into the next section
}  // namespace drums

}  // namespace music
