// Colour to pixel conversion and the pixel-format fields in every depth.
#include <gtest/gtest.h>

#include "support/test_window.h"

namespace {

TEST(PixelFormat, TrueColourConversions) {
    TestWindow w565(16), w555(15), w24(24), w32(32);
    EXPECT_EQ(w565.RGBtoPixel(255, 255, 255), 0xFFFFu);
    EXPECT_EQ(w555.RGBtoPixel(255, 255, 255), 0x7FFFu);
    EXPECT_EQ(w565.RGBtoPixel(0, 0, 255), 0x001Fu);
    EXPECT_EQ(w565.RGBtoPixel(8, 4, 7), (1u << 11) | (1u << 5));  // truncation, not rounding
    EXPECT_EQ(w24.RGBtoPixel(0x12, 0x34, 0x56), 0x123456u);
    // Pure green is the sprite key: it must equal the green mask in every format.
    for (TestWindow* w : {&w565, &w555, &w24, &w32})
        EXPECT_EQ(w->RGBtoPixel(0, 255, 0), w->primsurf->format.gmask) << w->displaydepth;
    // Out-of-range components are not masked and spill into the next field.
    EXPECT_EQ(w565.RGBtoPixel(0, 0, 256), 0x0020u);
    EXPECT_EQ(w24.RGBtoPixel(0, 0, 0x100), 0x000100u);

    // A palette on a true-colour display is kept but not attached, and plays no part.
    RGBQUAD table[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    EXPECT_EQ(w565.CreatePalette(table, 2), 0);
    ASSERT_NE(w565.palette, nullptr);
    EXPECT_EQ(w565.palette->entries[1].red, 6);
    EXPECT_EQ(w565.primsurf->palette, nullptr);
    EXPECT_EQ(w565.RGBtoPixel(255, 255, 255), 0xFFFFu);

    // The format comes from the screen surface: without one it is left alone.
    w565.ReleaseSurface(w565.primsurf);
    w565.redshift = 99;
    EXPECT_EQ(w565.StorePixelFormatData(), 0);
    EXPECT_EQ(w565.redshift, 99);
}

TEST(PixelFormat, PalettisedConversionSearchesThePalette) {
    TestWindow win(8);
    ASSERT_TRUE(win.ok);
    EXPECT_EQ(win.RGBtoPixel(10, 10, 10), 0u);  // no palette yet
    RGBQUAD table[256];
    for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{200, 200, 200, 0};
    table[3] = RGBQUAD{0, 0, 100, 0};   // red 100
    table[7] = RGBQUAD{0, 0, 120, 0};   // red 120
    table[9] = RGBQUAD{30, 20, 10, 0};  // exact (10, 20, 30)
    table[12] = RGBQUAD{30, 20, 10, 0};
    EXPECT_EQ(win.CreatePalette(table, 256), 1);
    EXPECT_EQ(win.primsurf->palette, win.palette);
    EXPECT_EQ(win.RGBtoPixel(110, 0, 0), 3u);  // equidistant from 3 and 7: the first
    EXPECT_EQ(win.RGBtoPixel(111, 0, 0), 7u);
    EXPECT_EQ(win.RGBtoPixel(10, 20, 30), 9u);  // first exact match
    // A short table leaves the rest black: entry 4 is the first black one.
    EXPECT_EQ(win.CreatePalette(table, 4), 1);
    EXPECT_EQ(win.RGBtoPixel(0, 0, 0), 4u);
    EXPECT_EQ(win.RGBtoPixel(10, 20, 30), 4u);
}

}  // namespace
