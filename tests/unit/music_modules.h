// Small S3M modules for the music and writer tests.
#pragma once

#include <cmath>

#include "writers/s3m_writer.h"

namespace music_fixtures {

// One looped sine cycle, so a held note sounds until the tune stops.
inline writers::S3mSample tone(bool sixteen_bit = false) {
    writers::S3mSample s;
    s.sixteen_bit = sixteen_bit;
    for (int i = 0; i < 64; ++i) s.data.push_back(int16_t(std::lround(20000 * std::sin(2 * M_PI * i / 64))));
    s.loop = true;
    s.loop_end = 64;
    return s;
}

// Two channels, one pattern broken off after `rows` rows of 60 ms (speed 3,
// tempo 125): the tune ends after rows * 60 ms.
inline writers::S3mModule short_tune(int rows = 4) {
    writers::S3mModule m;
    m.channels = 2;
    m.initial_speed = 3;
    m.samples = {tone()};
    writers::S3mPattern p(2);
    p.at(0, 0) = {writers::s3m_note(5, 0), 1, -1, 0, 0};
    p.at(0, 1) = {writers::s3m_note(5, 7), 1, 32, 0, 0};
    p.at(rows - 1, 0).command = 'C';
    m.patterns = {p};
    m.orders = {0};
    return m;
}

// Two orders of two rows (0.24 s); the second jumps back to the first with B00.
inline writers::S3mModule looping_tune() {
    writers::S3mModule m = short_tune(2);
    writers::S3mPattern back(2);
    back.at(0, 0) = {writers::s3m_note(4, 0), 1, -1, 0, 0};
    back.at(1, 0).command = 'B';
    m.patterns.push_back(back);
    m.orders = {0, 1};
    return m;
}

}  // namespace music_fixtures
