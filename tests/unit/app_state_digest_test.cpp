// The digest of the whole play state: every field that decides play moves it,
// nothing machine-specific does.
#include <gtest/gtest.h>

#include "app/Velmora_Win.h"
#include "app/state_digest.h"
#include "behaviours/player_state.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "util/random.h"

namespace {
class StateDigest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        reset_player_state();
        game_srand(7);
        make_master("drifter", 2, 8, 8);
        make_master("gunner", 1, 8, 8);
        a = place("drifter", 100, 50, 1);
        b = place("gunner", 300, 200, 0);
    }
    void TearDown() override { clear_sprites(); }

    Velmora_Win win;
    Sprite* a = nullptr;
    Sprite* b = nullptr;
};
}  // namespace

TEST_F(StateDigest, EveryPlayFieldMovesTheDigest) {
    const uint64_t before = play_state_digest(win);
    EXPECT_EQ(play_state_digest(win), before);

    // Each change is undone before the next: each alone must show.
    auto changes = [&](auto change, auto undo, const char* what) {
        change();
        EXPECT_NE(play_state_digest(win), before) << what;
        undo();
        EXPECT_EQ(play_state_digest(win), before) << what;
    };
    changes([&] { ++b->y; }, [&] { --b->y; }, "one pixel of y");
    changes([&] { b->posx += 0.25f; }, [&] { b->posx -= 0.25f; }, "a fraction of posx");
    changes([&] { ++a->curframe; }, [&] { --a->curframe; }, "the frame shown");
    changes([&] { a->state = 3; }, [&] { a->state = 0; }, "the state");
    changes([&] { a->param9 = 1; }, [&] { a->param9 = 0; }, "a counter");
    changes([&] { --b->hitpoints; }, [&] { ++b->hitpoints; }, "hit points");
    changes([&] { ++player2score; }, [&] { --player2score; }, "a score");
    changes([&] { p2_velocityY = 1.5f; }, [&] { p2_velocityY = 0; }, "a ship's velocity");
    changes([&] { ++scroll; }, [&] { --scroll; }, "the scroll");
    changes([&] { keycodes[7] = true; }, [&] { keycodes[7] = false; }, "a held key");
    changes([&] { p1acceleration = 5; }, [&] { p1acceleration = 0; }, "player one's key ramp");
    changes([&] { control_rules.taps_held = false; }, [&] { control_rules.taps_held = true; }, "the control rules");

    const unsigned long seed_state = game_rand_state();
    game_rand();
    EXPECT_NE(play_state_digest(win), before) << "the random sequence";
    game_srand(static_cast<unsigned>(seed_state));
    EXPECT_EQ(play_state_digest(win), before);

    // The same sprites in the other order are another state: collisions and
    // spawns follow list order.
    Sprite::the_level->reverse();
    EXPECT_NE(play_state_digest(win), before) << "list order";
    Sprite::the_level->reverse();

    // A child's position counts as the top sprite's does.
    Sprite* child = b->make_copy();
    child->parent = b;
    b->nextchild = child;
    const uint64_t with_child = play_state_digest(win);
    EXPECT_NE(with_child, before);
    ++child->x;
    EXPECT_NE(play_state_digest(win), with_child) << "a child's x";
    --child->x;
    b->nextchild = nullptr;
    delete child;
}

TEST_F(StateDigest, VolumesAndTheDeadDecideNothing) {
    const uint64_t before = play_state_digest(win);
    fxvolume -= 1000;
    musicvolume -= 500;
    EXPECT_EQ(play_state_digest(win), before);

    // A dead top sprite is dropped before anything runs again.
    a->hitpoints = 0;
    const uint64_t dead = play_state_digest(win);
    a->x += 40;
    EXPECT_EQ(play_state_digest(win), dead);
}

TEST_F(StateDigest, TextNamesEachSpriteByKindAndSerial) {
    const std::string text = play_state_text(win);
    EXPECT_NE(text.find("sprite drifter serial " + std::to_string(a->serial) + " x 100 y 50 "), std::string::npos)
        << text;
    EXPECT_NE(text.find("sprite gunner serial " + std::to_string(b->serial) + " x 300 y 200 "), std::string::npos)
        << text;
    EXPECT_LT(text.find("sprite drifter"), text.find("sprite gunner"));
}
