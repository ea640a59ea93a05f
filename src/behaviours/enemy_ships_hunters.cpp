// Flying enemies that hunt the nearer ship: helicopters that dart in and
// back off, weaving stalkers that keep a stand-off distance, and band
// patrollers that sweep up and down around the ship's height.
#include "behaviours/enemy_ships.h"
#include "behaviours/helpers.h"
#include "behaviours/enemy_rules.h"
#include "util/random.h"

namespace {

// ---- helicopters ----

void helicopter(Sprite* s, int hunt_from_x) {
    if (s->state == 0) {
        movespritelayer(s, -8, 0);
        if (s->x < hunt_from_x) s->state = 1;
    } else if (s->state == 1) {
        movespritelayer(s, -4, 0);
        const Target t = nearer_player(s->x, s->y);
        if (s->x < t.h + 45) s->param1 = 18;
        if (s->param1 > 0) {
            s->param1 -= 1;
            movespritelayer(s, 15, 0);
        }
    }
    animateloop(s);
    fire_when_ready(s, "enemyshot", s->x, s->y + 20);
    damage_step(s);
}

// ---- weaving stalkers ----

struct StalkerStyle {
    int arrival_speed;
    int hunt_from_x;
    bool hunts_while_arriving;
    int backoff_speed;
    bool limit_y;
};

void stalker_hunt(Sprite* s, const StalkerStyle& style) {
    const Target t = nearer_player(s->x, s->y);
    if (s->x < t.h + s->param4) s->param1 = 20;
    if (s->param1 < 1) {
        movespritelayer(s, -3, 0);
        if (s->param2 >= 1) {
            if (s->y > t.v - 80) {
                changeframe(s, -1);
                movespritelayer(s, 0, -4);
            } else {
                s->param2 = 0;
            }
        } else {
            if (s->y < t.v + 80) {
                changeframe(s, 1);
                movespritelayer(s, 0, 4);
            } else {
                s->param2 = 1;
            }
        }
    } else {
        centeronframe(s, 4);
        movespritelayer(s, style.backoff_speed, 0);
        s->param1 -= 1;
    }
    if (style.limit_y && s->y > 630) s->y = 630;
}

void stalker(Sprite* s, const StalkerStyle& style) {
    if (s->state == 0) {
        movespritelayer(s, style.arrival_speed, 0);
        if (s->x < style.hunt_from_x) {
            s->state = 1;
            s->param4 = game_rand() % 201;  // stand-off distance 0..200
        }
        if (style.hunts_while_arriving) stalker_hunt(s, style);
    } else if (s->state == 1) {
        stalker_hunt(s, style);
    }
    fire_when_ready(s, "enemyshot", s->x, s->y + 20);
    damage_step(s);
}

constexpr StalkerStyle kSpaceStalker{-10, 400, false, 8, true};
constexpr StalkerStyle kCrystalStalker{-8, 500, true, 10, false};

// ---- band patrollers ----

// Backs off to the right when within 150 pixels of the target, else sweeps
// up and down the band of +-`band` pixels around the target's height.
void patrol_band(Sprite* s, const Target& t, int band) {
    if (s->x < t.h + 150) s->param1 = 20;
    if (s->param1 >= 1) {
        movespritelayer(s, 10, 0);
        s->param1 -= 1;
    } else if (s->param2 >= 1) {
        if (s->y <= t.v - band)
            s->param2 = 0;
        else
            movespritelayer(s, 0, -5);
    } else {
        if (s->y >= t.v + band)
            s->param2 = 1;
        else
            movespritelayer(s, 0, 5);
    }
}

}  // namespace

void movemetalbluehelicopter(Sprite* s) { helicopter(s, 500); }
void movecavehelicopter(Sprite* s) { helicopter(s, 500); }
void movecrystalwhitehelicopter(Sprite* s) { helicopter(s, 500); }
void movecitybluehelicopter(Sprite* s) { helicopter(s, 500); }
void movemountaincamohelicopter(Sprite* s) { helicopter(s, 400); }

void movespacewhiteship(Sprite* s) { stalker(s, kSpaceStalker); }
void movecitywhiteship(Sprite* s) { stalker(s, kSpaceStalker); }
void movecrystalwhiteship(Sprite* s) { stalker(s, kCrystalStalker); }

void movewateryellowsub(Sprite* s) {
    enter_from_right(s, -8);
    animatebackandforth(s);
    patrol_band(s, nearer_player(s->x, s->y), 60);
    fire_when_ready(s, "enemyshot", s->x, s->y + 20);
    damage_step(s);
}

void movehiveorangeship(Sprite* s) {
    animatebackandforth(s);
    enter_from_right(s, -5);
    const Target t = nearer_player(s->x, s->y);
    patrol_band(s, t, t.player_two ? 75 : 60);
    if (shoot(s)) {
        fire_shot(s, "enemyshot", s->x, s->y + 10);
        fire_shot(s, "enemyshot", s->x, s->y + 30);
    }
    damage_step(s);
}
