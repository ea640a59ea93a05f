// The city boss: a flying fortress carrying a city under a glass dome, a
// visor across its face, wing pods at both ends and thrusters below.
//
// Body: 400 x 262. Its behaviour moves the offsets of its frames by
// (+110, +90) when it arrives, so the .SPT offsets (-205, -178) become
// (-95, -88): the body's x, y lies at (95, 88) in the image. Its four frames
// flicker the thrusters and the beacons; frame 1 is where an eye opens. The
// visor, closed lids, lies at (-63..273, 7..107) from the body's x, y: where
// the eyes open, each spawned at (body x - 63, body y + 27) with the visor
// at (0, -20) in its frames.
// Eyes: 400 x 195 at (-32, -115), the body's top rows down to the visor's
// foot: the visor, frame 1 shut (the same lids as the body's), 4 wide open,
// the lids parting to show the eye lights, and both wing pods and their
// sensor masts armed. Left shots leave at (x - 15, y + 50
// or 5), right shots at (x + 340, y + 5 or 50): the muzzles of the body's
// wing pods. The visor is tall so the guns of a ship and of both its drones
// can reach an open eye together.
// Shots: the squirming shot (22 x 22, five frames of a writhing knot, played
// back and forth), three straight bolts (12 x 12), all centred on x, y.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"

namespace city {

namespace {

constexpr int kBodyW = 400, kBodyH = 262;
constexpr double kOx = 95, kOy = 88;                      // the body's x, y in the image
constexpr int kEyeTop = -20;                              // the eye's image top from its y
constexpr double kBandX = kOx - 63, kBandY = kOy + 27 + kEyeTop;  // visor in the image
constexpr int kBandW = 336, kBandH = 100;
constexpr double kPodTop = 108, kPodH = 76;               // the wing pods' rows in the image
constexpr double kSensor = 15;                            // the pods' sensors, this far into both corners

const Ramp& lid_ramp() {
    static const Ramp r{Color::hex(0x241c34), Color::hex(0x584872), Color::hex(0xb4a2d0)};
    return r;
}

// The visor's outline: a wide lens, pointed at both ends.
void visor_path(Canvas& c, double bx, double by, double inset = 0) {
    const double w = kBandW - 2 * inset, h = kBandH - 2 * inset;
    const double x = bx + inset, y = by + inset;
    c.new_path();
    cairo_t* cr = c.cr();
    cairo_move_to(cr, x, y + h / 2);
    cairo_curve_to(cr, x + w * 0.12, y, x + w * 0.3, y, x + w / 2, y);
    cairo_curve_to(cr, x + w * 0.7, y, x + w * 0.88, y, x + w, y + h / 2);
    cairo_curve_to(cr, x + w * 0.88, y + h, x + w * 0.7, y + h, x + w / 2, y + h);
    cairo_curve_to(cr, x + w * 0.3, y + h, x + w * 0.12, y + h, x, y + h / 2);
    cairo_close_path(cr);
}

// Armoured lids over the visor; `open` 0 shut .. 1 open. (bx, by) is the
// visor's top-left corner on the canvas.
void lids(Canvas& c, double bx, double by, double open) {
    const Look& k = look();
    const double half = kBandH / 2.0;
    const double gap = half * open * 0.9;
    auto scope = c.scoped();
    visor_path(c, bx, by);
    c.clip();
    for (int lid = 0; lid < 2; ++lid) {
        const double top = lid == 0 ? by - 2 : by + half + gap;
        const double h = half - gap + 2;
        if (h < 2.5) continue;
        c.rect(bx, top, kBandW, h);
        c.shade(lid_ramp(), k.outline, 1.0, lid == 0 ? 100 : 260);
        // Curved armour plates: arcs following the lid's edge, and rivets.
        for (int band = 1; band <= 2; ++band) {
            const double y = lid == 0 ? top + h - band * 12 : top + band * 12;
            c.line({bx, y}, {bx + kBandW, y});
            c.stroke(Paint::solid(k.outline.with_alpha(0.5)), 1.0);
            for (double x = bx + 30; x < bx + kBandW - 20; x += 34) {
                c.circle(x, y + (lid == 0 ? -5 : 5), 1.6);
                c.fill(Paint::solid(lid_ramp().light));
            }
        }
        // A gold edge where the lids meet, glowing from the eye behind.
        const double edge = lid == 0 ? top + h - 4 : top;
        c.rect(bx, edge, kBandW, 4);
        c.fill(Paint::vertical(edge, edge + 4, {{0, k.gold.light}, {1, k.gold.dark}}));
    }
}

// A wing pod with two muzzles, where the eyes' shots leave (an eye's left
// shots at rows 120 and 165 of the image, x 17; its right ones at x 372).
// On each pod a mast carries a sensor up to the image's top corner: seeking
// missiles make for the top-left corner of what they seek, and there they
// find the sensor, which belongs to an open eye as the pods do.
void wing_pod(Canvas& c, bool left, const Color& muzzle, const Color& lamp) {
    const Look& k = look();
    const double x = left ? 0 : kBodyW - 30;
    const double sx = left ? kSensor : kBodyW - kSensor;
    c.polygon({{sx - 2.5, kSensor}, {sx + 2.5, kSensor}, {sx + 4, kPodTop + 2}, {sx - 4, kPodTop + 2}});
    c.shade(k.steel, k.outline);
    for (double y = kSensor + 22; y < kPodTop - 8; y += 22) {
        c.rect(sx - 6, y, 12, 3);
        c.fill_outlined(Paint::solid(k.steel.mid), k.outline, 1.0);
    }
    c.circle(sx, kSensor, 10);
    c.shade(k.steel, k.outline);
    c.orb(sx, kSensor, 6, Color{1, 1, 1}, lamp);
    c.rounded_rect(x, kPodTop, 30, kPodH, 7);
    c.shade(k.steel, k.outline);
    for (double my : {120.0, 165.0}) {
        c.circle(left ? x + 9 : x + 21, my, 5.5);
        c.fill_outlined(Paint::solid(muzzle), k.outline, 1.0);
    }
    c.orb(x + 15, 142, 3, Color{1, 1, 1}, lamp);
}

void thruster(Canvas& c, double x, double y, int frame) {
    const Look& k = look();
    const double len = 18 + 6 * std::sin(frame * kPi / 2 + x);
    c.polygon({{x - 10, y}, {x + 10, y}, {x, y + len}});
    c.fill(Paint::linear({0, y}, {0, y + len}, {{0, Color{1, 1, 1}}, {0.35, k.neon_cyan}, {1, k.neon_cyan.darker(0.6).with_alpha(0.3)}}));
    c.rounded_rect(x - 13, y - 12, 26, 14, 4);
    c.shade(k.steel, k.outline);
}

// The city under the dome: towers with lit windows and beacons.
void domed_city(Canvas& c, int frame) {
    const Look& k = look();
    const double cx = kBodyW / 2.0, base = 92, rx = 150, ry = 86;
    auto scope = c.scoped();
    c.ellipse(cx, base, rx, ry);
    c.clip();
    c.rect(0, 0, kBodyW, base);
    c.fill(Paint::vertical(base - ry, base, {{0, Color::hex(0x140c2a)}, {1, Color::hex(0x3a1c50)}}));
    art::Random r(art::seed_of("citybossskyline"));
    for (double tx = cx - rx + 8; tx < cx + rx - 8; tx += r.range(14, 24)) {
        const double w = r.range(12, 22);
        const double from_middle = std::abs(tx + w / 2 - cx) / rx;
        const double h = r.range(20, 40) + 50 * (1 - from_middle * from_middle);
        const double top = base - h;
        c.rect(tx, top, w, h + 2);
        c.shade(k.hull, k.outline, 1.0, 110);
        for (double wy = top + 4; wy < base - 4; wy += 6)
            for (double wx = tx + 3; wx < tx + w - 3; wx += 5) {
                c.rect(wx, wy, 2, 3);
                c.fill(Paint::solid(r.chance(0.6) ? k.window : Color::hex(0x2a2038)));
            }
        if (h > 70) {
            c.line({tx + w / 2, top}, {tx + w / 2, top - 8});
            c.stroke(Paint::solid(k.outline), 1.5);
            const bool lit = (int(tx) / 7 + frame) % 2 == 0;
            c.orb(tx + w / 2, top - 9, 2, Color{1, 1, 1}, lit ? Color::hex(0xff3030) : Color::hex(0x501010));
        }
    }
    // Glass: a cool sheen and a bright reflection on the upper left.
    c.rect(0, 0, kBodyW, base);
    c.fill(Paint::radial({cx - 50, base - 70}, 10, rx, {{0, Color{0.8, 0.95, 1, 0.35}}, {1, Color{0.4, 0.7, 1, 0.08}}}));
    c.arc(cx, base, rx - 14, 200, 250);
    c.stroke(Paint::solid(Color{1, 1, 1, 0.55}), 3);
}

Canvas body(int frame) {
    const Look& k = look();
    Canvas c(kBodyW, kBodyH);
    // Thrusters and a hanging spine under the keel.
    for (double tx : {110.0, 165.0, 235.0, 290.0}) thruster(c, tx, 232, frame);
    c.polygon({{190, 236}, {210, 236}, {204, 256}, {196, 256}});
    c.shade(k.steel, k.outline);
    c.orb(200, 256, 3, Color{1, 1, 1}, frame % 2 ? Color::hex(0xff3030) : Color::hex(0x602020));

    domed_city(c, frame);
    // The dome's rim.
    c.ellipse(kBodyW / 2.0, 92, 152, 7);
    c.shade(k.steel, k.outline);

    // The hull: a broad lens under the dome, swelling into wing pods at both ends.
    const std::vector<Pt> hull = {{26, 96},   {60, 90},   {340, 90},  {374, 96},  {398, 130}, {398, 186},
                                  {374, 214}, {300, 236}, {100, 236}, {26, 214},  {2, 186},   {2, 130}};
    c.polygon(hull);
    art::textured(c, k.hull, art::Noise(art::seed_of("citybosshull")), 0.05, 0.3, 110);
    c.polygon(hull);
    c.stroke(Paint::solid(k.outline), 1.5);
    {
        auto s = c.scoped();
        c.polygon(hull).clip();
        // Armour seams following the lens, and neon trim.
        for (double y : {104.0, 220.0}) {
            c.line({0, y}, {double(kBodyW), y});
            c.stroke(Paint::solid(k.outline.with_alpha(0.6)), 1.0);
        }
        c.line({40, 100}, {360, 100});
        c.stroke(Paint::solid(k.neon_cyan), 1.5);
        c.line({60, 226}, {340, 226});
        c.stroke(Paint::solid(frame % 2 ? k.neon_pink : k.neon_pink.darker(0.3)), 2.0);
        // The visor's socket, a dark recess with a gold rim.
        visor_path(c, kBandX - 7, kBandY - 7);
        cairo_save(c.cr());
        cairo_translate(c.cr(), kBandX + kBandW / 2.0, kBandY + kBandH / 2.0);
        cairo_scale(c.cr(), (kBandW + 14.0) / kBandW, (kBandH + 14.0) / kBandH);
        cairo_translate(c.cr(), -(kBandX + kBandW / 2.0), -(kBandY + kBandH / 2.0));
        visor_path(c, kBandX, kBandY);
        cairo_restore(c.cr());
        c.fill(Paint::solid(Color::hex(0x0a0810)));
    }
    lids(c, kBandX, kBandY, 0);
    visor_path(c, kBandX, kBandY);
    c.stroke(Paint::solid(k.gold.mid), 2.0);
    for (const bool left : {true, false})
        wing_pod(c, left, Color::hex(0x08060c),
                 left ? (frame < 2 ? Color::hex(0xff3030) : Color::hex(0x602020))
                      : (frame < 2 ? Color::hex(0x30ff60) : Color::hex(0x206030)));
    // Vents under the visor.
    for (int i = 0; i < 8; ++i) {
        c.rect(100 + i * 26, 214, 14, 4);
        c.fill(Paint::solid(k.outline));
    }
    return c;
}

std::vector<Frame> body_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f)
        frames.push_back({.image = body(f), .xoffset = -int(kOx) - 110, .yoffset = -int(kOy) - 90});
    return frames;
}

// ---- eyes ----
struct EyeStyle {
    Color iris;
    std::vector<double> centres;  // along the visor, in pixels
    double radius;
    bool slit;                    // one long slit instead of round eyes
};

void eye_lights(Canvas& c, const EyeStyle& e) {
    const Look& k = look();
    visor_path(c, 0, 0, 1);
    c.fill(Paint::radial({kBandW / 2.0, kBandH / 2.0}, 10, kBandW / 2.0,
                         {{0, e.iris.darker(0.7)}, {1, Color::hex(0x08060c)}}));
    const double cy = kBandH / 2.0;
    if (e.slit) {
        c.rounded_rect(20, cy - 12, kBandW - 40, 24, 12);
        c.fill(Paint::linear({0, cy - 12}, {0, cy + 12}, {{0, e.iris.darker(0.4)}, {0.5, Color{1, 1, 1}}, {1, e.iris.darker(0.4)}}));
        for (double x = 34; x < kBandW - 30; x += 30) {
            c.circle(x, cy, 5);
            c.fill(Paint::solid(e.iris));
        }
        return;
    }
    for (double cx : e.centres) {
        c.circle(cx, cy, e.radius + 4);
        c.shade(k.steel, k.outline);
        c.circle(cx, cy, e.radius);
        c.fill(Paint::radial({cx - e.radius * 0.3, cy - e.radius * 0.3}, 0, e.radius,
                             {{0, Color{1, 1, 1}}, {0.35, e.iris.lighter(0.3)}, {1, e.iris.darker(0.5)}}));
        c.ellipse(cx, cy, e.radius * 0.22, e.radius * 0.6);
        c.fill(Paint::solid(Color::hex(0x0a0408)));
        c.highlight(cx - e.radius * 0.4, cy - e.radius * 0.4, e.radius * 0.25, e.radius * 0.18, 0.95);
    }
}

// An open eye arms both wing pods: their muzzles glow in its colour, and
// they belong to the eye, so a shot into a pod wounds the fortress too (the
// left pod still shows when the fortress wanders to the right edge).
std::vector<Frame> eye_frames(const EyeStyle& style) {
    const Look& k = look();
    const art::FrameBox band{
        .width = kBodyW, .height = int(kBandY) + kBandH, .xoffset = -int(kBandX), .yoffset = kEyeTop - int(kBandY)};
    return art::frames_of(band, 4, [&](Canvas& c, int f) {
        for (const bool left : {true, false})
            wing_pod(c, left, style.iris.darker(0.3 - 0.1 * f), style.iris.lighter(0.3));
        {
            auto scope = c.scoped();
            cairo_translate(c.cr(), kBandX, kBandY);
            eye_lights(c, style);
            lids(c, 0, 0, f / 3.0);
            visor_path(c, 0, 0, 1);
            c.stroke(Paint::solid(k.gold.mid), 2.0);
        }
    });
}

// ---- shots ----
std::vector<Frame> squirm_frames() {
    const Look& k = look();
    return art::frames_of({.width = 24, .height = 24, .xoffset = -12, .yoffset = -12}, 5, [&](Canvas& c, int f) {
        const double phase = f / 5.0 * 2 * kPi;
        // Three lobes writhing round a hot core.
        for (int lobe = 0; lobe < 3; ++lobe) {
            const double a = lobe * 2 * kPi / 3 + std::sin(phase + lobe) * 0.6;
            const double r = 6 + 2 * std::sin(phase * 2 + lobe);
            c.circle(12 + std::cos(a) * r, 12 + std::sin(a) * r, 4);
            c.fill_outlined(Paint::solid(k.neon_pink.darker(0.2)), k.outline, 1.0);
        }
        c.orb(12, 12, 6, Color{1, 1, 1}, k.neon_pink);
    });
}

std::vector<Frame> bolt_frames(const Color& colour) {
    return art::frames_of({.width = 14, .height = 14, .xoffset = -7, .yoffset = -7}, 2, [&](Canvas& c, int f) {
        c.orb(7, 7, f == 0 ? 5.5 : 6.2, Color{1, 1, 1}, colour);
        c.circle(7, 7, f == 0 ? 5.5 : 6.2);
        c.stroke(Paint::solid(colour.darker(0.5)), 1.0);
    });
}

}  // namespace

void add_boss(worlds::World& world) {
    const Look& k = look();
    world.sprite("cityboss", body_frames());
    world.sprite("citybosseyesone", eye_frames({Color::hex(0xff2a2a), {96, 240}, 30, false}));
    world.sprite("citybosseyestwo", eye_frames({Color::hex(0x40ff6a), {60, 114, 168, 222, 276}, 18, false}));
    world.sprite("citybosseyesthree", eye_frames({k.neon_cyan, {}, 0, true}));
    world.sprite("citybosseyesfour", eye_frames({Color::hex(0xffb020), {72, 168, 264}, 26, false}));
    world.sprite("citybossshotone", squirm_frames());
    world.sprite("citybossshottwo", bolt_frames(Color::hex(0xffb020)));
    world.sprite("citybossshotthree", bolt_frames(Color::hex(0x40ff6a)));
    world.sprite("citybossshotfour", bolt_frames(k.neon_cyan));
}

}  // namespace city
