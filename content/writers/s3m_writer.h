// S3M tracker modules: header, orders, sample headers with their data, packed
// patterns of 64 rows. Used by the music generator and by test fixtures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace writers {

constexpr uint8_t kS3mNoNote = 255;
constexpr uint8_t kS3mNoteOff = 254;
constexpr uint8_t kS3mOrderMarker = 254;  // an order entry players skip
constexpr int kS3mRows = 64;
constexpr int kS3mMaxChannels = 16;  // PCM channels L1..L8 and R1..R8

// Note byte: octave 0..7, semitone 0 (C) .. 11 (B). C-5 plays a sample at its c2spd.
constexpr uint8_t s3m_note(int octave, int semitone) {
    return uint8_t((octave << 4) | semitone);
}

struct S3mCell {
    uint8_t note = kS3mNoNote;  // s3m_note(...), kS3mNoteOff or kS3mNoNote
    uint8_t instrument = 0;     // 1-based sample number; 0: none
    int volume = -1;            // 0..64; -1: none
    char command = 0;           // effect letter 'A'..'Z'; 0: none
    uint8_t info = 0;           // effect parameter (Cxx takes its row in BCD, as the format does)

    bool empty() const {
        return note == kS3mNoNote && instrument == 0 && volume < 0 && command == 0;
    }
};

struct S3mPattern {
    explicit S3mPattern(int channel_count = 1)
        : channels(channel_count), cells(size_t(kS3mRows) * size_t(channel_count)) {}
    S3mCell& at(int row, int channel) { return cells[size_t(row) * size_t(channels) + size_t(channel)]; }
    const S3mCell& at(int row, int channel) const {
        return cells[size_t(row) * size_t(channels) + size_t(channel)];
    }

    int channels;
    std::vector<S3mCell> cells;  // row-major, kS3mRows x channels
};

struct S3mSample {
    std::string name;             // up to 27 characters are kept
    std::string filename;         // up to 12
    std::vector<int16_t> data;    // mono, full 16-bit range
    bool sixteen_bit = false;     // false: stored as 8-bit (the high byte of each value)
    uint32_t c2spd = 8363;        // playback rate of C-5
    int volume = 64;              // default volume 0..64
    bool loop = false;
    uint32_t loop_start = 0;      // in samples
    uint32_t loop_end = 0;        // in samples, exclusive
};

struct S3mModule {
    std::string title;           // up to 27 characters are kept
    int channels = 4;            // 1..16
    int global_volume = 64;      // 1..64
    int initial_speed = 6;       // ticks per row, 1..32
    int initial_tempo = 125;     // 32..255
    int master_volume = 48;      // 16..127
    bool stereo = true;
    std::vector<int> channel_pan;      // empty, or one 0 (left) .. 15 (right) per channel
    std::vector<uint8_t> orders;       // pattern numbers, or kS3mOrderMarker
    std::vector<S3mSample> samples;
    std::vector<S3mPattern> patterns;  // each with `channels` channels
};

// The file's bytes. Values out of range are clamped; check_s3m reports them.
std::vector<uint8_t> encode_s3m(const S3mModule& module);

// What a player would reject or misplay (speed, tempo, Bxx and Cxx targets,
// sample loops, ...). Empty when the module is sound.
std::vector<std::string> check_s3m(const S3mModule& module);

// Reads a module back: what encode_s3m writes, or any S3M file with PCM
// samples. Orders stop at the first end mark; channels are those enabled up
// to the last one. Nothing when the data is not a module or anything it
// points to lies outside it.
std::optional<S3mModule> decode_s3m(const std::vector<uint8_t>& bytes);

}  // namespace writers
