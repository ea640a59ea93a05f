// The Crystal world's gate as its level places it, run by the openers'
// behaviour: every opener closes the level on the same frame (one that came
// too late or too soon would open it early or hold it again), the level
// opens again within the fight's minute, and the seals burst one after
// another through the fight, the first of them in its first half, so the
// player sees the gate's time run out.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/Velmora_Win.h"
#include "content_world_checks.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"

namespace {

using world_checks::Record;
using world_checks::WorldPlaySuite;

constexpr int kLongestHold = 1300;

class CrystalGate : public WorldPlaySuite<"Crystal"> {
protected:
    void SetUp() override {
        WorldPlaySuite::SetUp();
        ASSERT_TRUE(data->loaded()) << "the Crystal world is not generated";
    }

    // Openers still in the level.
    static int openers_left(const std::vector<const Sprite*>& masters) {
        int n = 0;
        for (const Sprite* s : *Sprite::the_level)
            for (const Sprite* m : masters)
                if (s->hitpoints >= 1 && s->frames.front() == m->frames.front()) ++n;
        return n;
    }

    Velmora_Win win;
};

TEST_F(CrystalGate, AllSealsCloseTogetherAndBurstOneByOneThroughTheFight) {
    std::vector<const Sprite*> masters{data->master("crystalopenerdown"), data->master("crystalopenerup")};
    ASSERT_NE(masters[0], nullptr);
    ASSERT_NE(masters[1], nullptr);
    int openers = 0;
    for (const Record& r : data->records())
        if (r.name == "crystalopenerdown" || r.name == "crystalopenerup") {
            place(r.name, r.x, r.y, r.layer);
            ++openers;
        }
    ASSERT_GE(openers, 3) << "the gate needs seals that burst in turn";

    int stop = -1, reopen = -1, lowest = scroll;
    std::vector<int> bursts;
    int left = openers;
    for (int f = 0; f < 9000 && reopen < 0; ++f) {
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        lowest = std::min(lowest, scroll);
        if (stop < 0 && scroll < 1) stop = f;
        if (stop >= 0 && scroll > 0) reopen = f;
        for (const int now = openers_left(masters); left > now; --left) bursts.push_back(f);
    }
    ASSERT_GE(stop, 0) << "the gate never closed the level";
    ASSERT_GE(reopen, 0) << "the gate never opened again";
    EXPECT_EQ(lowest, 1 - openers) << "an opener did not close the level with the others";
    EXPECT_LE(reopen - stop, kLongestHold);
    ASSERT_EQ(int(bursts.size()), openers);
    EXPECT_LE(bursts.front() - stop, (reopen - stop) / 2) << "the first seal bursts late in the fight";
    for (size_t i = 1; i < bursts.size(); ++i)
        EXPECT_GE(bursts[i] - bursts[i - 1], 100) << "seals " << i << " and " << i + 1 << " burst together";
    // Open for good: no opener is left to close it again.
    for (int f = 0; f < 300; ++f) {
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        EXPECT_GT(scroll, 0) << "closed again " << f << " frames after opening";
        if (scroll < 1) break;
    }
}

}  // namespace
