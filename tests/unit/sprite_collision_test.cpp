#include <gtest/gtest.h>

#include "display/Surface.h"
#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"

namespace {

class SpriteCollision : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        make_master("ship", 1, 20, 20);
        make_master("enemy", 1, 20, 20);
        make_master("big", 1, 80, 40);
        make_master("slab", 1, 40, 20);
    }
    void TearDown() override { clear_sprites(); }

    static Sprite* enemy_at(int x, int y, int damage = 1, int layer = 0) {
        Sprite* e = place("enemy", x, y, layer);
        e->hitclass = 6;
        e->damage = damage;
        return e;
    }
};

TEST_F(SpriteCollision, SharedEdgesNeverTouchButOneColumnOfOverlapDoes) {
    Sprite* ship = place("ship", 0, 0);
    Sprite* e = enemy_at(20, 0);
    activate_all();
    EXPECT_EQ(ship->hitsomthing(6), 0);
    e->x = 19;
    EXPECT_EQ(ship->hitsomthing(6), 1);
    e->x = 0;
    e->y = 20;
    EXPECT_EQ(ship->hitsomthing(6), 0);
    e->y = 19;
    EXPECT_EQ(ship->hitsomthing(6), 1);
}

TEST_F(SpriteCollision, TransparentOverlapDoesNotTouchYetMovesTheHitPoint) {
    Sprite* ship_master = Sprite::getnamedsprite("ship");
    make_transparent_rect(ship_master, 15, 0, 20, 20);  // right five columns empty
    Sprite* ship = place("ship", 0, 0);
    enemy_at(16, 2);
    activate_all();
    hitx = hity = -1;
    EXPECT_EQ(ship->hitsomthingwhere(6), 0);
    EXPECT_EQ(hitx, 16 + (20 - 16) / 4);
    EXPECT_EQ(hity, 2 + (20 - 2) / 4);
    EXPECT_EQ(ship->hitsomthing(6), 0);
    EXPECT_EQ(ship->hitsomthing2(6), 0);
}

TEST_F(SpriteCollision, HitPointIsAQuarterIntoTheOverlap) {
    // Frame offsets count: the big image is drawn 10 pixels left of its x.
    Sprite::getnamedsprite("big")->frames[0]->xoffset = -10;
    Sprite* big = place("big", 70, 30);  // image 60..140 x 30..70
    Sprite* slab = place("slab", 100, 50);
    slab->hitclass = 6;
    activate_all();
    EXPECT_EQ(big->hitsomthingwhere(6), 1);
    EXPECT_EQ(hitx, 110);
    EXPECT_EQ(hity, 55);
}

TEST_F(SpriteCollision, SumsDamageOfEveryMatchingSpriteExceptItself) {
    Sprite* ship = place("ship", 0, 0);
    ship->hitclass = 6;  // asking for its own class still skips itself
    enemy_at(5, 5, 2);
    Sprite* last = enemy_at(6, 6, 3);
    enemy_at(7, 7, 100, 2);              // layer 2 takes no part
    enemy_at(8, 8, 100)->hitclass = 7;   // other class
    enemy_at(200, 200, 100);             // far away
    Sprite* off_list = place("enemy", 4, 4);
    off_list->hitclass = 6;
    off_list->damage = 100;
    activate_all();
    Sprite::list_of_active_sprites->pop_back();  // only the active list is looked at
    EXPECT_EQ(ship->hitsomthing(6), 5);
    Sprite::g_sprite = nullptr;
    EXPECT_EQ(ship->hitsomthing2(6), 5);
    EXPECT_EQ(Sprite::g_sprite, last);
}

TEST_F(SpriteCollision, ChildrenAreHitByClassTestsButNotByTheLayerTest) {
    Sprite* ship = place("ship", 0, 0);
    Sprite* boss = place("enemy", 300, 300);
    ship->spawnchildbyname(boss, "enemy", 5, 5, 1);
    Sprite* gun = boss->nextchild;
    gun->hitclass = 6;
    gun->damage = 4;
    activate_all();
    EXPECT_EQ(ship->hitsomthing(6), 4);
    EXPECT_EQ(ship->hitlayer(1), 0);

    Sprite* wall = place("enemy", 10, 10, 1);
    wall->hitclass = 8;  // the layer test ignores the class
    wall->damage = 2;
    Sprite* far_wall = place("enemy", 10, 10, 2);
    far_wall->damage = 9;
    activate_all();
    EXPECT_EQ(ship->hitlayer(1), 2);
    EXPECT_EQ(ship->hitlayer(2), 9);
    EXPECT_EQ(wall->hitlayer(1), 0);  // never itself
}

TEST_F(SpriteCollision, ClosestSpriteByManhattanDistanceFirstOnTies) {
    Sprite* missile = place("ship", 100, 100);
    activate_all();
    Point none = missile->findclosestsprite(0, 6);
    EXPECT_EQ(none.x, 32015);
    EXPECT_EQ(none.y, 215);

    enemy_at(400, 400);                 // distance 600
    Sprite* a = enemy_at(150, 100);     // 50
    enemy_at(100, 150);                 // 50, later in the list
    enemy_at(110, 110, 1, 1);           // wrong layer
    activate_all();
    Point p = missile->findclosestsprite(0, 6);
    EXPECT_EQ(p.x, a->x + 15);
    EXPECT_EQ(p.y, a->y + 15);

    // The origin and the candidates are image corners (offsets included).
    Sprite::getnamedsprite("ship")->frames[0]->yoffset = 48;  // origin (100, 148)
    p = missile->findclosestsprite(0, 6);
    EXPECT_EQ(p.x, 115);
    EXPECT_EQ(p.y, 165);
}

TEST_F(SpriteCollision, OtherDepthsCompareWholePixels) {
    // 32-bit images whose empty colour differs only in the top byte.
    auto to32 = [](Sprite* m, uint32_t empty, uint32_t ink) {
        Surface* s = m->frames[0]->surface;
        s->format = PixelFormat{32, 0xFF0000, 0x00FF00, 0x0000FF};
        s->pitch = s->width * 4;
        s->pixels.assign(size_t(s->pitch) * s->height, 0);
        for (int y = 0; y < s->height; ++y)
            for (int x = 0; x < s->width; ++x) s->put_pixel(x, y, ink);
        s->put_pixel(0, 0, empty);
    };
    to32(Sprite::getnamedsprite("ship"), 0x0000FF00, 0x0000FF00 | 0x01000000);
    to32(Sprite::getnamedsprite("enemy"), 0x00123456, 0x00123457);
    Sprite* ship = place("ship", 0, 0);
    enemy_at(10, 10);
    activate_all();
    EXPECT_EQ(ship->hitsomthing(6), 1);
    Sprite::getnamedsprite("ship")->frames[0]->surface->put_pixel(0, 0, 0x0100FF00);  // all empty now
    EXPECT_EQ(ship->hitsomthing(6), 0);
}

}  // namespace
