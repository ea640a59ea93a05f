#include "generator/worlds/common/terrain.h"

#include <algorithm>
#include <cmath>

namespace worlds {

namespace {

double smoothstep(double t) { return t * t * (3 - 2 * t); }

art::Color default_material(const TerrainLook& look, const art::Noise& noise, const GroundPixel& p) {
    const double n = noise.fractal(p.x * look.noise_scale, p.y * look.noise_scale, 4);
    const double t = 0.22 + 0.55 * std::exp(-p.depth / 14.0) + (n - 0.5) * 0.65;
    return look.rock.at(std::clamp(t, 0.0, 1.0));
}

}  // namespace

Terrain::Terrain(Kind kind, int length, uint64_t seed)
    : kind_(kind), length_(std::max(1, length)), seed_(seed),
      rows_(size_t(length_), kind == Kind::Floor ? kFieldHeight : 0) {}

void Terrain::keys(const std::vector<TerrainKey>& keys) {
    if (keys.empty()) return;
    const art::Noise noise(seed_);
    size_t k = 0;
    for (int x = 0; x < length_; ++x) {
        while (k + 1 < keys.size() && keys[k + 1].x <= x) ++k;
        double y = keys[k].y, rough = keys[k].rough;
        if (x >= keys[k].x && k + 1 < keys.size()) {
            const double span = std::max(1.0, keys[k + 1].x - keys[k].x);
            const double t = (x - keys[k].x) / span;
            y = keys[k].y + (keys[k + 1].y - keys[k].y) * smoothstep(t);
            rough = keys[k].rough + (keys[k + 1].rough - keys[k].rough) * t;
        }
        // Broad swells and small crags: two scales of noise.
        const double n = noise.fractal(x * 0.011, 0.5, 4) - 0.5 + (noise.fractal(x * 0.07, 7.5, 2) - 0.5) * 0.35;
        rows_[size_t(x)] = int(std::lround(y + rough * 2.0 * n));
    }
}

int Terrain::surface(int x) const { return rows_[size_t(std::clamp(x, 0, length_ - 1))]; }

int Terrain::surface_over(int x0, int x1) const {
    int best = surface(x0);
    for (int x = x0; x < std::max(x0 + 1, x1); ++x)
        best = kind_ == Kind::Floor ? std::min(best, surface(x)) : std::max(best, surface(x));
    return best;
}

bool Terrain::present(int x) const {
    const int row = surface(x);
    return kind_ == Kind::Floor ? row < kFieldHeight : row > 0;
}

int Terrain::lay(World& world, const std::string& prefix, const TerrainLook& look) const {
    const art::Noise noise(seed_ ^ 0x5bd1e995u);
    const bool floor = kind_ == Kind::Floor;
    int count = 0;
    for (int x0 = 0; x0 < length_; x0 += look.tile_width) {
        const int x1 = std::min(length_, x0 + look.tile_width);
        bool any = false;
        for (int x = x0; x < x1 && !any; ++x) any = present(x);
        if (!any) continue;

        // The tile's rows on the field: a floor reaches down to the bottom, a
        // roof up to one row above the top (that row, and with it the image's
        // top-left pixel, lies off the field).
        int top = 0, bottom = 0;
        if (floor) {
            top = std::max(-1, surface_over(x0, x1) - look.margin);
            bottom = kFieldHeight;
        } else {
            top = -1;
            bottom = std::min(kFieldHeight, surface_over(x0, x1) + look.margin);
        }
        const int w = x1 - x0, h = bottom - top;
        art::Canvas c(w, h);
        const auto row_at = [&](int col) { return surface(x0 + col) - top; };

        c.map_pixels([&](int col, int row, art::Color& out) {
            const int fy = row + top;
            const int edge = surface(x0 + col);
            const double depth = floor ? fy - edge : edge - fy;
            if (depth < 0) return;
            const GroundPixel p{x0 + col, fy, depth};
            out = look.material ? look.material(p) : default_material(look, noise, p);
            out.a = 1;
        });

        // The edge line, taken a little past both sides so neighbours join.
        std::vector<art::Pt> edge, rim;
        for (int col = -2; col <= w + 2; ++col) {
            const double y = row_at(col) + (floor ? 0.0 : 1.0);
            edge.push_back({double(col), y});
            rim.push_back({double(col), y + (floor ? 2.0 : -2.0)});
        }
        if (look.rim.a > 0) {
            c.polyline(rim);
            c.stroke(art::Paint::solid(look.rim), 1.0);
        }
        c.polyline(edge);
        c.stroke(art::Paint::solid(look.outline), 2.0);
        if (look.dressing) look.dressing(c, x0, top, row_at);
        art::posterize(c, 24);

        const std::string name = prefix + letters(count);
        world.sprite(name, std::move(c));
        world.level().place(x0, top, 1, name);
        ++count;
    }
    return count;
}

}  // namespace worlds
