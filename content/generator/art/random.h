// Deterministic randomness for the art: a seeded generator and smooth noise.
// Never use the clock or rand(): every run must write byte-identical files.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace art {

// A small, fast generator (splitmix64). Give each sprite its own seed, for
// example Random(seed_of("standardexplosion")), so changing one picture does
// not reshuffle another.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next();
    double uniform();                       // [0, 1)
    double range(double lo, double hi);     // [lo, hi)
    int integer(int lo, int hi);            // lo..hi inclusive
    bool chance(double p) { return uniform() < p; }

private:
    uint64_t state_;
};

// A stable seed from a name (FNV-1a).
uint64_t seed_of(std::string_view name);

// Smooth value noise on a lattice, values in [0, 1].
class Noise {
public:
    explicit Noise(uint64_t seed);

    double at(double x, double y) const;  // one octave, lattice spacing 1
    // Fractal sum of `octaves` octaves, each twice the frequency and
    // `gain` times the amplitude of the one before; normalised to [0, 1].
    double fractal(double x, double y, int octaves = 4, double gain = 0.5) const;
    // Tiles horizontally with the given period (in lattice units).
    double at_periodic(double x, double y, int period_x) const;

private:
    double lattice(int x, int y) const;
    std::vector<uint16_t> perm_;
    std::vector<double> values_;
};

}  // namespace art
