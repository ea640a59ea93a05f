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


// Writes an effect at `row` on the control channel (the last), or on the
// nearest channel before it whose cell has none.
void put_effect(std::vector<std::vector<writers::S3mCell>>& grid, int row, char command, uint8_t info) {
    for (size_t ch = grid.size(); ch-- > 0;) {
        writers::S3mCell& c = grid[ch][size_t(row)];
        if (c.command == 0 || c.command == command) {
            c.command = command;
            c.info = info;
            return;
        }
    }
}

// What sounds on every channel at `loop_row` on the way through must sound
// there again after the jump back: a held note (a looping sample) that the
// row does not strike anew is struck again at its volume, and a channel
// silent there is silenced, so nothing the ending holds rings on into the
// theme. A decaying one-shot is left to die away.
void join_seam(std::vector<std::vector<writers::S3mCell>>& grid, const std::vector<writers::S3mSample>& samples,
               int loop_row, int total) {
    const auto loops = [&](uint8_t instrument) {
        return instrument != 0 && instrument <= samples.size() && samples[instrument - 1u].loop;
    };
    for (size_t ch = 0; ch + 1 < grid.size(); ++ch) {
        std::vector<writers::S3mCell>& column = grid[ch];
        writers::S3mCell& at = column[size_t(loop_row)];
        if (at.instrument != 0 || at.note == writers::kS3mNoteOff) continue;
        // The last note struck before the row (or cut), and the volume it has by then.
        const writers::S3mCell* held = nullptr;
        int volume = -1;
        for (int row = 0; row < loop_row; ++row) {
            const writers::S3mCell& c = column[size_t(row)];
            if (c.note == writers::kS3mNoteOff) held = nullptr;
            if (c.instrument != 0) held = &c;
            if (c.volume >= 0) volume = c.volume;
        }
        if (held != nullptr && loops(held->instrument)) {
            at.note = held->note;
            at.instrument = held->instrument;
            if (at.volume < 0) at.volume = volume;
            continue;
        }
        // Silent here: cut what the last rows may leave ringing.
        const writers::S3mCell* ending = nullptr;
        for (int row = loop_row; row < total; ++row) {
            const writers::S3mCell& c = column[size_t(row)];
            if (c.note == writers::kS3mNoteOff) ending = nullptr;
            if (c.instrument != 0) ending = &c;
        }
        if (ending != nullptr && loops(ending->instrument)) {
            at.note = writers::kS3mNoteOff;
            at.volume = -1;
        }
    }
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

    const int loop_row = loop_row_ >= 0 && loop_row_ < total ? loop_row_ : -1;
    if (loop_row >= 0) {
        join_seam(out, m.samples, loop_row, total);
        // The tempo the theme starts at, should the song end at another.
        int at_loop = tempo_, at_end = tempo_;
        for (int row = 0; row < total; ++row) {
            const writers::S3mCell& c = out[size_t(channels_)][size_t(row)];
            if (c.command != 'T') continue;
            if (row <= loop_row) at_loop = c.info;
            at_end = c.info;
        }
        if (at_end != at_loop) put_effect(out, loop_row, 'T', uint8_t(at_loop));
    }

    // Patterns of 64 rows from the start, and again from the loop's row, so
    // the jump back lands on a pattern's first row; a pattern cut short ends
    // with a break to the next order.
    int loop_order = 0;
    for (int start = 0; start < total;) {
        const int stop = loop_row > start ? loop_row : total;
        if (start == loop_row) loop_order = int(m.orders.size());
        for (int first = start; first < stop; first += writers::kS3mRows) {
            const int rows = std::min(writers::kS3mRows, stop - first);
            const bool last = first + rows == total;
            auto slice = std::vector<std::vector<writers::S3mCell>>(size_t(channels));
            for (int ch = 0; ch < channels; ++ch)
                slice[size_t(ch)].assign(out[size_t(ch)].begin() + first, out[size_t(ch)].begin() + first + rows);
            if (last && loop_row >= 0) {
                put_effect(slice, rows - 1, 'B', uint8_t(loop_order));
            } else if (rows < writers::kS3mRows) {
                put_effect(slice, rows - 1, 'C', 0);  // BCD row 0 of the next order
            }
            writers::S3mPattern pattern(channels);
            for (int ch = 0; ch < channels; ++ch)
                for (int r = 0; r < rows; ++r) pattern.at(r, ch) = slice[size_t(ch)][size_t(r)];
            size_t index = 0;
            while (index < m.patterns.size() && !same(m.patterns[index], pattern)) ++index;
            if (index == m.patterns.size()) m.patterns.push_back(pattern);
            m.orders.push_back(uint8_t(index));
        }
        start = stop;
    }
    return m;
}

}  // namespace music
