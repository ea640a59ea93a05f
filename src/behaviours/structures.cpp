// Buildings and other fixed targets: houses and towers that catch fire where
// they are hit, the fire itself, lit buildings, the catapult, the wizard,
// the water buildings and the radar.
#include "behaviours/explosions.h"
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"

namespace {

// Takes hits like a house: each hit that leaves it standing sets a fire at
// the hit point, attached to it by its offset.
void burn_where_hit(Sprite* s) {
    const int h = s->hitsomthingwhere(kHitPlayerShot);
    if (h < 1) return;
    s->hitpoints -= h;
    if (s->hitpoints < 1) {
        explode(s, true, 0);
        return;
    }
    const int fx = hitx;
    const int fy = hity;
    spawn_child_variant(s, "fire", fx, fy, s->layer, [&](Sprite& m) {
        m.param1 = fx - 5 - s->x;
        m.param2 = fy - 5 - s->y;
    });
}

// A tower is two pieces from one master: the placed piece takes the hits,
// the second (frame 2, state 2) only stands there.
void tower(Sprite* s, const char* name, int piece_dy) {
    if (s->state == 0) {
        s->state = 1;
        spawn_child_variant(s, name, s->x, s->y + piece_dy, s->layer, [](Sprite& m) {
            setframe(&m, 2);
            m.state = 2;
        });
    }
    if (s->state == 1) burn_where_hit(s);
}

// Steps the back-and-forth animation; true when this step reached the last frame.
bool swing_reaches_end(Sprite* s) {
    const bool was_last = s->curframe == s->lastframe;
    animatebackandforth(s);
    return !was_last && s->curframe == s->lastframe;
}

}  // namespace

void movehouse(Sprite* s) { burn_where_hit(s); }
void movesmalltower(Sprite* s) { tower(s, "smalltower", 0); }
void movebigtower(Sprite* s) { tower(s, "bigtower", 10); }

// Attached (state 0) it rides on its parent at the offset in param1, param2;
// loose (state 1) it falls, faster each time the gate opens, and burns out on
// the ground.
void movefire(Sprite* s) {
    if (s->state == 1) {
        if (s->hitlayer(1) != 0) {
            s->hitpoints -= 1;
        } else {
            movespritelayer(s, s->param1, s->param2);
            if (shoot(s) && s->param2 < 6) s->param2 += 1;
        }
    } else if (s->parent != nullptr) {
        s->x = s->parent->x + s->param1;
        s->y = s->parent->y + s->param2;
    }
    if (s->hitsomthing(kHitEnemy) == 0) s->y += 1;
    animatebackandforth(s);
}

void movebuildingone(Sprite* s) {
    if (s->state != 0) return;
    s->state = 1;
    s->spawnchildbyname(s, "buildinglights", s->x + 64, s->y - 77, s->layer);
}

void movebuildinglights(Sprite* s) { animatebackandforth(s); }

// Winds its arm while the nearer ship is ahead of it (to the left); a wound
// arm throws on a later frame if the ship is still ahead.
void movecatapult(Sprite* s) {
    const bool ship_ahead = nearer_player(s->x, s->y).h < s->x;
    if (s->param1 == 1 && ship_ahead) {
        fire_shot(s, "enemyshot", s->x + 5, s->y - 55);
        s->param1 = 0;
    }
    if (ship_ahead && swing_reaches_end(s)) s->param1 = 1;
    burn_where_hit(s);
}

// Casts once per swing of its animation, on the frame after the swing ends.
void movewizard(Sprite* s) {
    const bool cast = s->param1 == 1;
    const bool reached_end = swing_reaches_end(s);
    if (cast) {
        fire_shot(s, "enemyshot", s->x, s->y - 20);
        s->param1 = 0;
    }
    if (reached_end) s->param1 = 1;
    const int h = s->hitsomthingwhere(kHitPlayerShot);
    if (h < 1) return;
    s->hitpoints -= h;
    if (s->hitpoints < 1) explode(s, true, 0);
}

void movewaterbuilding(Sprite* s) { damage_step(s); }

void moveradar(Sprite* s) {
    animatebackandforth(s);
    damage_step(s);
}
