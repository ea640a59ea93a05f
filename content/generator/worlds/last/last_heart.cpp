// The fortress's heart: a pulsing orb of crimson light in a crown of bone,
// in its own glow. It is the "buildinglights" of this world: that behaviour
// only steps its frames back and forth, on every frame whether the level
// scrolls or not, so on the far layer the heart drifts in over the still far
// wall as the level scrolls and beats on through the fight. 220 x 220,
// centred on x, y; 8 frames from rest to the height of a beat.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/last/last.h"

namespace last {

namespace {

constexpr int kSize = 220;
constexpr double kC = kSize / 2.0;
constexpr int kFrames = 8;

Canvas heart(int f) {
    const Look& k = look();
    Canvas c(kSize, kSize);
    const double beat = f / double(kFrames - 1);
    // Its glow, swelling with the beat (kept clear of the acid green of the
    // shots that fly across it).
    c.glow(kC, kC, 86 + 20 * beat, k.flesh.mid, 0.5 + 0.2 * beat);
    // Vessels leaving it into the glow.
    for (int v = 0; v < 9; ++v) {
        const double a = v * 2 * kPi / 9 + 0.3;
        std::vector<Pt> vessel;
        for (int s = 0; s <= 4; ++s) {
            const double r = 36 + s * 14, wob = std::sin(s * 1.3 + v) * 0.25;
            vessel.push_back({kC + std::cos(a + wob) * r, kC + std::sin(a + wob) * r * 0.85});
        }
        c.smooth(vessel, false);
        c.stroke(Paint::solid(k.flesh.dark), 3.5);
        c.smooth(vessel, false);
        c.stroke(Paint::solid(k.flesh.light.with_alpha(0.5 + 0.4 * beat)), 1.2);
    }
    // The crown of bone, its spikes flexing with the beat.
    for (int spike = 0; spike < 12; ++spike) {
        const double a = spike * kPi / 6 + 0.1;
        const double reach = 62 + 8 * beat;
        c.polygon({{kC + std::cos(a - 0.13) * 36, kC + std::sin(a - 0.13) * 36},
                   {kC + std::cos(a) * reach, kC + std::sin(a) * reach},
                   {kC + std::cos(a + 0.13) * 36, kC + std::sin(a + 0.13) * 36}});
        c.fill_outlined(Paint::linear({kC, kC}, {kC + std::cos(a) * reach, kC + std::sin(a) * reach},
                                      {{0, k.bone.dark}, {1, k.bone.light}}),
                        k.outline, 1.0);
    }
    art::energy_orb(c, kC, kC, 30 + 6 * beat, k.flesh.light, k.flesh.dark, beat * 0.5, 4);
    art::dither_565(c);
    return c;
}

}  // namespace

void add_heart(worlds::World& world) {
    std::vector<Frame> frames;
    for (int f = 0; f < kFrames; ++f)
        frames.push_back({.image = heart(f), .xoffset = -int(kC), .yoffset = -int(kC), .edges = art::Edges::Dither});
    world.sprite("buildinglights", frames, art::Depth::True24);
}

}  // namespace last
