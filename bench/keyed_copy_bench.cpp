// Keyed copies of a world's real images: every frame of every sprite the
// world loads, drawn once onto the back buffer. `runs` is the copy as the
// game makes it (the runs of each row that differ from the key, worked out
// when the image was loaded); `per_pixel` compares every pixel with the key
// and writes every pixel, as copies did before, kept here for the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "bench_registry.h"
#include "display/Surface.h"
#include "game_session.h"
#include "sprites/Sprite.h"

namespace bench {
namespace {

// The earlier row loop for 16-bit pixels: the key pixels rewrite the
// destination with its own value, so the compiler can blend vectors.
void per_pixel_row(uint8_t* d, const uint8_t* s, size_t w, uint16_t key) {
    for (size_t x = 0; x < w; ++x) {
        uint16_t sv, dv;
        std::memcpy(&sv, s + x * 2, 2);
        std::memcpy(&dv, d + x * 2, 2);
        const uint16_t out = sv != key ? sv : dv;
        std::memcpy(d + x * 2, &out, 2);
    }
}

void per_pixel_copy(Surface& dest, int dx, int dy, const Surface& src) {
    const auto key = static_cast<uint16_t>(src.colorkey);
    for (int y = 0; y < src.height; ++y)
        per_pixel_row(dest.pixels.data() + static_cast<size_t>(dy + y) * dest.pitch + static_cast<size_t>(dx) * 2,
                      src.pixels.data() + static_cast<size_t>(y) * src.pitch, static_cast<size_t>(src.width), key);
}

void keyed_copies(benchmark::State& state, const WorldLevel& world, bool runs) {
    GameSession game(data_dir());
    if (!game.start_level(world.level)) {
        state.SkipWithError("the level did not load");
        return;
    }
    Velmora_Win& win = game.window();
    Surface* back = win.backsurf;
    // Every keyed 16-bit image that fits the screen, each at its own place.
    struct Placed {
        Surface* image;
        int x, y;
    };
    std::vector<Placed> images;
    long pixels = 0;
    for (const Sprite* master : Sprite::list_of_master_sprites)
        for (const Sprite::frame* f : master->frames) {
            Surface* s = f != nullptr ? f->surface : nullptr;
            if (s == nullptr || !s->has_colorkey || s->bytes_per_pixel() != 2 || s->width > back->width ||
                s->height > back->height)
                continue;
            const auto n = static_cast<int>(images.size());
            images.push_back({s, (n * 37) % (back->width - s->width + 1), (n * 23) % (back->height - s->height + 1)});
            pixels += long(s->width) * s->height;
        }
    for (auto _ : state) {
        for (const Placed& p : images) {
            if (runs)
                win.BltSurface(back, p.image, p.x, p.y, 1);
            else
                per_pixel_copy(*back, p.x, p.y, *p.image);
        }
        benchmark::ClobberMemory();
    }
    state.counters["images"] = double(images.size());
    state.counters["pixels"] = double(pixels);
    state.SetItemsProcessed(state.iterations() * pixels);
}

}  // namespace

void register_keyed_copy_benchmarks() {
    for (const WorldLevel& w : worlds_in(data_dir()))
        for (const bool runs : {true, false})
            benchmark::RegisterBenchmark(("BM_KeyedCopies/" + w.name + (runs ? "/runs" : "/per_pixel")).c_str(),
                                         [w, runs](benchmark::State& s) { keyed_copies(s, w, runs); })
                ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
