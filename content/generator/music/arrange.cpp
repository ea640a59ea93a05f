#include "generator/music/arrange.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "generator/music/synth.h"

namespace music {

namespace {

std::vector<char> tokens(std::string_view text) {
    std::vector<char> out;
    for (char c : text)
        if (c != ' ' && c != '|') out.push_back(c);
    return out;
}

int nearest_at_or_above(int pitch_class, int low) {
    int n = low;
    while (((n % 12) + 12) % 12 != pitch_class) ++n;
    return n;
}

// All notes in [low, high] whose pitch class is one of the chord's.
std::vector<int> candidates(const Chord& chord, int low, int high) {
    std::vector<int> out;
    for (int n = low; n <= high; ++n)
        if (std::find(chord.tones.begin(), chord.tones.end(), ((n % 12) + 12) % 12) != chord.tones.end())
            out.push_back(n);
    return out;
}

// The voicing of `chord` for `voices` voices that moves least from `from`
// (or sits near the middle of the range when there is nothing before),
// covering root, third and fifth when there are voices enough.
std::vector<int> voice(const Chord& chord, int voices, int low, int high, const std::vector<int>& from) {
    const std::vector<int> notes = candidates(chord, low, high);
    std::vector<int> best;
    if (notes.empty() || voices <= 0) return best;
    double best_cost = std::numeric_limits<double>::max();
    std::vector<size_t> pick(size_t(voices), 0);
    const int middle = (low + high) / 2;
    while (true) {
        // Voices in ascending order, no two on one note.
        bool ordered = true;
        for (size_t i = 1; i < pick.size(); ++i) ordered = ordered && pick[i] > pick[i - 1];
        if (ordered) {
            double cost = 0;
            for (size_t i = 0; i < pick.size(); ++i) {
                const int n = notes[pick[i]];
                cost += from.size() == pick.size() ? std::abs(n - from[i]) : 0.3 * std::abs(n - middle);
            }
            const size_t must = std::min<size_t>(3, std::min(chord.tones.size(), pick.size()));
            for (size_t t = 0; t < must; ++t) {
                bool covered = false;
                for (size_t p : pick) covered = covered || ((notes[p] % 12) + 12) % 12 == chord.tones[t];
                if (!covered) cost += 12;
            }
            // Seconds low down sound muddy.
            for (size_t i = 1; i < pick.size(); ++i)
                if (notes[pick[i]] - notes[pick[i - 1]] <= 2 && notes[pick[i]] < 60) cost += 4;
            if (cost < best_cost) {
                best_cost = cost;
                best.clear();
                for (size_t p : pick) best.push_back(notes[p]);
            }
        }
        size_t i = 0;
        while (i < pick.size() && ++pick[i] == notes.size()) pick[i++] = 0;
        if (i == pick.size()) break;
    }
    return best;
}

int chord_tone(const Chord& chord, size_t index, int root_note) {
    if (index >= chord.tones.size()) return root_note + 12;
    const int interval = ((chord.tones[index] - chord.root) % 12 + 12) % 12;
    return root_note + interval;
}

}  // namespace

int play(Song& song, const Key& key, const Line& line, int row, const Phrase& phrase) {
    for (const PhraseNote& n : phrase.notes) {
        const int at = row + n.start * line.step;
        const int rows = n.length * line.step;
        if (n.rest) {
            if (line.cut_rests) song.cut(line.channel, at);
            continue;
        }
        const int volume = line.volume + n.accent * line.accent;
        song.note(line.channel, at, line.instrument, key.note(n.degree, line.octave, n.accidental), volume);
        int r = 0;
        if (line.flicker != 0) {
            for (; r < rows; ++r) song.effect(line.channel, at + r, 'J', line.flicker);
            continue;
        }
        if (n.slide)
            for (; r < std::min(rows, 4); ++r) song.effect(line.channel, at + r, 'G', line.glide);
        if (line.vibrato_after > 0)
            for (r = std::max(r, line.vibrato_after); r < rows; ++r)
                song.effect(line.channel, at + r, 'H', line.vibrato);
    }
    return row + phrase.length * line.step;
}

int play(Song& song, const Key& key, const Line& line, int row, std::string_view phrase, int degrees) {
    return play(song, key, line, row, shift(parse_phrase(phrase), degrees));
}

void echo(Song& song, int from, int to, int first, int end, int delay, double scale) {
    for (int row = first; row < end; ++row) {
        const writers::S3mCell* c = song.cell(from, row);
        if (c == nullptr || c->empty()) continue;
        const int at = row + delay;
        if (c->note == writers::kS3mNoteOff) {
            song.cut(to, at);
        } else if (c->note != writers::kS3mNoNote) {
            // The cell as it stands: its sample and note are already chosen.
            writers::S3mCell copy = *c;
            copy.volume = int((c->volume >= 0 ? c->volume : 64) * scale);
            copy.command = 0;
            copy.info = 0;
            song.set(to, at, copy);
        } else if (c->volume >= 0) {
            song.volume(to, at, int(c->volume * scale));
        }
        if (c->command == 'H' || c->command == 'G') song.effect(to, at, c->command, c->info);
    }
}

int bassline(Song& song, const Bass& bass, int row, const std::vector<Chord>& chords, int rows_per_chord,
             std::string_view pattern) {
    const std::vector<char> steps = tokens(pattern);
    if (steps.empty()) return row + int(chords.size()) * rows_per_chord;
    for (size_t i = 0; i < chords.size(); ++i) {
        const Chord& c = chords[i];
        const Chord& next = chords[(i + 1) % chords.size()];
        const int root = nearest_at_or_above(c.root, bass.low);
        const int start = row + int(i) * rows_per_chord;
        for (int s = 0; s * bass.step < rows_per_chord; ++s) {
            const char t = steps[size_t(s) % steps.size()];
            const int at = start + s * bass.step;
            int note = -1;
            int volume = bass.volume;
            switch (t) {
            case 'R': note = root; break;
            case 'r': note = root; volume = bass.volume * 2 / 3; break;
            case '8': note = root + 12; break;
            case '3': note = chord_tone(c, 1, root); break;
            case '5': note = chord_tone(c, 2, root); break;
            case '7': note = chord_tone(c, 3, root); break;
            case '>': note = nearest_at_or_above(next.root, bass.low) - 1; break;
            case '.': if (bass.cut_rests) song.cut(bass.channel, at); break;
            default: break;
            }
            if (note >= 0) song.note(bass.channel, at, bass.instrument, note, volume);
        }
    }
    return row + int(chords.size()) * rows_per_chord;
}

int pad(Song& song, Pad& pad, int row, const std::vector<Chord>& chords, int rows_per_chord,
        std::string_view rhythm, int step) {
    const std::vector<char> steps = tokens(rhythm);
    for (size_t i = 0; i < chords.size(); ++i) {
        const int start = row + int(i) * rows_per_chord;
        const std::vector<int> notes = voice(chords[i], int(pad.channels.size()), pad.low, pad.high, pad.voicing);
        const bool held = steps.empty();
        for (size_t v = 0; v < notes.size(); ++v) {
            const int ch = pad.channels[v];
            if (held) {
                const bool same =
                    pad.sounding && pad.voicing.size() == notes.size() && pad.voicing[v] == notes[v];
                if (!same) song.note(ch, start, pad.instrument, notes[v], pad.volume);
                continue;
            }
            for (int s = 0; s * step < rows_per_chord; ++s) {
                const char t = steps[size_t(s) % steps.size()];
                const int at = start + s * step;
                if (t == 'x') song.note(ch, at, pad.instrument, notes[v], pad.volume);
                else if (t == '.') song.cut(ch, at);
            }
        }
        pad.voicing = notes;
        pad.sounding = steps.empty();
    }
    return row + int(chords.size()) * rows_per_chord;
}

int arpeggio(Song& song, const Line& line, int row, const std::vector<Chord>& chords, int rows_per_chord,
             std::string_view pattern, int low) {
    const std::vector<char> steps = tokens(pattern);
    if (steps.empty()) return row + int(chords.size()) * rows_per_chord;
    for (size_t i = 0; i < chords.size(); ++i) {
        const std::vector<int> notes = candidates(chords[i], low, low + 36);
        const int start = row + int(i) * rows_per_chord;
        for (int s = 0; s * line.step < rows_per_chord; ++s) {
            const char t = steps[size_t(s) % steps.size()];
            const int at = start + s * line.step;
            if (t >= '0' && t <= '9' && size_t(t - '0') < notes.size())
                song.note(line.channel, at, line.instrument, notes[size_t(t - '0')], line.volume);
            else if (t == '.' && line.cut_rests)
                song.cut(line.channel, at);
        }
    }
    return row + int(chords.size()) * rows_per_chord;
}

int beat(Song& song, Drum& drum, int row, int rows, std::string_view pattern) {
    static const int kTomSteps[] = {0, -3, -5, -8, -10, -12, -15, -17, -20};
    const std::vector<char> steps = tokens(pattern);
    if (steps.empty()) return row + rows;
    Rng rng(drum.seed != 0 ? drum.seed + uint64_t(row) : 1);
    for (int r = 0; r < rows; ++r) {
        const char t = steps[size_t(r) % steps.size()];
        int instrument = drum.instrument;
        int note = drum.note;
        int volume = drum.volume;
        switch (t) {
        case 'x': break;
        case 'X': volume = volume * 5 / 4; break;
        case 'o': volume = volume / 2; break;
        case 'a': instrument = drum.alternate; break;
        case 'A': instrument = drum.alternate; volume = volume * 5 / 4; break;
        default:
            if (t >= '1' && t <= '9') {
                note += kTomSteps[t - '1'];
                break;
            }
            continue;
        }
        if (instrument < 0) continue;
        if (drum.seed != 0) volume += int(rng.bipolar() * 3);
        song.note(drum.channel, row + r, instrument, note, volume);
        if (drum.swing > 0 && (row + r) % 2 == 1) song.effect(drum.channel, row + r, 'S', uint8_t(0xD0 | drum.swing));
    }
    return row + rows;
}

}  // namespace music
