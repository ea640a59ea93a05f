#include "behaviours/enemy_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "sprites/layers.h"
#include "state/globals.h"

namespace {

// Where a shot aims relative to a ship's reference point: the ship's middle.
constexpr int kAimOffsetX = 35;
constexpr int kAimOffsetY = 5;
constexpr float kShotSpeed = 12.0f;

// The fields a spawner may change on a master for one copy.
struct MasterFields {
    int hitclass, hitpoints, state, param1, param2, param3, param4, curframe, framenumber;

    static MasterFields of(const Sprite& m) {
        return {m.hitclass, m.hitpoints, m.state,    m.param1,     m.param2,
                m.param3,   m.param4,    m.curframe, m.framenumber};
    }
    void restore(Sprite& m) const {
        m.hitclass = hitclass;
        m.hitpoints = hitpoints;
        m.state = state;
        m.param1 = param1;
        m.param2 = param2;
        m.param3 = param3;
        m.param4 = param4;
        m.curframe = curframe;
        m.framenumber = framenumber;
    }
};

template <class Spawn>
void with_tweaked_master(const char* name, const MasterTweak& tweak, Spawn spawn) {
    Sprite* master = Sprite::getnamedsprite(name);
    if (master == nullptr) return;
    const MasterFields saved = MasterFields::of(*master);
    tweak(*master);
    spawn(*master);
    saved.restore(*master);
}

}  // namespace

Target nearer_player(int x, int y) {
    const long d1 = std::labs(long(player1h) - x) + std::labs(long(player1v) - y);
    const long d2 = std::labs(long(player2h) - x) + std::labs(long(player2v) - y);
    if (d1 > d2) return Target{player2h, player2v, true};
    return Target{player1h, player1v, false};
}

bool damage_step(Sprite* s) {
    s->hitpoints -= s->hitsomthing(kHitPlayerShot);
    if (s->hitpoints < 1) {
        explode(s, true, 0);
        return false;
    }
    return true;
}

void fire_shot(Sprite* s, const char* shot, int x, int y) { s->spawnbyname(shot, x, y, 0, kLevelBack); }

bool fire_when_ready(Sprite* s, const char* shot, int x, int y) {
    if (!shoot(s)) return false;
    fire_shot(s, shot, x, y);
    return true;
}

void enter_from_right(Sprite* s, int speed, int edge) {
    if (s->x > edge) movespritelayer(s, speed, 0);
}

bool aim_at_nearer_player(Sprite* s) {
    const Target t = nearer_player(s->x, s->y);
    const long dx = long(t.h) + kAimOffsetX - s->x;
    const long dy = long(t.v) + kAimOffsetY - s->y;
    const long m = std::max(std::labs(dx), std::labs(dy));
    if (m == 0) return false;
    s->dirx = float(dx) / float(m);
    s->diry = float(dy) / float(m);
    return true;
}

void fly_along_aim(Sprite* s) {
    s->x = static_cast<int>(std::trunc(float(s->x) + kShotSpeed * s->dirx));
    s->y = static_cast<int>(std::trunc(float(s->y) + kShotSpeed * s->diry));
    if (scroll > 0) s->x += layers::kLevelSpeed;
}

void dodge_step(Sprite* s, bool bank) {
    s->param3 -= 1;
    if (s->param3 < 1) s->param2 = 0;
    const Target t = nearer_player(s->x, s->y);
    if (s->hitlayer(1) != 0) s->x -= 5;
    if (s->x < t.h + 200) movespritelayer(s, 10, 0);
    if (s->x > 620) s->x = 620;
    const bool attack_back = s->param2 != 1;
    if (s->param4 < 1) {
        if (s->y > t.v - 40) {
            movespritelayer(s, 0, -5);
            if (bank) changeframe(s, -1);
        } else if (attack_back) {
            s->param4 = 1;
        }
    } else {
        if (s->y < t.v + 40) {
            movespritelayer(s, 0, 5);
            if (bank) changeframe(s, 1);
        } else if (attack_back) {
            s->param4 = 0;
        }
    }
}

bool outside_shot_area(int x, int y) { return x < 0 || x > 640 || y < 0 || y > 416; }

void spawn_variant(const char* name, int x, int y, int layer, int where, const MasterTweak& tweak) {
    with_tweaked_master(name, tweak, [&](Sprite& m) { m.spawn(x, y, layer, where); });
}

void spawn_child_variant(Sprite* parent, const char* name, int x, int y, int layer,
                         const MasterTweak& tweak) {
    with_tweaked_master(name, tweak,
                        [&](Sprite&) { parent->spawnchildbyname(parent, name, x, y, layer); });
}
