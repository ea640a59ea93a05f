// The per-depth copy and fill loops against a plain pixel-by-pixel model.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "display/pixel_codec.h"
#include "support/test_window.h"

namespace {

struct At {
    int x, y;
};

// What a keyed or plain copy must leave in `dest`: each source pixel of the
// visible part, except key pixels when keyed.
std::vector<uint32_t> model_copy(const Surface& dest, const Surface& src, At at, bool keyed) {
    const int x = at.x, y = at.y;
    std::vector<uint32_t> out;
    const uint32_t mask = pixel_codec::value_mask(src.bytes_per_pixel());
    for (int py = 0; py < dest.height; ++py)
        for (int px = 0; px < dest.width; ++px) {
            uint32_t v = dest.get_pixel(px, py);
            const int sx = px - x, sy = py - y;
            if (sx >= 0 && sy >= 0 && sx < src.width && sy < src.height) {
                const uint32_t s = src.get_pixel(sx, sy);
                if (!keyed || !src.has_colorkey || s != (src.colorkey & mask)) v = s;
            }
            out.push_back(v);
        }
    return out;
}

std::vector<uint32_t> pixels_of(const Surface& s) {
    std::vector<uint32_t> out;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) out.push_back(s.get_pixel(x, y));
    return out;
}

// Sources that take every way through a keyed copy: noise with values one
// bit off the key (rows compared pixel by pixel), long runs and gaps (rows
// copied run by run, wholly keyed and wholly opaque rows among them), and an
// image without a key pixel (copied like an unkeyed one).
enum class Pattern { Noise, Runs, Opaque };

uint32_t source_pixel(Pattern pattern, int x, int y, uint32_t key, uint32_t mask, std::mt19937& rng) {
    const uint32_t r = rng();
    const uint32_t opaque = (key ^ (1u + r % 0xFFFFu)) & mask;
    switch (pattern) {
        case Pattern::Noise: return (r % 3 == 0 ? key : r % 3 == 1 ? key ^ (1u << (r % 24)) : r) & mask;
        case Pattern::Runs:
            if (y % 4 == 0) return key;
            if (y % 4 == 1) return opaque;
            return (x / (3 + y)) % 2 == 0 ? key : opaque;
        default: return opaque == key ? key ^ 1u : opaque;
    }
}

TEST(FastCopy, MatchesThePixelModelInEveryDepthKeyedOrNot) {
    std::mt19937 rng(7);
    for (int depth : {8, 15, 16, 24, 32}) {
        TestWindow win(depth);
        ASSERT_TRUE(win.ok) << depth;
        const uint32_t mask = pixel_codec::value_mask(win.backsurf->bytes_per_pixel());
        const uint32_t key = 0x00A5C3E7u & mask;
        for (Pattern pattern : {Pattern::Noise, Pattern::Runs, Pattern::Opaque}) {
            // Odd widths give padded rows.
            Surface* src = win.CreateSurface(pattern == Pattern::Runs ? 97 : 37, 11);
            Surface* dest = win.CreateSurface(53, 29);
            for (int y = 0; y < src->height; ++y)
                for (int x = 0; x < src->width; ++x)
                    src->put_pixel(x, y, source_pixel(pattern, x, y, key, mask, rng));
            win.SetColorKey(src, key);
            for (int trial = 0; trial < 40; ++trial) {
                for (int y = 0; y < dest->height; ++y)
                    for (int x = 0; x < dest->width; ++x) dest->put_pixel(x, y, rng() & mask);
                const int x = int(rng() % 140) - 90, y = int(rng() % 50) - 15;
                const bool keyed = trial % 2 == 0;
                const std::vector<uint32_t> want = model_copy(*dest, *src, At{x, y}, keyed);
                win.BltSurface(dest, src, x, y, keyed ? 1 : 0);
                ASSERT_EQ(pixels_of(*dest), want)
                    << "depth " << depth << " pattern " << int(pattern) << " at " << x << "," << y;
            }
        }
    }
}

TEST(FastCopy, KeyedCopiesFollowEveryChangeToTheImage) {
    TestWindow win(16);
    ASSERT_TRUE(win.ok);
    constexpr uint32_t kKey = 0x07E0, kRed = 0xF800, kBlue = 0x001F;
    Surface* src = win.CreateSurface(8, 4);
    win.ClearSurface(src, kKey, nullptr);
    src->put_pixel(1, 1, kRed);
    win.SetColorKey(src, kKey);
    Surface* dest = win.CreateSurface(8, 4);
    const auto expect_model = [&](const char* after) {
        win.ClearSurface(dest, kBlue, nullptr);
        const std::vector<uint32_t> want = model_copy(*dest, *src, At{0, 0}, true);
        win.BltSurface(dest, src, 0, 0, 1);
        EXPECT_EQ(pixels_of(*dest), want) << after;
    };
    expect_model("loading");
    EXPECT_EQ(dest->get_pixel(1, 1), kRed);
    EXPECT_EQ(dest->get_pixel(2, 1), kBlue);

    src->put_pixel(5, 2, kRed);
    expect_model("a pixel written");
    const RECT strip{0, 3, 8, 4};
    win.ClearSurface(src, kRed, &strip);
    expect_model("a fill");
    Surface* patch = win.CreateSurface(2, 2);
    win.ClearSurface(patch, kRed, nullptr);
    win.BltSurface(src, patch, 6, 0, 0);
    expect_model("a copy onto the image");
    win.SetColorKey(src, kRed);
    expect_model("a new key");
    win.BltSurface(src, src, 1, 1, 1);
    expect_model("a keyed copy within the image");
}

TEST(FastCopy, ACopyWithinOneSurfaceReadsTheOriginalPixels) {
    TestWindow win(16);
    ASSERT_TRUE(win.ok);
    Surface* s = win.CreateSurface(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) s->put_pixel(x, y, uint32_t(y * 20 + x + 1));
    // Down and right by a few pixels: overlapping rows must not be read after
    // they were written.
    const std::vector<uint32_t> want = model_copy(*s, *s, At{3, 2}, false);
    win.BltSurface(s, s, 3, 2, 0);
    EXPECT_EQ(pixels_of(*s), want);
}

TEST(FastFill, CoversExactlyTheRectangleInEveryDepth) {
    for (int depth : {8, 15, 16, 24, 32}) {
        TestWindow win(depth);
        ASSERT_TRUE(win.ok) << depth;
        const uint32_t mask = pixel_codec::value_mask(win.backsurf->bytes_per_pixel());
        Surface* s = win.CreateSurface(13, 9);
        const uint32_t colour = 0x89ABCDEFu & mask;
        for (const RECT r : {RECT{2, 3, 11, 8}, RECT{0, 0, 13, 9}, RECT{4, 4, 4, 9}, RECT{5, 6, 6, 7}}) {
            win.ClearSurface(s, 0u, nullptr);
            ASSERT_EQ(win.ClearSurface(s, 0x89ABCDEFu, &r), 1);
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 13; ++x) {
                    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    ASSERT_EQ(s->get_pixel(x, y), inside ? colour : 0u)
                        << "depth " << depth << " at " << x << "," << y;
                }
        }
    }
}

}  // namespace
