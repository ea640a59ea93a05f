// The hive boss cannot be shot: it fires 51 volleys of sweeping shots from
// two mouths and is spent.
#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"

namespace {

constexpr int kCloseAt = 80;
constexpr int kVolleys = 51;
constexpr int kSweep = 300;
constexpr int kUpperMouth = 0;
constexpr int kSweepDown = 0;
constexpr int kSweepUp = 1;

}  // namespace

void movehiveboss(Sprite* s) {
    s->param2 += 1;
    if (s->param2 == kCloseAt) scroll -= 1;
    if (scroll < 1 && shoot(s)) {
        const bool upper = s->param1 == kUpperMouth;
        Sprite* shot = upper ? spawn_part(s, "hivebossshot", s->x + 87, s->y + 10, 0, kLevelBack)
                             : spawn_part(s, "hivebossshot", s->x - 10, s->y + 300, 0, kLevelBack);
        if (shot != nullptr) shot->param2 = upper ? 0 : 1;
        s->param1 = upper ? 1 : kUpperMouth;
        s->param3 += 1;
        if (s->param3 >= kVolleys) s->hitpoints = 0;
    }
    if (s->hitpoints < 1) {
        bossexplode(s, true);
        scroll += 1;
    }
}

void movehivebossshot(Sprite* s) {
    animatebackandforth(s);
    if (s->param1 == 0) {
        s->x -= 10;
        const Target t = nearer_player(s->x, s->y);
        if (s->x < t.h) {
            // Past the ship: sweep across its height from here.
            s->param1 = 1;
            s->param3 = s->y;
            s->param4 = s->param2 == kUpperMouth ? kSweepDown : kSweepUp;
        }
    } else {
        const int top = s->param2 == kUpperMouth ? s->param3 : s->param3 - kSweep;
        const int bottom = top + kSweep;
        if (s->param4 == kSweepDown) {
            s->y += 4;
            if (s->y >= bottom) s->param4 = kSweepUp;
        } else {
            s->y -= 4;
            if (s->y <= top) s->param4 = kSweepDown;
        }
    }
    damage_step(s);
}
