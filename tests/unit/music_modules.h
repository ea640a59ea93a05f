// Small S3M modules for the music and writer tests.
#pragma once

#include <cmath>
#include <cstdint>

#include "writers/s3m_writer.h"

namespace music_fixtures {

// A looped sine tone, so a held note sounds for as long as the tune lasts.
inline writers::S3mSample tone(bool sixteen_bit = false) {
    writers::S3mSample s;
    s.name = "tone";
    s.filename = "TONE.SMP";
    s.sixteen_bit = sixteen_bit;
    constexpr int kLength = 64;  // one cycle: 8363 / 64 = about 130 Hz at C-5
    for (int i = 0; i < kLength; ++i)
        s.data.push_back(int16_t(std::lround(20000 * std::sin(2 * M_PI * i / kLength))));
    s.loop = true;
    s.loop_start = 0;
    s.loop_end = kLength;
    return s;
}

// One pattern of `rows` rows (a break after the last): speed 3, tempo 125, so
// each row lasts 60 ms and the tune ends after rows * 60 ms.
inline writers::S3mModule short_tune(int rows = 4) {
    writers::S3mModule m;
    m.title = "short";
    m.channels = 2;
    m.initial_speed = 3;
    m.initial_tempo = 125;
    m.samples = {tone()};
    writers::S3mPattern p(m.channels);
    p.at(0, 0).note = writers::s3m_note(5, 0);
    p.at(0, 0).instrument = 1;
    p.at(0, 1).note = writers::s3m_note(5, 7);
    p.at(0, 1).instrument = 1;
    p.at(0, 1).volume = 32;
    p.at(rows - 1, 0).command = 'C';
    p.at(rows - 1, 0).info = 0;
    m.patterns = {p};
    m.orders = {0};
    return m;
}

// Two orders; the second jumps back to the first with B00, forever unless the
// player is told not to loop.
inline writers::S3mModule looping_tune() {
    writers::S3mModule m = short_tune(2);
    writers::S3mPattern second(m.channels);
    second.at(0, 0).note = writers::s3m_note(4, 0);
    second.at(0, 0).instrument = 1;
    second.at(1, 0).command = 'B';
    second.at(1, 0).info = 0;
    m.patterns.push_back(second);
    m.orders = {0, 1};
    return m;
}

}  // namespace music_fixtures
