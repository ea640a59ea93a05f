#include <gtest/gtest.h>

#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"

namespace {

class SpriteCollision : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        make_master("ship", 1, 20, 20);
        make_master("enemy", 1, 20, 20);
        ship = place("ship", 0, 0);
    }
    void TearDown() override { clear_sprites(); }

    static Sprite* enemy_at(int x, int y, int damage = 1, int layer = 0) {
        Sprite* e = place("enemy", x, y, layer);
        e->hitclass = kHitEnemy;
        e->damage = damage;
        return e;
    }
    Sprite* ship = nullptr;
};

TEST_F(SpriteCollision, SharedEdgesNeverTouchButOneColumnOfOverlapDoes) {
    Sprite* e = enemy_at(20, 0);
    activate_all();
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 0);
    e->x = 19;
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 1);
    e->x = 0;
    e->y = 20;
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 0);
    e->y = 19;
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 1);
}

TEST_F(SpriteCollision, TransparentOverlapDoesNotTouchYetMovesTheHitPoint) {
    make_transparent_rect(Sprite::getnamedsprite("ship"), 15, 0, 20, 20);
    enemy_at(16, 2);
    activate_all();
    hitx = hity = -1;
    EXPECT_EQ(ship->hitsomthingwhere(kHitEnemy), 0);
    EXPECT_EQ(hitx, 17);  // overlap 16..20 x 2..20
    EXPECT_EQ(hity, 6);
    EXPECT_EQ(ship->hitsomthing2(kHitEnemy), 0);
}

TEST_F(SpriteCollision, HitPointIsAQuarterIntoTheOverlapCountingOffsets) {
    make_master("big", 1, 80, 40, -10, 0);
    make_master("slab", 1, 40, 20);
    Sprite* big = place("big", 70, 30);  // image 60..140 x 30..70
    place("slab", 100, 50)->hitclass = kHitEnemy;
    activate_all();
    EXPECT_EQ(big->hitsomthingwhere(kHitEnemy), 1);
    EXPECT_EQ(hitx, 110);
    EXPECT_EQ(hity, 55);
}

TEST_F(SpriteCollision, SumsDamageOfEveryMatchingActiveSpriteExceptItself) {
    ship->hitclass = kHitEnemy;
    enemy_at(5, 5, 2);
    Sprite* last = enemy_at(6, 6, 3);
    enemy_at(7, 7, 100, 2);             // layer 2 takes no part
    enemy_at(8, 8, 100)->hitclass = kHitEnemyShot;  // other class
    enemy_at(4, 4, 100);                // not active
    activate_all();
    Sprite::list_of_active_sprites->pop_back();
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 5);
    EXPECT_EQ(ship->hitsomthing2(kHitEnemy), 5);
    EXPECT_EQ(Sprite::g_sprite, last);
}

TEST_F(SpriteCollision, ChildrenAreHitByClassTestsButNotByTheLayerTest) {
    Sprite* boss = place("enemy", 300, 300);
    ship->spawnchildbyname(boss, "enemy", 5, 5, 1);
    boss->nextchild->hitclass = kHitEnemy;
    boss->nextchild->damage = 4;
    Sprite* wall = place("enemy", 10, 10, 2);  // any class counts for the layer test
    wall->damage = 9;
    activate_all();
    EXPECT_EQ(ship->hitsomthing(kHitEnemy), 4);
    EXPECT_EQ(ship->hitlayer(1), 0);
    EXPECT_EQ(ship->hitlayer(2), 9);
    EXPECT_EQ(wall->hitlayer(2), 0);
}

TEST_F(SpriteCollision, ClosestSpriteByManhattanDistanceFirstOnTies) {
    ship->x = ship->y = 100;
    activate_all();
    const Point none = ship->findclosestsprite(0, kHitEnemy);
    EXPECT_EQ(none.x, 32015);
    EXPECT_EQ(none.y, 215);

    enemy_at(400, 400);
    enemy_at(150, 100);         // 50, first in the list
    enemy_at(100, 150);         // 50
    enemy_at(110, 110, 1, 1);   // wrong layer
    activate_all();
    const Point p = ship->findclosestsprite(0, kHitEnemy);
    EXPECT_EQ(p.x, 165);
    EXPECT_EQ(p.y, 115);
}

}  // namespace
