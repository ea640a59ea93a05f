// The mountain boss: two floating crags of granite and bronze.
//
// The body and its core are two copies of "mountainboss" showing the same
// frame 1, the core standing at (130, -25) from the body, so frame 1 is one
// crag and the pair reads as twin peaks (frame 3, the core beaten, is the crag
// split open; frame 2 a variant with its seams aglow). Every other part rides
// at its offset from the body (body coordinates below):
//   eyes (40 x 32) at (-18, 12) target, (23, 130) and (-17, 250) triggers;
//     they protrude from the crag's left face, which is set back around the
//     middle eye, so shots from the left reach each eye before the rock;
//   lids (44 x 32) two pixels left of their eyes, ringing them: frame 1 open,
//     3 shut, 5 open wide with warning marks (the target's lid runs 1 to 5
//     when it is exposed, the triggers' lids blink 1..5..1);
//   eye frames 1..5 glow from dim amber to white-hot (5: the exposed target);
//   indicators at (17, 15) and (17, 252): frame 1 the socket, 2 unlit, 3 lit;
//   cannons at (-43, -35), (-42, 37), (-42, 203), (-41, 275), turning about
//     (x + 6, y + 10): frames 1 up, 2 up-left, 3 left, 4 down-left, 5 down,
//     each on an arm reaching right to the crag;
//   the horizontal beam at (138, 127) bridges the cleft between the crags;
//   the vertical beams at (177, 78) and (177, 197) run down the core crag.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

namespace {

// ---- the crag ----
constexpr int kCragW = 132, kCragH = 384;
constexpr int kCragX = -4, kCragY = -64;  // image offset from the body

// Outline in body coordinates, clockwise from the left foot of the peaks.
const std::vector<Pt> kCragShape = {
    {14, -30}, {24, -44}, {36, -63}, {48, -46}, {58, -52}, {70, -60}, {84, -40}, {98, -46}, {112, -54},
    {124, -26}, {127, 30}, {120, 80},  {126, 140}, {118, 196}, {112, 240}, {100, 280}, {86, 304},
    {70, 318},  {58, 312}, {44, 300},  {30, 292},  {12, 286}, {7, 262},   {5, 236},   {9, 196},
    {30, 184},  {44, 168}, {46, 140},  {40, 120},  {22, 110}, {10, 84},   {6, 50},    {6, 8},
    {9, -16}};

std::vector<Pt> crag_in_image() {
    std::vector<Pt> pts;
    for (const Pt& p : kCragShape) pts.push_back({p.x - kCragX, p.y - kCragY});
    return pts;
}

void bronze_band(Canvas& c, double y, double h) {
    const Look& k = look();
    c.rect(0, y, kCragW, h);
    c.fill(Paint::vertical(y, y + h, {{0, k.bronze.light}, {0.35, k.bronze.mid}, {1, k.bronze.dark}}));
    c.line({0, y + 0.5}, {double(kCragW), y + 0.5});
    c.line({0, y + h - 0.5}, {double(kCragW), y + h - 0.5});
    c.stroke(Paint::solid(k.outline), 1.0);
    for (double x = 8; x < kCragW; x += 14) {
        c.circle(x, y + h / 2, 1.4);
        c.fill(Paint::solid(k.bronze.light.lighter(0.4)));
    }
}

// A round bronze socket where a part is mounted, in body coordinates.
void socket(Canvas& c, double bx, double by, double r) {
    const Look& k = look();
    const double x = bx - kCragX, y = by - kCragY;
    c.circle(x, y, r);
    c.shade(k.bronze, k.outline);
    c.circle(x, y, r * 0.55);
    c.fill(Paint::solid(k.bronze.dark.darker(0.4)));
}

Canvas crag(int variant) {
    const Look& k = look();
    Canvas c(kCragW, kCragH);
    const std::vector<Pt> shape = crag_in_image();
    const art::Noise noise(art::seed_of("mountaincrag"));
    c.polygon(shape);
    art::textured(c, k.rock, noise, 0.07, 0.55, 115);
    {
        auto s = c.scoped();
        c.polygon(shape).clip();
        // Strata: dark seams slanting across the rock.
        art::Random r(art::seed_of("mountaincragseams"));
        for (int i = 0; i < 16; ++i) {
            const double y = r.range(70, 370), x = r.range(0, 60);
            c.polyline({{x, y}, {x + r.range(20, 40), y - r.range(2, 9)}, {x + r.range(50, 90), y + r.range(-4, 6)}});
            c.stroke(Paint::solid(k.rock.dark.with_alpha(0.75)), 1.0);
        }
        // Snow on the peaks and on the shoulders below them.
        std::vector<Pt> snow;
        for (int x = 0; x <= kCragW; x += 4)
            snow.push_back({double(x), 34 + 10 * noise.fractal(x * 0.08, 3.0, 3) + (x > 90 ? 8 : 0)});
        snow.push_back({double(kCragW), 0});
        snow.push_back({0, 0});
        c.polygon(snow);
        c.fill(Paint::vertical(0, 50, {{0, k.snow.light}, {0.6, k.snow.mid}, {1, k.snow.dark}}));
        // Machinery: bronze bands and the sockets the parts are bolted to.
        bronze_band(c, 64 + 4, 7);
        bronze_band(c, 64 + 176, 6);
        bronze_band(c, 64 + 300, 6);
        socket(c, 8, 28, 12);
        socket(c, 47, 146, 12);
        socket(c, 9, 266, 12);
        // Glowing seams of the energy inside.
        const Color seam = variant == 2 ? k.energy_core : k.energy;
        const double glow = variant == 2 ? 2.2 : 1.3;
        for (const auto& line : std::vector<std::vector<Pt>>{{{70, 100}, {84, 140}, {78, 180}, {92, 230}},
                                                            {{100, 160}, {92, 200}, {104, 250}},
                                                            {{62, 260}, {76, 300}, {70, 340}}}) {
            c.polyline(line);
            c.stroke(Paint::solid(k.energy.darker(0.5)), glow + 2);
            c.polyline(line);
            c.stroke(Paint::solid(seam), glow);
        }
        if (variant == 3) {
            // Split open: a black rift with burning edges and broken chunks.
            const std::vector<Pt> rift = {{60, 0}, {76, 80}, {58, 150}, {84, 230}, {66, 300}, {80, 384},
                                          {96, 384}, {84, 300}, {100, 230}, {74, 150}, {92, 80}, {76, 0}};
            c.polygon(rift);
            c.fill(Paint::solid(Color::hex(0x120608)));
            c.polygon(rift);
            c.stroke(Paint::solid(art::fire_colour(0.7)), 2.0);
            for (int i = 0; i < 7; ++i) c.orb(70 + r.range(-8, 20), r.range(40, 340), r.range(3, 6), art::fire_colour(0.95), art::fire_colour(0.5));
        }
    }
    // Icicles and loose stones under the crag.
    for (const Pt& drip : std::vector<Pt>{{52, 300}, {66, 314}, {80, 306}, {96, 288}, {24, 288}}) {
        const double x = drip.x - kCragX, y = drip.y - kCragY - 4;
        c.polygon({{x - 3, y}, {x + 3, y}, {x + 0.5, y + 12 + std::fmod(x, 7)}});
        c.shade(k.snow, k.outline, 0.8);
    }
    c.polygon(shape);
    c.stroke(Paint::solid(k.outline), 1.4);
    c.polyline({{shape[1].x, shape[1].y + 2}, {shape[2].x, shape[2].y + 2}, {shape[3].x, shape[3].y + 2}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.7}), 1.0);
    return c;
}

std::vector<Frame> crag_frames() {
    std::vector<Frame> frames;
    for (int v = 1; v <= 3; ++v) frames.push_back({.image = crag(v), .xoffset = kCragX, .yoffset = kCragY});
    return frames;
}

// ---- eyes and lids ----
constexpr double kEyeCx = 20, kEyeCy = 16, kEyeR = 13.5;

std::vector<Frame> eye_frames() {
    const Look& k = look();
    std::vector<Frame> frames;
    for (int f = 1; f <= 5; ++f) {
        const double heat = 0.35 + 0.14 * (f - 1);  // dim amber to white-hot
        Canvas c(40, 32);
        c.circle(kEyeCx, kEyeCy, kEyeR + 1);
        c.shade(k.steel, k.outline);
        c.circle(kEyeCx, kEyeCy, kEyeR - 2);
        c.fill(Paint::radial({kEyeCx - 1, kEyeCy - 1}, 0, kEyeR - 2,
                             {{0, art::fire_colour(heat + 0.3)}, {0.45, art::fire_colour(heat)}, {1, art::fire_colour(heat - 0.25)}}));
        // A slit pupil that narrows as the eye heats up.
        c.ellipse(kEyeCx - 1, kEyeCy, 2.8 - 0.35 * f, 8);
        c.fill(Paint::solid(Color::hex(0x140406)));
        c.circle(kEyeCx, kEyeCy, kEyeR - 2);
        c.stroke(Paint::solid(k.outline), 1.0);
        c.highlight(kEyeCx - 5, kEyeCy - 5, 3, 2, 0.9);
        frames.push_back({.image = std::move(c)});
    }
    return frames;
}

// closed: 0 open .. 1 shut.
Canvas lid(double closed, bool alarm) {
    const Look& k = look();
    Canvas c(44, 32);
    const double cx = kEyeCx + 2, cy = kEyeCy, r = kEyeR + 1.5;
    // Two bronze shutters slide in from above and below, clipped to the socket.
    if (closed > 0) {
        auto s = c.scoped();
        c.circle(cx, cy, r).clip();
        const double reach = r * closed;
        c.rect(cx - r, cy - r, 2 * r, reach + 0.5);
        c.shade(k.bronze, k.outline, 1.0, 100);
        c.rect(cx - r, cy + r - reach - 0.5, 2 * r, reach + 0.5);
        c.shade(k.bronze, k.outline, 1.0, 100);
    }
    // The rim the shutters ride in.
    c.circle(cx, cy, r + 0.5);
    c.stroke(Paint::solid(k.outline), 5.0);
    c.circle(cx, cy, r + 0.5);
    c.stroke(Paint::linear({cx - r, cy - r}, {cx + r, cy + r}, {{0, k.bronze.light}, {0.5, k.bronze.mid}, {1, k.bronze.dark}}), 3.2);
    // Hinges left and right.
    for (double hx : {cx - r - 1.5, cx + r + 1.5}) {
        c.rounded_rect(hx - 2.5, cy - 4, 5, 8, 1.5);
        c.shade(k.bronze, k.outline, 0.8);
    }
    if (alarm) {
        for (double a = 0; a < 360; a += 45) {
            const double rad = a * kPi / 180;
            c.circle(cx + (r + 0.5) * std::cos(rad), cy + (r + 0.5) * std::sin(rad), 1.6);
            c.fill(Paint::solid(Color::hex(0xff3020)));
        }
    }
    return c;
}

std::vector<Frame> lid_frames() {
    std::vector<Frame> frames;
    const double closed[5] = {0.0, 0.55, 1.0, 0.55, 0.0};
    for (int f = 0; f < 5; ++f) frames.push_back({.image = lid(closed[f], f == 4)});
    return frames;
}

// ---- indicators ----
std::vector<Frame> indicator_frames() {
    const Look& k = look();
    std::vector<Frame> frames;
    for (int f = 1; f <= 3; ++f) {
        Canvas c(18, 18);
        c.rounded_rect(1, 1, 16, 16, 3);
        c.shade(k.bronze, k.outline);
        if (f >= 2) {
            const Color lamp = f == 3 ? Color::hex(0x60ff70) : Color::hex(0x5a1010);
            c.circle(9, 9, 5);
            if (f == 3)
                c.fill_outlined(Paint::radial({8, 8}, 0, 5, {{0, Color{1, 1, 1}}, {0.5, lamp}, {1, lamp.darker(0.4)}}),
                                k.outline, 0.8);
            else
                c.fill_outlined(Paint::radial({8, 8}, 0, 5, {{0, lamp.lighter(0.3)}, {1, lamp.darker(0.5)}}), k.outline, 0.8);
            c.highlight(7.5, 7, 1.6, 1.0, 0.7);
        } else {
            c.circle(9, 9, 5);
            c.fill(Paint::solid(k.bronze.dark.darker(0.4)));
        }
        frames.push_back({.image = std::move(c), .xoffset = 2, .yoffset = 2});
    }
    return frames;
}

// ---- cannons ----
constexpr double kCannonPivotX = 22, kCannonPivotY = 30;

std::vector<Frame> cannon_frames(bool strut_up) {
    const Look& k = look();
    const double angles[5] = {270, 225, 180, 135, 90};
    std::vector<Frame> frames;
    for (double angle : angles) {
        Canvas c(80, 60);
        const double px = kCannonPivotX, py = kCannonPivotY;
        // Arm to the crag, and a strut bracing it.
        c.rect(px, py - 4, 58, 8);
        c.shade(k.bronze, k.outline, 1.0, 100);
        const double sy = strut_up ? py - 22 : py + 22;
        c.polygon({{px + 30, py - 2}, {px + 56, sy - 3}, {px + 58, sy + 3}, {px + 36, py + 2}});
        c.shade(k.bronze, k.outline);
        for (double x = px + 10; x < px + 56; x += 12) {
            c.circle(x, py, 1.3);
            c.fill(Paint::solid(k.bronze.light));
        }
        // Barrel, then the ball mount over its root.
        {
            auto s = c.scoped();
            c.translate(px, py);
            c.rotate_deg(angle);
            c.rect(4, -3.5, 21, 7);
            c.shade(k.steel, k.outline, 1.0, angle > 100 && angle < 260 ? 270 : 90);
            c.rect(20, -4.5, 6, 9);
            c.shade(k.steel, k.outline);
        }
        c.circle(px, py, 9);
        c.shade(k.steel, k.outline, 1.0, 120);
        c.circle(px - 2, py - 2, 2.5);
        c.fill(Paint::solid(k.energy));
        frames.push_back(
            {.image = std::move(c), .xoffset = 6 - int(kCannonPivotX), .yoffset = 10 - int(kCannonPivotY)});
    }
    return frames;
}

// ---- energy beams ----
// A crackling bolt between two points, `phase` 0..1 moves the kinks along it.
void bolt(Canvas& c, Pt a, Pt b, double phase, uint64_t seed, double width) {
    const Look& k = look();
    const art::Noise noise(seed);
    std::vector<Pt> pts;
    const int steps = 14;
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const double nx = -(b.y - a.y) / len, ny = (b.x - a.x) / len;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double env = std::sin(t * kPi);
        const double off = (noise.at(t * 6 + phase * 6, 2.5) - 0.5) * 2 * width * 1.6 * env;
        pts.push_back({a.x + (b.x - a.x) * t + nx * off, a.y + (b.y - a.y) * t + ny * off});
    }
    c.polyline(pts);
    c.stroke(Paint::solid(k.energy.darker(0.35)), width + 2.5);
    c.polyline(pts);
    c.stroke(Paint::solid(k.energy), width);
    c.polyline(pts);
    c.stroke(Paint::solid(k.energy_core), std::max(1.0, width * 0.4));
}

void emitter(Canvas& c, double x, double y) {
    const Look& k = look();
    c.circle(x, y, 4);
    c.shade(k.bronze, k.outline, 0.8);
    c.circle(x, y, 1.8);
    c.fill(Paint::solid(k.energy_core));
}

std::vector<Frame> beam_horizontal() {
    return art::frames_of({.width = 34, .height = 22, .xoffset = -16}, 6, [&](Canvas& c, int f) {
        bolt(c, {4, 11}, {30, 11}, f / 6.0, art::seed_of("mountainbeamh"), 2.5);
        bolt(c, {4, 11}, {30, 11}, f / 6.0 + 0.5, art::seed_of("mountainbeamh2"), 1.2);
        emitter(c, 4, 11);
        emitter(c, 30, 11);
    });
}

std::vector<Frame> beam_vertical() {
    return art::frames_of({.width = 18, .height = 104}, 6, [&](Canvas& c, int f) {
        bolt(c, {9, 5}, {9, 99}, f / 6.0, art::seed_of("mountainbeamv"), 3.0);
        bolt(c, {9, 5}, {9, 99}, f / 6.0 + 0.4, art::seed_of("mountainbeamv2"), 1.2);
        emitter(c, 9, 5);
        emitter(c, 9, 99);
    });
}

}  // namespace

void add_boss(worlds::World& world) {
    world.sprite("mountainboss", crag_frames());
    world.sprite("mountainbosseye", eye_frames());
    world.sprite("mountainbosseyelid", lid_frames());
    world.sprite("mountainbosseyetwo", indicator_frames());
    world.sprite("mountainbosscannonup", cannon_frames(true));
    world.sprite("mountainbosscannondown", cannon_frames(false));
    world.sprite("mountainbossenergyhorizontal", beam_horizontal());
    world.sprite("mountainbossenergyverticle", beam_vertical());
}

}  // namespace mountain
