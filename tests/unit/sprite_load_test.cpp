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
    const size_t surfaces_before = win.live_surfaces.size();
    Sprite* s = load("Ship", "-10 -5\n3 4\n7 8\n");
    EXPECT_EQ(loaded_name, "ship");  // lower-cased in place
    ASSERT_EQ(s->frame_count(), 2);
    EXPECT_EQ(s->frames[0]->xoffset, -10);
    EXPECT_EQ(s->frames[0]->yoffset, -5);
    EXPECT_EQ(s->frames[1]->xoffset, 3);
    EXPECT_EQ(s->frames[1]->yoffset, 4);
    EXPECT_EQ(s->frames[1]->rect.right, 12);
    EXPECT_EQ(s->lastframe, 1);
    EXPECT_EQ(s->frames[0]->surface->colorkey, 0x07E0u);  // pure green is transparent
    EXPECT_EQ(Sprite::list_of_master_sprite_names.back(), "ship");
    // A fresh master, before the registry runs.
    EXPECT_EQ(s->damage, 1);
    EXPECT_EQ(s->hitpoints, 1);
    EXPECT_EQ(s->firecount, 10);
    EXPECT_EQ(s->hitclass, 0);
    // Releasing the masters gives the frame surfaces back to the window.
    EXPECT_EQ(win.live_surfaces.size(), surfaces_before + 2);
    Sprite::dumpall();
    EXPECT_EQ(win.live_surfaces.size(), surfaces_before);
}

TEST_F(SpriteLoad, TwoDigitNumbersWithoutLeadingZerosAndNoFirstFrame) {
    for (int k = 1; k <= 9; ++k) bitmap("gun" + std::to_string(k) + ".BMP", 4);
    bitmap("gun10.BMP", 6);
    bitmap("gun011.BMP", 6);
    EXPECT_EQ(load("gun", "")->frame_count(), 10);

    bitmap("rock2.BMP", 4);
    bitmap("Rock1.BMP", 4);  // looked up in lower case only
    Sprite* rock = load("ROCK", "1 2");
    EXPECT_EQ(rock->current_frame(), nullptr);
    EXPECT_EQ(Sprite::getnamedsprite("rock"), rock);  // registered all the same
}

TEST_F(SpriteLoad, ShortEmptyOrBrokenDefinitionsGiveZeroOffsets) {
    for (int k = 1; k <= 3; ++k) bitmap("a" + std::to_string(k) + ".BMP", 4);
    Sprite* empty = load("a", "");
    Sprite* short_one = load("a", "5");
    Sprite* broken = load("a", "1 2 x 4 5 6");
    Sprite* huge = load("a", "99999999999 2 3 4");
    EXPECT_EQ(empty->frames[2]->xoffset, 0);
    EXPECT_EQ(empty->frames[2]->yoffset, 0);
    EXPECT_EQ(short_one->frames[0]->xoffset, 5);
    EXPECT_EQ(short_one->frames[0]->yoffset, 0);
    EXPECT_EQ(broken->frames[0]->yoffset, 2);
    EXPECT_EQ(broken->frames[1]->xoffset, 0);  // reading stops at the bad token
    EXPECT_EQ(broken->frames[2]->yoffset, 0);
    EXPECT_EQ(huge->frames[0]->xoffset, 0);  // too big for a number: stops likewise
    EXPECT_EQ(huge->frames[1]->xoffset, 0);
}

}  // namespace
