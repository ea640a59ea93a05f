#include "generator/art/effects.h"

#include "generator/art/prelude.h"
#include <algorithm>
#include <cmath>

namespace art {

namespace {

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Color fire_colour(double heat) {
    struct Key {
        double at;
        uint32_t rgb;
    };
    static const Key keys[] = {{0.00, 0x4e484a}, {0.15, 0x6a524a}, {0.28, 0x8a1a0c}, {0.40, 0xd8380e},
                               {0.55, 0xff7a14}, {0.72, 0xffc53a}, {0.88, 0xfff1a8}, {1.00, 0xffffff}};
    heat = clamp01(heat);
    for (size_t i = 1; i < std::size(keys); ++i) {
        if (heat <= keys[i].at) {
            const double t = (heat - keys[i - 1].at) / (keys[i].at - keys[i - 1].at);
            return Color::hex(keys[i - 1].rgb).mixed(Color::hex(keys[i].rgb), t);
        }
    }
    return Color::hex(0xffffff);
}

Canvas explosion_frame(int size, double t, uint64_t seed, const ExplosionLook& look) {
    Canvas c(size, size);
    const Noise noise(seed);
    const double centre = size / 2.0;
    const double rmax = size / 2.0 - 1.5;
    // Fast growth that slows: a blast, not a balloon.
    const double radius = rmax * (0.28 + 0.72 * (1 - std::pow(1 - t, 2.4)));
    // Smoke thins out but leaves wisps in the last frame.
    const double fade = 1.0 - 0.8 * std::pow(t, 2.2);
    c.map_pixels([&](int x, int y, Color& out) {
        const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
        const double d = std::sqrt(dx * dx + dy * dy) / radius;
        // Noise drifts upwards as the blast ages: rising, rolling fire.
        const double n = noise.fractal(x * look.noise_scale + 3.1, (y + t * size * 0.35) * look.noise_scale, 4);
        const double shape = 1.0 - d + (n - 0.5) * look.turbulence * (0.6 + t);
        if (shape <= 0) {
            out = Color{0, 0, 0, 0};
            return;
        }
        // Hot centre at first, burning out from the middle later on.
        double heat = (0.3 + shape * 0.9) * look.core_heat * std::pow(1.0 - t, 0.8) + (n - 0.5) * 0.3;
        if (t > 0.5) heat -= (t - 0.5) * 0.8 * std::max(0.0, 1.0 - d * 1.2);
        heat = clamp01(heat);
        Color col = fire_colour(heat);
        col = Color{col.r * look.tint.r, col.g * look.tint.g, col.b * look.tint.b};
        // Cold smoke breaks up into puffs whose holes widen until little is left.
        double alpha = clamp01(shape * 4.0);
        if (heat < 0.3) {
            const double puffs = noise.fractal(x * look.noise_scale * 1.7 + 11.0, y * look.noise_scale * 1.7 - t * 2.0, 3);
            const double cut = 0.3 + 0.22 * std::pow(t, 1.6) * (2.0 - look.smoke);
            alpha *= clamp01((puffs - cut) * 8.0) * (0.5 + 0.5 * fade);
        }
        out = col.with_alpha(alpha);
    });
    if (look.sparks > 0) {
        Random random(seed ^ 0x5151);
        for (int i = 0; i < look.sparks; ++i) {
            const double angle = random.range(0, 2 * kPi);
            const double speed = random.range(0.55, 1.05);
            const double life = random.range(0.5, 1.0);
            if (t > life) continue;
            const double r = rmax * speed * (0.2 + 0.8 * std::sqrt(t / life));
            const double sx = centre + std::cos(angle) * r, sy = centre + std::sin(angle) * r;
            const double heat = 1.0 - t / life * 0.7;
            c.orb(sx, sy, 1.4 * (1.2 - t / life), fire_colour(heat), fire_colour(heat - 0.25));
        }
    }
    return c;
}

std::vector<Frame> explosion_frames(const std::string& name, int size, int count, const ExplosionLook& look) {
    std::vector<Frame> frames;
    const uint64_t seed = seed_of(name);
    for (int i = 0; i < count; ++i) {
        const double t = count > 1 ? double(i) / (count - 1) : 0.0;
        frames.push_back({.image = explosion_frame(size, t, seed, look),
                          .xoffset = -size / 2,
                          .yoffset = -size / 2,
                          .edges = Edges::Dither});
    }
    return frames;
}

void energy_orb(Canvas& c, double cx, double cy, double r, const Color& mid, const Color& edge, double phase,
                int streaks) {
    c.circle(cx, cy, r);
    c.fill(Paint::radial({cx - r * 0.2, cy - r * 0.25}, 0, {cx, cy}, r,
                         {{0, Color{1, 1, 1}}, {0.3, mid.lighter(0.5)}, {0.7, mid}, {1, edge}}));
    // Swirling streaks of brighter plasma.
    auto s = c.scoped();
    c.circle(cx, cy, r * 0.92).clip();
    for (int i = 0; i < streaks; ++i) {
        const double a = (phase + double(i) / streaks) * 360.0;
        c.arc(cx, cy, r * 0.62, a, a + 70);
        c.stroke(Paint::solid(mid.lighter(0.65)), std::max(1.0, r * 0.18));
    }
}

void space_gradient(Canvas& c, const Color& top, const Color& bottom) {
    c.fill_all(Paint::vertical(0, c.height(), {{0, top}, {1, bottom}}));
}

void nebula(Canvas& c, const Noise& noise, const std::vector<Color>& colours, double scale, double density,
            double strength) {
    if (colours.empty()) return;
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = noise.fractal(x * scale, y * scale, 5, 0.55);
        const double v = clamp01((n - (1.0 - density)) / std::max(0.05, density));
        if (v <= 0) return;
        const double pos = v * double(colours.size() - 1);
        const size_t i = std::min(size_t(pos), colours.size() - 1);
        const Color a = colours[i], b = colours[std::min(i + 1, colours.size() - 1)];
        const Color cloud = a.mixed(b, pos - double(i));
        const double k = clamp01(v * strength) * cloud.a;
        // Add light onto what is there (the sky stays opaque).
        out = Color{clamp01(out.r + cloud.r * k), clamp01(out.g + cloud.g * k), clamp01(out.b + cloud.b * k),
                    std::max(out.a, k)};
    });
}

void starfield(Canvas& c, Random& random, int count, double brightness) {
    for (int i = 0; i < count; ++i) {
        const double x = random.range(0, c.width()), y = random.range(0, c.height());
        const double size = std::pow(random.uniform(), 6.0);  // most stars tiny
        const double warm = random.uniform();
        const Color tint = warm < 0.2 ? Color::hex(0xffd8b0) : (warm < 0.45 ? Color::hex(0xb8d0ff) : Color{1, 1, 1});
        const double b = brightness * random.range(0.35, 1.0);
        if (size < 0.05) {
            c.rect(std::floor(x), std::floor(y), 1, 1);
            c.fill(Paint::solid(tint.with_alpha(b * 0.8)));
        } else {
            c.glow(x, y, 2.0 + size * 7.0, tint, b);
            if (size > 0.45) {
                // A twinkle cross on the brightest.
                const double arm = 4 + size * 9;
                c.line({x - arm, y}, {x + arm, y});
                c.line({x, y - arm}, {x, y + arm});
                c.stroke(Paint::solid(tint.with_alpha(0.35 * b)), 1.0, false);
            }
            c.rect(std::floor(x), std::floor(y), 1, 1);
            c.fill(Paint::solid(Color{1, 1, 1, b}));
        }
    }
}

void planet(Canvas& c, double cx, double cy, double r, const Ramp& surface, const Color& atmosphere,
            const Noise& noise, double light_deg) {
    const double a = light_deg * kPi / 180;
    const double lx = std::cos(a), ly = -std::sin(a);
    // Atmosphere halo.
    c.circle(cx, cy, r * 1.08);
    c.fill(Paint::radial({cx, cy}, r * 0.95, r * 1.08, {{0, atmosphere.with_alpha(0.7)}, {1, atmosphere.with_alpha(0)}}));
    // Surface: bands of noise lit by a terminator.
    Canvas body(int(std::ceil(r * 2)) + 2, int(std::ceil(r * 2)) + 2);
    const double bc = body.width() / 2.0;
    body.map_pixels([&](int x, int y, Color& out) {
        const double dx = (x + 0.5 - bc) / r, dy = (y + 0.5 - bc) / r;
        const double d2 = dx * dx + dy * dy;
        if (d2 > 1.0) return;
        const double dz = std::sqrt(1.0 - d2);
        const double lambert = clamp01(dx * lx + dy * ly + dz * 0.45);
        const double bands = noise.fractal(dx * 2.2 + 7.0, dy * 7.0 + dx * 0.8, 5, 0.55);
        const Color ground = surface.at(bands);
        const double light = 0.08 + 0.92 * std::pow(lambert, 0.9);
        // Antialiased rim.
        const double edge = clamp01((1.0 - std::sqrt(d2)) * r);
        out = ground.scaled(light).mixed(atmosphere, std::pow(1.0 - dz, 3.0) * 0.6 * lambert).with_alpha(edge);
    });
    c.draw(body, cx - bc, cy - bc);
}

void textured(Canvas& c, const Ramp& ramp, const Noise& noise, double scale, double contrast, double light_deg) {
    // Lighting is worked out in device pixels, whatever the transform.
    double x0, y0, x1, y1;
    c.extents(x0, y0, x1, y1);
    cairo_user_to_device(c.cr(), &x0, &y0);
    cairo_user_to_device(c.cr(), &x1, &y1);
    const double a = light_deg * kPi / 180;
    const double lx = std::cos(a), ly = -std::sin(a);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double half = std::max(1.0, std::abs((x1 - x0) / 2 * lx) + std::abs((y1 - y0) / 2 * ly));
    // The material on its own canvas, then laid through the path as a mask.
    Canvas material(c.width(), c.height());
    material.map_pixels([&](int x, int y, Color& out) {
        const double light = 0.5 + 0.5 * ((x + 0.5 - cx) * lx + (y + 0.5 - cy) * ly) / half;
        const double n = noise.fractal(x * scale, y * scale, 4);
        out = ramp.at(clamp01(light * (1 - contrast) + n * contrast * 1.2 - 0.1 * contrast));
    });
    auto s = c.scoped();
    c.clip();
    cairo_identity_matrix(c.cr());
    c.draw(material, 0, 0);
}

void panel(Canvas& c, double x, double y, double w, double h, double radius, const Ramp& face, const Color& outline,
           bool pressed) {
    const Color top = pressed ? face.dark : face.light;
    const Color body = pressed ? face.dark.mixed(face.mid, 0.5) : face.mid;
    const Color bottom = pressed ? face.mid : face.dark;
    c.rounded_rect(x + 0.5, y + 0.5, w - 1, h - 1, radius);
    c.fill_outlined(Paint::vertical(y, y + h, {{0, top}, {0.18, body}, {0.8, body.darker(0.12)}, {1, bottom}}),
                    outline, 1.0);
    // Bevel: a bright line inside the upper edge, a dark one inside the lower.
    auto s = c.scoped();
    c.rounded_rect(x + 1.5, y + 1.5, w - 3, h - 3, std::max(0.0, radius - 1));
    c.clip();
    c.rounded_rect(x + 1.5, y + 1.5, w - 3, h - 3, std::max(0.0, radius - 1));
    c.stroke(Paint::vertical(y, y + h, {{0, (pressed ? face.dark : face.light.lighter(0.4)).with_alpha(0.9)},
                                         {0.5, Color{1, 1, 1, 0}},
                                         {1, (pressed ? face.light : face.dark.darker(0.3)).with_alpha(0.8)}}),
             1.6);
}

}  // namespace art
