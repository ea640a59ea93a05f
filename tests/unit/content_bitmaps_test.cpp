// The generated pictures load through the game's own bitmap loader and fit
// the places the game draws them.
#include <gtest/gtest.h>

#include <filesystem>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/test_window.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = VELMORA_DATA;
constexpr uint32_t kKey565 = 0x07E0;  // pure green on the game's 5-6-5 display

struct Loaded {
    int width = 0, height = 0;
    uint32_t corner = 0;
    int opaque = 0;  // pixels that differ from the corner
};

class ContentBitmaps : public ::testing::Test {
protected:
    TestWindow win{16};

    void SetUp() override {
        ASSERT_TRUE(win.ok);
        ASSERT_TRUE(fs::is_directory(kData / "Levels")) << "no generated data in " << kData;
    }

    // Loads through DirectDrawWin::CreateSurface; fails the test when it cannot.
    bool load(const fs::path& file, Loaded& out) {
        Surface* s = win.CreateSurface(file.c_str(), 0, 0);
        if (s == nullptr) return false;
        out.width = s->width;
        out.height = s->height;
        out.corner = s->get_pixel(0, 0);
        out.opaque = 0;
        for (int y = 0; y < s->height; ++y)
            for (int x = 0; x < s->width; ++x) out.opaque += s->get_pixel(x, y) != out.corner;
        win.ReleaseSurface(s);
        return true;
    }

    Loaded resource(const std::string& name) {
        Loaded l;
        EXPECT_TRUE(load(kData / "Levels/Resource" / (name + ".BMP"), l)) << name;
        return l;
    }
};

std::vector<fs::path> files_under(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> out;
    if (!fs::is_directory(dir)) return out;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == extension) out.push_back(entry.path());
    return out;
}

TEST_F(ContentBitmaps, EverySpriteFrameLoadsWithTheKeyInItsCorner) {
    int frames = 0;
    for (const fs::path& file : files_under(kData / "Levels", ".BMP")) {
        if (file.parent_path().filename() != "Bitmaps") continue;
        Loaded l;
        ASSERT_TRUE(load(file, l)) << file;
        // The collision test reads the top-left pixel as empty; drawing treats
        // pure green as transparent: they must be the same colour.
        EXPECT_EQ(l.corner, kKey565) << file;
        // The shared sprites all show something in every frame.
        if (file.string().find("/Levels/Standard/") != std::string::npos) {
            EXPECT_GT(l.opaque, 0) << file << " is blank";
        }
        ++frames;
    }
    EXPECT_GT(frames, 100);
}

// (That every interface picture loads, the data check of our data says.)
TEST_F(ContentBitmaps, FullPicturesFillTheScreenAndTheCursorIsSeeThroughBlackAroundAnArrowAtItsCorner) {
    for (const char* full : {"ferrolux_logo", "quornash_logo", "titlescreen", "ending"}) {
        const Loaded l = resource(full);
        EXPECT_EQ(l.width, 640) << full;
        EXPECT_EQ(l.height, 480) << full;
    }
    const Loaded cursor = resource("cursor_08");
    EXPECT_EQ(cursor.corner, 0u);  // black: the cursor's transparent colour
    EXPECT_GT(cursor.opaque, 40);
    EXPECT_LE(cursor.width, 32);
    EXPECT_LE(cursor.height, 32);
    // The tip is where the click lands: next to the corner.
    Surface* s = win.CreateSurface((kData / "Levels/Resource/cursor_08.BMP").c_str(), 0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->get_pixel(1, 1), 0u);
    win.ReleaseSurface(s);
}

// Relative luminance of a 5-6-5 pixel.
double luminance_565(uint32_t p) {
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const double r = double(p >> 11 & 31) / 31, g = double(p >> 5 & 63) / 63, b = double(p & 31) / 31;
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

// The credits rise in pure red from x 25; most lines end before x 470, the
// longest near 555. Where they run the picture keeps red readable (3:1
// against red needs a luminance of at most 0.0375) and holds no bright star
// to cross; beyond the text the picture has its light, and under the text it
// is a picture still, not a flat fill.
TEST_F(ContentBitmaps, TheEndingPictureIsAGoodGroundForTheRedCredits) {
    Surface* s = win.CreateSurface((kData / "Levels/Resource/ending.BMP").c_str(), 0, 0);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->width, 640);
    struct Zone {
        int from, to;
        long readable = 0, pixels = 0;
        double brightest = 0;
        std::set<uint32_t> colours{};
    } zones[] = {{25, 470, 0, 0, 0, {}}, {470, 560, 0, 0, 0, {}}, {560, 640, 0, 0, 0, {}}};
    for (Zone& z : zones)
        for (int y = 0; y < s->height; ++y)
            for (int x = z.from; x < z.to; ++x) {
                const uint32_t p = s->get_pixel(x, y);
                const double l = luminance_565(p);
                z.readable += l <= 0.0375;
                ++z.pixels;
                z.brightest = std::max(z.brightest, l);
                z.colours.insert(p);
            }
    win.ReleaseSurface(s);
    EXPECT_GE(double(zones[0].readable) / double(zones[0].pixels), 0.995);
    EXPECT_LT(zones[0].brightest, 0.06) << "a bright spot under the text";
    EXPECT_GT(zones[0].colours.size(), 100u) << "a flat fill, not a picture";
    EXPECT_GE(double(zones[1].readable) / double(zones[1].pixels), 0.9);
    EXPECT_GT(zones[2].brightest, 0.5) << "nothing lit beyond the text";
}

TEST_F(ContentBitmaps, TitleButtonsFitTheirRow) {
    // At y 428, from x 24 every 122 pixels; areas come from the pressed pictures.
    const char* buttons[] = {"about", "1player", "2player", "options", "quit"};
    for (int i = 0; i < 5; ++i) {
        const Loaded up = resource(std::string(buttons[i]) + "up");
        const Loaded down = resource(std::string(buttons[i]) + "down");
        EXPECT_EQ(up.width, down.width) << buttons[i];
        EXPECT_EQ(up.height, down.height) << buttons[i];
        EXPECT_LT(down.width, 122) << buttons[i] << " overlaps its neighbour";
        EXPECT_LE(24 + 122 * i + down.width, 640) << buttons[i];
        EXPECT_LE(428 + down.height, 480) << buttons[i];
    }
}

TEST_F(ContentBitmaps, OptionsAndContinuePiecesKeepClearOfEachOther) {
    const Loaded left = resource("left_arrow_up"), right = resource("right_arrow_up"), bar = resource("red_bar");
    EXPECT_LE(90 + left.width, 129);                  // left arrow before the first step
    EXPECT_LE(bar.width, 36);                         // steps 36 apart do not overlap
    EXPECT_LE(129 + 9 * 36 + bar.width, 488);         // ten steps end before the right arrow
    EXPECT_LE(488 + right.width, 640);
    for (int row_y : {150, 300}) EXPECT_LE(row_y + std::max(left.height, bar.height), 480);
    const Loaded fx = resource("fx_volume"), music = resource("music_volume");
    EXPECT_LE(95 + fx.height, 150);                   // labels stand above their rows
    EXPECT_LE(245 + music.height, 300);
    EXPECT_NEAR(165 + fx.width / 2.0, 126 + music.width / 2.0, 2.0);  // both centred alike
    const Loaded ok = resource("ok_up"), cancel = resource("cancel_up"), question = resource("continue");
    EXPECT_LE(560 + ok.width, 640);                   // options OK
    EXPECT_LE(400 + ok.height, 480);
    EXPECT_LT(330 + cancel.width, 450);               // Cancel ends before OK on the continue screen
    EXPECT_LE(170 + question.width, 640);
    EXPECT_LE(180 + question.height, 260);            // the question stands above the buttons
}

}  // namespace
