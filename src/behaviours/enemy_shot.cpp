// The enemy shot: aims once at the nearer ship, then flies straight on.
#include "behaviours/enemy_ships.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"

void moveenemyshot(Sprite* s) {
    animateloop(s);
    if (s->param1 < 1) {
        s->param1 = 1;
        // A shot spawned exactly on its aim point has no direction to fly in.
        if (!aim_at_nearer_player(s)) {
            s->hitpoints = 0;
            return;
        }
    } else {
        fly_along_aim(s);
    }
    if (outside_shot_area(s->x, s->y)) s->hitpoints = 0;
    s->hitpoints -= s->hitlayer(1);
    // With 3 hit points a shot survives two frames on a ship, hurting it each frame.
    if (s->hitsomthing(kHitPlayerShip) != 0) s->hitpoints -= 1;
}
