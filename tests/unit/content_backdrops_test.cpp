// The repeating backdrops of every generated world (the tiles laid end to end
// on layers 2 and 3): where the picture's end meets its start again, they join
// as smoothly as two columns inside a tile, and the picture repeats no sooner
// than every two screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "content_world_checks.h"
#include "display/Surface.h"

namespace {

using world_checks::Record;
using world_checks::WorldData;

constexpr int kTwoScreens = 1280;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool opaque = false;
};

// A pixel of a frame as the 16-bit display shows it.
Rgb pixel(const Sprite::frame* f, int x, int y) {
    Rgb p;
    const Surface* s = f != nullptr ? f->surface : nullptr;
    if (s == nullptr || x < 0 || y < 0 || x >= s->width || y >= s->height) return p;
    const uint32_t v = s->get_pixel(x, y);
    p.opaque = v != s->get_pixel(0, 0);
    p.r = int((v >> 11) & 31) * 255 / 31;
    p.g = int((v >> 5) & 63) * 255 / 63;
    p.b = int(v & 31) * 255 / 31;
    return p;
}

// Rows where column `xa` of `a` and column `xb` of `b` differ: one is
// see-through and the other not, or a channel differs by more than 40.
int jumps(const Sprite::frame* a, int xa, const Sprite::frame* b, int xb, int rows) {
    constexpr int tolerance = 40;
    int n = 0;
    for (int y = 0; y < rows; ++y) {
        const Rgb p = pixel(a, xa, y), q = pixel(b, xb, y);
        const bool differ = std::abs(p.r - q.r) > tolerance || std::abs(p.g - q.g) > tolerance ||
                            std::abs(p.b - q.b) > tolerance;
        if (p.opaque != q.opaque || (p.opaque && differ)) ++n;
    }
    return n;
}

// A strip: tiles of one layer and row placed edge to edge.
struct Strip {
    int layer = 0, y = 0;
    std::vector<Record> tiles;
};

std::vector<Strip> strips_of(const WorldData& d) {
    std::map<std::pair<int, int>, std::vector<Record>> by_row;
    for (const Record& r : d.records())
        if (r.layer == 2 || r.layer == 3) by_row[{r.layer, r.y}].push_back(r);
    std::vector<Strip> out;
    for (auto& [key, records] : by_row) {
        std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.x < b.x; });
        Strip current{key.first, key.second, {}};
        for (const Record& r : records) {
            const Sprite::frame* f = d.frame_of(r.name, 0);
            if (f == nullptr || f->surface == nullptr) continue;
            if (!current.tiles.empty()) {
                const Record& last = current.tiles.back();
                if (last.x + d.frame_of(last.name, 0)->surface->width != r.x) {
                    if (current.tiles.size() >= 3) out.push_back(current);
                    current.tiles.clear();
                }
            }
            current.tiles.push_back(r);
        }
        if (current.tiles.size() >= 3) out.push_back(current);
    }
    return out;
}

// The smallest number of tiles after which the strip's names repeat.
size_t period_in_tiles(const Strip& s) {
    for (size_t p = 1; p < s.tiles.size(); ++p) {
        bool repeats = true;
        for (size_t i = 0; i + p < s.tiles.size() && repeats; ++i) repeats = s.tiles[i].name == s.tiles[i + p].name;
        if (repeats) return p;
    }
    return s.tiles.size();
}

class Backdrops : public ::testing::TestWithParam<const char*> {};

TEST_P(Backdrops, TilesJoinWithoutSeamsAndTheirPictureRepeatsNoSoonerThanTwoScreens) {
    const WorldData d(GetParam());
    if (!d.loaded()) GTEST_SKIP() << GetParam() << " is not generated";
    const std::vector<Strip> strips = strips_of(d);
    for (const Strip& s : strips) {
        const std::string where = std::string(GetParam()) + " layer " + std::to_string(s.layer);
        // Column pairs inside the tiles: what a join may look like.
        std::vector<int> inside;
        const size_t period = period_in_tiles(s);
        for (size_t i = 0; i < period; ++i) {
            const Sprite::frame* f = d.frame_of(s.tiles[i].name, 0);
            for (int x = 0; x + 1 < f->surface->width; ++x)
                inside.push_back(jumps(f, x, f, x + 1, f->surface->height));
        }
        std::sort(inside.begin(), inside.end());
        const int usual = inside[inside.size() * 95 / 100];
        // Tiles of one period are cut from one picture; where the picture
        // starts again its last column meets its first.
        if (period < s.tiles.size()) {
            const Sprite::frame* a = d.frame_of(s.tiles[period - 1].name, 0);
            const Sprite::frame* b = d.frame_of(s.tiles[period].name, 0);
            const int rows = std::min(a->surface->height, b->surface->height);
            EXPECT_LE(jumps(a, a->surface->width - 1, b, 0, rows), usual + 6)
                << where << ": " << s.tiles[period - 1].name << " meets " << s.tiles[period].name
                << " (rows differing inside the tiles: " << usual << " at most in 95% of column pairs)";
        }
        int width = 0;
        for (size_t i = 0; i < period; ++i) width += d.frame_of(s.tiles[i].name, 0)->surface->width;
        EXPECT_GE(width, kTwoScreens) << where << " repeats every " << width << " pixels";
    }
}

INSTANTIATE_TEST_SUITE_P(Worlds, Backdrops,
                         ::testing::Values("Space", "Metal", "Crystal", "Water", "Hive", "Mountain", "Castle",
                                           "Cave", "City", "Last"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// Moons and planets: each shown once in its world, not painted into a
// picture that repeats. A moon over a repeating sky is a piece of the sky
// picture with the moon in it, laid once over the tiles: away from the moon
// (its box's corners) it is the very picture beneath.
TEST(OnceOnly, MoonsAndPlanetsAppearOncePerLevel) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> once = {
        {"Space", {"spacegiant", "spacemoon"}}, {"Mountain", {"mountainmoon"}}, {"Castle", {"castlemoon"}}};
    for (const auto& [world, names] : once) {
        const WorldData d(world);
        if (!d.loaded()) continue;
        for (const std::string& name : names) EXPECT_EQ(d.placed(name).size(), 1u) << world << " " << name;
    }
    for (const auto& entry : {std::pair<std::string, std::string>{"Mountain", "mountainmoon"},
                              {"Castle", "castlemoon"}}) {
        const std::string& piece = entry.second;
        const WorldData d(entry.first);
        if (!d.loaded()) continue;
        const std::vector<Record> at = d.placed(piece);
        ASSERT_EQ(at.size(), 1u);
        const Sprite::frame* moon = d.frame_of(piece, 0);
        ASSERT_NE(moon, nullptr);
        // The sky tile of the same layer's pixel under the piece's (x, y);
        // tiles hang a row higher.
        const auto sky = [&](int x, int y) {
            for (const Record& r : d.records()) {
                if (r.layer != at[0].layer || r.name == piece) continue;
                const Sprite::frame* f = d.frame_of(r.name, 0);
                if (f != nullptr && r.x <= at[0].x + x && at[0].x + x < r.x + f->surface->width)
                    return pixel(f, at[0].x + x - r.x, at[0].y + y - r.y + 1);
            }
            ADD_FAILURE() << piece << " lies over no tile at " << x;
            return Rgb{};
        };
        const int w = moon->surface->width, h = moon->surface->height;
        long same = 0, corner_pixels = 0, bright_moon = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb p = pixel(moon, x, y);
                if (p.r + p.g + p.b > 600) ++bright_moon;
                const bool corner = (x < 8 || x >= w - 8) && (y < 8 || y >= h - 8);
                if (!corner || (x == 0 && y == 0)) continue;
                const Rgb q = sky(x, y);
                ++corner_pixels;
                same += p.r == q.r && p.g == q.g && p.b == q.b;
            }
        EXPECT_EQ(same, corner_pixels) << piece << " does not match the sky beneath it";
        // The tiles beneath hold no moon: at its middle the piece differs
        // from them.
        long alike = 0;
        for (int y = h / 2 - 6; y < h / 2 + 6; ++y)
            for (int x = w / 2 - 6; x < w / 2 + 6; ++x) {
                const Rgb p = pixel(moon, x, y), q = sky(x, y);
                alike += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) < 60;
            }
        EXPECT_EQ(alike, 0) << entry.first << "'s sky tiles hold the moon too";
        EXPECT_GT(bright_moon, w * h / 20) << piece << " is no moon";
    }
}

}  // namespace
