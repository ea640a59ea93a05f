// Units that walk along the ground and fire up at a ship ahead of them.
#include "behaviours/ground.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"

namespace {

// Fires only at a ship to the left and above (directions 1..4).
void fire_up_left(Sprite* s, int shot_dy) {
    if (shoot(s) && findangletoplayer(s->x, s->y) < 5) fire_shot(s, "enemyshot", s->x - 5, s->y + shot_dy);
}

}  // namespace

void movelandwalker(Sprite* s) {
    animateloop(s);
    movealongground(s, -5);
    fire_up_left(s, 10);
    damage_step(s);
}

void movegreendragon(Sprite* s) {
    animateloop(s);
    if (s->x <= 600)
        movealongground(s, -2);
    else
        movespritelayer(s, -5, 0);
    fire_up_left(s, 5);
    damage_step(s);
}

void movereddragonwalking(Sprite* s) {
    animateloop(s);
    movealongground(s, s->x < 600 ? -5 : -2);
    fire_up_left(s, 5);
    damage_step(s);
}

// Cannot be hurt until it has rolled onto the screen proper.
void movecavetank(Sprite* s) {
    if (s->x > 600) {
        movealongground(s, -7);
    } else {
        movealongground(s, -3);
        damage_step(s);
    }
    animateloop(s);
}
