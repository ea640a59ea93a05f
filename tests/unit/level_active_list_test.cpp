#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "sprites/Sprite.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"

namespace {

// Names of the sprites whose behaviour ran, in call order.
std::vector<int> g_calls;
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

    static std::vector<Sprite*> active() { return *Sprite::list_of_active_sprites; }
    static bool is_active(const Sprite* s) {
        const auto& a = *Sprite::list_of_active_sprites;
        return std::find(a.begin(), a.end(), s) != a.end();
    }
    static Sprite* tagged(const char* name, int x, int tag, int layer = 0) {
        Sprite* s = place(name, x, 10, layer);
        s->param1 = tag;
        s->behavior = record_call;
        return s;
    }

    Velmora_Win win;
};

TEST_F(ActiveList, BecomesActiveInTheTwentyFirstFrameFromTheRight) {
    Sprite* s = place("block", 700, 0);
    for (int frame = 1; frame <= 20; ++frame) win.make_sprite_active_list();
    EXPECT_EQ(s->x, 640);
    EXPECT_FALSE(is_active(s));
    win.make_sprite_active_list();
    EXPECT_EQ(s->x, 637);
    EXPECT_TRUE(is_active(s));
}

TEST_F(ActiveList, LeftEdgeGoesByTheFirstFrameWidth) {
    scroll = 0;
    Sprite* gone = place("block", -40, 0);
    Sprite* edge = place("block", -39, 0);
    // Visibility uses the first frame, not the current one or its offsets.
    Sprite::getnamedsprite("block")->frames[0]->xoffset = 500;
    win.make_sprite_active_list();
    EXPECT_EQ(active(), (std::vector<Sprite*>{edge}));
    EXPECT_EQ(Sprite::the_level->size(), 2u);  // off screen is not removed
    EXPECT_EQ(gone->x, -40);
}

TEST_F(ActiveList, ScrollSpeedsPerLayerForSpritesAndChildren) {
    std::vector<Sprite*> by_layer;
    for (int layer = 0; layer <= 4; ++layer) by_layer.push_back(place("block", 300, 0, layer));
    by_layer[3]->spawnchildbyname(by_layer[3], "tiny", 300, 0, 0);
    win.make_sprite_active_list();
    const int expected[] = {297, 297, 298, 299, 300};
    for (int layer = 0; layer <= 4; ++layer) EXPECT_EQ(by_layer[layer]->x, expected[layer]);
    EXPECT_EQ(by_layer[3]->nextchild->x, 297);  // its own layer's speed

    for (int still : {0, -1}) {
        scroll = still;
        win.make_sprite_active_list();
        EXPECT_EQ(by_layer[0]->x, 297);
        EXPECT_EQ(by_layer[3]->nextchild->x, 297);
    }
}

TEST_F(ActiveList, DeadSpritesLeaveWithTheirChainsAndTheWalkGoesOn) {
    Sprite* a = place("block", 100, 0);
    Sprite* dead1 = place("block", 100, 0);
    place("block", 100, 0)->hitpoints = -5;
    Sprite* b = place("block", 100, 0);
    dead1->spawnchildbyname(dead1, "tiny", 0, 0, 0);
    dead1->hitpoints = 0;
    win.make_sprite_active_list();
    EXPECT_EQ(active(), (std::vector<Sprite*>{a, b}));
    EXPECT_EQ(std::vector<Sprite*>(Sprite::the_level->begin(), Sprite::the_level->end()),
              (std::vector<Sprite*>{a, b}));
}

TEST_F(ActiveList, DeadChildrenArePrunedOnlyWhileTheirParentIsVisible) {
    Sprite* seen = place("block", 100, 0);
    Sprite* hidden = place("block", 2000, 0);
    for (Sprite* p : {seen, hidden}) {
        for (int i = 0; i < 3; ++i) p->spawnchildbyname(p, "tiny", i, 0, 0);
        p->nextchild->nextchild->hitpoints = 0;  // the middle child
    }
    win.make_sprite_active_list();
    ASSERT_NE(seen->nextchild, nullptr);
    EXPECT_EQ(seen->nextchild->x, -3);
    EXPECT_EQ(seen->nextchild->nextchild->x, -1);
    EXPECT_EQ(seen->nextchild->nextchild->prevchild, seen->nextchild);
    EXPECT_EQ(seen->nextchild->nextchild->nextchild, nullptr);
    EXPECT_EQ(hidden->nextchild->nextchild->hitpoints, 0);  // still there
    EXPECT_NE(hidden->nextchild->nextchild->nextchild, nullptr);
}

TEST_F(ActiveList, BehavioursRunForActiveSpritesAndChildrenInOrder) {
    // The first behaviour to run spawns a child at the end of the chain (it
    // runs in this pass) and a top-level sprite (it waits for the rebuild).
    static Sprite* spawner;
    spawner = tagged("block", 100, 1);
    spawner->behavior = [](Sprite* s) {
        g_calls.push_back(s->param1);
        if (s->param2++ == 0) {
            s->spawnchildbyname(s, "tiny", 0, 0, 0);
            Sprite* child = s->nextchild->nextchild;
            child->param1 = 12;
            child->behavior = record_call;
            Sprite* fresh = s->getnamedsprite("tiny");
            fresh->param1 = 9;
            fresh->behavior = record_call;
            fresh->spawn(100, 0, 0, 1);
            fresh->behavior = nullptr;
        }
    };
    spawner->spawnchildbyname(spawner, "tiny", 0, 0, 0);
    spawner->nextchild->param1 = 11;
    spawner->nextchild->behavior = record_call;
    tagged("block", 100, 2);
    tagged("block", 900, 3);  // off screen: never runs
    place("block", 100, 0);    // no behaviour

    win.make_sprite_active_list();
    win.move_sprite_active_list();
    EXPECT_EQ(g_calls, (std::vector<int>{1, 11, 12, 2}));
    g_calls.clear();
    win.make_sprite_active_list();
    win.move_sprite_active_list();
    EXPECT_EQ(g_calls, (std::vector<int>{9, 1, 11, 12, 2}));
}

TEST_F(ActiveList, DrawsBackToFrontByLayerIntoThePlayfield) {
    ASSERT_TRUE(setup_headless_display(win));
    Sprite::set_window_ptr(&win);
    win.ClearSurface(win.backsurf, 0u);
    const uint32_t colours[] = {0xF800, 0x001F, 0xFFE0, 0x07FF, 0xF81F};
    std::vector<Sprite*> sprites;
    // Level order 0, 1, 2, 3, 4: each drawn over the same spot.
    for (int layer = 0; layer <= 4; ++layer) {
        const std::string name = "layer" + std::to_string(layer);
        paint_frames(make_master(name, 1, 40, 40), colours[layer]);
        sprites.push_back(place(name, 100, 50, layer));
    }
    scroll = 0;
    win.make_sprite_active_list();
    win.draw_sprite_active_list();
    EXPECT_EQ(win.backsurf->get_pixel(110, 32 + 60), colours[0]);  // y measured from row 32
    sprites[0]->hitpoints = 0;
    win.make_sprite_active_list();
    win.ClearSurface(win.backsurf, 0u);
    win.draw_sprite_active_list();
    EXPECT_EQ(win.backsurf->get_pixel(110, 92), colours[1]);
    sprites[1]->layer = 5;
    sprites[2]->layer = 4;
    sprites[3]->layer = 6;
    win.ClearSurface(win.backsurf, 0u);
    win.draw_sprite_active_list();
    EXPECT_EQ(win.backsurf->get_pixel(110, 92), 0u);  // layers outside 0..3 never draw
    Sprite::set_window_ptr(nullptr);
}

}  // namespace
