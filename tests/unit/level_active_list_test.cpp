#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "behaviours/helpers.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"

namespace {

std::vector<int> g_calls;  // param1 of every sprite whose behaviour ran
void record_call(Sprite* s) { g_calls.push_back(s->param1); }

class ActiveList : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        g_calls.clear();
        scroll = 1;
        make_master("block", 1, 40, 40);
        make_master("tiny", 1, 4, 4);
    }
    void TearDown() override {
        clear_sprites();
        scroll = 0;
    }
    static const std::vector<Sprite*>& active() { return *Sprite::list_of_active_sprites; }
    static Sprite* tagged(int x, int tag) {
        Sprite* s = place("block", x, 10);
        s->param1 = tag;
        s->behavior = record_call;
        return s;
    }
    Velmora_Win win;
};

TEST_F(ActiveList, VisibleByTheFirstFrameWidthBetweenTheScreenEdges) {
    Sprite* s = place("block", 700, 0);
    for (int frame = 1; frame <= 20; ++frame) win.make_sprite_active_list();
    EXPECT_EQ(s->x, 640);
    EXPECT_TRUE(active().empty());
    win.make_sprite_active_list();
    EXPECT_EQ(active(), (std::vector<Sprite*>{s}));  // x 637 in the 21st frame

    // The current frame's width and the drawing offsets do not count: a sprite
    // showing a narrow frame, or drawn off screen to the right, is still seen.
    scroll = 0;
    s->x = -40;
    Sprite* edge = place("block", -39, 0);
    Sprite* blinking = make_master("blinking", 2, 40, 40);
    blinking->frames[1]->rect.right = 4;
    setframe(blinking, 2);
    Sprite* narrow = place("blinking", -10, 0);
    Sprite* offset = place("tiny", 630, 0);
    Sprite::getnamedsprite("tiny")->frames[0]->xoffset = 20;
    win.make_sprite_active_list();
    EXPECT_EQ(active(), (std::vector<Sprite*>{edge, narrow, offset}));
    EXPECT_EQ(Sprite::the_level->size(), 4u);  // off screen is not removed
}

TEST_F(ActiveList, ScrollSpeedsPerLayerForSpritesAndChildren) {
    std::vector<Sprite*> by_layer;
    for (int layer = 0; layer <= 4; ++layer) by_layer.push_back(place("block", 300, 0, layer));
    by_layer[3]->spawnchildbyname(by_layer[3], "tiny", 300, 0, 0);
    Sprite* child = by_layer[3]->nextchild;
    for (int still : {1, 0, -1}) {
        scroll = still;
        win.make_sprite_active_list();
        std::vector<int> xs;
        for (Sprite* s : by_layer) xs.push_back(s->x);
        EXPECT_EQ(xs, (std::vector<int>{297, 297, 298, 299, 300}));
        EXPECT_EQ(child->x, 297);  // its own layer's speed
    }
}

TEST_F(ActiveList, DeadSpritesLeaveWithTheirChainsAndDeadChildrenOnlyWhenVisible) {
    Sprite* a = place("block", 100, 0);
    Sprite* dead = place("block", 100, 0);
    place("block", 100, 0)->hitpoints = -5;
    Sprite* hidden = place("block", 2000, 0);
    for (Sprite* p : {a, dead, hidden}) {
        for (int i = 0; i < 3; ++i) p->spawnchildbyname(p, "tiny", i, 0, 0);
        p->nextchild->nextchild->hitpoints = 0;  // the middle child
    }
    dead->hitpoints = 0;
    win.make_sprite_active_list();
    EXPECT_EQ(active(), (std::vector<Sprite*>{a}));
    EXPECT_EQ(std::vector<Sprite*>(Sprite::the_level->begin(), Sprite::the_level->end()),
              (std::vector<Sprite*>{a, hidden}));
    std::vector<int> kept;
    for (Sprite* c = a->nextchild; c != nullptr; c = c->nextchild) kept.push_back(c->x);
    EXPECT_EQ(kept, (std::vector<int>{-3, -1}));
    EXPECT_EQ(a->nextchild->nextchild->prevchild, a->nextchild);
    EXPECT_EQ(hidden->nextchild->nextchild->hitpoints, 0);  // waits for its parent to show
}

TEST_F(ActiveList, BehavioursRunInListAndChainOrder) {
    // The first behaviour appends a child (it runs in this pass) and spawns a
    // top-level sprite at the front (it waits for the rebuild).
    Sprite* spawner = tagged(100, 1);
    spawner->behavior = [](Sprite* s) {
        g_calls.push_back(s->param1);
        if (s->param2++ != 0) return;
        Sprite* m = Sprite::getnamedsprite("tiny");
        m->behavior = record_call;
        m->param1 = 12;
        s->spawnchildbyname(s, "tiny", 0, 0, 0);
        m->param1 = 9;
        m->spawn(100, 0, 0, 1);
        m->behavior = nullptr;
    };
    spawner->spawnchildbyname(spawner, "tiny", 0, 0, 0);
    spawner->nextchild->param1 = 11;
    spawner->nextchild->behavior = record_call;
    tagged(100, 2);
    tagged(900, 3);          // off screen: never runs
    place("block", 100, 0);  // no behaviour

    for (int frame = 0; frame < 2; ++frame) {
        win.make_sprite_active_list();
        win.move_sprite_active_list();
    }
    EXPECT_EQ(g_calls, (std::vector<int>{1, 11, 12, 2, 9, 1, 11, 12, 2}));
}

TEST_F(ActiveList, DrawsBackToFrontByLayerIntoThePlayfield) {
    ASSERT_TRUE(setup_headless_display(win));
    Sprite::set_window_ptr(&win);
    const uint32_t colours[] = {0xF800, 0x001F, 0xFFE0, 0x07FF, 0xF81F};
    std::vector<Sprite*> sprites;  // level order 0..4, all over the same spot
    for (int layer = 0; layer <= 4; ++layer) {
        const std::string name = "layer" + std::to_string(layer);
        paint_frames(make_master(name, 1, 40, 40), colours[layer]);
        sprites.push_back(place(name, 100, 50, layer));
    }
    scroll = 0;
    const auto drawn = [&] {
        win.ClearSurface(win.backsurf, 0u);
        win.make_sprite_active_list();
        win.draw_sprite_active_list();
        return win.backsurf->get_pixel(110, 32 + 60);  // y counts from the playfield's top
    };
    EXPECT_EQ(drawn(), colours[0]);
    sprites[0]->hitpoints = 0;
    EXPECT_EQ(drawn(), colours[1]);
    sprites[1]->layer = 5;
    sprites[2]->layer = 6;
    sprites[3]->layer = -1;
    EXPECT_EQ(drawn(), 0u);  // layers outside 0..3 never draw
    Sprite::set_window_ptr(nullptr);
}

}  // namespace
