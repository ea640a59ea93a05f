// Spinning meteors. The big one has no motion of its own and sheds
// fragments from (x + 40, y + 50) where it is hit, so its image is centred
// there; it spins forwards or backwards with a hold of three frames per
// image. The small fragments bounce and are centred on their position.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/space/space_art.h"

namespace space {

namespace {

struct Crater {
    double u, v, r;  // in the rock's own (unturned) frame, relative to its radius
};

// A lumpy, cratered rock of radius `radius` centred in a canvas of `size`,
// turned by `turn` degrees; lit from the upper left whatever the turn.
Canvas rock(int size, double radius, double turn, uint64_t seed, const art::Ramp& ramp) {
    Canvas c(size, size);
    const art::Noise noise(seed);
    const double cx = size / 2.0, cy = size / 2.0;
    const double a = turn * kPi / 180, ca = std::cos(a), sa = std::sin(a);
    art::Random random(seed ^ 0xc0ffee);
    std::vector<Crater> craters;
    for (int i = 0; i < 5; ++i) craters.push_back({random.range(-0.6, 0.6), random.range(-0.6, 0.6), random.range(0.14, 0.3)});
    // The outline radius by angle in the rock's own frame (periodic in angle).
    const auto edge = [&](double phi) {
        const double t = phi / (2 * kPi) * 12.0;
        double n = 0, amp = 1, total = 0;
        for (int o = 0; o < 3; ++o) {
            const int period = 12 << o;
            n += amp * noise.at_periodic(t * (1 << o), 3.5 + o * 4.1, period);
            total += amp;
            amp *= 0.5;
        }
        return radius * (0.8 + 0.36 * (n / total));
    };
    const double lx = -0.55, ly = -0.62, lz = 0.56;
    c.map_pixels([&](int x, int y, Color& out) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        // Into the rock's own frame.
        const double u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
        const double phi = std::atan2(v, u) + kPi;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double R = edge(phi);
        if (r >= R) return;
        const double q = r / R;
        double nx = dx / R, ny = dy / R, nz = std::sqrt(std::max(0.0, 1 - q * q));
        // Craters: bowls that face away from their rims.
        double shade_k = 1.0;
        for (const Crater& k : craters) {
            const double du = u / radius - k.u, dv = v / radius - k.v;
            const double d = std::sqrt(du * du + dv * dv) / k.r;
            if (d >= 1.15) continue;
            // Back to screen axes.
            const double sx = du * ca - dv * sa, sy = du * sa + dv * ca;
            const double tilt = d < 1 ? -0.9 : 0.9 * (1.15 - d) / 0.15;
            nx += sx / k.r * tilt * 0.5;
            ny += sy / k.r * tilt * 0.5;
            if (d < 1) shade_k *= 0.86;
        }
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double lambert = std::max(0.0, (nx * lx + ny * ly + nz * lz) / len);
        const double grain = noise.fractal(u * 0.22 + 40, v * 0.22 + 40, 4);
        const double t = std::clamp((0.1 + 0.95 * lambert) * shade_k + (grain - 0.5) * 0.45, 0.0, 1.0);
        out = ramp.at(t);
    });
    // The outline, following the same edge.
    std::vector<art::Pt> rim;
    for (int i = 0; i < 96; ++i) {
        const double phi = i * 2 * kPi / 96;
        const double R = edge(phi) - 0.3;
        // phi is measured in the rock's frame from the negative u axis.
        const double u = -std::cos(phi) * R, v = -std::sin(phi) * R;
        rim.push_back({cx + u * ca - v * sa, cy + u * sa + v * ca});
    }
    c.polygon(rim);
    c.stroke(Paint::solid(look().outline), 1.2);
    return c;
}

}  // namespace

void add_meteors(worlds::World& world) {
    const Look& k = look();
    std::vector<art::Frame> big, small;
    for (int i = 0; i < 16; ++i)
        big.push_back({rock(88, 38, i * 22.5, art::seed_of("spacemetiorbig"), k.rock), -4, 6});
    const art::Ramp ember{Color::hex(0x2a1410), Color::hex(0x8a5a44), Color::hex(0xf0c098)};
    for (int i = 0; i < 8; ++i)
        small.push_back({rock(26, 10.5, i * 45.0, art::seed_of("spacemetiorsmall"), ember), -13, -13});
    world.sprite("spacemetiorbig", big);
    world.sprite("spacemetiorsmall", small);
}

}  // namespace space
