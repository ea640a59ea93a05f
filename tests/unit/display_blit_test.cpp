// Copies with clipping and colour key, and fills. (Unclipped copies against a
// pixel model in every depth: display_fast_paths_test.)
#include <gtest/gtest.h>

#include "support/test_window.h"

namespace {

// A w x h source whose pixel (x, y) is 0x100 + y * 16 + x (unique, never 0).
Surface* numbered(TestWindow& win, int w, int h) {
    Surface* s = win.CreateSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->put_pixel(x, y, 0x100u + uint32_t(y * 16 + x));
    return s;
}

// Every pixel of `dest` is either the source pixel that should land there
// (source at screen position (sx, sy), drawn only inside `visible`) or 0.
void expect_copy(const Surface& dest, int sx, int sy, int w, int h, const RECT& visible) {
    for (int y = 0; y < dest.height; ++y)
        for (int x = 0; x < dest.width; ++x) {
            const bool inside_src = x >= sx && x < sx + w && y >= sy && y < sy + h;
            const bool inside_vis = x >= visible.left && x < visible.right && y >= visible.top &&
                                    y < visible.bottom;
            const uint32_t want =
                inside_src && inside_vis ? 0x100u + uint32_t((y - sy) * 16 + (x - sx)) : 0u;
            ASSERT_EQ(dest.get_pixel(x, y), want) << "at " << x << "," << y;
        }
}

struct Placement {
    int x, y;
};

class Blit : public ::testing::Test {
protected:
    TestWindow win;
    Surface* dest = nullptr;
    Surface* src = nullptr;
    void SetUp() override {
        ASSERT_TRUE(win.ok);
        dest = win.CreateSurface(20, 12);
        src = numbered(win, 5, 4);
    }
    void clear() { win.ClearSurface(dest, 0u, nullptr); }
};

TEST_F(Blit, ClippedCopyIsRelativeToTheClipAndCutByIt) {
    const RECT clip{2, 3, 15, 10};
    // (x, y) are measured from the clip's corner; (-3, 0) shows the source from
    // its fourth column at the clip's left edge.
    for (Placement p : {Placement{-3, 0}, {0, 0}, {10, 5}, {4, -2}, {-1, -1}, {11, 6}}) {
        clear();
        EXPECT_EQ(win.BltSurface(dest, src, p.x, p.y, 0, &clip), 1);
        expect_copy(*dest, p.x + clip.left, p.y + clip.top, 5, 4, clip);
    }
    clear();
    win.BltSurface(dest, src, -3, 0, 0, &clip);
    EXPECT_EQ(dest->get_pixel(2, 3), 0x100u + 3);
}

// Wholly outside: an unclipped copy draws nothing and fails, a clipped one
// (outside its clip) draws nothing but succeeds.
TEST_F(Blit, CopiesWhollyOutsideDrawNothing) {
    for (Placement p : {Placement{20, 0}, {0, 12}, {-5, 0}, {0, -4}, {25, 30}}) {
        clear();
        EXPECT_EQ(win.BltSurface(dest, src, p.x, p.y, 0), 0) << p.x << "," << p.y;
        expect_copy(*dest, 0, 0, 0, 0, RECT{});
    }
    EXPECT_EQ(win.BltSurface(nullptr, src, 0, 0, 0), 0);
    EXPECT_EQ(win.BltSurface(dest, nullptr, 0, 0, 0), 0);
    const RECT clip{2, 3, 15, 10};
    for (Placement p : {Placement{13, 0}, {0, 7}, {-5, 0}, {0, -4}, {-100000, 2000000000}}) {
        clear();
        EXPECT_EQ(win.BltSurface(dest, src, p.x, p.y, 0, &clip), 1);
        expect_copy(*dest, 0, 0, 0, 0, RECT{});
    }
    // A clip reaching outside the destination is refused as a whole.
    const RECT too_big{0, 0, 40, 40};
    clear();
    EXPECT_EQ(win.BltSurface(dest, src, 18, 0, 0, &too_big), 1);
    expect_copy(*dest, 0, 0, 0, 0, RECT{});
}

TEST_F(Blit, ColourKeySkipsKeyedPixelsOnBothPaths) {
    const uint32_t key = 0x100u + 16 + 1;  // source pixel (1, 1)
    win.SetColorKey(src, key);
    const RECT clip{0, 0, 20, 12};
    for (Placement p : {Placement{4, 4}, {-1, -1}}) {
        for (int clipped = 0; clipped < 2; ++clipped) {
            win.ClearSurface(dest, 0xBEEFu, nullptr);
            if (clipped) win.BltSurface(dest, src, p.x, p.y, 1, &clip);
            else win.BltSurface(dest, src, p.x, p.y, 1);
            EXPECT_EQ(dest->get_pixel(p.x + 1, p.y + 1), 0xBEEFu);
            EXPECT_EQ(dest->get_pixel(p.x + 2, p.y + 1), 0x100u + 16 + 2);
            // Without the flag the key is copied like any pixel.
            if (clipped) win.BltSurface(dest, src, p.x, p.y, 0, &clip);
            else win.BltSurface(dest, src, p.x, p.y, 0);
            EXPECT_EQ(dest->get_pixel(p.x + 1, p.y + 1), key);
        }
    }
}

// Fills of rectangles in every depth are in the fast-path tests.
TEST_F(Blit, FillsCoverTheWholeSurfaceAndRefuseWhatDoesNotFit) {
    EXPECT_EQ(win.ClearSurface(dest, 255, 255, 255, nullptr), 1);
    EXPECT_EQ(dest->get_pixel(19, 11), 0xFFFFu);
    // Refused fills leave the surface alone.
    const RECT outside{15, 0, 21, 2};
    EXPECT_EQ(win.ClearSurface(dest, 0u, &outside), 0);
    EXPECT_EQ(dest->get_pixel(19, 0), 0xFFFFu);
    EXPECT_EQ(win.ClearSurface(nullptr, 0u, nullptr), 0);
    EXPECT_EQ(win.ClearSurface(nullptr, 1, 2, 3, nullptr), 0);
}

TEST(Surfaces, CreationRefusesImpossibleSizesAndReleaseIsSafe) {
    TestWindow win;
    EXPECT_EQ(win.CreateSurface(0, 5), nullptr);
    EXPECT_EQ(win.CreateSurface(5, -1), nullptr);
    EXPECT_EQ(win.CreateSurface(16385, 1), nullptr);
    EXPECT_EQ(win.CreateSurface(16384, 16384), nullptr);  // 256 Mpixels
    Surface* s = win.CreateSurface(3, 2);
    ASSERT_NE(s, nullptr);
    EXPECT_GE(s->pitch, 6);
    EXPECT_EQ(s->pitch % 4, 0);
    EXPECT_EQ(win.live_surfaces.count(s), 1u);
    win.ReleaseSurface(s);
    EXPECT_EQ(win.live_surfaces.count(s), 0u);
    win.ReleaseSurface(nullptr);
    win.ReleaseSurface(new Surface);  // made elsewhere: still deleted
    // The back buffer is never released on its own.
    Surface* back = win.backsurf;
    win.ReleaseSurface(back);
    EXPECT_EQ(win.backsurf, back);
    uint32_t w = 0, h = 0;
    EXPECT_EQ(win.GetSurfaceDimensions(win.primsurf, w, h), 1);
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
    EXPECT_EQ(win.GetSurfaceDimensions(nullptr, w, h), 0);
}

}  // namespace
