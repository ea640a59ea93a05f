// A tune being written: a grid of rows by channels, the instruments, global
// tempo changes and dynamics; `build` turns it into a module (patterns of 64
// rows, identical ones shared) that either plays once through and ends (a
// break after the last row) or jumps from its last row back to a row after
// its intro. While composing, a cell holds the MIDI note and the instrument
// id + 1; `build` puts each note on its sample.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "generator/music/instruments.h"
#include "writers/s3m_writer.h"

namespace music {

class Song {
public:
    // `channels` for the music (at most 15): one more, the last, carries
    // tempo changes and the final break.
    Song(std::string title, int channels, int tempo, int speed = 6);

    // Instruments, by id for `note`. A tone is rendered when the song is
    // built, only over the range of notes it plays; a drum is one sample that
    // C-5 plays at `rate`.
    int add(const std::string& name, const Tone& tone, double top_rate = 30000);
    int add(const std::string& name, const Signal& drum, double rate = drums::kRate);
    // 0 (left) .. 15 (right); 7 and 8 are the middle.
    void pan(int channel, int position);
    // The positions of channels 0, 1, 2 ... in turn.
    void pans(std::initializer_list<int> positions);
    void master_volume(int volume) { master_volume_ = volume; }
    // 1..64: scales the whole tune in both players (the master volume only in some).
    void global_volume(int volume) { global_volume_ = volume; }

    // Volumes are 0..64, before dynamics.
    void note(int channel, int row, int instrument, int midi, int volume);
    void cut(int channel, int row);
    void volume(int channel, int row, int volume);
    // Writes an effect unless the cell already has one; says whether it did.
    bool effect(int channel, int row, char command, uint8_t info);
    // Replaces a whole cell (notes already placed on their sample).
    void set(int channel, int row, const writers::S3mCell& cell);
    // The cell, or null outside the grid written so far.
    const writers::S3mCell* cell(int channel, int row) const;

    // From `row` on, `bpm` (tempo with four rows a beat at speed 6).
    void tempo(int row, int bpm);
    // Scales the volume of the channels (empty: all) from `from` to `to`
    // (exclusive), the factor moving in a straight line from `a` to `b`.
    // Held notes follow through volume changes on the rows between notes.
    void dynamics(const std::vector<int>& channels, int from, int to, double a, double b);
    // The song ends after `rows` rows.
    void end_at(int rows) { length_ = rows; }
    // After its last row the song goes back to `row` (where the theme starts,
    // after the intro) instead of ending: a player loops it from there.
    void loop_back_to(int row) { loop_row_ = row; }

    int channels() const { return channels_; }
    int rows() const;
    int speed() const { return speed_; }
    int initial_tempo() const { return tempo_; }

    writers::S3mModule build() const;

private:
    struct Recipe {
        std::string name;
        Tone tone;
        double top_rate = 0;
        Signal drum;  // non-empty for a drum
        double rate = 0;
    };
    writers::S3mCell& at(int channel, int row);
    // Renders the instruments over the notes they play and puts every note
    // of `grid` on its sample.
    void place_notes(std::vector<std::vector<writers::S3mCell>>& grid,
                     std::vector<writers::S3mSample>& samples) const;

    std::string title_;
    int channels_;
    int tempo_;
    int speed_;
    int master_volume_ = 64;
    int global_volume_ = 64;
    int length_ = -1;
    int loop_row_ = -1;  // -1: the song ends
    std::vector<std::vector<writers::S3mCell>> grid_;  // by channel (the control channel last), then row
    std::vector<int> pans_;
    std::vector<Recipe> instruments_;
    struct Ramp {
        std::vector<int> channels;
        int from, to;
        double a, b;
    };
    std::vector<Ramp> ramps_;
};

}  // namespace music
