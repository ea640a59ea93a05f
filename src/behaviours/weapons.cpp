// The players' shots and the shield flash. Shots end at the edge of the
// screen area, at the background layer, or after enough contact with enemies.
#include <algorithm>
#include <cstdlib>

#include "behaviours/explosions.h"
#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
#include "state/globals.h"
#include "util/random.h"

namespace {

constexpr int kAreaRight = 640;
constexpr int kAreaBottom = 416;
constexpr int kSeekerMaxSpeed = 10;
constexpr int kFragmentFuse = 6;  // frames a star fragment flies harmless
constexpr int kFragmentDamage = 4;
constexpr Point kNoTarget{32015, 215};

void apply_screen_area(Sprite* s) {
    if (s->x < 0 || s->x > kAreaRight || s->y < 0 || s->y > kAreaBottom) s->hitpoints = 0;
}

// One step of homing on one axis, at most 10 pixels per frame either way.
void steer_axis(int& speed, int target, int position) {
    if (target > position) speed = std::min(speed + 2, kSeekerMaxSpeed);
    if (target < position) speed = std::max(speed - 2, -kSeekerMaxSpeed);
}

// The star bursts into maxstars + 1 fragments that fly harmless for a few frames.
void burst_star(const Sprite* star) {
    Sprite* master = Sprite::getnamedsprite("starshot");
    if (master == nullptr) return;
    master->damage = 0;
    master->param1 = 1;
    for (int i = 0; i <= maxstars; ++i) {
        master->param2 = game_rand() % 41 - 20;
        master->param3 = game_rand() % 41 - 20;
        master->spawn(star->x, star->y, 0, 1);
    }
    master->param1 = 0;
    master->damage = 1;
}

void move_star(Sprite* s) {
    s->x += 25;
    apply_screen_area(s);
    if (s->hitsomthing(kHitEnemy) != 0) {
        s->hitpoints = 0;
        burst_star(s);
    }
}

void move_star_fragment(Sprite* s) {
    s->x += s->param2;
    s->y += s->param3;
    apply_screen_area(s);
    if (s->param4 < kFragmentFuse) {
        s->param4 += 1;
        return;
    }
    s->damage = kFragmentDamage;
    if (s->hitlayer(1) != 0) {
        s->hitpoints = 0;
    } else if (s->hitsomthing(kHitEnemy) != 0) {
        explode(s, false, 1);
        s->hitpoints = 0;
    }
}

// Frame 1..16 of a heat-seeker flying with velocity (dx, dy): 1 left, 5 up,
// 9 right, 13 down, clockwise. Ratios |dy|/|dx| are compared by cross
// multiplication so no division is needed.
int heatseeker_frame(int dx, int dy) {
    if (dx == 0 && dy == 0) return 11;
    if (dx == 0) return dy < 0 ? 5 : 13;
    if (dy == 0) return dx > 0 ? 9 : 1;
    const long ax = std::labs(dx);
    const long ay = std::labs(dy);
    const bool below_third = 3 * ay < ax;
    const bool below_half = 2 * ay < ax;
    const bool below_one = ay < ax;
    const bool upto_two = ay <= 2 * ax;
    const bool upto_three = ay <= 3 * ax;
    if (dx > 0 && dy < 0) return below_third ? 9 : below_one ? 8 : upto_two ? 7 : upto_three ? 6 : 5;
    if (dx < 0 && dy < 0) return below_third ? 1 : below_half ? 2 : upto_two ? 3 : upto_three ? 4 : 5;
    if (dx > 0) return below_third ? 9 : below_half ? 10 : upto_two ? 11 : upto_three ? 12 : 13;
    return below_third ? 1 : below_half ? 16 : below_one ? 15 : upto_three ? 14 : 13;
}

}  // namespace

void movebluelaser(Sprite* s) {
    s->x += 40;
    apply_screen_area(s);
    if (s->hitlayer(1) != 0) {
        s->hitpoints = 0;
        return;
    }
    if (s->hitsomthing(kHitEnemy) == 0) return;
    if (Sprite* spark = Sprite::getnamedsprite("standardexplosion")) {
        setframe(spark, std::max(1, game_rand() % 13 - 5));
        const Sprite::frame* f = s->current_frame();
        const int right = f != nullptr ? f->xoffset + static_cast<int>(f->rect.right) : 0;
        spark->spawn(s->x + right, s->y, 0, 0);
    }
    s->hitpoints -= 1;
}

void moveredlaser(Sprite* s) {
    s->x += s->param1;
    s->y += s->param2;
    apply_screen_area(s);
    if (s->hitlayer(1) != 0) {
        s->hitpoints = 0;
    } else if (s->hitsomthing(kHitEnemy) != 0) {
        explode(s, false, 1);
        s->hitpoints -= 1;
    }
}

void moveheatseekingmissile(Sprite* s) {
    s->spawnbyname("smoke", s->x, s->y, 0, 1);
    const Point target = s->findclosestsprite(0, kHitEnemy);
    if (target.x != kNoTarget.x || target.y != kNoTarget.y) {
        steer_axis(s->param1, target.x, s->x);
        steer_axis(s->param2, target.y, s->y);
    }
    s->x += s->param1;
    s->y += s->param2;
    setframe(s, heatseeker_frame(s->param1, s->param2));
    if (s->hitlayer(1) != 0) {
        s->hitpoints = 0;
    } else if (s->hitsomthing(kHitEnemy) != 0) {
        explode(s, false, 1);
        s->hitpoints -= 1;
    } else {
        apply_screen_area(s);
    }
}

// Passes through its first frame of contact and bursts on the second.
void movephoton(Sprite* s) {
    animateloop(s);
    s->x += 25;
    apply_screen_area(s);
    if (s->hitsomthing(kHitEnemy) == 0) return;
    s->hitpoints -= 1;
    if (s->hitpoints < 1) {
        s->spawnbyname("photonexplosion", s->x + 10, s->y, 0, 0);
        s->hitpoints = 0;
    }
}

// Weakens by one each frame; never below 0, which would heal what it touches.
void movephotontorpedoex(Sprite* s) {
    animateterminate(s);
    if (s->damage > 0) s->damage -= 1;
}

void movestarshot(Sprite* s) {
    animateloop(s);
    if (s->param1 == 1)
        move_star_fragment(s);
    else
        move_star(s);
}

void moveshield(Sprite* s) { animateterminate(s); }
