// The content generator's cairo-free parts: resolving coverage against the
// key colour, palettising, seeded randomness and noise, the synthesiser.
// The generator is an executable of its own, so these sources are compiled
// into this test directly.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

// The test target does not link the generator; these sources need nothing
// beyond the writers it does link.
#include "generator/art/dither.cpp"      // NOLINT(bugprone-suspicious-include)
#include "generator/art/key_colour.cpp"  // NOLINT(bugprone-suspicious-include)
#include "generator/art/random.cpp"      // NOLINT(bugprone-suspicious-include)
#include "generator/sound/synth.cpp"     // NOLINT(bugprone-suspicious-include)

namespace {

using writers::Rgb;

// A premultiplied ARGB word.
uint32_t argb(double alpha, Rgb c) {
    const auto ch = [alpha](uint8_t v) { return uint32_t(std::lround(v * alpha)); };
    return uint32_t(std::lround(alpha * 255)) << 24 | ch(c.r) << 16 | ch(c.g) << 8 | ch(c.b);
}

TEST(KeyColour, NearKeyColoursAreMovedClearOfItAndOthersKept) {
    EXPECT_TRUE(art::collides_with_key({0, 255, 0}, art::kKeyColour));
    EXPECT_TRUE(art::collides_with_key({6, 249, 3}, art::kKeyColour));   // same 5-bit channels
    EXPECT_FALSE(art::collides_with_key({0, 247, 0}, art::kKeyColour));
    EXPECT_FALSE(art::collides_with_key({8, 255, 0}, art::kKeyColour));
    for (int r = 0; r < 8; ++r)
        for (int g = 240; g < 256; ++g)
            for (int b = 0; b < 8; b += 3) {
                const Rgb c{uint8_t(r), uint8_t(g), uint8_t(b)};
                const Rgb moved = art::away_from_key(c, art::kKeyColour);
                EXPECT_FALSE(art::collides_with_key(moved, art::kKeyColour)) << r << "," << g << "," << b;
                EXPECT_EQ(moved.r, c.r);  // only the key's full channel changes
                EXPECT_LE(c.g - moved.g, 14);
            }
    // Black as the key (the cursor): near-black is lifted, the rest untouched.
    EXPECT_FALSE(art::collides_with_key(art::away_from_key({2, 3, 1}, art::kBlack), art::kBlack));
    const Rgb grey{100, 100, 100};
    EXPECT_EQ(art::away_from_key(grey, art::kBlack), grey);
}

TEST(KeyColour, CoverageResolvesToOwnColourOrKeyNeverABlend) {
    // 3 x 2 pixels in rows of 4 words (one word of padding per row).
    const uint32_t words[] = {
        argb(1.0, {200, 10, 10}), argb(0.6, {0, 0, 255}), argb(0.4, {255, 255, 255}), 0xDEADBEEF,
        argb(1.0, {1, 253, 2}),   argb(0.0, {9, 9, 9}),   argb(0.5, {40, 80, 120}),   0xDEADBEEF,
    };
    const writers::Image img = art::resolve_coverage(words, 3, 2, 4, art::kKeyColour, art::Edges::Threshold, false);
    EXPECT_EQ(img.at(0, 0), (Rgb{200, 10, 10}));
    EXPECT_EQ(img.at(1, 0), (Rgb{0, 0, 255}));           // its own blue, not blue mixed with green
    EXPECT_EQ(img.at(2, 0), art::kKeyColour);            // under half covered
    EXPECT_FALSE(art::collides_with_key(img.at(0, 1), art::kKeyColour));  // opaque near-key moved
    EXPECT_NE(img.at(0, 1), art::kKeyColour);
    EXPECT_EQ(img.at(1, 1), art::kKeyColour);
    const Rgb half = img.at(2, 1);                       // un-premultiplied to within rounding
    EXPECT_NEAR(half.r, 40, 1);
    EXPECT_NEAR(half.g, 80, 1);
    EXPECT_NEAR(half.b, 120, 1);

    const writers::Image cornered = art::resolve_coverage(words, 3, 2, 4, art::kKeyColour, art::Edges::Threshold, true);
    EXPECT_EQ(cornered.at(0, 0), art::kKeyColour);       // the collision test's "empty" pixel
    EXPECT_EQ(cornered.at(1, 0), img.at(1, 0));
}

TEST(KeyColour, DitherCoversInProportionToCoverage) {
    const auto covered = [](double alpha) {
        std::vector<uint32_t> words(16 * 16, argb(alpha, {200, 100, 50}));
        const writers::Image img = art::resolve_coverage(words.data(), 16, 16, 16, art::kKeyColour, art::Edges::Dither, false);
        int n = 0;
        for (const Rgb& p : img.pixels) n += !(p == art::kKeyColour);
        return n;
    };
    EXPECT_EQ(covered(0.0), 0);
    EXPECT_EQ(covered(1.0), 256);
    EXPECT_EQ(covered(0.5), 128);
    EXPECT_NEAR(covered(0.25), 64, 16);
}

TEST(KeyColour, FlattenLaysCoverageOverTheBackground) {
    const uint32_t words[] = {argb(0.5, {255, 255, 255}), argb(0.0, {0, 0, 0}), argb(1.0, {10, 20, 30})};
    const writers::Image img = art::flatten(words, 3, 1, 3, Rgb{0, 0, 100});
    EXPECT_NEAR(img.at(0, 0).r, 128, 1);
    EXPECT_NEAR(img.at(0, 0).b, 178, 1);
    EXPECT_EQ(img.at(1, 0), (Rgb{0, 0, 100}));
    EXPECT_EQ(img.at(2, 0), (Rgb{10, 20, 30}));
}

TEST(KeyColour, PalettiseKeepsTheKeyExactAndAloneInEntryZero) {
    // Far more colours than a palette holds, many of them close to the key.
    writers::Image img(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            img.at(x, y) = (x + y) % 7 == 0 ? art::kKeyColour
                                            : Rgb{uint8_t(x % 8), uint8_t(200 + (x * 3 + y) % 56), uint8_t(y * 8)};
    const writers::IndexedImage out = art::palettise(img, {art::kKeyColour});
    ASSERT_LE(out.palette.size(), 256u);
    EXPECT_EQ(out.palette[0], art::kKeyColour);
    for (size_t i = 1; i < out.palette.size(); ++i)
        EXPECT_FALSE(art::collides_with_key(out.palette[i], art::kKeyColour)) << "entry " << i;
    for (size_t i = 0; i < img.pixels.size(); ++i)
        EXPECT_EQ(out.indices[i] == 0, img.pixels[i] == art::kKeyColour) << "pixel " << i;
}

TEST(ArtRandom, SeededAndWithinRange) {
    art::Random a(art::seed_of("explosion")), b(art::seed_of("explosion")), c(art::seed_of("explosions"));
    bool differs = false;
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const uint64_t x = a.next();
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
        const double u = a.uniform();
        EXPECT_EQ(u, b.uniform());
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
        const int k = a.integer(-2, 3);
        EXPECT_EQ(k, b.integer(-2, 3));
        EXPECT_GE(k, -2);
        EXPECT_LE(k, 3);
        seen.insert(k);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(seen.size(), 6u);  // both ends reached
}

TEST(ArtNoise, SmoothBoundedAndPeriodicWhereAsked) {
    const art::Noise noise(42);
    for (double x = -20; x < 20; x += 0.37) {
        const double v = noise.at(x, x * 0.7), f = noise.fractal(x, 3.3, 5);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 1.0);
        EXPECT_GE(f, 0.0);
        EXPECT_LE(f, 1.0);
        EXPECT_LT(std::abs(noise.at(x, 1.5) - noise.at(x + 0.01, 1.5)), 0.05);  // no jumps
        EXPECT_NEAR(noise.at_periodic(x, 2.2, 8), noise.at_periodic(x + 8, 2.2, 8), 1e-9);
    }
}

// A ramp dithered to the 16-bit grid: every pixel is a colour the display
// keeps as it is, each 8 x 8 block keeps the ramp's mean (rounding would be
// off by up to half a step, in bands), the same input gives the same pixels,
// and a picture already on the grid is left alone.
TEST(Dither, RampLandsOnTheGridKeepingItsMeanBlockByBlock) {
    writers::Image ramp(256, 16);
    for (int y = 0; y < ramp.height; ++y)
        for (int x = 0; x < ramp.width; ++x) ramp.at(x, y) = Rgb{uint8_t(x), uint8_t(255 - x), uint8_t(x / 2 + 60)};
    writers::Image once = ramp;
    art::dither_565(once);
    for (const Rgb& p : once.pixels) {
        EXPECT_EQ(art::grid_value(p.r >> 3, 5), p.r);
        EXPECT_EQ(art::grid_value(p.g >> 2, 6), p.g);
        EXPECT_EQ(art::grid_value(p.b >> 3, 5), p.b);
    }
    for (int bx = 0; bx < ramp.width; bx += 8)
        for (int by = 0; by < ramp.height; by += 8) {
            double want[3] = {}, got[3] = {};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    const Rgb a = ramp.at(x, y), b = once.at(x, y);
                    want[0] += a.r, want[1] += a.g, want[2] += a.b;
                    got[0] += b.r, got[1] += b.g, got[2] += b.b;
                }
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c] / 64, want[c] / 64, 1.2) << "block at " << bx << ", " << by;
        }
    writers::Image again = ramp;
    art::dither_565(again);
    EXPECT_EQ(again.pixels, once.pixels);
    writers::Image twice = once;
    art::dither_565(twice);
    EXPECT_EQ(twice.pixels, once.pixels);
}

TEST(Synth, ToneHasItsPitchAndFilterTamesNoise) {
    const sound::Buffer a = sound::tone(1.0, sound::constant(440), sound::Wave::Sine);
    ASSERT_EQ(a.size(), size_t(sound::kRate));
    int crossings = 0;
    for (size_t i = 1; i < a.size(); ++i) crossings += (a[i - 1] < 0) != (a[i] < 0);
    EXPECT_NEAR(crossings, 880, 2);

    // Low-passed noise changes far less from sample to sample.
    const sound::Buffer raw = sound::noise(0.5, 7);
    sound::Buffer low = raw;
    sound::filter(low, sound::Filter::LowPass, sound::constant(400), 0.2);
    const auto roughness = [](const sound::Buffer& b) {
        double e = 0;
        for (size_t i = 1; i < b.size(); ++i) e += (b[i] - b[i - 1]) * (b[i] - b[i - 1]);
        return e;
    };
    EXPECT_LT(roughness(low), roughness(raw) * 0.05);
    // Ringing at the top of the range stays finite.
    sound::Buffer ring = raw;
    sound::filter(ring, sound::Filter::BandPass, sound::constant(11000), 0.97);
    for (double v : ring) ASSERT_TRUE(std::isfinite(v));
}

// A sound with a sharp crack over a quiet tail, brought to a loudness its
// peak alone would not allow: the level is reached and the crack rounded off
// under the ceiling rather than clipped.
TEST(Synth, PcmAtALoudnessReachesItWithoutClipping) {
    sound::Buffer b = sound::tone(0.3, sound::constant(220), sound::Wave::Sine);
    sound::shape(b, sound::constant(0.05));
    for (size_t i = 300; i < 330; ++i) b[i] = (i % 2 ? 1.0 : -1.0);
    const double target = std::pow(10.0, -17.0 / 20.0);
    const std::vector<int16_t> pcm = sound::to_pcm_at(b, target, 0.94);
    double sum = 0;
    int peak = 0;
    for (int16_t v : pcm) {
        sum += double(v) * v;
        peak = std::max(peak, std::abs(int(v)));
    }
    EXPECT_NEAR(20 * std::log10(std::sqrt(sum / double(pcm.size())) / 32767.0), -17.0, 0.5);
    EXPECT_LE(peak, int(0.94 * 32767) + 1);
    EXPECT_EQ(pcm.back(), 0);  // faded out
}

}  // namespace
