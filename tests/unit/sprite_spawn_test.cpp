#include <gtest/gtest.h>

#include <vector>

#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"

namespace {

class SpriteSpawn : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        ensure_level();
        shot = make_master("shot", 3, 8, 4);
        make_master("spark", 1, 2, 2);
    }
    void TearDown() override { clear_sprites(); }

    static std::vector<Sprite*> level() {
        return {Sprite::the_level->begin(), Sprite::the_level->end()};
    }
    static std::vector<Sprite*> chain_from(Sprite* s) {
        std::vector<Sprite*> out;
        for (; s != nullptr; s = s->nextchild) out.push_back(s);
        return out;
    }

    Sprite* shot = nullptr;
};

TEST_F(SpriteSpawn, CopyTakesEveryFieldWithItsOwnFramesAndSerial) {
    shot->hitclass = 3;
    shot->damage = 7;
    shot->param9 = 42;
    shot->dirx = 0.5f;
    shot->curframe = 2;
    shot->framenumber = 3;
    Sprite* a = shot->make_copy();
    Sprite* b = shot->make_copy();
    EXPECT_EQ(a->hitclass, 3);
    EXPECT_EQ(a->damage, 7);
    EXPECT_EQ(a->param9, 42);
    EXPECT_FLOAT_EQ(a->dirx, 0.5f);
    // The copy shows the frame its master is on.
    EXPECT_EQ(a->current_frame(), shot->frames[2]);
    EXPECT_EQ(a->framenumber, 3);
    EXPECT_NE(a->serial, 0u);
    EXPECT_NE(a->serial, b->serial);
    EXPECT_EQ(shot->serial, 0u);
    // Same frame records, separate list.
    EXPECT_EQ(a->frames, shot->frames);
    a->frames.pop_back();
    EXPECT_EQ(shot->frames.size(), 3u);
    delete a;
    delete b;
}

TEST_F(SpriteSpawn, WhereChoosesBackOrFrontAndOtherValuesCreateNothing) {
    Sprite* old = place("spark", 0, 0);
    shot->spawnbyname("shot", 10, 20, 1, 0);
    shot->spawnbyname("shot", 30, 40, 2, 1);
    shot->spawnbyname("shot", 50, 60, 0, 2);
    shot->spawnbyname("nosuchsprite", 1, 1, 0, 0);
    const auto l = level();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0]->x, 30);
    EXPECT_EQ(l[0]->layer, 2);
    EXPECT_EQ(l[1], old);
    EXPECT_EQ(l[2]->x, 10);
    EXPECT_EQ(l[2]->y, 20);
    EXPECT_EQ(l[2]->layer, 1);
    // spawn copies the sprite it is called on.
    Sprite* m = Sprite::getnamedsprite("spark");
    m->spawn(5, 6, 0, 0);
    EXPECT_EQ(level().back()->frames, m->frames);
}

TEST_F(SpriteSpawn, ChildrenAppendAtTheEndOrDirectlyAfterTheParent) {
    Sprite* boss = place("spark", 100, 100);
    shot->spawnchildbyname(boss, "shot", 1, 0, 0);
    Sprite* first = boss->nextchild;
    shot->spawnchildbyname(boss, "shot", 2, 0, 0);
    shot->spawnchildbyname(first, "shot", 5, 0, 0);  // after the chain's last, not after `first`
    shot->spawnchildbynametwo(boss, "shot", 3, 0, 0);
    shot->spawnchildbyname(boss, "nosuchsprite", 4, 0, 0);
    shot->spawnchildbynametwo(boss, "nosuchsprite", 4, 0, 0);

    const auto chain = chain_from(boss);
    ASSERT_EQ(chain.size(), 5u);
    EXPECT_EQ(chain[1]->x, 3);
    EXPECT_EQ(chain[2]->x, 1);
    EXPECT_EQ(chain[3]->x, 2);
    EXPECT_EQ(chain[4]->x, 5);
    EXPECT_EQ(chain[4]->parent, first);
    EXPECT_EQ(chain[1]->parent, boss);
    EXPECT_EQ(chain[4]->nextchild, nullptr);
    // Backwards from the tail (and so from the newest) reaches the parent.
    std::vector<Sprite*> backwards;
    for (Sprite* s = chain[4]; s != nullptr; s = s->prevchild) backwards.push_back(s);
    EXPECT_EQ(backwards, (std::vector<Sprite*>{chain[4], chain[3], chain[2], chain[1], boss}));
    // Children are not in the level list.
    EXPECT_EQ(level().size(), 1u);
}

TEST_F(SpriteSpawn, LookupFindsTheFirstMasterOfANameUntilEverythingIsDumped) {
    Sprite* second = make_master("shot", 1, 4, 4);
    EXPECT_EQ(Sprite::getnamedsprite("shot"), shot);
    EXPECT_NE(Sprite::getnamedsprite("shot"), second);
    EXPECT_EQ(Sprite::getnamedsprite("Shot"), nullptr);
    EXPECT_EQ(Sprite::getnamedsprite(nullptr), nullptr);
    Sprite::dumpall();
    EXPECT_EQ(Sprite::getnamedsprite("shot"), nullptr);
    EXPECT_EQ(Sprite::getnamedsprite("spark"), nullptr);
    EXPECT_TRUE(Sprite::list_of_master_sprite_names.empty());
}

TEST_F(SpriteSpawn, DeadChildKeepsItsMemoryWhileAnotherChildNamesItAsParent) {
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
    // Still readable (a sanitizer build would flag a freed parent here).
    EXPECT_EQ(neck->parent->hitpoints, 0);

    Sprite::retire_child(body, tail);  // nobody names it: freed at once
    EXPECT_EQ(chain_from(body), (std::vector<Sprite*>{body, neck}));
}

}  // namespace
