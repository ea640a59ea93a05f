#include "generator/worlds/common/backdrop.h"

#include "generator/worlds/common/frames.h"

#include <algorithm>
#include <vector>

namespace worlds {

namespace {

bool empty(art::Canvas& c) {
    bool seen = false;
    c.map_pixels([&](int, int, art::Color& p) { seen = seen || p.a >= 0.5; });
    return !seen;
}

}  // namespace

int lay_backdrop(World& world, const Backdrop& backdrop, int layer, int y, int level_length) {
    const int tile = std::max(1, backdrop.tile_width);
    const int tiles = std::max(1, backdrop.period / tile);
    art::Canvas whole(tiles * tile, backdrop.height);
    if (backdrop.paint) backdrop.paint(whole);
    posterize(whole);

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
        world.sprite(names[size_t(k)], std::move(raised), 0, -1, backdrop.edges);
    }

    // The layer moves speed / 3 as far as the level does; one tile spare at the end.
    const int reach = kFieldWidth + level_length * layer_speed(layer) / 3 + tile;
    int placed = 0;
    for (int i = 0; i * tile < reach; ++i) {
        const std::string& name = names[size_t(i % tiles)];
        if (name.empty()) continue;
        world.level().place(i * tile, y, layer, name);
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

void wrap_x(int period, const std::function<void(double dx)>& draw) {
    for (int k = -1; k <= 1; ++k) draw(double(k * period));
}

}  // namespace worlds
