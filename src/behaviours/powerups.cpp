// Power-ups drift on a bouncing, slowly swinging path until a ship or drone
// touches them or they leave the screen on the left. The collector's own
// behaviour applies the effect; these only count the touch and play the sound.
#include <algorithm>

#include "audio/Sample.h"
#include "behaviours/helpers.h"
#include "behaviours/player_side.h"
#include "util/random.h"

namespace {

constexpr float kMaxDrift = 8.0f;
constexpr float kSwing = 0.15f;
constexpr float kRightWall = 620.0f;
constexpr float kBottomWall = 395.0f;
constexpr float kScrollDrift = 5.0f;

enum class Kind { bonus, weapon };

void set_up(Sprite* s, Kind kind) {
    s->param1 = 1;
    s->posx = static_cast<float>(s->x);
    s->posy = static_cast<float>(s->y);
    s->velx = static_cast<float>(game_rand() % 14 - 8);
    s->vely = static_cast<float>(game_rand() % 19 - 8);
    s->accx = kSwing;
    s->accy = kSwing;
    if (kind == Kind::weapon) setframe(s, std::max(1, (game_rand() % 25) / 4));
}

// The velocity sweeps back and forth between -8 and 8 on each axis.
void swing(float& vel, float& acc) {
    if (vel > kMaxDrift) {
        vel = kMaxDrift;
        acc = -acc;
    }
    if (vel < -kMaxDrift) {
        vel = -kMaxDrift;
        acc = -acc;
    }
    vel += acc;
}

// Walls right, top and bottom; none on the left, where the power-up leaves.
void bounce(Sprite* s) {
    if (s->posx > kRightWall) {
        s->posx = kRightWall;
        s->velx = -s->velx;
    }
    if (s->posy < 0) {
        s->vely = -s->vely;
        s->posy = 0;
    }
    if (s->posy > kBottomWall) {
        s->vely = -s->vely;
        s->posy = kBottomWall;
    }
}

void drift(Sprite* s, Kind kind) {
    if (s->param1 == 0) set_up(s, kind);
    swing(s->velx, s->accx);
    swing(s->vely, s->accy);
    bounce(s);
    s->posx += s->velx;
    s->posy += s->vely;
    s->posx -= kScrollDrift;
    s->x = static_cast<int>(s->posx);
    s->y = static_cast<int>(s->posy);
    animateloop(s);
}

}  // namespace

void movepowerup(Sprite* s) {
    drift(s, Kind::bonus);
    if (s->hitsomthing(kHitPlayerShip) != 0) {
        s->hitpoints -= 1;
        thesample.play("drip");
    }
}

// A ship and a drone touching it in the same frame both take it.
void moveweaponpowerup(Sprite* s) {
    drift(s, Kind::weapon);
    if (s->hitsomthing(kHitPlayerShip) != 0) {
        s->hitpoints -= 1;
        thesample.play("yeah");
    }
    if (s->hitsomthing(kHitDrone) != 0) {
        s->hitpoints -= 1;
        thesample.play("yeah");
    }
}
