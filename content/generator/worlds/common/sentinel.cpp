#include "generator/worlds/common/sentinel.h"

#include "generator/art/prelude.h"
#include "generator/worlds/common/level_script.h"
#include "generator/worlds/common/terrain.h"

namespace worlds {

namespace {

constexpr double kPivotX = 26, kPivotY = 28;
constexpr int kWidth = 60, kHeight = 56;
constexpr int kXOffset = 6 - int(kPivotX), kYOffset = 10 - int(kPivotY);

}  // namespace

void place_sentinel(LevelScript& level, int surface, int x, bool on_floor) {
    // The root's last row reaches two rows into the ground.
    const int y = on_floor ? surface + 2 - (kYOffset + kHeight) : surface - 2 - kYOffset;
    level.place(x, y, 1, on_floor ? "mountainbosscannonup" : "mountainbosscannondown");
}

void place_sentinel(LevelScript& level, const Terrain& ground, int x) {
    // The ground under the root's whole width.
    const int surface = ground.surface_over(x + kXOffset - 10, x + kXOffset + kWidth + 10);
    place_sentinel(level, surface, x, ground.kind() == Terrain::Kind::Floor);
}

std::vector<art::Frame> sentinel_frames(const SentinelStyle& k, bool on_floor) {
    const double angles[5] = {270, 225, 180, 135, 90};
    std::vector<art::Frame> frames;
    for (double angle : angles) {
        Canvas c(kWidth, kHeight);
        const double px = kPivotX, py = kPivotY;
        // The root: a mound grown out of the floor or the roof, its veins
        // showing through the cracks.
        const double dir = on_floor ? 1 : -1;
        const double base = on_floor ? kHeight - 1 : 0;
        c.smooth({{px - 25, base}, {px - 16, py + dir * 13}, {px - 7, py + dir * 4}, {px + 7, py + dir * 4},
                  {px + 16, py + dir * 13}, {px + 26, base}},
                 true);
        c.fill_outlined(Paint::linear({0, py}, {0, base}, {{0, k.mound.light}, {0.4, k.mound.mid}, {1, k.mound.dark}}),
                        k.outline, 1.4);
        for (int i = -2; i <= 2; ++i) {
            c.polyline({{px + i * 4.0, py + dir * 9}, {px + i * 9.0, base - dir * 3}});
            c.stroke(Paint::solid(k.veins), 1.8);
        }
        // The barrel: ribbed, with a glowing mouth.
        {
            auto s = c.scoped();
            c.translate(px, py);
            c.rotate_deg(angle);
            c.polygon({{5, -7}, {24, -5}, {27, 0}, {24, 5}, {5, 7}});
            c.fill_outlined(
                Paint::linear({0, -7}, {0, 7}, {{0, k.barrel.light}, {0.45, k.barrel.mid}, {1, k.barrel.dark}}),
                k.outline, 1.2);
            for (double r = 10; r < 23; r += 5) {
                c.polyline({{r, -5.5}, {r, 5.5}});
                c.stroke(Paint::solid(k.barrel.dark.darker(0.35)), 1.2);
            }
            c.circle(26, 0, 3.6);
            c.fill_outlined(Paint::radial({26, 0}, 0, 4, {{0, k.mouth.lighter(0.7)}, {0.6, k.mouth}, {1, k.mouth.darker(0.4)}}),
                            k.outline, 1.0);
        }
        // The eye at the pivot, where the gun takes its aim.
        c.circle(px, py, 10);
        c.fill_outlined(Paint::radial({px - 3, py - 3}, 0, 12, {{0, k.mound.light}, {1, k.mound.dark}}), k.outline, 1.4);
        c.circle(px, py, 5.5);
        c.fill(Paint::radial({px, py}, 0, 5.5, {{0, k.eye.lighter(0.6)}, {0.5, k.eye}, {1, k.eye.darker(0.6)}}));
        c.circle(px - 1.5, py - 1.5, 1.6);
        c.fill(Paint::solid(k.eye.lighter(0.85)));
        frames.push_back({.image = std::move(c), .xoffset = kXOffset, .yoffset = kYOffset});
    }
    return frames;
}

}  // namespace worlds
