// The factory wall's fittings: bay doors, fans, control rooms, vats,
// conveyors, presses and banks of windows, each its own picture laid on
// layer 3 over the plain wall (which repeats every 1920 pixels). They are
// laid one by one along the whole level, each kind at least a screen's width
// after the last of its kind, so the wall never shows a fitting twice in one
// view and the corridor does not come round again; every bay door carries its
// own number.
#include <cmath>
#include <functional>
#include <algorithm>
#include <map>

#include "generator/art/lettering.h"
#include "generator/art/prelude.h"
#include "generator/worlds/metal/metal_art.h"

namespace metal {

namespace {

constexpr int kScreen = 640;
const Color kNight = Color::hex(0x06070a);

// ---- the painters; each draws its fitting at the canvas's origin ----

void window_bank(Canvas& c, int panes, bool lit, int broken_pane) {
    const double w = panes * 33 + 1, h = 44;
    const Color glow = lit ? Color::hex(0xc86a18) : Color::hex(0x2a2430);
    c.rect(3, 3, w, h);
    c.fill_outlined(Paint::vertical(3, 3 + h, {{0, glow.darker(0.6)}, {0.5, glow}, {1, glow.darker(0.5)}}), kNight, 3);
    for (int i = 1; i < panes; ++i) c.line({3 + 33.0 * i, 3}, {3 + 33.0 * i, 3 + h});
    c.line({3, 3 + h / 2}, {3 + w, 3 + h / 2});
    c.stroke(Paint::solid(kNight), 3, false);
    if (broken_pane >= 0) {
        const double cx = 3 + 33.0 * broken_pane + 17, cy = 15;
        std::vector<Pt> hole;
        for (int i = 0; i < 14; ++i) {
            const double a = i * 2 * kPi / 14, rr = (i % 2 ? 4.0 : 9.0);
            hole.push_back({cx + std::cos(a) * rr * 1.3, cy + std::sin(a) * rr * 0.9});
        }
        c.polygon(hole);
        c.fill(Paint::solid(kNight));
    }
    // A sill under the bank.
    c.rect(0, 3 + h + 1, w + 6, 5);
    c.shade(look().dark, look().outline, 1.0);
}

// A shutter door in hazard paint with a painted bay number; 228 rows tall.
void bay_door(Canvas& c, double width, const std::string& number) {
    const Look& k = look();
    const double x = 6, top = 12, bottom = c.height();
    c.rect(x, top, width, bottom - top);
    c.fill(Paint::vertical(top, bottom, {{0, k.dark.light}, {1, k.dark.dark}}));
    for (double y = top + 6; y < bottom; y += 9) c.line({x, y}, {x + width, y});
    c.stroke(Paint::solid(k.dark.dark), 1.5, false);
    c.rect(0, 0, width + 12, 12);
    c.fill(Paint::solid(k.dark.mid));
    hazard_band(c, 0, 0, width + 12, 12);
    art::TextStyle st;
    st.height = 26;
    st.fill = {{0, k.hazard.light}, {1, k.hazard.mid}};
    st.outline_width = 0;
    art::draw_text(c, x + width / 2, top + 24, number, st, art::Align::Centre);
    // Jambs.
    for (double jx : {0.0, width + 6}) {
        c.rect(jx, 12, 6, bottom - 12);
        c.shade(k.steel, k.outline, 1.0, 100);
    }
}

// A great extractor fan behind a grille, in a square housing.
void fan(Canvas& c, double r) {
    const Look& k = look();
    const double cx = c.width() / 2.0, cy = c.height() / 2.0;
    c.rounded_rect(2, 2, c.width() - 4, c.height() - 4, 6);
    c.shade(k.dark, k.outline, 1.2, 110);
    for (const Pt& p : std::vector<Pt>{{9, 9}, {c.width() - 9.0, 9}, {9, c.height() - 9.0}, {c.width() - 9.0, c.height() - 9.0}})
        c.orb(p.x, p.y, 2.2, k.steel.light, k.steel.dark);
    c.circle(cx, cy, r + 6);
    c.shade(k.dark, k.outline);
    c.circle(cx, cy, r);
    c.fill(Paint::solid(Color::hex(0x07080c)));
    for (int i = 0; i < 5; ++i) {
        const double a = i * 72 * kPi / 180;
        c.polygon({{cx, cy}, {cx + std::cos(a) * r * 0.95, cy + std::sin(a) * r * 0.95},
                   {cx + std::cos(a + 0.5) * r * 0.9, cy + std::sin(a + 0.5) * r * 0.9}});
        c.fill(Paint::solid(k.dark.mid));
    }
    c.circle(cx, cy, r * 0.18);
    c.shade(k.steel, k.outline);
    auto scope = c.scoped();
    c.circle(cx, cy, r).clip();
    for (double gy = cy - r; gy < cy + r; gy += 7) c.line({cx - r, gy}, {cx + r, gy});
    c.stroke(Paint::solid(k.dark.light.with_alpha(0.5)), 1.0, false);
}

// A control room behind a long window: consoles with lit keys, screens,
// the operators' silhouettes, a sign over it.
void control_room(Canvas& c, const Color& screen, const std::string& sign) {
    const Look& k = look();
    const double w = c.width(), h = c.height();
    c.rect(2, 16, w - 4, h - 18);
    c.shade(k.dark, k.outline, 1.4, 100);
    // The window and the lit room behind it.
    const double wx = 12, wy = 30, ww = w - 24, wh = 74;
    c.rect(wx, wy, ww, wh);
    c.fill(Paint::vertical(wy, wy + wh, {{0, Color::hex(0x10283a)}, {0.6, Color::hex(0x1e4a5e)}, {1, Color::hex(0x0c1820)}}));
    {
        auto s = c.scoped();
        c.rect(wx, wy, ww, wh).clip();
        // Screens on the back wall.
        for (double x = wx + 10; x < wx + ww - 30; x += 44) {
            c.rect(x, wy + 8, 32, 20);
            c.fill_outlined(Paint::solid(screen.darker(0.7)), kNight, 1.2);
            for (int i = 0; i < 4; ++i) {
                c.rect(x + 4, wy + 11 + i * 4, 8 + std::fmod(x * 7 + i * 13, 18), 1.5);
                c.fill(Paint::solid(screen));
            }
        }
        // Operators and the console in front of them.
        for (double x = wx + 30; x < wx + ww - 20; x += 70) {
            c.ellipse(x, wy + 46, 6, 7);
            c.fill(Paint::solid(Color::hex(0x081016)));
            c.rounded_rect(x - 10, wy + 52, 20, 22, 5);
            c.fill(Paint::solid(Color::hex(0x081016)));
        }
        c.rect(wx, wy + 58, ww, 16);
        c.fill(Paint::vertical(wy + 58, wy + 74, {{0, k.steel.mid}, {1, k.dark.mid}}));
        art::Random r(art::seed_of(sign));
        for (double x = wx + 4; x < wx + ww - 4; x += 5) {
            c.rect(x, wy + 62, 3, 2);
            const double p = r.uniform();
            c.fill(Paint::solid(p < 0.3 ? Color::hex(0xff5040) : p < 0.6 ? Color::hex(0x60ff70) : Color::hex(0xffd040)));
        }
        // Glare on the glass.
        c.polygon({{wx + 20, wy}, {wx + 46, wy}, {wx + 16, wy + wh}, {wx - 10, wy + wh}});
        c.fill(Paint::solid(Color{1, 1, 1, 0.07}));
    }
    c.rect(wx, wy, ww, wh);
    c.stroke(Paint::solid(kNight), 3);
    for (double x = wx + ww / 3; x < wx + ww - 1; x += ww / 3) c.line({x, wy}, {x, wy + wh});
    c.stroke(Paint::solid(kNight), 2.5, false);
    // The door beside the window, and the walkway under both.
    c.rect(w - 40, wy + wh + 8, 26, h - wy - wh - 10);
    c.shade(k.steel, k.outline, 1.0, 100);
    c.orb(w - 19, wy + wh + 40, 2, Color{1, 1, 1}, Color::hex(0x60ff70));
    hazard_band(c, 2, wy + wh + 2, w - 4, 5);
    // The sign.
    c.rounded_rect(w / 2 - 40, 0, 80, 20, 3);
    c.fill_outlined(Paint::vertical(0, 20, {{0, k.blue.mid}, {1, k.blue.dark}}), k.outline, 1.0);
    art::TextStyle st;
    st.height = 11;
    st.fill = {{0, Color{1, 1, 1}}, {1, k.blue.light}};
    st.outline_width = 0;
    art::draw_text(c, w / 2, 4.5, sign, st, art::Align::Centre);
}

// Tanks of glowing liquid, their level glasses filled to different heights,
// joined by pipes along the top; gauges on their bellies.
void vats(Canvas& c, const Ramp& liquid, const std::vector<double>& fill) {
    const Look& k = look();
    const double h = c.height();
    const double tank_w = 58, gap = 16;
    // The feed pipe along the top.
    c.rect(0, 8, c.width(), 12);
    c.fill(Paint::vertical(8, 20, {{0, k.rust.light}, {0.4, k.rust.mid}, {1, k.rust.dark}}));
    for (size_t i = 0; i < fill.size(); ++i) {
        const double x = 4 + double(i) * (tank_w + gap), top = 26, bottom = h - 10;
        c.rect(x + tank_w / 2 - 5, 14, 10, top - 14 + 4);
        c.shade(k.rust, k.outline, 1.0, 100);
        c.rounded_rect(x, top, tank_w, bottom - top, 16);
        c.fill_outlined(Paint::linear({x, 0}, {x + tank_w, 0}, {{0, k.steel.mid}, {0.25, k.steel.light}, {0.6, k.steel.mid}, {1, k.steel.dark}}),
                        k.outline, 1.4);
        for (double y = top + 30; y < bottom - 10; y += 46) {
            c.rect(x, y, tank_w, 5);
            c.fill(Paint::solid(k.dark.mid));
        }
        // The level glass and the glowing liquid in it.
        const double gx = x + tank_w / 2 - 8, gtop = top + 14, gbottom = bottom - 18;
        c.rounded_rect(gx, gtop, 16, gbottom - gtop, 5);
        c.fill_outlined(Paint::solid(Color::hex(0x0a0e14)), kNight, 1.5);
        const double level = gbottom - (gbottom - gtop) * fill[i];
        c.rounded_rect(gx + 2, level, 12, gbottom - level - 2, 4);
        c.fill(Paint::linear({gx + 2, 0}, {gx + 14, 0}, {{0, liquid.mid}, {0.4, liquid.light}, {1, liquid.mid}}));
        c.rect(gx + 2, level, 12, 2);
        c.fill(Paint::solid(Color{1, 1, 1, 0.8}));
        // A gauge.
        c.circle(x + 14, bottom - 36, 7);
        c.fill_outlined(Paint::solid(Color::hex(0xe8e4d0)), k.outline, 1.2);
        c.line({x + 14, bottom - 36}, {x + 14 + 5 * std::cos(fill[i] * 4 - 2.5), bottom - 36 + 5 * std::sin(fill[i] * 4 - 2.5)});
        c.stroke(Paint::solid(k.red.mid), 1.4);
        // Feet.
        c.rect(x + 6, bottom - 2, 10, 12);
        c.rect(x + tank_w - 16, bottom - 2, 10, 12);
        c.shade(k.dark, k.outline, 1.0);
    }
}

// A conveyor belt on legs, a chute feeding it and crates (or drums) riding it.
void conveyor(Canvas& c, bool drums) {
    const Look& k = look();
    const double w = c.width(), h = c.height(), belt = 100;
    // The chute from above.
    c.polygon({{20, 0}, {80, 0}, {70, 60}, {60, belt - 6}, {40, belt - 6}, {30, 60}});
    c.shade(k.dark, k.outline, 1.2, 100);
    hazard_band(c, 22, 4, 56, 6);
    // Legs.
    for (double x = 30; x < w - 10; x += 90) {
        c.rect(x, belt + 14, 10, h - belt - 14);
        c.shade(k.dark, k.outline, 1.0, 100);
        c.line({x + 10, belt + 20}, {x + 60, h - 4});
        c.stroke(Paint::solid(k.dark.mid), 3);
    }
    // Crates on the belt.
    art::Random r(art::seed_of(drums ? "metal conveyor drums" : "metal conveyor crates"));
    for (double x = 110; drums && x < w - 40; x += r.range(44, 60)) {
        const Ramp paint = r.chance(0.5) ? k.blue : k.red;
        c.rounded_rect(x, belt - 34, 28, 34, 4);
        c.fill_outlined(Paint::linear({x, 0}, {x + 28, 0}, {{0, paint.mid}, {0.3, paint.light}, {1, paint.dark}}), k.outline, 1.2);
        for (double y : {belt - 26, belt - 10}) {
            c.rect(x, y, 28, 3);
            c.fill(Paint::solid(paint.dark));
        }
    }
    for (double x = 110; !drums && x < w - 50; x += r.range(60, 90)) {
        const double cw = r.range(30, 42), ch = r.range(22, 34);
        c.rect(x, belt - ch, cw, ch);
        c.shade(Ramp{Color::hex(0x3a2410), Color::hex(0x8a5a2a), Color::hex(0xd8a060)}, k.outline, 1.2, 110);
        c.line({x + 2, belt - ch + 2}, {x + cw - 2, belt - 2});
        c.line({x + cw - 2, belt - ch + 2}, {x + 2, belt - 2});
        c.stroke(Paint::solid(Color::hex(0x3a2410).with_alpha(0.7)), 1.2, false);
        if (r.chance(0.5)) hazard_band(c, x + 3, belt - ch + 3, cw - 6, 5);
    }
    // The belt over its rollers.
    c.rounded_rect(6, belt, w - 12, 14, 7);
    c.fill_outlined(Paint::vertical(belt, belt + 14, {{0, Color::hex(0x2a2c30)}, {1, Color::hex(0x101114)}}), k.outline, 1.4);
    for (double x = 16; x < w - 12; x += 16) {
        c.circle(x, belt + 7, 4.5);
        c.shade(k.steel, k.outline, 0.8);
    }
    c.orb(w - 14, belt - 10, 3, Color{1, 1, 0.8}, k.lamp);
}

// A stamping press: two columns, a head on its piston, gears at the side.
void press(Canvas& c) {
    const Look& k = look();
    const double w = c.width(), h = c.height();
    for (double x : {10.0, w - 40}) {
        c.rect(x, 20, 30, h - 20);
        c.shade(k.steel, k.outline, 1.2, 100);
        hazard_band(c, x, h - 40, 30, 10);
    }
    c.rect(0, 0, w, 30);
    c.shade(k.dark, k.outline, 1.4, 100);
    hazard_band(c, 4, 22, w - 8, 5);
    // Piston and head, half way down.
    c.rect(w / 2 - 10, 30, 20, 70);
    c.fill_outlined(Paint::linear({w / 2 - 10, 0}, {w / 2 + 10, 0}, {{0, k.steel.mid}, {0.3, Color{1, 1, 1}}, {1, k.steel.dark}}), k.outline, 1.0);
    c.rect(46, 100, w - 92, 36);
    c.shade(k.dark, k.outline, 1.4, 100);
    hazard_band(c, 48, 126, w - 96, 8);
    // The die on its bed, a pressed panel on it.
    c.rect(50, h - 48, w - 100, 20);
    c.shade(k.dark, k.outline, 1.2);
    c.rect(60, h - 56, w - 120, 8);
    c.shade(k.steel, k.outline, 1.0);
    // Gears on the right column.
    for (const auto& [gx, gy, gr] : std::vector<std::tuple<double, double, double>>{{w - 25, 70, 22}, {w - 38, 112, 14}}) {
        std::vector<Pt> teeth;
        for (int i = 0; i < 24; ++i) {
            const double a = i * 2 * kPi / 24, rr = i % 2 ? gr : gr - 4;
            teeth.push_back({gx + std::cos(a) * rr, gy + std::sin(a) * rr});
        }
        c.polygon(teeth);
        c.shade(k.rust, k.outline, 1.0, 120);
        c.circle(gx, gy, gr * 0.3);
        c.fill(Paint::solid(k.dark.dark));
    }
    c.orb(w / 2, 12, 3.2, Color{1, 1, 0.8}, k.lamp);
}

// A generator: a turbine drum between coils, cables to a switch box, arcs
// of light between the coils' tops.
void generator(Canvas& c) {
    const Look& k = look();
    const double w = c.width(), h = c.height();
    // The base and the drum.
    c.rect(0, h - 30, w, 30);
    c.shade(k.dark, k.outline, 1.4, 100);
    hazard_band(c, 2, h - 30, w - 4, 5);
    c.rounded_rect(30, h - 110, w - 60, 80, 30);
    c.fill_outlined(Paint::vertical(h - 110, h - 30, {{0, k.blue.light}, {0.3, k.blue.mid}, {1, k.blue.dark}}), k.outline, 1.4);
    for (double x = 48; x < w - 48; x += 14) c.line({x, h - 104}, {x, h - 36});
    c.stroke(Paint::solid(k.blue.dark.with_alpha(0.7)), 1.2, false);
    // Two coils on insulators.
    for (double cx : {24.0, w - 24}) {
        for (int i = 0; i < 5; ++i) {
            c.ellipse(cx, h - 120 - i * 12, 14, 6);
            c.fill_outlined(Paint::solid(i % 2 ? k.rust.mid : k.rust.light), k.outline, 1.0);
        }
        c.circle(cx, h - 174, 10);
        c.shade(k.steel, k.outline, 1.0, 120);
    }
    // The arc between them.
    std::vector<Pt> arc;
    for (int i = 0; i <= 16; ++i) {
        const double t = i / 16.0;
        arc.push_back({24 + (w - 48) * t, h - 176 - 12 * std::sin(t * kPi) + ((i * 7) % 5 - 2) * 2.5});
    }
    c.polyline(arc);
    c.stroke(Paint::solid(Color::hex(0x80c8ff).with_alpha(0.6)), 5);
    c.polyline(arc);
    c.stroke(Paint::solid(Color{1, 1, 1}), 1.6);
    // The switch box with its lamps.
    c.rect(w / 2 - 22, h - 150, 44, 30);
    c.shade(k.steel, k.outline, 1.0, 100);
    c.orb(w / 2 - 10, h - 135, 3, Color{1, 1, 1}, Color::hex(0x60ff70));
    c.orb(w / 2 + 10, h - 135, 3, Color{1, 1, 1}, k.red.mid);
}

// ---- laying them out ----

struct Fitting {
    std::string kind;  // fittings of one kind keep a screen's width apart
    int width = 0, height = 0, y = 0;
    std::function<void(Canvas&)> paint;
};

std::vector<Fitting> machines() {
    const Look& k = look();
    std::vector<Fitting> out;
    out.push_back({"fan", 128, 128, 236, [](Canvas& c) { fan(c, 50); }});
    out.push_back({"fan", 104, 104, 244, [](Canvas& c) { fan(c, 38); }});
    out.push_back({"control", 250, 170, 196, [](Canvas& c) { control_room(c, Color::hex(0x60ffb0), "CONTROL 2"); }});
    out.push_back({"control", 220, 170, 196, [](Canvas& c) { control_room(c, Color::hex(0xffc060), "LINE 4"); }});
    out.push_back({"vats", 224, 214, 198, [k](Canvas& c) { vats(c, k.olive, {0.8, 0.45, 0.65}); }});
    out.push_back({"vats", 150, 214, 198, [k](Canvas& c) { vats(c, Ramp{Color::hex(0x5a1a04), Color::hex(0xff6a1a), Color::hex(0xffd080)}, {0.3, 0.9}); }});
    out.push_back({"conveyor", 330, 210, 206, [](Canvas& c) { conveyor(c, false); }});
    out.push_back({"conveyor", 270, 210, 206, [](Canvas& c) { conveyor(c, true); }});
    out.push_back({"generator", 170, 200, 206, [](Canvas& c) { generator(c); }});
    out.push_back({"press", 180, 236, 180, [](Canvas& c) { press(c); }});
    return out;
}

std::vector<Fitting> window_banks() {
    std::vector<Fitting> out;
    out.push_back({"windowsthree", 3 * 33 + 8, 56, 50, [](Canvas& c) { window_bank(c, 3, true, -1); }});
    out.push_back({"windowstwo", 2 * 33 + 8, 56, 64, [](Canvas& c) { window_bank(c, 2, true, 1); }});
    out.push_back({"windowsfour", 4 * 33 + 8, 56, 56, [](Canvas& c) { window_bank(c, 4, true, -1); }});
    out.push_back({"windowsfour", 4 * 33 + 8, 56, 50, [](Canvas& c) { window_bank(c, 4, false, 2); }});
    out.push_back({"windowsthree", 3 * 33 + 8, 56, 64, [](Canvas& c) { window_bank(c, 3, false, -1); }});
    out.push_back({"windowsfive", 5 * 33 + 8, 56, 56, [](Canvas& c) { window_bank(c, 5, true, 3); }});
    return out;
}

// Lays fittings from x0 to `reach`, a gap of `gap_lo` to `gap_hi` pixels
// apart: each time the kind laid longest ago (by chance among those never
// laid) of those whose last one ended at least a screen's width before, and
// of that kind its variants in turn. Each variant is one sprite, written when
// first laid; bay doors are made as they are laid, each with a number of its
// own.
void lay(worlds::World& world, const std::vector<Fitting>& choices, bool doors, int x0, int reach, double gap_lo,
         double gap_hi, const char* seed) {
    art::Random random(art::seed_of(seed));
    std::vector<std::string> kinds;
    std::map<std::string, std::vector<size_t>> variants;
    for (size_t i = 0; i < choices.size(); ++i) {
        if (variants[choices[i].kind].empty()) kinds.push_back(choices[i].kind);
        variants[choices[i].kind].push_back(i);
    }
    if (doors) kinds.emplace_back("door");
    std::map<std::string, int> kind_end;  // where the last of a kind ended
    std::map<std::string, size_t> turn;
    std::map<size_t, std::string> written;
    const std::vector<std::string> numbers{"03", "07", "12", "16", "21", "25", "30", "34", "38", "42"};
    int door = 0;
    for (int x = x0; x < reach;) {
        // The kinds free to come again, the longest gone first.
        std::vector<std::pair<int, std::string>> open;
        for (const std::string& kind : kinds) {
            const auto it = kind_end.find(kind);
            const int end = it == kind_end.end() ? -(1 << 20) : it->second;
            if (end + kScreen <= x) open.emplace_back(end, kind);
        }
        if (open.empty()) {
            x += 40;
            continue;
        }
        std::stable_sort(open.begin(), open.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // One of the three longest gone, by chance, so no fixed round repeats.
        const int pick = random.integer(0, std::min(2, int(open.size()) - 1));
        const std::string kind = open[size_t(pick)].second;
        std::string name;
        int width = 0, y = 0;
        if (kind == "door") {
            name = "metalfittingdoor" + worlds::letters(door);
            width = 144;
            y = 188;
            Canvas c(width, 228);
            bay_door(c, width - 12, numbers[size_t(door++) % numbers.size()]);
            world.sprite(name, std::move(c));
        } else {
            const std::vector<size_t>& of_kind = variants[kind];
            const size_t i = of_kind[turn[kind]++ % of_kind.size()];
            const Fitting& f = choices[i];
            name = "metalfitting" + kind + worlds::letters(int(std::find(of_kind.begin(), of_kind.end(), i) - of_kind.begin()));
            width = f.width;
            y = f.y;
            if (written.count(i) == 0) {
                Canvas c(f.width, f.height);
                f.paint(c);
                world.sprite(name, std::move(c));
                written[i] = name;
            }
        }
        world.level().place(x, y, 3, name);
        kind_end[kind] = x + width;
        x += width + int(random.range(gap_lo, gap_hi));
    }
}

}  // namespace

void add_wall_fittings(worlds::World& world) {
    const int reach = kScreen + kLength / 3;
    lay(world, machines(), true, 60, reach, 90, 230, "metal machines");
    lay(world, window_banks(), false, 20, reach, 70, 190, "metal windows");
}

}  // namespace metal
