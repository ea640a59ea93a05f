// The level picture: its size, and each layer at its own scroll distance.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "comforts_data_fixture.h"
#include "sprites/Sprite.h"
#include "state/world_list.h"
#include "support/temp_dir.h"
#include "tools/level_render.h"

namespace {

struct Pixel {
    int r, g, b;
};

Pixel at(const LevelPicture& p, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * p.width + x) * 3;
    return {p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]};
}

// Standard holds a 20 x 10 red block; Metal a 10 x 10 blue one, drawn with
// offsets (-2, 3).
void write_world(const std::string& root, const std::string& level_text) {
    using namespace comforts_fixture;
    ASSERT_TRUE(writers::make_directories(root + "/Levels/Standard/Sprites"));
    ASSERT_TRUE(writers::make_directories(root + "/Levels/Standard/Bitmaps"));
    ASSERT_TRUE(writers::make_directories(root + "/Levels/Metal/Sprites"));
    ASSERT_TRUE(writers::make_directories(root + "/Levels/Metal/Levels"));
    ASSERT_TRUE(writers::make_directories(root + "/Levels/Metal/Bitmaps"));
    ASSERT_TRUE(write_sprite(root, "Standard", "red", 1, 20, 10, {255, 0, 0}));
    ASSERT_TRUE(write_sprite(root, "Metal", "blue", 1, 10, 10, {0, 0, 255}));
    ASSERT_TRUE(writers::write_text(root + "/Levels/Metal/Sprites/blue.SPT", "-2 3\n"));
    ASSERT_TRUE(writers::write_text(root + "/Levels/Metal/Levels/NORMAL.LVL", level_text));
}

}  // namespace

TEST(ComfortsLevelRender, StripSpansTheWholeLevelAndPlacesEachLayer) {
    TempDir dir;
    write_world(dir.path(),
                "3000 100 0 red\n"    // the far right end of layer 0: 3000 + 20
                "-90 0 0 red\n"       // never shown: off the left edge from the first frame
                "-15 0 3 red\n"       // still on screen at the first frame, at -16: 13 left of the start
                "1500 200 3 blue\n"   // layer 3: comes into view much later than layer 0's
                "1500 200 0 blue\n"   // the same place on layer 0, for comparison
                "5000 50 5 red\n"     // layer 5 is never drawn and does not widen the strip
                "10 10 0 nothing\n"); // no such sprite
    const std::string cwd = std::filesystem::current_path().string();
    LevelPicture p;
    std::string error;
    ASSERT_TRUE(render_level(dir.path(), 2, p, error)) << error;
    EXPECT_EQ(std::filesystem::current_path().string(), cwd);
    EXPECT_TRUE(Sprite::list_of_master_sprites.empty());
    EXPECT_EQ(Sprite::the_level, nullptr);

    EXPECT_EQ(p.height, 416);
    const int start = 13;
    EXPECT_EQ(p.start_column, start);
    EXPECT_EQ(p.sprites_drawn, 4);
    EXPECT_EQ(p.sprites_never_shown, 2);
    EXPECT_EQ(at(p, 0, 5).r, 255);  // the layer-3 red block at the far left
    // Layer 3's blue block comes on screen at frame 861, at 639: 3 * 861 + 639
    // = 3222 from the start, drawn 2 further left; it widens the strip.
    const int layer3_left = start + 3222 - 2;
    EXPECT_EQ(p.width, layer3_left + 10);
    EXPECT_EQ(at(p, layer3_left + 1, 205).b, 255);
    EXPECT_EQ(at(p, layer3_left - 1, 205).b, 0);
    // Layer 0's at 1498.
    EXPECT_EQ(at(p, start + 1498 + 5, 205).b, 255);
    // The key colour stays transparent: the block's top-left pixel is background.
    const Pixel corner = at(p, start + 3000, 100);
    EXPECT_EQ(corner.g, 0);
    EXPECT_EQ(at(p, start + 3001, 100).r, 255);
}

TEST(ComfortsLevelRender, AShortLevelIsStillOneScreenWideAndBadRequestsFail) {
    TempDir dir;
    write_world(dir.path(), "10 10 0 red\n");
    LevelPicture p;
    std::string error;
    ASSERT_TRUE(render_level(dir.path(), 2, p, error)) << error;
    EXPECT_EQ(p.width, 640);
    EXPECT_EQ(p.start_column, 0);

    EXPECT_FALSE(render_level(dir.path(), 1, p, error));  // Space has no level file here
    EXPECT_FALSE(render_level(dir.path(), world_list::kCount + 1, p, error));
    EXPECT_TRUE(Sprite::list_of_master_sprites.empty());

    // Positions far apart would make a picture of gigabytes: refused.
    write_world(dir.path(), "-1000000 0 0 red\n1000000 0 0 red\n");
    EXPECT_FALSE(render_level(dir.path(), 2, p, error));
    EXPECT_NE(error.find("columns"), std::string::npos) << error;
    EXPECT_TRUE(Sprite::list_of_master_sprites.empty());
}

TEST(ComfortsLevelRender, WritesAPngOfThatSize) {
    TempDir dir;
    write_world(dir.path(), "1000 10 1 red\n");
    const std::string png = dir.file("metal.png");
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(run_render_level(dir.path(), 2, png, log), 0);
    std::fclose(log);
    std::FILE* f = std::fopen(png.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[24] = {};
    ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
    std::fclose(f);
    const auto be32 = [&](int o) { return head[o] << 24 | head[o + 1] << 16 | head[o + 2] << 8 | head[o + 3]; };
    EXPECT_EQ(be32(16), 1020);  // IHDR width
    EXPECT_EQ(be32(20), 416);   // IHDR height
}
