#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "display/Surface.h"
#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"
#include "support/temp_dir.h"
#include "support/test_window.h"
#include "writers/bmp_writer.h"

namespace {

class SpriteLoad : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        ASSERT_TRUE(win.ok);
        Sprite::set_window_ptr(&win);
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(nullptr);
    }

    // A w x h picture, key green in the top-left pixel, in the temp directory.
    void bitmap(const std::string& file, int w, int h = 8) {
        writers::Image image(w, h, writers::Rgb{200, 40, 40});
        image.at(0, 0) = writers::Rgb{0, 255, 0};
        ASSERT_TRUE(writers::write_file(dir.file(file), writers::encode_bmp24(image)));
    }

    Sprite* load(std::string name, const std::string& definition) {
        std::istringstream in(definition);
        auto* s = new Sprite;
        s->load(&name, &in, &win);
        loaded_name = name;
        return s;
    }

    TestWindow win;
    TempDir dir;
    ScopedChdir here{dir.path()};
    std::string loaded_name;
};

TEST_F(SpriteLoad, FramesUntilTheFirstGapWithOffsetsInPairs) {
    bitmap("ship1.BMP", 10);
    bitmap("ship2.BMP", 12);
    bitmap("ship4.BMP", 14);
    Sprite* s = load("Ship", "-10 -5\n3 4\n7 8\n");
    EXPECT_EQ(loaded_name, "ship");  // lower-cased in place
    ASSERT_EQ(s->frame_count(), 2);
    EXPECT_EQ(s->frames[0]->xoffset, -10);
    EXPECT_EQ(s->frames[0]->yoffset, -5);
    EXPECT_EQ(s->frames[1]->xoffset, 3);
    EXPECT_EQ(s->frames[1]->yoffset, 4);
    EXPECT_EQ(s->frames[0]->rect.right, 10);
    EXPECT_EQ(s->frames[1]->rect.right, 12);
    EXPECT_EQ(s->frames[1]->rect.bottom, 8);
    EXPECT_EQ(s->curframe, 0);
    EXPECT_EQ(s->firstframe, 0);
    EXPECT_EQ(s->lastframe, 1);
    // Pure green is the transparent key of every frame.
    EXPECT_TRUE(s->frames[0]->surface->has_colorkey);
    EXPECT_EQ(s->frames[0]->surface->colorkey, 0x07E0u);
    EXPECT_EQ(s->frames[0]->surface->get_pixel(0, 0), 0x07E0u);
    // Registered last under its lower-case name, with the record's defaults.
    EXPECT_EQ(Sprite::list_of_master_sprites.back(), s);
    EXPECT_EQ(Sprite::list_of_master_sprite_names.back(), "ship");
    EXPECT_EQ(s->damage, 1);
    EXPECT_EQ(s->hitpoints, 1);
    EXPECT_EQ(s->firecount, 10);
    EXPECT_EQ(s->framenumber, 1);
    EXPECT_EQ(s->hitclass, 0);
    EXPECT_EQ(s->behavior, nullptr);
}

TEST_F(SpriteLoad, TwoDigitFrameNumbersHaveNoLeadingZeros) {
    for (int k = 1; k <= 9; ++k) bitmap("gun" + std::to_string(k) + ".BMP", 4);
    bitmap("gun10.BMP", 6);
    bitmap("gun011.BMP", 6);
    Sprite* s = load("gun", "");
    ASSERT_EQ(s->frame_count(), 10);
    EXPECT_EQ(s->frames[9]->rect.right, 6);
}

TEST_F(SpriteLoad, MissingFirstBitmapStillRegistersAFramelessSprite) {
    bitmap("rock2.BMP", 4);
    bitmap("Rock1.BMP", 4);  // names are looked up in lower case only
    Sprite* s = load("ROCK", "1 2");
    EXPECT_EQ(s->frame_count(), 0);
    EXPECT_EQ(s->current_frame(), nullptr);
    EXPECT_EQ(Sprite::getnamedsprite("rock"), s);
}

TEST_F(SpriteLoad, ShortEmptyOrBrokenDefinitionsGiveZeroOffsets) {
    for (int k = 1; k <= 3; ++k) bitmap("a" + std::to_string(k) + ".BMP", 4);
    Sprite* empty = load("a", "");
    Sprite* short_one = load("a", "5");
    Sprite* broken = load("a", "1 2 x 4 5 6");
    Sprite* huge = load("a", "99999999999 2 3 4");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(empty->frames[k]->xoffset, 0);
        EXPECT_EQ(empty->frames[k]->yoffset, 0);
    }
    EXPECT_EQ(short_one->frames[0]->xoffset, 5);
    EXPECT_EQ(short_one->frames[0]->yoffset, 0);
    EXPECT_EQ(broken->frames[0]->yoffset, 2);
    EXPECT_EQ(broken->frames[1]->xoffset, 0);  // reading stops at the bad token
    EXPECT_EQ(broken->frames[2]->yoffset, 0);
    EXPECT_EQ(huge->frames[0]->xoffset, 0);  // too big for a number: stops likewise
    EXPECT_EQ(huge->frames[1]->xoffset, 0);
    EXPECT_EQ(Sprite::list_of_master_sprites.size(), 4u);
}

TEST_F(SpriteLoad, DumpallReleasesFrameSurfacesThroughTheWindow) {
    bitmap("b1.BMP", 4);
    bitmap("b2.BMP", 4);
    const size_t before = win.live_surfaces.size();
    load("b", "");
    EXPECT_EQ(win.live_surfaces.size(), before + 2);
    Sprite::dumpall();
    EXPECT_EQ(win.live_surfaces.size(), before);
    EXPECT_TRUE(Sprite::list_of_master_sprites.empty());
}

}  // namespace
