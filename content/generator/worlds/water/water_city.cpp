// The sunken city: seven buildings, each standing on the sea bed ("...up",
// its foot on the bottom row) and hanging from the rock roof ("...down", the
// same building upside down with its foot on row 0). They only take hits.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/water/water_art.h"

namespace water {

namespace {

struct Plan {
    const char* name;
    int width, height;
    void (*draw)(Canvas&, double light);  // foot on row `height`, light angle for shade()
};

void window(Canvas& c, double x, double y, double r) {
    const Look& k = look();
    c.circle(x, y, r);
    c.fill_outlined(Paint::radial({x - r * 0.3, y - r * 0.3}, 0, r, {{0, Color{1, 1, 0.9}}, {0.5, k.light}, {1, k.coral.mid}}),
                    k.outline, 1.0);
}

void weed(Canvas& c, double x, double base, double h) {
    const Look& k = look();
    c.smooth({{x, base}, {x + 3, base - h * 0.3}, {x - 2, base - h * 0.6}, {x + 2, base - h}}, false);
    c.stroke(Paint::solid(k.outline), 3.2);
    c.smooth({{x, base}, {x + 3, base - h * 0.3}, {x - 2, base - h * 0.6}, {x + 2, base - h}}, false);
    c.stroke(Paint::solid(Color::hex(0x3a9a4a)), 1.6);
}

void dome_habitat(Canvas& c, double light) {
    const Look& k = look();
    c.rounded_rect(4, 50, 82, 20, 3);
    c.shade(k.stone, k.outline, 1.0, light);
    for (double x : {14.0, 30.0, 46.0, 62.0, 76.0}) window(c, x, 60, 3);
    c.new_path();
    cairo_save(c.cr());
    cairo_translate(c.cr(), 45, 50);
    cairo_scale(c.cr(), 36, 40);
    cairo_arc(c.cr(), 0, 0, 1, kPi, 2 * kPi);
    cairo_restore(c.cr());
    c.fill_outlined(Paint::radial({32, 24}, 2, {45, 50}, 40, {{0, Color{1, 1, 1, 1}}, {0.3, k.glass.light}, {1, k.glass.dark}}),
                    k.outline, 1.2);
    for (double a : {-50.0, -90.0, -130.0}) {
        c.line({45, 50}, {45 + 36 * std::cos(a * kPi / 180), 50 + 40 * std::sin(a * kPi / 180)});
    }
    c.arc(45, 50, 24, 180, 360);
    c.stroke(Paint::solid(k.stone.dark.with_alpha(0.8)), 1.0);
    c.rect(34, 36, 22, 14);
    c.fill_outlined(Paint::solid(k.coral.mid), k.outline, 1.0);
    window(c, 45, 42, 3.2);
    weed(c, 8, 50, 16);
    weed(c, 82, 50, 12);
}

void tall_tower(Canvas& c, double light) {
    const Look& k = look();
    c.polygon({{6, 130}, {12, 30}, {40, 30}, {46, 130}});
    c.shade(k.stone, k.outline, 1.2, light);
    for (double y = 44; y < 124; y += 18) {
        window(c, 19, y, 3.4);
        window(c, 33, y + 6, 3.4);
    }
    c.rounded_rect(6, 22, 40, 12, 4);
    c.shade(k.teal, k.outline, 1.0, light);
    c.polyline({{26, 22}, {26, 2}});
    c.stroke(Paint::solid(k.outline), 3);
    c.polyline({{26, 22}, {26, 2}});
    c.stroke(Paint::solid(k.grey.light), 1.2);
    c.orb(26, 3, 3, Color{1, 1, 1}, Color::hex(0xff4040));
    weed(c, 8, 130, 22);
}

void temple(Canvas& c, double light) {
    const Look& k = look();
    for (int tier = 0; tier < 3; ++tier) {
        const double w = 80 - tier * 20, x = (80 - w) / 2 + 2, y = 100 - (tier + 1) * 28;
        c.rect(x + 4, y + 6, w - 8, 22);
        c.shade(k.stone, k.outline, 1.0, light);
        for (double wx = x + 12; wx < x + w - 10; wx += 12) {
            c.rounded_rect(wx - 3, y + 12, 6, 12, 3);
            c.fill_outlined(Paint::vertical(y + 12, y + 24, {{0, k.light}, {1, k.coral.mid}}), k.outline, 0.8);
        }
        c.polygon({{x - 4, y + 8}, {x + w / 2, y - 4}, {x + w + 4, y + 8}});
        c.shade(k.teal, k.outline, 1.0, light);
    }
    c.orb(42, 12, 4, Color{1, 1, 1}, k.light);
}

void twin_tanks(Canvas& c, double light) {
    const Look& k = look();
    for (double x : {6.0, 62.0}) {
        c.rounded_rect(x, 10, 34, 70, 16);
        c.shade(k.grey, k.outline, 1.2, light);
        for (double y : {28.0, 48.0}) window(c, x + 17, y, 4);
        c.rect(x + 2, 62, 30, 4);
        c.fill(Paint::solid(k.coral.mid));
    }
    c.rounded_rect(38, 34, 26, 10, 5);
    c.shade(k.glass, k.outline, 1.0, light);
    c.highlight(50, 36, 8, 1.5, 0.7);
}

void pyramid(Canvas& c, double light) {
    const Look& k = look();
    c.polygon({{2, 80}, {50, 6}, {98, 80}});
    c.shade(k.sand, k.outline, 1.2, light);
    {
        auto s = c.scoped();
        c.polygon({{2, 80}, {50, 6}, {98, 80}}).clip();
        for (double y = 20; y < 80; y += 10) c.line({0, y}, {100, y});
        c.stroke(Paint::solid(k.sand.dark.with_alpha(0.6)), 1.0, false);
        c.polygon({{50, 6}, {98, 80}, {60, 80}});
        c.fill(Paint::solid(k.sand.dark.with_alpha(0.35)));
    }
    c.ellipse(50, 44, 12, 7);
    c.fill_outlined(Paint::solid(Color{1, 1, 0.9}), k.outline, 1.0);
    c.circle(50, 44, 5);
    c.fill(Paint::radial({50, 44}, 0, 5, {{0, Color::hex(0xffe060)}, {1, k.coral.dark}}));
    c.rect(42, 66, 16, 14);
    c.fill_outlined(Paint::solid(Color::hex(0x100a04)), k.outline, 1.0);
}

void ruins(Canvas& c, double light) {
    const Look& k = look();
    c.rect(2, 60, 106, 10);
    c.shade(k.stone, k.outline, 1.0, light);
    const double heights[] = {52, 40, 56, 30};
    for (int i = 0; i < 4; ++i) {
        const double x = 8 + i * 26, top = 60 - heights[i];
        c.rect(x, top, 14, heights[i]);
        c.fill(Paint::linear({x, 0}, {x + 14, 0}, {{0, k.stone.light}, {0.5, k.stone.mid}, {1, k.stone.dark}}));
        c.rect(x, top, 14, heights[i]);
        c.stroke(Paint::solid(k.outline), 1.0);
        c.rect(x - 3, top - 4, 20, 5);
        c.shade(k.stone, k.outline, 1.0, light);
    }
    c.arc(47, 20, 13, 180, 360);
    c.stroke(Paint::solid(k.outline), 7, false);
    c.arc(47, 20, 13, 180, 360);
    c.stroke(Paint::solid(k.stone.mid), 5, false);
    weed(c, 30, 60, 20);
    weed(c, 90, 60, 26);
    c.circle(75, 50, 4);
    c.fill_outlined(Paint::solid(k.coral.light), k.outline, 1.0);
}

void beacon(Canvas& c, double light) {
    const Look& k = look();
    c.polygon({{4, 120}, {12, 26}, {32, 26}, {40, 120}});
    c.shade(k.pink, k.outline, 1.2, light);
    {
        auto s = c.scoped();
        c.polygon({{4, 120}, {12, 26}, {32, 26}, {40, 120}}).clip();
        for (double y = 40; y < 120; y += 22) {
            c.rect(0, y, 44, 8);
        }
        c.fill(Paint::solid(Color{1, 1, 1, 0.55}));
    }
    c.rect(8, 12, 28, 16);
    c.fill_outlined(Paint::radial({22, 20}, 0, 16, {{0, Color{1, 1, 1}}, {0.5, k.light}, {1, k.coral.mid}}), k.outline, 1.2);
    c.polygon({{6, 13}, {22, 2}, {38, 13}});
    c.shade(k.stone, k.outline, 1.0, light);
}

const Plan kPlans[] = {
    {"one", 90, 70, dome_habitat}, {"two", 52, 130, tall_tower}, {"three", 84, 100, temple},
    {"four", 102, 80, twin_tanks}, {"five", 100, 80, pyramid},  {"six", 110, 70, ruins},
    {"seven", 44, 120, beacon},
};

Canvas building(const Plan& plan, bool hang) {
    Canvas c(plan.width + 4, plan.height + 4);
    auto s = c.scoped();
    if (hang) {
        // Upside down, with the light still from above: the foot is row 0.
        c.translate(2, plan.height + 2);
        c.scale(1, -1);
        plan.draw(c, 250);
    } else {
        c.translate(2, 2);
        plan.draw(c, 110);
    }
    return c;
}

}  // namespace

void add_city(worlds::World& world) {
    for (const Plan& plan : kPlans) {
        const std::string base = std::string("waterbuilding") + plan.name;
        world.sprite(base + "up", building(plan, false), -2, -2);
        world.sprite(base + "down", building(plan, true), -2, -2);
    }
}

}  // namespace water
