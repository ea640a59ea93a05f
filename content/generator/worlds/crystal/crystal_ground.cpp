// Crystal cannons and blobs.
//
// crystalyellowcannonup / crysalyellowcannondown: the shared turret frames
// in yellow crystal. crystalblobbig wanders, wobbling back and forth over 6
// frames, and sheds small blobs from (x + 40, y + 50): its image is centred
// there. crystalblobsmall (4 frames) is centred on its position.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/crystal/crystal_art.h"

namespace crystal {

namespace {

// A wobbling lump of gel with crystal splinters inside; centred on (0, 0).
void blob(Canvas& c, double radius, double phase, uint64_t seed) {
    const Look& k = look();
    art::Random random(seed);
    std::vector<Pt> outline;
    const double w1 = random.range(0, 2 * kPi), w2 = random.range(0, 2 * kPi);
    for (int i = 0; i < 14; ++i) {
        const double a = i * 2 * kPi / 14;
        const double r = radius * (0.9 + 0.08 * std::sin(a * 3 + w1 + phase * 2 * kPi) +
                                   0.06 * std::sin(a * 5 + w2 - phase * 2 * kPi));
        outline.push_back({std::cos(a) * r * (1.0 + 0.06 * std::sin(phase * 2 * kPi)),
                           std::sin(a) * r * (1.0 - 0.06 * std::sin(phase * 2 * kPi))});
    }
    c.smooth(outline);
    c.fill_outlined(Paint::radial({-radius * 0.3, -radius * 0.35}, 0, {0, 0}, radius,
                                  {{0, k.magenta.light}, {0.45, k.magenta.mid}, {0.85, k.violet.mid}, {1, k.violet.dark}}),
                    k.outline, radius > 20 ? 1.4 : 1.0);
    // Splinters caught in the gel.
    for (int i = 0; i < (radius > 20 ? 5 : 2); ++i) {
        const double a = random.range(0, 2 * kPi), d = random.range(0.1, 0.55) * radius;
        const double x = std::cos(a) * d, y = std::sin(a) * d, s = radius * random.range(0.12, 0.2);
        const double tilt = random.range(0, kPi) + phase * 0.6;
        std::vector<Pt> shard;
        for (const Pt& p : std::vector<Pt>{{0, -s * 1.8}, {s * 0.7, 0}, {0, s * 1.8}, {-s * 0.7, 0}})
            shard.push_back({x + p.x * std::cos(tilt) - p.y * std::sin(tilt), y + p.x * std::sin(tilt) + p.y * std::cos(tilt)});
        gem(c, shard, {x, y}, k.cyan, k.outline);
    }
    c.highlight(-radius * 0.35, -radius * 0.45, radius * 0.32, radius * 0.18, 0.9);
}

worlds::TurretStyle yellow_turret() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = k.yellow;
    s.barrel = k.violet;
    s.foot = k.rock;
    s.outline = k.outline;
    s.light = k.glow;
    return s;
}

}  // namespace

void add_ground(worlds::World& world) {
    world.sprite("crystalyellowcannonup", worlds::turret_frames(worlds::kFloorTurret, worlds::floor_turret_angles(),
                                                                worlds::dome_turret(yellow_turret(), false)));
    world.sprite("crysalyellowcannondown", worlds::turret_frames(worlds::kCeilingTurret, worlds::ceiling_turret_angles(),
                                                                 worlds::dome_turret(yellow_turret(), true)));
    world.sprite("crystalblobbig",
                 art::frames_of({.width = 80, .height = 76, .yoffset = 12, .origin_x = 40, .origin_y = 38}, 6,
                                [](Canvas& c, int i) { blob(c, 34, i / 6.0, art::seed_of("crystalblobbig")); }));
    world.sprite(
        "crystalblobsmall",
        art::frames_of({.width = 26, .height = 26, .xoffset = -13, .yoffset = -13, .origin_x = 13, .origin_y = 13}, 4,
                       [](Canvas& c, int i) { blob(c, 10.5, i / 4.0, art::seed_of("crystalblobsmall")); }));
}

}  // namespace crystal
