// The crusher, a piston that pounds down from its housing on a growing shaft
// and pulls back up, and the slowly drifting background.
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"

namespace {

// param1 tells the pieces of the one "crusher" master apart.
constexpr int kHousingWaiting = 0;
constexpr int kHousing = 1;
constexpr int kHead = 2;
constexpr int kShaft = 3;
constexpr int kStroke = 7;

void grow_shaft(Sprite* head) {
    spawn_child_variant(head, "crusher", head->x + 23, head->y - kStroke, 1, [](Sprite& m) {
        setframe(&m, 3);
        m.hitclass = kHitEnemyShot;
        m.param1 = kShaft;
    });
}

// Retires the newest living segment of the head's chain, if it has any.
void shrink_shaft(Sprite* head) {
    Sprite* last = nullptr;
    for (Sprite* c = head->nextchild; c != nullptr; c = c->nextchild)
        if (c->hitpoints >= 1) last = c;
    if (last != nullptr) last->hitpoints = 0;
}

// Down until it meets something solid (an enemy-class sprite: the floor, the
// housing), then back up; a shaft segment per stroke follows it.
void move_head(Sprite* s) {
    if (s->param2 == 0) {
        s->y += kStroke;
        if (s->hitsomthing(kHitEnemy) == 0) {
            grow_shaft(s);
        } else {
            s->y -= kStroke;
            s->param2 = 1;
            shrink_shaft(s);
        }
    } else {
        s->y -= kStroke;
        if (s->hitsomthing(kHitEnemy) == 0) {
            shrink_shaft(s);
        } else {
            s->y += kStroke;
            s->param2 = 0;
        }
    }
}

}  // namespace

void movecrusher(Sprite* s) {
    if (s->param1 == kHousingWaiting) {
        s->param1 = kHousing;
        spawn_variant("crusher", s->x + 15, s->y + 24, 1, kLevelBack, [](Sprite& m) {
            setframe(&m, 2);
            m.hitclass = kHitEnemyShot;
            m.param1 = kHead;
        });
    } else if (s->param1 == kHead) {
        move_head(s);
    }
}

void movebackground(Sprite* s) {
    if (scroll <= 0) return;
    animateloop(s);
    s->x += 1;
}
