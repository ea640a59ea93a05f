// The Space world's battleship as its behaviour flies it, with the generated
// pictures: every cannon can be reached by a shot from the left for a good
// part of the sweep (on the top run and the bottom run alike for the lower
// cannons), one shot never strikes two cannons, and some cannons are out of
// reach of any shot while the ship comes in, so it always arrives to stop the
// level.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/Velmora_Win.h"
#include "content_world_checks.h"
#include "display/Surface.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"

namespace {

using world_checks::WorldPlaySuite;

constexpr int kFieldWidth = 640, kFieldHeight = 416;
// Blasts reach 13 rows above the highest shot; nothing higher can be struck.
constexpr int kBlastReach = 13;

bool opaque(const Sprite::frame* f, int px, int py) {
    const Surface* s = f->surface;
    return px >= 0 && py >= 0 && px < s->width && py < s->height && s->get_pixel(px, py) != s->get_pixel(0, 0);
}

// Per frame image, the first opaque column of each row (-1: none) and its
// lowest opaque row.
struct Profile {
    std::vector<int> first;
    int bottom = -1;
};

class SpaceFight : public WorldPlaySuite<"Space"> {
protected:
    void SetUp() override {
        WorldPlaySuite::SetUp();
        ASSERT_TRUE(data->loaded()) << "the Space world is not generated";
        cannon_up_ = data->master("spacebosscannonup");
        ASSERT_NE(cannon_up_, nullptr);
    }

    const Profile& profile(const Sprite::frame* f) {
        auto it = profiles_.find(f);
        if (it != profiles_.end()) return it->second;
        Profile p;
        p.first.assign(size_t(f->surface->height), -1);
        for (int y = 0; y < f->surface->height; ++y)
            for (int x = 0; x < f->surface->width; ++x)
                if (opaque(f, x, y)) {
                    p.first[size_t(y)] = x;
                    p.bottom = y;
                    break;
                }
        return profiles_.emplace(f, std::move(p)).first->second;
    }

    // The first column a sprite is solid in at a field row, or a large number.
    int first_column(const Sprite* s, int row) {
        const Sprite::frame* f = s->current_frame();
        const int image_row = row - (s->y + f->yoffset);
        const Profile& p = profile(f);
        if (image_row < 0 || image_row >= int(p.first.size()) || p.first[size_t(image_row)] < 0) return 1 << 20;
        return s->x + f->xoffset + p.first[size_t(image_row)];
    }

    // The cannons in reach this frame: on some row of the field, a shot from
    // the left edge meets that cannon before the hull (the other cannons do
    // not count: each is shot away in turn).
    std::vector<const Sprite*> in_reach(const Sprite* ship, const std::vector<const Sprite*>& cannons) {
        std::vector<const Sprite*> out;
        for (const Sprite* c : cannons)
            for (int row = 0; row < kFieldHeight; ++row) {
                const int col = first_column(c, row);
                if (col < kFieldWidth && col < first_column(ship, row)) {
                    out.push_back(c);
                    break;
                }
            }
        return out;
    }

    bool upper(const Sprite* c) const { return c->frames.front() == cannon_up_->frames.front(); }

    static std::vector<const Sprite*> cannons_of(const Sprite* ship) {
        std::vector<const Sprite*> out;
        for (const Sprite* c = ship->nextchild; c != nullptr; c = c->nextchild)
            if (c->hitpoints >= 1) out.push_back(c);
        return out;
    }

    static bool overlap(const Sprite* a, const Sprite* b) {
        const Sprite::frame* fa = a->current_frame();
        const Sprite::frame* fb = b->current_frame();
        const int ax = a->x + fa->xoffset, ay = a->y + fa->yoffset, bx = b->x + fb->xoffset, by = b->y + fb->yoffset;
        const int left = std::max(ax, bx), right = std::min(ax + fa->surface->width, bx + fb->surface->width);
        const int top = std::max(ay, by), bottom = std::min(ay + fa->surface->height, by + fb->surface->height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (opaque(fa, x - ax, y - ay) && opaque(fb, x - bx, y - by)) return true;
        return false;
    }

    Velmora_Win win;
    const Sprite* cannon_up_ = nullptr;
    std::map<const Sprite::frame*, Profile> profiles_;
};

TEST_F(SpaceFight, EveryCannonIsInReachForMuchOfTheSweepAndSomeAreLeftWhenTheShipArrives) {
    const std::vector<world_checks::Record> placed = data->placed("spaceboss");
    ASSERT_EQ(placed.size(), 1u);
    Sprite* ship = place("spaceboss", kFieldWidth + 10, placed[0].y, 0);
    ASSERT_NE(ship, nullptr);

    // The way in: the upper cannons stay out of reach of shots and blasts.
    int approach = 0, lower_reachable = 0;
    for (; scroll > 0 && approach < 400; ++approach) {
        player1h = 100;
        player1v = 200;
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        const std::vector<const Sprite*> cannons = cannons_of(ship);
        for (const Sprite* c : cannons) {
            if (!upper(c)) continue;
            const Sprite::frame* f = c->current_frame();
            EXPECT_LT(c->y + f->yoffset + profile(f).bottom, -kBlastReach) << "frame " << approach;
        }
        for (const Sprite* c : in_reach(ship, cannons)) lower_reachable += upper(c) ? 0 : 1;
    }
    ASSERT_LT(scroll, 1) << "the ship never stopped the level";
    EXPECT_GT(lower_reachable, 0) << "nothing to shoot on the way in";

    // Two whole sweeps, the player moving about the field so the cannons turn.
    constexpr int kSweep = 1000;
    std::map<const Sprite*, int> reach;
    int overlaps = 0;
    for (int f = 0; f < kSweep; ++f) {
        player1h = (f % 2 == 0 ? 60 : 580) - (f * 13) % 50;
        player1v = 40 + (f * 7) % 340;
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        const std::vector<const Sprite*> cannons = cannons_of(ship);
        ASSERT_EQ(cannons.size(), 8u);
        for (const Sprite* c : in_reach(ship, cannons)) ++reach[c];
        if (f % 10 == 0)
            for (size_t i = 0; i < cannons.size(); ++i)
                for (size_t j = i + 1; j < cannons.size(); ++j) overlaps += overlap(cannons[i], cannons[j]) ? 1 : 0;
    }
    EXPECT_EQ(overlaps, 0) << "a shot could strike two cannons at once";
    // A cannon is on the screen for about half the sweep; the lower ones are
    // fought on both runs (on one alone they were in reach for 28 to 50 % of
    // it), the upper ones on the bottom run.
    for (const Sprite* c : cannons_of(ship))
        EXPECT_GE(reach[c], kSweep * (upper(c) ? 20 : 45) / 100)
            << (upper(c) ? "upper" : "lower") << " cannon in slot " << c->reverse;
}

}  // namespace
