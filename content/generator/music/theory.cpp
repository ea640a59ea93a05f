#include "generator/music/theory.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace music {

namespace {

const int* intervals(Mode mode) {
    static const int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
    static const int kMinor[] = {0, 2, 3, 5, 7, 8, 10};
    static const int kDorian[] = {0, 2, 3, 5, 7, 9, 10};
    static const int kPhrygian[] = {0, 1, 3, 5, 7, 8, 10};
    static const int kLydian[] = {0, 2, 4, 6, 7, 9, 11};
    static const int kMixolydian[] = {0, 2, 4, 5, 7, 9, 10};
    static const int kHarmonicMinor[] = {0, 2, 3, 5, 7, 8, 11};
    switch (mode) {
    case Mode::Major: return kMajor;
    case Mode::Minor: return kMinor;
    case Mode::Dorian: return kDorian;
    case Mode::Phrygian: return kPhrygian;
    case Mode::Lydian: return kLydian;
    case Mode::Mixolydian: return kMixolydian;
    case Mode::HarmonicMinor: return kHarmonicMinor;
    }
    return kMajor;
}

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int pc(int v) { return ((v % 12) + 12) % 12; }

std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (std::isspace(static_cast<unsigned char>(text[i])) || text[i] == '|')) ++i;
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && text[i] != '|') ++i;
        if (i > start) out.push_back(text.substr(start, i - start));
    }
    return out;
}

}  // namespace

int Key::note(int degree, int octave, int accidental) const {
    const int oct = floor_div(degree, 7);
    const int step = degree - 7 * oct;
    return 12 * (octave + 1 + oct) + tonic + intervals(mode)[step] + accidental;
}

int Key::pitch_class(int degree, int accidental) const { return pc(note(degree, 0, accidental)); }

Chord chord(const Key& key, std::string_view name) {
    size_t i = 0;
    int accidental = 0;
    while (i < name.size() && (name[i] == 'b' || name[i] == '#')) accidental += name[i++] == 'b' ? -1 : 1;
    int degree = 0;
    if (i < name.size() && name[i] >= '1' && name[i] <= '7') degree = name[i++] - '1';
    Chord c;
    c.root = key.pitch_class(degree, accidental);
    int third = 0, fifth = 0;
    if (accidental == 0) {
        third = pc(key.pitch_class(degree + 2) - c.root);
        fifth = pc(key.pitch_class(degree + 4) - c.root);
    } else {
        third = 4;
        fifth = 7;
    }
    std::vector<int> added;
    bool power = false;
    std::string_view rest = name.substr(i);
    while (!rest.empty()) {
        auto take = [&](std::string_view word) {
            if (rest.substr(0, word.size()) != word) return false;
            rest.remove_prefix(word.size());
            return true;
        };
        if (take("M7")) added.push_back(11);
        else if (take("m7")) { third = 3; added.push_back(10); }
        else if (take("7")) added.push_back(accidental == 0 ? pc(key.pitch_class(degree + 6) - c.root) : 10);
        else if (take("9")) added.push_back(accidental == 0 ? pc(key.pitch_class(degree + 1) - c.root) : 2);
        else if (take("s4")) third = 5;
        else if (take("s2")) third = 2;
        else if (take("dim")) { third = 3; fifth = 6; }
        else if (take("m")) third = 3;
        else if (take("M")) third = 4;
        else if (take("+")) fifth = 8;
        else if (take("p")) power = true;
        else rest.remove_prefix(1);  // unknown mark: skipped
    }
    if (power) {
        c.tones = {c.root, pc(c.root + fifth)};
        return c;
    }
    c.tones = {c.root, pc(c.root + third), pc(c.root + fifth)};
    for (int a : added) c.tones.push_back(pc(c.root + a));
    return c;
}

std::vector<Chord> progression(const Key& key, std::string_view names) {
    std::vector<Chord> out;
    for (std::string_view n : split(names)) out.push_back(chord(key, n));
    return out;
}

Phrase parse_phrase(std::string_view text) {
    Phrase p;
    for (std::string_view token : split(text)) {
        if (token == "-") {
            if (!p.notes.empty()) p.notes.back().length += 1;
            p.length += 1;
            continue;
        }
        PhraseNote n;
        n.start = p.length;
        if (token == ".") {
            n.rest = true;
        } else {
            size_t i = 0;
            if (i < token.size() && token[i] == '~') {
                n.slide = true;
                ++i;
            }
            while (i < token.size() && (token[i] == 'b' || token[i] == '#'))
                n.accidental += token[i++] == 'b' ? -1 : 1;
            if (i < token.size() && token[i] >= '1' && token[i] <= '7') n.degree = token[i++] - '1';
            for (; i < token.size(); ++i) {
                switch (token[i]) {
                case '\'': n.degree += 7; break;
                case ',': n.degree -= 7; break;
                case '!': n.accent = 1; break;
                case '?': n.accent = -1; break;
                default: break;
                }
            }
        }
        p.notes.push_back(n);
        p.length += 1;
    }
    return p;
}

Phrase shift(const Phrase& phrase, int degrees) {
    Phrase out = phrase;
    for (PhraseNote& n : out.notes)
        if (!n.rest) n.degree += degrees;
    return out;
}

}  // namespace music
