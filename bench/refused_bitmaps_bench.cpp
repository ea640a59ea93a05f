// What refused pictures cost: the level start of world 1 and the data check,
// each over a copy of the generated data whose first world holds 200 extra
// one-frame sprites: ordinary small pictures (kind 0), headers of a depth or
// compression the loader refuses claiming 16384 x 4096 pixels (kind 1), or
// headers of a depth it reads claiming more pixels than it takes (kind 2). A
// refusal should cost about what a small picture does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "state/world_list.h"
#include "game_session.h"
#include "support/temp_dir.h"
#include "tools/data_check.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kExtraSprites = 200;

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

enum Kind { kSmall, kRefusedForm, kBeyondPixelLimit };

// A 54-byte header (and an 8-bit file's colour table) claiming a picture
// that is not there; the claims of a kind take turns.
std::vector<uint8_t> giant_header(Kind kind, int i) {
    struct Claim {
        uint32_t width, height, bits, compression;
    };
    static const Claim kRefused[] = {
        {16384, 4096, 32, 0},  // what an alpha channel makes image tools write
        {16384, 4096, 8, 1},   // run-length encoded
        {16384, 4096, 4, 2},
        {16384, 4096, 16, 3},  // with colour masks
    };
    static const Claim kBeyond[] = {{16384, 4096, 24, 0}, {8192, 8192, 8, 0}};
    const Claim& c = kind == kRefusedForm ? kRefused[i % 4] : kBeyond[i % 2];
    std::vector<uint8_t> b(54 + (c.bits == 8 ? 1024 : 0), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(b.size()));
    put32(b, 10, uint32_t(b.size()));
    put32(b, 14, 40);
    put32(b, 18, c.width);
    put32(b, 22, c.height);
    b[26] = 1;
    b[28] = uint8_t(c.bits);
    put32(b, 30, c.compression);
    return b;
}

// A copy of the data with the extra sprites in world 1; made once per kind.
class Tree {
public:
    explicit Tree(Kind kind) {
        std::error_code ec;
        std::filesystem::copy(data_dir(), dir_.path(), std::filesystem::copy_options::recursive, ec);
        ok_ = !ec;
        const std::string world = dir_.path() + "/Levels/" + world_list::kEntries[0].name + "/";
        const std::vector<uint8_t> small = writers::encode_bmp24(writers::Image(32, 24, {0, 255, 0}));
        for (int i = 0; i < kExtraSprites && ok_; ++i) {
            // Letters after the number: the frame number must not run into the name.
            const std::string name = "extra" + std::to_string(i) + "x";
            ok_ = writers::write_text(world + "Sprites/" + name + ".SPT", "0 0\n") &&
                  writers::write_file(world + "Bitmaps/" + name + "1.BMP", kind == kSmall ? small : giant_header(kind, i));
        }
    }
    bool ok() const { return ok_; }
    const std::string& path() const { return dir_.path(); }

private:
    TempDir dir_;
    bool ok_ = false;
};

const Tree& tree(int64_t kind) {
    static std::unique_ptr<Tree> trees[3];
    auto& t = trees[kind];
    if (!t) t = std::make_unique<Tree>(Kind(kind));
    return *t;
}

void BM_LevelStartWithExtraBitmaps(benchmark::State& state) {
    const Tree& data = tree(state.range(0));
    if (!data.ok()) {
        state.SkipWithError("could not copy the data");
        return;
    }
    GameSession game(data.path());
    if (!game.ok()) {
        state.SkipWithError("the game did not start");
        return;
    }
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const bool started = game.start_level(1);
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        if (!started) {
            state.SkipWithError("the level did not start");
            return;
        }
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    state.counters["best_ms"] = 1e3 * best;
}
BENCHMARK(BM_LevelStartWithExtraBitmaps)
    ->ArgName("kind")
    ->DenseRange(kSmall, kBeyondPixelLimit)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_CheckDataWithExtraBitmaps(benchmark::State& state) {
    const bool giants = state.range(0) != kSmall;
    const Tree& data = tree(state.range(0));
    if (!data.ok()) {
        state.SkipWithError("could not copy the data");
        return;
    }
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const CheckReport report = check_data(data.path());
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        // Every refused picture is named; the small ones pass.
        if (report.errors() < (giants ? kExtraSprites : 0) || (!giants && report.errors() != 0)) {
            state.SkipWithError("the check did not find what it should");
            return;
        }
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    state.counters["best_ms"] = 1e3 * best;
}
BENCHMARK(BM_CheckDataWithExtraBitmaps)
    ->ArgName("kind")
    ->DenseRange(kSmall, kBeyondPixelLimit)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
