// The city boss: a flying fortress seen from the front, a skyline on its
// back, thrusters below and a visor across its face.
//
// Body: 380 x 200. Its behaviour moves the offsets of its frames by
// (+110, +90) when it arrives, so the .SPT offsets (-193, -140) become
// (-83, -50): the image spans (-83..297, -50..150) from the body's x, y. Its
// four frames flicker the thrusters and the beacons; frame 1 is where an eye
// opens. The visor band, closed shutters, lies at (-63..273, 27..87): where
// the eyes open, each spawned at (body x - 63, body y + 27).
// Eyes: 336 x 60, offsets (0, 0): frame 1 shut (the same shutters as the
// body's), 4 wide open; the shutters part to show the eye lights. Left shots
// leave at (x - 15, y + 50 or 5), right shots at (x + 340, y + 5 or 50): the
// eye lights sit at both ends of the band.
// Shots: the squirming shot (22 x 22, five frames of a writhing knot, played
// back and forth), three straight bolts (12 x 12), all centred on x, y.
#include <cmath>

#include "generator/worlds/city/city.h"

namespace city {

using art::Canvas;
using art::Color;
using art::Frame;
using art::Paint;
using art::Pt;
using art::Ramp;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBodyW = 380, kBodyH = 200;
constexpr double kOx = 83, kOy = 50;                 // the body's x, y in the image
constexpr double kBandX = kOx - 63, kBandY = kOy + 27;  // visor band in the image
constexpr int kBandW = 336, kBandH = 60;

// The two shutter plates over the band; `open` 0 shut .. 1 open. (bx, by)
// is the band's top-left corner on the canvas.
void shutters(Canvas& c, double bx, double by, double open) {
    const Look& k = look();
    const double half = kBandH / 2.0;
    const double gap = half * open * 0.85;
    for (int plate = 0; plate < 2; ++plate) {
        const double top = plate == 0 ? by : by + half + gap;
        const double h = half - gap;
        if (h < 0.5) continue;
        c.rect(bx + 2, top, kBandW - 4, h);
        c.shade(Ramp{Color::hex(0x2a2238), Color::hex(0x5a4a70), Color::hex(0xa898c0)}, k.outline, 1.0, plate == 0 ? 100 : 260);
        // Ribs across each plate.
        for (double x = bx + 14; x < bx + kBandW - 8; x += 22) {
            c.line({x, top + 2}, {x, top + h - 2});
            c.stroke(Paint::solid(k.outline.with_alpha(0.55)), 1.0);
        }
        // A warning stripe along the meeting edge.
        const double edge = plate == 0 ? top + h - 3 : top;
        c.rect(bx + 2, edge, kBandW - 4, 3);
        c.fill(Paint::solid(k.gold.mid));
    }
}

void thruster(Canvas& c, double x, double y, int frame) {
    const Look& k = look();
    const double len = 16 + 5 * std::sin(frame * kPi / 2 + x);
    c.polygon({{x - 9, y}, {x + 9, y}, {x, y + len}});
    c.fill(Paint::linear({0, y}, {0, y + len}, {{0, Color{1, 1, 1}}, {0.35, k.neon_cyan}, {1, k.neon_cyan.darker(0.6).with_alpha(0.3)}}));
    c.rounded_rect(x - 12, y - 10, 24, 12, 3);
    c.shade(k.steel, k.outline);
}

Canvas body(int frame) {
    const Look& k = look();
    Canvas c(kBodyW, kBodyH);
    // Thrusters under the hull.
    for (double tx : {70.0, 150.0, 230.0, 310.0}) thruster(c, tx, 168, frame);
    // A skyline on its back: towers with lit windows and beacons.
    art::Random r(art::seed_of("citybossskyline"));
    for (double tx = 40; tx < 340; tx += r.range(22, 38)) {
        const double w = r.range(16, 28), h = r.range(20, 64);
        const double top = 58 - h;
        c.rect(tx, top, w, h + 6);
        c.shade(k.hull, k.outline, 1.0, 110);
        for (double wy = top + 4; wy < 56; wy += 6)
            for (double wx = tx + 3; wx < tx + w - 3; wx += 5) {
                c.rect(wx, wy, 2, 3);
                c.fill(Paint::solid(r.chance(0.6) ? k.window : Color::hex(0x2a2038)));
            }
        if (h > 45) {
            c.line({tx + w / 2, top}, {tx + w / 2, top - 10});
            c.stroke(Paint::solid(k.outline), 1.5);
            const bool lit = (int(tx) / 7 + frame) % 2 == 0;
            c.orb(tx + w / 2, top - 11, 2, Color{1, 1, 1}, lit ? Color::hex(0xff3030) : Color::hex(0x501010));
        }
    }
    // The hull: a wide armoured wedge, the visor band across its face.
    const std::vector<Pt> hull = {{6, 86},  {22, 60}, {70, 48}, {310, 48}, {358, 60}, {374, 86},
                                  {366, 140}, {330, 164}, {50, 164}, {14, 140}};
    c.polygon(hull);
    art::textured(c, k.hull, art::Noise(art::seed_of("citybosshull")), 0.05, 0.3, 110);
    c.polygon(hull);
    c.stroke(Paint::solid(k.outline), 1.5);
    {
        auto s = c.scoped();
        c.polygon(hull).clip();
        // Panel seams and neon trim.
        for (double y : {64.0, 148.0}) {
            c.line({0, y}, {double(kBodyW), y});
            c.stroke(Paint::solid(k.outline.with_alpha(0.6)), 1.0);
        }
        c.line({20, 146}, {360, 146});
        c.stroke(Paint::solid(frame % 2 ? k.neon_pink : k.neon_pink.darker(0.3)), 2.0);
        c.line({30, 62}, {350, 62});
        c.stroke(Paint::solid(k.neon_cyan), 1.5);
        // The visor's recess.
        c.rounded_rect(kBandX - 6, kBandY - 6, kBandW + 12, kBandH + 12, 8);
        c.fill(Paint::solid(Color::hex(0x0a0810)));
        c.rounded_rect(kBandX - 6, kBandY - 6, kBandW + 12, kBandH + 12, 8);
        c.stroke(Paint::solid(k.gold.mid), 2.0);
    }
    shutters(c, kBandX, kBandY, 0);
    // Vents under the visor and running lights.
    for (int i = 0; i < 10; ++i) {
        c.rect(60 + i * 28, 150, 16, 4);
        c.fill(Paint::solid(k.outline));
    }
    c.orb(12, 100, 3, Color{1, 1, 1}, frame < 2 ? Color::hex(0xff3030) : Color::hex(0x602020));
    c.orb(368, 100, 3, Color{1, 1, 1}, frame < 2 ? Color::hex(0x30ff60) : Color::hex(0x206030));
    return c;
}

std::vector<Frame> body_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) frames.push_back({body(f), -int(kOx) - 110, -int(kOy) - 90});
    return frames;
}

// ---- eyes ----
struct EyeStyle {
    Color iris;
    std::vector<double> centres;  // along the band, in pixels
    double radius;
    bool slit;                    // one long slit instead of round eyes
};

void eye_lights(Canvas& c, const EyeStyle& e) {
    const Look& k = look();
    c.rect(2, 2, kBandW - 4, kBandH - 4);
    c.fill(Paint::solid(Color::hex(0x08060c)));
    if (e.slit) {
        c.rounded_rect(8, kBandH / 2.0 - 9, kBandW - 16, 18, 9);
        c.fill(Paint::linear({0, kBandH / 2.0 - 9}, {0, kBandH / 2.0 + 9},
                             {{0, e.iris.darker(0.4)}, {0.5, Color{1, 1, 1}}, {1, e.iris.darker(0.4)}}));
        for (double x = 20; x < kBandW - 20; x += 30) {
            c.circle(x, kBandH / 2.0, 4);
            c.fill(Paint::solid(e.iris));
        }
        return;
    }
    for (double cx : e.centres) {
        const double cy = kBandH / 2.0;
        c.circle(cx, cy, e.radius + 3);
        c.shade(k.steel, k.outline);
        c.circle(cx, cy, e.radius);
        c.fill(Paint::radial({cx - e.radius * 0.3, cy - e.radius * 0.3}, 0, e.radius,
                             {{0, Color{1, 1, 1}}, {0.35, e.iris.lighter(0.3)}, {1, e.iris.darker(0.5)}}));
        c.circle(cx, cy, e.radius * 0.35);
        c.fill(Paint::solid(Color::hex(0x0a0408)));
        c.highlight(cx - e.radius * 0.4, cy - e.radius * 0.4, e.radius * 0.25, e.radius * 0.18, 0.95);
    }
}

std::vector<Frame> eye_frames(const EyeStyle& style) {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(kBandW, kBandH);
        eye_lights(c, style);
        shutters(c, 0, 0, f / 3.0);
        frames.push_back({std::move(c), 0, 0});
    }
    return frames;
}

// ---- shots ----
std::vector<Frame> squirm_frames() {
    const Look& k = look();
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) {
        Canvas c(24, 24);
        const double phase = f / 5.0 * 2 * kPi;
        // Three lobes writhing round a hot core.
        for (int lobe = 0; lobe < 3; ++lobe) {
            const double a = lobe * 2 * kPi / 3 + std::sin(phase + lobe) * 0.6;
            const double r = 6 + 2 * std::sin(phase * 2 + lobe);
            c.circle(12 + std::cos(a) * r, 12 + std::sin(a) * r, 4);
            c.fill_outlined(Paint::solid(k.neon_pink.darker(0.2)), k.outline, 1.0);
        }
        c.orb(12, 12, 6, Color{1, 1, 1}, k.neon_pink);
        frames.push_back({std::move(c), -12, -12});
    }
    return frames;
}

std::vector<Frame> bolt_frames(const Color& colour) {
    std::vector<Frame> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas c(14, 14);
        c.orb(7, 7, f == 0 ? 5.5 : 6.2, Color{1, 1, 1}, colour);
        c.circle(7, 7, f == 0 ? 5.5 : 6.2);
        c.stroke(Paint::solid(colour.darker(0.5)), 1.0);
        frames.push_back({std::move(c), -7, -7});
    }
    return frames;
}

}  // namespace

void add_boss(worlds::World& world) {
    const Look& k = look();
    world.sprite("cityboss", body_frames());
    world.sprite("citybosseyesone", eye_frames({Color::hex(0xff2a2a), {26, 310}, 19, false}));
    world.sprite("citybosseyestwo", eye_frames({Color::hex(0x40ff6a), {22, 92, 168, 244, 314}, 13, false}));
    world.sprite("citybosseyesthree", eye_frames({k.neon_cyan, {}, 0, true}));
    world.sprite("citybosseyesfour", eye_frames({Color::hex(0xffb020), {26, 168, 310}, 17, false}));
    world.sprite("citybossshotone", squirm_frames());
    world.sprite("citybossshottwo", bolt_frames(Color::hex(0xffb020)));
    world.sprite("citybossshotthree", bolt_frames(Color::hex(0x40ff6a)));
    world.sprite("citybossshotfour", bolt_frames(k.neon_cyan));
}

}  // namespace city
