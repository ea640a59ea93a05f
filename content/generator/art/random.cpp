#include "generator/art/random.h"

#include <cmath>

namespace art {

uint64_t Random::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

double Random::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int Random::integer(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + int(next() % uint64_t(hi - lo + 1));
}

uint64_t seed_of(std::string_view name) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (char c : name) {
        h ^= uint8_t(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

namespace {
constexpr int kSize = 256;

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
}  // namespace

Noise::Noise(uint64_t seed) : perm_(kSize * 2), values_(kSize) {
    Random random(seed);
    for (int i = 0; i < kSize; ++i) {
        perm_[i] = uint16_t(i);
        values_[i] = random.uniform();
    }
    for (int i = kSize - 1; i > 0; --i) {
        const int j = int(random.next() % uint64_t(i + 1));
        std::swap(perm_[i], perm_[j]);
    }
    for (int i = 0; i < kSize; ++i) perm_[kSize + i] = perm_[i];
}

double Noise::lattice(int x, int y) const {
    const int xi = x & (kSize - 1), yi = y & (kSize - 1);
    return values_[perm_[perm_[xi] + yi]];
}

double Noise::at(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = int(fx), y0 = int(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = lattice(x0, y0), b = lattice(x0 + 1, y0);
    const double c = lattice(x0, y0 + 1), d = lattice(x0 + 1, y0 + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Noise::at_periodic(double x, double y, int period_x) const {
    if (period_x <= 0) return at(x, y);
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = int(fx), y0 = int(fy);
    const auto wrap = [period_x](int v) { return ((v % period_x) + period_x) % period_x; };
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = lattice(wrap(x0), y0), b = lattice(wrap(x0 + 1), y0);
    const double c = lattice(wrap(x0), y0 + 1), d = lattice(wrap(x0 + 1), y0 + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Noise::fractal(double x, double y, int octaves, double gain) const {
    double sum = 0, amplitude = 1, total = 0, frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        // Offset each octave so their lattices do not line up.
        sum += amplitude * at(x * frequency + i * 17.31, y * frequency + i * 9.73);
        total += amplitude;
        amplitude *= gain;
        frequency *= 2;
    }
    return total > 0 ? sum / total : 0;
}

}  // namespace art
