// The last boss: a shell that rams and sweeps, with five guns that its own
// words switch on and off. The shell can be hurt only once every gun is gone.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "behaviours/bosses.h"
#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/bosses_common.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

enum ShellState { kArriving = 0, kChoose = 1, kRam = 2, kSweep = 3, kPause = 4 };
constexpr int kRamSpeed = 10;
constexpr int kRetreatSpeed = 16;
constexpr int kRetreatLine = 500;  // a ram beyond it turns into a retreat, a retreat ends past it
// The furthest right the shell goes: where a retreat from the left ends. A ram
// that starts beyond the line and a retreat from there must not carry it
// further each time: past the field's right edge it would stop acting (only
// what overlaps the screen is run) and the level could never end.
constexpr int kFurthestRight = kRetreatLine + kRetreatSpeed;
constexpr int kSweepSpeed = 6;
constexpr int kAimed = 1;
constexpr int kRetreating = 2;

void choose(Sprite* s) {
    s->state = 1 + game_rand() % 4;
    s->param1 = 0;
    s->param2 = 0;
    s->param7 = 50 + game_rand() % 51;
}

void ram(Sprite* s) {
    if (s->param1 < 1) {
        s->param1 = kAimed;
        const Target t = nearer_player(s->x, s->y);
        // Nothing to ram at when the aim point is where the shell is.
        if (!aim_at(s, t.h + 35, t.v - 40)) s->param1 = kRetreating;
        return;
    }
    if (s->param1 == kRetreating) {
        s->x = std::min(s->x + kRetreatSpeed, std::max(s->x, kFurthestRight));
        if (s->x > kRetreatLine) s->state = kChoose;
        return;
    }
    s->x = static_cast<int>(std::trunc(s->x + kRamSpeed * s->dirx));
    s->y = static_cast<int>(std::trunc(s->y + kRamSpeed * s->diry));
    if (s->y < 20) s->y = 20;
    if (s->y > 350) s->y = 350;
    if (s->x > kFurthestRight) s->x = kFurthestRight;
    if (s->x > kRetreatLine || s->x < 50) s->param1 = kRetreating;
}

// A sweep switches guns three and five on for its length, and gun one while
// it goes down (param2).
void sweep(Sprite* s) {
    if (s->param1 == 0) s->param6 = s->param4 = s->param2 = s->param1 = 1;
    if (s->param2 == 0) {
        s->y -= kSweepSpeed;
        if (s->y < 20) {
            s->y = 20;
            s->param2 = 1;
        }
    } else {
        s->y += kSweepSpeed;
        if (s->y > 350) {
            s->y = 350;
            s->param2 = 0;
        }
    }
    s->param7 -= 1;
    if (s->param7 < 1) {
        s->state = kChoose;
        s->param6 = s->param4 = s->param2 = 0;
    }
}

struct Gun {
    int dx, dy;  // from the shell
    int Sprite::*switch_word;
};

struct Muzzle {
    const char* shot;
    int dx, dy;
};

void gun(Sprite* s, const Gun& g, std::initializer_list<Muzzle> muzzles) {
    if (const Sprite* shell = s->parent) {
        s->x = shell->x + g.dx;
        s->y = shell->y + g.dy;
        if (shell->*g.switch_word == 1 && shoot(s))
            for (const Muzzle& m : muzzles) s->spawnbyname(m.shot, s->x + m.dx, s->y + m.dy, 0, 0);
    }
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) explode(s, true, 0);
}

void shell_shot(Sprite* s, int speed) {
    s->x -= speed;
    s->hitpoints -= s->hitlayer(1);
    if (s->hitsomthing(kHitPlayerShip) != 0) s->hitpoints -= 1;
    if (outside_shot_area(s->x, s->y)) s->hitpoints = 0;
}

}  // namespace

void movefinalbossshell(Sprite* s) {
    switch (s->state) {
        case kArriving:
            if (s->param1 == 0) {
                s->param1 = 1;
                for (const char* name : {"finalbossgunthree", "finalbossgunfive", "finalbossguntwo",
                                         "finalbossgunfour", "finalbossgunone"})
                    s->spawnchildbyname(s, name, s->x, s->y, s->layer);
            }
            if (s->x < 400) {
                scroll -= 1;
                s->state = kChoose;
            }
            break;
        case kChoose: choose(s); break;
        case kRam: ram(s); break;
        case kSweep: sweep(s); break;
        case kPause: s->state = kChoose; break;
        default: break;
    }
    if (shoot(s)) {
        s->spawnbyname("citybossshotone", s->x - 15, s->y + 50, 0, 0);
        s->spawnbyname("citybossshotone", s->x + 150, s->y + 50, 0, 0);
    }
    if (has_living_children(s)) return;
    if (take_boss_hits(s) != 0 && s->hitpoints < 1) {
        scroll += 1;
        explode(s, true, 0);
    }
}

void movefinalbossgunone(Sprite* s) {
    gun(s, {20, 90, &Sprite::param2},
        {{"finalbossshotone", -25, 50}, {"finalbossshottwo", -45, 20}});
}
void movefinalbossguntwo(Sprite* s) { gun(s, {-18, 100, &Sprite::param3}, {}); }
void movefinalbossgunthree(Sprite* s) {
    gun(s, {-10, 85, &Sprite::param4},
        {{"finalbossshotone", -25, 50}, {"finalbossshottwo", -45, 20}});
}
void movefinalbossgunfour(Sprite* s) { gun(s, {-40, -15, &Sprite::param5}, {}); }
void movefinalbossgunfive(Sprite* s) { gun(s, {67, -75, &Sprite::param6}, {{"finalbossshotone", -25, 20}}); }

void movefinalbossshottwo(Sprite* s) { shell_shot(s, 10); }

void movefinalbossshotthree(Sprite* s) {
    animateloop(s);
    shell_shot(s, 5);
}
