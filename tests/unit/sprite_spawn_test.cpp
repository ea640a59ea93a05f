#include <gtest/gtest.h>

#include <vector>

#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"

namespace {

std::vector<Sprite*> chain_from(Sprite* s) {
    std::vector<Sprite*> out;
    for (; s != nullptr; s = s->nextchild) out.push_back(s);
    return out;
}

class SpriteSpawn : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        ensure_level();
        shot = make_master("shot", 3, 8, 4);
        make_master("spark", 1, 2, 2);
    }
    void TearDown() override { clear_sprites(); }
    Sprite* shot = nullptr;
};

TEST_F(SpriteSpawn, CopyShowsTheMastersFrameWithItsOwnListAndSerialAndLookupFindsTheFirstMaster) {
    shot->param9 = 42;
    shot->curframe = 2;
    shot->framenumber = 3;
    Sprite* a = shot->make_copy();
    Sprite* b = shot->make_copy();
    EXPECT_EQ(a->param9, 42);
    EXPECT_EQ(a->current_frame(), shot->frames[2]);
    EXPECT_EQ(a->framenumber, 3);
    EXPECT_NE(a->serial, b->serial);
    EXPECT_EQ(shot->serial, 0u);
    a->frames.pop_back();  // same frame records, separate list
    EXPECT_EQ(shot->frames.size(), 3u);
    delete a;
    delete b;

    // Lookup finds the first master of a name, exactly, until everything is dumped.
    make_master("shot", 1, 4, 4);
    EXPECT_EQ(Sprite::getnamedsprite("shot"), shot);
    EXPECT_EQ(Sprite::getnamedsprite("Shot"), nullptr);
    Sprite::dumpall();
    EXPECT_EQ(Sprite::getnamedsprite("shot"), nullptr);
    EXPECT_TRUE(Sprite::list_of_master_sprite_names.empty());
}

TEST_F(SpriteSpawn, WhereChoosesBackOrFrontAndUnknownNamesCreateNothing) {
    Sprite* old = place("spark", 0, 0);
    shot->spawnbyname("shot", 10, 20, 1, 0);
    shot->spawnbyname("shot", 30, 40, 2, 1);
    shot->spawnbyname("shot", 50, 60, 0, 2);
    shot->spawnbyname("nosuchsprite", 1, 1, 0, 0);
    const std::vector<Sprite*> l(Sprite::the_level->begin(), Sprite::the_level->end());
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0]->x, 30);
    EXPECT_EQ(l[0]->layer, 2);
    EXPECT_EQ(l[1], old);
    EXPECT_EQ(l[2]->y, 20);
}

TEST_F(SpriteSpawn, ChildrenAppendAtTheEndOrDirectlyAfterTheParent) {
    Sprite* boss = place("spark", 100, 100);
    shot->spawnchildbyname(boss, "shot", 1, 0, 0);
    Sprite* first = boss->nextchild;
    shot->spawnchildbyname(boss, "shot", 2, 0, 0);
    shot->spawnchildbyname(first, "shot", 5, 0, 0);  // after the chain's last, not after `first`
    shot->spawnchildbynametwo(boss, "shot", 3, 0, 0);
    shot->spawnchildbynametwo(boss, "nosuchsprite", 4, 0, 0);

    const auto chain = chain_from(boss);
    ASSERT_EQ(chain.size(), 5u);
    std::vector<int> xs;
    for (Sprite* s : chain) xs.push_back(s->x);
    EXPECT_EQ(xs, (std::vector<int>{100, 3, 1, 2, 5}));
    EXPECT_EQ(chain[4]->parent, first);
    EXPECT_EQ(chain[1]->parent, boss);
    std::vector<Sprite*> backwards;
    for (Sprite* s = chain[4]; s != nullptr; s = s->prevchild) backwards.push_back(s);
    EXPECT_EQ(backwards, (std::vector<Sprite*>{chain[4], chain[3], chain[2], chain[1], boss}));
    EXPECT_EQ(Sprite::the_level->size(), 1u);
}

TEST_F(SpriteSpawn, DeadChildStaysReadableWhileAnotherChildNamesItAsParent) {
    Sprite* body = place("spark", 0, 0);
    shot->spawnchildbyname(body, "shot", 0, 0, 0);
    Sprite* head = body->nextchild;
    shot->spawnchildbyname(head, "shot", 0, 0, 0);
    Sprite* neck = head->nextchild;
    shot->spawnchildbyname(body, "shot", 0, 0, 0);
    Sprite* tail = neck->nextchild;

    head->hitpoints = 0;
    Sprite::retire_child(body, head);
    EXPECT_EQ(chain_from(body), (std::vector<Sprite*>{body, neck, tail}));
    EXPECT_EQ(neck->prevchild, body);
    EXPECT_EQ(neck->parent->hitpoints, 0);  // a sanitizer build flags a freed parent here
    Sprite::retire_child(body, tail);
    EXPECT_EQ(chain_from(body), (std::vector<Sprite*>{body, neck}));
}

}  // namespace
