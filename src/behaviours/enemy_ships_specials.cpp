// Flying enemies with a manner of their own: the dodger that slips away
// after each shot, the ambusher that dives below the ship and fires back at
// it from behind, the wandering blimp, and the simple drifters.
#include <algorithm>

#include "behaviours/enemy_ships.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

void fire_row(Sprite* s) {
    if (!shoot(s)) return;
    fire_shot(s, "enemyshot", s->x + 35, s->y);
    fire_shot(s, "enemyshot", s->x + 50, s->y);
    fire_shot(s, "enemyshot", s->x + 65, s->y);
}

// Against player two: dives until 50 pixels below the ship's height, then
// fires from behind it or closes in.
void ambush_player_two(Sprite* s, const Target& t) {
    if (s->y < t.v + 50) {
        changeframe(s, 1);
        movespritelayer(s, 0, 5);
        movespritelayer(s, -5, 0);
        return;
    }
    if (s->x <= t.h) {
        movespritelayer(s, 5, 0);
        fire_row(s);
    } else {
        movespritelayer(s, -10, 0);
    }
    centeronframe(s, 4);
}

// Against player one the line is 30 pixels below the ship.
void ambush_player_one(Sprite* s, const Target& t) {
    if (s->y < t.v + 30) {
        changeframe(s, 1);
        movespritelayer(s, -5, 5);
        return;
    }
    if (s->x <= t.h) {
        movespritelayer(s, 4, 0);
        fire_row(s);
    } else {
        movespritelayer(s, -5, 0);
    }
    if (s->framenumber < 4) {
        changeframe(s, 1);
        movespritelayer(s, 0, 1);
    }
    if (s->framenumber > 4) {
        changeframe(s, -1);
        movespritelayer(s, 0, 1);
    }
}

// Climbing: one frame forward every framedelay + 1 frames, holding the last.
void animate_climb(Sprite* s) {
    if (s->framecount >= s->framedelay) {
        s->framecount = 0;
        changeframe(s, 1);
    } else {
        s->framecount += 1;
    }
}

void wander_leg(Sprite* s) {
    movespritelayer(s, s->param2, s->param3);
    if (s->param1 < 1) s->state = 1;
    s->param1 -= 1;
    if (s->param3 < 0)
        animate_climb(s);
    else if (s->param3 > 0)
        animateloopbackwards(s);
    s->x = std::clamp(s->x, 300, 620);
    s->y = std::clamp(s->y, -20, 400);
}

}  // namespace

void movecrystalyellowship(Sprite* s) {
    enter_from_right(s, -8);
    if (s->param2 != 1) {
        if (!damage_step(s)) return;
        if (shoot(s)) {
            fire_shot(s, "enemyshot", s->x - 5, s->y + 10);
            s->param3 = 15;
            s->param2 = 1;
        }
    } else {
        dodge_step(s, true);
        damage_step(s);
    }
}

void movewatergreysub(Sprite* s) {
    enter_from_right(s, -8);
    const Target t = nearer_player(s->x, s->y);
    if (t.player_two)
        ambush_player_two(s, t);
    else
        ambush_player_one(s, t);
    damage_step(s);
}

void movecityblimp(Sprite* s) {
    switch (s->state) {
    case 0:
        s->x -= 8;
        if (s->x < 400) s->state = 1;
        break;
    case 1:
        s->param1 = 5 + game_rand() % 11;  // frames
        s->param2 = game_rand() % 13 - 4;  // x speed -4..8
        s->param3 = game_rand() % 11 - 5;  // y speed -5..5
        s->state = 2;
        break;
    case 2:
        wander_leg(s);
        break;
    default:
        break;
    }
    if (shoot(s)) {
        fire_shot(s, "enemyshottwo", s->x - 20, s->y - 5);
        fire_shot(s, "enemyshottwo", s->x - 5, s->y + 60);
        fire_shot(s, "enemyshottwo", s->x - 20, s->y + 125);
    }
    damage_step(s);
}

// ---- simple drifters ----

void movewateryellowfish(Sprite* s) {
    enter_from_right(s, -8);
    animatebackandforth(s);
    movespritelayer(s, -2, 0);
    fire_when_ready(s, "enemyshot", s->x - 10, s->y + 10);
    damage_step(s);
}

// Swims a wave: 40 frames down, 40 frames up.
void movewaterpurplefish(Sprite* s) {
    enter_from_right(s, -8);
    animatebackandforth(s);
    if (s->param2 < 1) {
        movespritelayer(s, -3, 4);
        s->param2 += 1;
        if (s->param2 == 0) s->param2 = 40;
    } else {
        movespritelayer(s, -3, -4);
        s->param2 -= 1;
        if (s->param2 == 0) s->param2 = -40;
    }
    damage_step(s);
}

void movewaterkewlphish(Sprite* s) {
    enter_from_right(s, -8, 570);
    animatebackandforth(s);
    movespritelayer(s, -3, 0);
    if (s->x < 300) s->x = 300;
    damage_step(s);
}

void movespacesatalite(Sprite* s) {
    enter_from_right(s, -5);
    damage_step(s);
}

// Accelerates to the left by one pixel per frame every frame.
void moverocketship(Sprite* s) {
    animateloop(s);
    movespritelayer(s, s->param1, 0);
    s->param1 -= 1;
    damage_step(s);
}
