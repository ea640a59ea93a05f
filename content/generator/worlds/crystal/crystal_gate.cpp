// The crystal gate: a pod hanging from the roof that opens its petals and
// drops crystals, a spire on the floor, and the four forms of crystal.
//
// crystalopenerdown plays its 16 frames back and forth (1..6 shut, 14..16
// wide open) and lets a crystal go at (x + 7, y) on the second frame wide
// open; a crystal is 36 wide, so the pod is centred on x + 25 and hides the
// crystal until it sinks out. It hangs with its stem at row 0.
// crystalopenerup pulses (8 frames back and forth), standing with its foot
// at row 96. Both burn out on a timer; shots only burst on them.
// The crystals spin (6 frames, looped either way). The vertical forms are
// 36 x 48 and the horizontal forms 48 x 36: a ship within 35 pixels of the
// crystal's left edge (or top) is in its path. Each has a bright rim (red:
// ember, silver: ice) so it reads at a glance wherever it is.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/crystal/crystal_art.h"

namespace crystal {

namespace {

// A long crystal along the y axis (turned for the horizontal forms), centred
// on (0, 0); `spin` 0..1 turns it about its long axis. A rim of its own
// light round the dark outline keeps it readable against the violet rock,
// even half out of sight at the screen's edge.
void shard(Canvas& c, double length, double width, double spin, const Ramp& ramp, const Color& aura) {
    const Look& k = look();
    const double w = width * (0.7 + 0.3 * std::abs(std::cos(spin * kPi)));
    const double h = length / 2;
    const double cx = (spin - 0.5) * w * 0.5;  // the ridge slides across as it turns
    const std::vector<Pt> outline = {{0, -h}, {w / 2, -h * 0.45}, {w / 2, h * 0.45}, {0, h}, {-w / 2, h * 0.45},
                                     {-w / 2, -h * 0.45}};
    c.polygon(outline);
    c.stroke(Paint::solid(aura), 9.0);
    c.polygon(outline);
    c.stroke(Paint::solid(aura.lighter(0.6)), 4.0);
    gem(c, outline, {cx, 0}, ramp, k.outline, spin);
    c.line({cx, -h + 3}, {cx, h - 3});
    c.stroke(Paint::solid(ramp.light.with_alpha(0.8)), 1.0);
    c.highlight(cx - w * 0.18, -h * 0.5, w * 0.12, h * 0.2, 0.9);
}

void pod(Canvas& c, double open, int frame) {
    const Look& k = look();
    // Stem from the roof.
    c.rect(-5, 0, 10, 14);
    c.shade(k.rock, k.outline);
    // Petals: four long crystals that swing out from the bottom.
    const double swing = open * 55;
    for (int side = -1; side <= 1; side += 2) {
        for (int inner = 0; inner < 2; ++inner) {
            auto s = c.scoped();
            const double hx = side * (inner ? 8 : 20);
            c.translate(hx, 14);
            c.rotate_deg(-side * swing * (inner ? 0.6 : 1.0));
            gem(c, {{0, 0}, {side * 6.0, 14}, {side * 3.0, 44}, {-side * 2.0, 50}, {-side * 5.0, 16}}, {0, 20},
                inner ? k.violet : k.magenta, k.outline);
        }
    }
    // The heart of the pod, glowing as it opens.
    c.ellipse(0, 22, 14, 12);
    c.fill_outlined(Paint::radial({0, 22}, 0, 14, {{0, Color{1, 1, 1}}, {0.4, k.glow.mixed(Color{1, 1, 1}, open * 0.5)},
                                                   {1, k.violet.dark}}),
                    k.outline, 1.0);
    if (frame % 2 == 0) c.highlight(-4, 18, 4, 2, 0.8);
}

void spire(Canvas& c, double pulse) {
    const Look& k = look();
    // A cluster of standing crystals, the middle one glowing.
    gem(c, {{-28, 96}, {-30, 60}, {-22, 44}, {-14, 62}, {-12, 96}}, {-20, 70}, k.violet, k.outline);
    gem(c, {{12, 96}, {14, 54}, {24, 36}, {30, 58}, {28, 96}}, {21, 66}, k.violet, k.outline);
    gem(c, {{-14, 96}, {-12, 30}, {0, 2}, {12, 30}, {14, 96}}, {0, 50}, Ramp{k.cyan.dark, k.cyan.mid.mixed(Color{1, 1, 1}, pulse * 0.4), k.cyan.light},
        k.outline, pulse);
    c.ellipse(0, 48, 6, 18);
    c.fill(Paint::radial({0, 48}, 0, 18, {{0, Color{1, 1, 1, 0.9}}, {0.6, k.glow.with_alpha(0.6 * pulse + 0.2)}, {1, k.glow.with_alpha(0)}}));
    c.rounded_rect(-32, 90, 64, 8, 3);
    c.shade(k.rock, k.outline);
}

// The far wall's stalk the second pod hangs from: a dark crystal stalactite
// whose tip, 96 rows down, holds the pod's stem at column 33.
Canvas far_stalk() {
    const Look& k = look();
    Canvas c(66, 104);
    const Ramp far{Color::hex(0x140a28), Color::hex(0x2c1a52), Color::hex(0x5a40a0)};
    gem(c, {{8, 0}, {14, 40}, {26, 84}, {33, 100}, {40, 84}, {52, 40}, {58, 0}}, {33, 40}, far, k.outline);
    gem(c, {{2, 0}, {6, 24}, {12, 0}}, {7, 8}, far, k.outline);
    gem(c, {{50, 0}, {58, 30}, {64, 0}}, {57, 10}, far, k.outline);
    c.circle(33, 98, 3);
    c.fill(Paint::solid(k.glow.with_alpha(0.8)));
    return c;
}

}  // namespace

void add_gate(worlds::World& world) {
    world.sprite("crystalfarstalk", far_stalk());
    world.sprite("crystalopenerdown",
                 art::frames_of({.width = 72, .height = 70, .xoffset = -11, .origin_x = 36}, 16,
                                [](Canvas& c, int i) { pod(c, std::clamp((i - 5) / 8.0, 0.0, 1.0), i); }));
    world.sprite("crystalopenerup",
                 art::frames_of({.width = 68, .height = 100, .yoffset = -2, .origin_x = 34, .origin_y = 2}, 8,
                                [](Canvas& c, int i) { spire(c, 0.5 - 0.5 * std::cos(i * kPi / 7)); }));
    const auto vertical = [](const Ramp& ramp, const Color& aura) {
        return art::frames_of({.width = 36, .height = 48, .origin_x = 18, .origin_y = 24}, 6,
                              [ramp, aura](Canvas& c, int i) { shard(c, 38, 22, i / 6.0, ramp, aura); });
    };
    const auto horizontal = [](const Ramp& ramp, const Color& aura) {
        return art::frames_of({.width = 48, .height = 36, .origin_x = 24, .origin_y = 18}, 6,
                              [ramp, aura](Canvas& c, int i) {
                                  c.rotate_deg(90);
                                  shard(c, 38, 22, i / 6.0, ramp, aura);
                              });
    };
    // Red burns orange, silver glows ice blue: the two kinds move differently.
    const Ramp red{look().red.dark, look().red.mid.lighter(0.15), look().red.light.lighter(0.3)};
    const Ramp silver{look().silver.dark, look().silver.mid.lighter(0.1), Color{1, 1, 1}};
    const Color ember = Color::hex(0xff8a20), ice = Color::hex(0x50e8ff);
    world.sprite("crystalbossredverticle", vertical(red, ember));
    world.sprite("crystalbosssilververticle", vertical(silver, ice));
    world.sprite("crystalbossredhorizontal", horizontal(red, ember));
    world.sprite("crystalbosssilverhorizontal", horizontal(silver, ice));
}

}  // namespace crystal
