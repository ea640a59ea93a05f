// Flying enemies that fly a fixed pattern: zigzag flyers, divers, rectangle
// loopers and the fighters that emerge from hatches.
#include "behaviours/enemy_ships.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"

namespace {

// ---- zigzag flyers ----

struct Zigzag {
    int leave_arrival_at;  // the arrival leg ends when x drops below this
    int step_x;
    int band;              // half height of the zigzag around the base line
    int shot_dy;
};

void zigzag_arrival(Sprite* s, const Zigzag& z) {
    movespritelayer(s, -8, 0);
    if (s->x < z.leave_arrival_at) {
        s->state = 1;
        s->param1 = s->y;  // the base line
    }
}

void zigzag_legs(Sprite* s, const Zigzag& z) {
    if (s->state == 1) {
        movespritelayer(s, z.step_x, 2);
        if (s->y > s->param1 + z.band) s->state = 2;
    } else if (s->state == 2) {
        movespritelayer(s, z.step_x, -2);
        if (s->y < s->param1 - z.band) s->state = 1;
    }
}

void zigzag_finish(Sprite* s, const Zigzag& z) {
    fire_when_ready(s, "enemyshot", s->x - 5, s->y + z.shot_dy);
    damage_step(s);
}

void zigzag(Sprite* s, const Zigzag& z) {
    animateloop(s);
    if (s->state == 0)
        zigzag_arrival(s, z);
    else
        zigzag_legs(s, z);
    zigzag_finish(s, z);
}

constexpr Zigzag kCrystalRed{500, -3, 10, 10};
constexpr Zigzag kMagicCarpet{600, -4, 30, 10};
constexpr Zigzag kRedDragon{550, -2, 10, 10};
constexpr Zigzag kBlimp{550, -2, 30, 60};
constexpr Zigzag kCaveRed{500, -4, 15, 10};

// ---- divers ----

void diver(Sprite* s) {
    if (s->state == 0) {
        movespritelayer(s, -8, 0);
        if (s->x < 500) s->state = 1;
    } else if (s->state == 1) {
        switch (s->param1) {
        case 0:
            s->param1 = s->y < 200 ? 1 : 2;
            break;
        case 1:
            changeframe(s, 1);
            movespritelayer(s, -3, 4);
            s->param2 += 3;
            if (s->param2 > 150) s->param1 = 3;
            break;
        case 2:
            changeframe(s, -1);
            movespritelayer(s, -3, -4);
            s->param2 += 3;
            if (s->param2 > 150) s->param1 = 3;
            break;
        case 3:
            centeronframe(s, 6);
            movespritelayer(s, -6, 0);
            break;
        default:
            break;
        }
    }
    fire_when_ready(s, "enemyshot", s->x, s->y + 20);
    damage_step(s);
}

// ---- rectangle loopers ----

void looper(Sprite* s) {
    switch (s->state) {
    case 0:
        s->param1 = s->x;
        s->param2 = s->y;
        s->state = 1;
        break;
    case 1:
        centerframe(s);
        movespritelayer(s, 10, 0);
        if (s->x > 600) s->state = 2;
        break;
    case 2:
        changeframe(s, 1);
        movespritelayer(s, 3, 5);
        if (s->y > s->param2 + 100) s->state = 3;
        break;
    case 3:
        centerframe(s);
        movespritelayer(s, -6, 0);
        if (s->x < 20) s->state = 4;
        break;
    case 4:
        changeframe(s, -1);
        movespritelayer(s, 3, -5);
        if (s->y < s->param2) s->state = 5;
        break;
    case 5:
        centerframe(s);
        movespritelayer(s, 10, 0);
        if (s->x > 610) s->state = 2;
        break;
    default:
        break;
    }
    fire_when_ready(s, "enemyshot", s->x, s->y + 20);
    damage_step(s);
}

}  // namespace

void movecrystalredship(Sprite* s) { zigzag(s, kCrystalRed); }
void movemagiccarpet(Sprite* s) { zigzag(s, kMagicCarpet); }
void movereddragonflying(Sprite* s) { zigzag(s, kRedDragon); }
void moveblimp(Sprite* s) { zigzag(s, kBlimp); }

// Released by a cave hatch with a vertical push in param1; the push replaces
// the arrival leg, after which param1 holds the base line instead.
void movecaveredship(Sprite* s) {
    animateloop(s);
    if (s->state == 0) {
        if (s->param1 > 0) {
            movespritelayer(s, 0, 5);
            s->param1 -= 1;
        } else if (s->param1 < 0) {
            movespritelayer(s, 0, -5);
            s->param1 += 1;
        } else {
            zigzag_arrival(s, kCaveRed);
        }
    } else {
        zigzag_legs(s, kCaveRed);
    }
    zigzag_finish(s, kCaveRed);
}

void movespacegreenship(Sprite* s) { diver(s); }
void movecitygreenship(Sprite* s) { diver(s); }

void movespacefrogship(Sprite* s) { looper(s); }
void movecityfrogship(Sprite* s) { looper(s); }

// Released by a metal hatch: rises (param1 < 0) or sinks (param1 > 0) out of
// it, then flies left in level flight on frame 3.
void movemetalgreenship(Sprite* s) {
    if (s->param1 > 0) {
        s->param1 -= 1;
        movespritelayer(s, 0, 5);
        changeframe(s, 1);
    } else if (s->param1 < 0) {
        s->param1 += 1;
        movespritelayer(s, 0, -5);
        changeframe(s, -1);
    } else {
        fire_when_ready(s, "enemyshot", s->x - 5, s->y + 10);
        movespritelayer(s, -10, 0);
        if (s->framenumber < 3) changeframe(s, 1);
        if (s->framenumber >= 4) changeframe(s, -1);
    }
    damage_step(s);
}

// Dashes left whenever its animation shows frame 4, slowing to a stop.
void movehivegreenship(Sprite* s) {
    animatebackandforth(s);
    enter_from_right(s, -5);
    if (s->framenumber == 4) s->param1 = -9;
    if (s->param1 < 0) {
        movespritelayer(s, s->param1, 0);
        s->param1 += 1;
    }
    fire_when_ready(s, "enemyshot", s->x - 5, s->y + 20);
    damage_step(s);
}
