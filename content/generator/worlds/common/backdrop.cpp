#include "generator/worlds/common/backdrop.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "sprites/layers.h"

namespace worlds {

namespace {

bool empty(art::Canvas& c) {
    bool seen = false;
    c.map_pixels([&](int, int, art::Color& p) { seen = seen || p.a >= 0.5; });
    return !seen;
}

// Distinct colours of a canvas's pixels (the key colour takes one palette entry more).
size_t colours(const art::Canvas& c) {
    std::set<uint32_t> seen;
    cairo_surface_flush(c.surface());
    const unsigned char* data = cairo_image_surface_get_data(c.surface());
    const int stride = cairo_image_surface_get_stride(c.surface());
    for (int y = 0; y < c.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < c.width(); ++x) seen.insert(row[x]);
    }
    return seen.size();
}

}  // namespace

int lay_backdrop(World& world, const Backdrop& backdrop, int layer, int y, int level_length) {
    const int tile = std::max(1, backdrop.tile_width);
    const int tiles = std::max(1, backdrop.period / tile);
    art::Canvas whole(tiles * tile, backdrop.height);
    if (backdrop.paint) backdrop.paint(whole);
    art::dither_565(whole);

    std::vector<std::string> names(static_cast<size_t>(tiles));
    for (int k = 0; k < tiles; ++k) {
        art::Canvas piece = whole.crop(k * tile, 0, tile, backdrop.height);
        if (empty(piece)) continue;
        // One more row on top, a copy of the first, placed one row above the
        // field: the image's top-left pixel, which must be the key colour,
        // then never opens a hole in the picture.
        art::Canvas raised(tile, backdrop.height + 1);
        raised.draw(piece, 0, 1);
        {
            auto scope = raised.scoped();
            raised.rect(0, 0, tile, 1).clip();
            raised.draw(piece, 0, 0);
        }
        names[size_t(k)] = backdrop.prefix + letters(k);
        // A tile whose dithered gradients need more colours than a palette
        // holds is written in true colour, so none of them is merged away.
        const art::Depth depth = colours(raised) > 255 ? art::Depth::True24 : art::Depth::Indexed8;
        std::vector<art::Frame> frames;
        frames.push_back({.image = std::move(raised), .yoffset = -1, .edges = backdrop.edges});
        world.sprite(names[size_t(k)], frames, depth);
    }

    // The layer moves its share of the level's distance; one tile spare at the end.
    const int reach = kFieldWidth + level_length * layers::scroll_speed(layer, world.speeds()) / layers::kLevelSpeed + tile;
    int placed = 0;
    for (int i = 0; i * tile < reach; ++i) {
        const std::string& name = names[size_t(i % tiles)];
        if (name.empty()) continue;
        world.level().place(i * tile, y, layer, name);
        ++placed;
    }

    const Once& once = backdrop.once;
    if (!once.name.empty() && once.paint) {
        art::Canvas with(tiles * tile, backdrop.height);
        once.paint(with);
        art::dither_565(with);
        std::vector<art::Frame> frames;
        frames.push_back({.image = with.crop(once.x, once.y, once.width, once.height), .edges = backdrop.edges});
        world.sprite(once.name, frames, colours(frames.front().image) > 255 ? art::Depth::True24 : art::Depth::Indexed8);
        world.level().place(once.repeat * tiles * tile + once.x, y + once.y, layer, once.name);
        ++placed;
    }
    return placed;
}

double periodic_noise(const art::Noise& noise, double x, double y, int period, int octaves) {
    double sum = 0, amplitude = 1, total = 0;
    int frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise.at_periodic(x * frequency + i * 7, y * frequency + i * 9.73, period * frequency);
        total += amplitude;
        amplitude *= 0.5;
        frequency *= 2;
    }
    return sum / total;
}

double periodic_noise_px(const art::Noise& noise, double x, double y, int period, double per_pixel, int octaves) {
    const int units = std::max(1, int(std::lround(period * per_pixel)));
    return periodic_noise(noise, x * units / period, y, units, octaves);
}

void wrap_x(int period, const std::function<void(double dx)>& draw) {
    for (int k = -1; k <= 1; ++k) draw(double(k * period));
}

}  // namespace worlds
