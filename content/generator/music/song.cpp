#include "generator/music/song.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {

constexpr int kMaxMusicChannels = writers::kS3mMaxChannels - 1;
constexpr int kHighestNote = 95;  // B-7

bool same(const writers::S3mCell& a, const writers::S3mCell& b) {
    return a.note == b.note && a.instrument == b.instrument && a.volume == b.volume && a.command == b.command &&
           a.info == b.info;
}

bool same(const writers::S3mPattern& a, const writers::S3mPattern& b) {
    if (a.channels != b.channels) return false;
    for (size_t i = 0; i < a.cells.size(); ++i)
        if (!same(a.cells[i], b.cells[i])) return false;
    return true;
}

}  // namespace

Song::Song(std::string title, int channels, int tempo, int speed)
    : title_(std::move(title)),
      channels_(std::clamp(channels, 1, kMaxMusicChannels)),
      tempo_(tempo),
      speed_(speed),
      grid_(size_t(channels_) + 1),
      pans_(size_t(channels_) + 1, 7) {}

int Song::add(const std::string& name, const Tone& tone, double top_rate) {
    instruments_.push_back({name, tone, top_rate, {}, 0});
    return int(instruments_.size()) - 1;
}

int Song::add(const std::string& name, const Signal& drum, double rate) {
    instruments_.push_back({name, Tone{}, 0, drum, rate});
    return int(instruments_.size()) - 1;
}

void Song::pan(int channel, int position) {
    if (channel >= 0 && channel < channels_) pans_[size_t(channel)] = std::clamp(position, 0, 15);
}

void Song::pans(std::initializer_list<int> positions) {
    int channel = 0;
    for (int position : positions) pan(channel++, position);
}

writers::S3mCell& Song::at(int channel, int row) {
    std::vector<writers::S3mCell>& column = grid_[size_t(channel)];
    if (column.size() <= size_t(row)) column.resize(size_t(row) + 1);
    return column[size_t(row)];
}

void Song::note(int channel, int row, int instrument, int midi, int volume) {
    if (channel < 0 || channel >= channels_ || row < 0 || instrument < 0 ||
        instrument >= int(instruments_.size()))
        return;
    writers::S3mCell& c = at(channel, row);
    c.note = uint8_t(std::clamp(midi, 0, 127));
    c.instrument = uint8_t(instrument + 1);
    c.volume = std::clamp(volume, 0, 64);
}

void Song::cut(int channel, int row) {
    if (channel < 0 || channel >= channels_ || row < 0) return;
    writers::S3mCell& c = at(channel, row);
    c.note = writers::kS3mNoteOff;
    c.instrument = 0;
    c.volume = -1;
}

void Song::volume(int channel, int row, int v) {
    if (channel < 0 || channel >= channels_ || row < 0) return;
    at(channel, row).volume = std::clamp(v, 0, 64);
}

bool Song::effect(int channel, int row, char command, uint8_t info) {
    if (channel < 0 || channel > channels_ || row < 0) return false;
    writers::S3mCell& c = at(channel, row);
    if (c.command != 0) return false;
    c.command = command;
    c.info = info;
    return true;
}

void Song::set(int channel, int row, const writers::S3mCell& cell) {
    if (channel < 0 || channel >= channels_ || row < 0) return;
    at(channel, row) = cell;
}

const writers::S3mCell* Song::cell(int channel, int row) const {
    if (channel < 0 || channel > channels_ || row < 0) return nullptr;
    const std::vector<writers::S3mCell>& column = grid_[size_t(channel)];
    return size_t(row) < column.size() ? &column[size_t(row)] : nullptr;
}

void Song::tempo(int row, int bpm) {
    if (row == 0) {
        tempo_ = bpm;
        return;
    }
    writers::S3mCell& c = at(channels_, row);
    c.command = 'T';
    c.info = uint8_t(std::clamp(bpm, 32, 255));
}

void Song::dynamics(const std::vector<int>& channels, int from, int to, double a, double b) {
    if (to > from) ramps_.push_back({channels, from, to, a, b});
}

int Song::rows() const {
    if (length_ >= 0) return length_;
    size_t longest = 0;
    for (const auto& column : grid_) longest = std::max(longest, column.size());
    return int(longest);
}

void Song::place_notes(std::vector<std::vector<writers::S3mCell>>& grid,
                       std::vector<writers::S3mSample>& samples) const {
    const size_t count = instruments_.size();
    std::vector<int> low(count, 128), high(count, -1);
    for (const auto& column : grid)
        for (const writers::S3mCell& c : column)
            if (c.instrument != 0 && size_t(c.instrument) <= count) {
                low[c.instrument - 1u] = std::min(low[c.instrument - 1u], int(c.note));
                high[c.instrument - 1u] = std::max(high[c.instrument - 1u], int(c.note));
            }
    std::vector<int> first(count, 0);
    std::vector<std::vector<Instrument::Zone>> zones(count);
    for (size_t i = 0; i < count; ++i) {
        if (high[i] < 0) continue;  // never played: not in the module
        const Recipe& r = instruments_[i];
        Instrument inst = r.drum.empty() ? pitched(r.name, r.tone, low[i], high[i], r.top_rate)
                                         : unpitched(r.name, r.drum, r.rate);
        first[i] = int(samples.size()) + 1;
        for (const Instrument::Zone& z : inst.zones) samples.push_back(z.sample);
        zones[i] = std::move(inst.zones);
    }
    for (auto& column : grid)
        for (writers::S3mCell& c : column) {
            if (c.instrument == 0 || size_t(c.instrument) > count) continue;
            const size_t id = c.instrument - 1u;
            const std::vector<Instrument::Zone>& z = zones[id];
            size_t zone = 0;
            while (zone + 1 < z.size() && c.note > z[zone].top) ++zone;
            const int written = std::clamp(int(c.note) + z[zone].shift, 0, kHighestNote);
            c.note = writers::s3m_note(written / 12, written % 12);
            c.instrument = uint8_t(first[id] + int(zone));
        }
}

writers::S3mModule Song::build() const {
    const int total = std::max(rows(), 1);
    const int channels = channels_ + 1;

    // Per channel and row, the factor the dynamics give.
    std::vector<std::vector<double>> gain(size_t(channels_), std::vector<double>(size_t(total), 1.0));
    for (const Ramp& r : ramps_) {
        for (int ch = 0; ch < channels_; ++ch) {
            if (!r.channels.empty() && std::find(r.channels.begin(), r.channels.end(), ch) == r.channels.end())
                continue;
            for (int row = std::max(r.from, 0); row < std::min(r.to, total); ++row) {
                const double x = double(row - r.from) / double(r.to - r.from);
                gain[size_t(ch)][size_t(row)] *= r.a + (r.b - r.a) * x;
            }
        }
    }

    // The grid with the dynamics applied: every note takes its scaled volume,
    // and a held note is followed by volume changes as the factor moves.
    std::vector<std::vector<writers::S3mCell>> out(size_t(channels), std::vector<writers::S3mCell>(size_t(total), writers::S3mCell{}));
    for (int ch = 0; ch < channels; ++ch) {
        const std::vector<writers::S3mCell>& column = grid_[size_t(ch)];
        int nominal = 64;
        int emitted = -1;
        bool sounding = false;
        for (int row = 0; row < total; ++row) {
            writers::S3mCell c = size_t(row) < column.size() ? column[size_t(row)] : writers::S3mCell{};
            if (ch < channels_) {
                const double g = gain[size_t(ch)][size_t(row)];
                const bool new_note = c.instrument != 0;
                if (c.note == writers::kS3mNoteOff) sounding = false;
                if (new_note) sounding = true;
                if (c.volume >= 0) nominal = c.volume;
                else if (new_note) nominal = 64;
                const int v = std::clamp(int(std::lround(nominal * g)), 0, 64);
                if (new_note || c.volume >= 0 || (sounding && v != emitted)) {
                    c.volume = v;
                    emitted = v;
                }
            }
            out[size_t(ch)][size_t(row)] = c;
        }
    }

    writers::S3mModule m;
    m.title = title_;
    m.channels = channels;
    m.initial_speed = speed_;
    m.initial_tempo = tempo_;
    m.master_volume = master_volume_;
    m.global_volume = global_volume_;
    m.channel_pan = pans_;
    place_notes(out, m.samples);

    const int pattern_count = (total + writers::kS3mRows - 1) / writers::kS3mRows;
    for (int p = 0; p < pattern_count; ++p) {
        writers::S3mPattern pattern(channels);
        for (int ch = 0; ch < channels; ++ch)
            for (int r = 0; r < writers::kS3mRows; ++r) {
                const int row = p * writers::kS3mRows + r;
                if (row < total) pattern.at(r, ch) = out[size_t(ch)][size_t(row)];
            }
        if (p == pattern_count - 1 && total % writers::kS3mRows != 0) {
            // Break after the last row; with no order after it the song ends.
            writers::S3mCell& last = pattern.at((total - 1) % writers::kS3mRows, channels_);
            last.command = 'C';
            last.info = 0;
        }
        size_t index = 0;
        while (index < m.patterns.size() && !same(m.patterns[index], pattern)) ++index;
        if (index == m.patterns.size()) m.patterns.push_back(pattern);
        m.orders.push_back(uint8_t(index));
    }
    return m;
}

}  // namespace music
